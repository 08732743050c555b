#include "rigctl/RigCombinationTable.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace vm;

namespace {

RigCombination record(const QString &label)
{
    RigCombination r;
    const QStringList values{label,          "IC9700", "/dev/ttyUSB0", "19200", "A2", "1",   "0", "FT817",
                             "/dev/ttyUSB1", "9600",   "00",           "2",     "0",  "200", "3", "04"};
    for (int i = 0; i < RigCombination::FieldCount; ++i)
        r.fields[static_cast<size_t>(i)] = values.at(i);
    return r;
}

} // namespace

TEST(RigCombinationTable, SavesAndLoadsRecordsThatDifferOnlyInTheSatellite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("RigCombi.txt");
    ASSERT_TRUE(
        RigCombinationTable::save(path, {record("AO-07 A-mode"), record("RS-44 "), record("FO-29 ")}));
    // The quoted line: EditorWindows.RigCombinationRegistersTheChosenSatellitesWithOneSetUp.

    RigCombinationTable table;
    table.load(path);
    ASSERT_EQ(table.count(), 3);
    EXPECT_TRUE(table.problems().isEmpty());
    ASSERT_NE(table.find("RS-44 "), nullptr);
    EXPECT_EQ((*table.find("RS-44 "))[RigCombination::RigPort2], "/dev/ttyUSB1");
    EXPECT_EQ(table.find("RS-44"), nullptr);
}

TEST(RigCombinationTable, EmptyFileIsDeletedAndMissingFileKeepsTheTable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("RigCombi.txt");
    ASSERT_TRUE(RigCombinationTable::save(path, {record("None")}));
    RigCombinationTable table;
    table.load(path);
    EXPECT_EQ(table.count(), 1);

    QFile::remove(path);
    table.load(path);
    EXPECT_EQ(table.count(), 1);

    ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
    table.load(path);
    EXPECT_EQ(table.count(), 0);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(RigCombinationTable, ShortLineIsKeptPaddedAndReported)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("RigCombi.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"AO-07 B-mode\",\"IC9700\",\"COM3\"\r\n" +
            RigCombinationTable::formatLine(record("X")).toUtf8() + "\r\n");
    f.close();
    RigCombinationTable table;
    table.load(path);
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.records()[0][RigCombination::RigPort], "COM3");
    EXPECT_TRUE(table.records()[0][RigCombination::Lmf].isEmpty());
    EXPECT_EQ(table.records()[1][RigCombination::SatelliteLabel], "X");
    ASSERT_EQ(table.problems().size(), 1);
    EXPECT_TRUE(table.problems()[0].contains("line 1"));
}
