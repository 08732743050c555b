#include "common/SatelliteTable.h"

#include "TestPaths.h"
#include "common/ProfileFile.h"
#include "common/TextFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SatelliteTableTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.filePath("SATdata.txt"); }
    void writeTable(const QString &text) { ASSERT_TRUE(vm::test::writeFile(path(), text.toUtf8())); }
    QStringList fileLines() const { return TextFile::readLines(path()).value_or(QStringList{}); }
    using TextFile = vm::TextFile;

    QTemporaryDir m_dir;
};

// ---- Default table and derivation -----------------------------------------

TEST_F(SatelliteTableTest, DerivationPerRecordAndAgainAfterAnEditorSave)
{
    ASSERT_TRUE(vm::SatelliteTable::writeDefault(path()));
    EXPECT_EQ(fileLines(), vm::SatelliteTable::defaultLines());
    writeTable(vm::SatelliteTable::defaultLines().join(u'\n') + u'\n' +
               QStringLiteral("RS-44,145935,435610,,,,,,Y,\n"      // uplink below downlink
                              "SO-50,145850,436795,,,67.0,,,,\n"   // FM, inverting formula
                              "ISS,145990,437800,,,67,,,Y,\n"      // FM, non-inverting
                              "FO-29,145900,435900,,435795,,,,,\n" // empty width: 100 kHz
                              "HALF,145900.5,435900,41,,,,,,\n")); // width 41 halved: 20
    struct Case { int record; const char *nonRev; double transposeKHz; const char *centre; int hasTone; };
    const Case cases[] = {
        {2, "", 432125.0 + 145925.0 + 50.0, "432150", 0}, // AO-07 B-mode
        {3, "TXH", 145850.0 - 29400.0, "145900", 0},      // AO-07 A-mode
        {4, "RXH", 435610.0 - 145935.0, "145985", 0},
        {5, "", 145850.0 + 436795.0, "145850", 1},
        {6, "RXH", 437800.0 - 145990.0, "145990", 1},
        {7, "", 145900.0 + 435900.0 + 100.0, "145950", 0},
        {8, "", 145900.5 + 435900.0 + 41.0, "145920.5", 0},
    };
    vm::SatelliteTable table;
    ASSERT_EQ(table.load(path()), 8);
    EXPECT_TRUE(table.problems().isEmpty()) << table.warnings().join(u'\n').toStdString();
    for (int pass = 0; pass < 2; ++pass) { // derived twice, as after an editor save without a reload
        ASSERT_TRUE(table.derive());
        for (const Case &c : cases) {
            const vm::SatelliteRecord &r = table.record(c.record);
            EXPECT_EQ(r.NonRev, QString::fromLatin1(c.nonRev)) << c.record;
            EXPECT_DOUBLE_EQ(r.TransposeHz, c.transposeKHz * 1000.0) << c.record;
            EXPECT_EQ(r.CenterText, QString::fromLatin1(c.centre)) << c.record;
            EXPECT_EQ(r.HasTone, c.hasTone) << c.record;
        }
    }
    EXPECT_EQ(table.record(3).RITfreq, u"0");
}

TEST_F(SatelliteTableTest, RitFrequencyFromTheSettingsPerMode)
{
    ASSERT_TRUE(vm::SatelliteTable::writeDefault(path()));
    vm::ProfileFile settings(m_dir.filePath("Velomira.ini"));
    ASSERT_TRUE(settings.set("SATinfo", "AO-07A-mode_RITfreq", "-120"));
    ASSERT_TRUE(settings.set("SATinfo", "AO-07_RITfreq", "999"));

    vm::SatelliteTable table;
    table.load(path());
    table.derive(&settings);
    EXPECT_EQ(table.record(2).RITfreq, u"0");
    EXPECT_EQ(table.record(3).RITfreq, u"-120");
    // The modes in file order: PanelReceiver.MultiModeListAndUndefinedSatellite.
}

// ---- Reading rule -----------------------------------------------------------

TEST_F(SatelliteTableTest, ShortAndLongLinesStayOneRecordEachAndAreReportedAndIo117IsSameBand)
{
    writeTable(vm::SatelliteTable::headerLine() + u'\n' +
               QStringLiteral("SHORT,145900,435900\n"
                              "LONG,145900,435900,50,,,,,,A-mode,extra,items\n"
                              "AO-07,432125,145925,50,145975,,,,,B-mode\n"));
    vm::SatelliteTable table;
    ASSERT_EQ(table.load(path()), 4);

    EXPECT_EQ(table.record(2).Name, u"SHORT");
    EXPECT_EQ(table.record(2).Width, u"");
    EXPECT_EQ(table.record(2).MLTmode, u"");
    EXPECT_TRUE(table.record(2).isUsable());
    EXPECT_EQ(table.record(3).MLTmode, u"A-mode");
    // The line after the bad ones is read as it stands.
    EXPECT_EQ(table.record(4).Name, u"AO-07");
    EXPECT_EQ(table.record(4).MLTmode, u"B-mode");

    ASSERT_EQ(table.problems().size(), 2);
    EXPECT_EQ(table.problems()[0].kind, vm::TableProblem::ItemCount);
    EXPECT_EQ(table.problems()[0].line, 2);
    EXPECT_EQ(table.problems()[1].line, 3);
    EXPECT_TRUE(table.warnings()[0].contains(u"2行目"));

    // IO-117 is always same band.
    writeTable(vm::SatelliteTable::headerLine() + u'\n' +
               QStringLiteral("IO-117,435310,435310,,,,,,,\n"
                              "IO-117,435310,435310,,,,,,,B-mode\n"));
    table.load(path());
    EXPECT_EQ(table.record(2).MLTmode, u"UU");
    EXPECT_EQ(table.record(3).MLTmode, u"UU");
}

TEST_F(SatelliteTableTest, QuotesBlanksCrLfAndBlankLines)
{
    writeTable(vm::SatelliteTable::headerLine() +
               "\r\n\r\n  \"AO-07, old\" , 432125,145925,50,145975,,,,,\"B-mode\"\r\n");
    vm::SatelliteTable table;
    ASSERT_EQ(table.load(path()), 2);
    EXPECT_EQ(table.record(2).Name, u"AO-07, old");
    EXPECT_EQ(table.record(2).UpLink, u"432125");
    EXPECT_EQ(table.record(2).MLTmode, u"B-mode");
    EXPECT_EQ(table.record(2).LineNumber, 3);
    EXPECT_TRUE(table.problems().isEmpty());
}

TEST_F(SatelliteTableTest, EmptyOrNonNumericFrequenciesMakeARecordUnusable)
{
    writeTable(vm::SatelliteTable::headerLine() + u'\n' +
               QStringLiteral(",145900,435900,,,,,,,A-mode\n"
                              "X,,,,,,,,,\n"
                              "BAD1,145.9MHz,435900,,,,,,,\n"
                              "BAD2,145900,435900,wide,,,,,,\n"
                              "OK,145900,435900,,,,,,,A-mode\n"));
    vm::SatelliteTable table;
    ASSERT_EQ(table.load(path()), 6);
    ASSERT_TRUE(table.derive());
    EXPECT_EQ(table.record(2).EmptyCount, 1);
    EXPECT_EQ(table.record(3).EmptyCount, 2);
    for (int record = 2; record <= 5; ++record)
        EXPECT_FALSE(table.record(record).isUsable()) << record;
    EXPECT_TRUE(table.record(6).isUsable());
    EXPECT_DOUBLE_EQ(table.record(2).TransposeHz, 0.0);
    EXPECT_DOUBLE_EQ(table.record(4).TransposeHz, 0.0);
    EXPECT_TRUE(table.record(2).CenterText.isEmpty());
    EXPECT_EQ(table.find("OK"), 6);
    EXPECT_EQ(table.find("BAD1"), 0);
    // Unusable rows keep their place but are not offered as modes.
    ASSERT_EQ(table.multiModeIndex().size(), 1);
    EXPECT_EQ(table.multiModeIndex()[0].Record, 6);
    // Only the numbers that are not numbers are reported, with their line.
    ASSERT_EQ(table.problems().size(), 2);
    EXPECT_EQ(table.problems()[0].kind, vm::TableProblem::NotANumber);
    EXPECT_EQ(table.problems()[0].line, 4);
    EXPECT_TRUE(table.problems()[0].message.contains(u"145.9MHz"));
    EXPECT_EQ(table.problems()[1].line, 5);
}

TEST_F(SatelliteTableTest, TablesWithoutSatellitesDeriveNothing)
{
    writeTable(QString());
    vm::SatelliteTable table;
    EXPECT_EQ(table.load(path()), 0);
    EXPECT_FALSE(table.derive());

    writeTable(vm::SatelliteTable::headerLine() + u'\n');
    EXPECT_EQ(table.load(path()), 1);
    EXPECT_FALSE(table.derive());
}

TEST_F(SatelliteTableTest, SaveWritesTenItemsAndReloadsTheSame)
{
    writeTable(vm::SatelliteTable::headerLine() + u'\n' +
               QStringLiteral("AO-07,145850,29400,100,29502,,,,Y,A-mode\n"
                              "\"A,B\",145900,435900,,,,,,,\n"));
    vm::SatelliteTable table;
    table.load(path());
    table.derive();
    ASSERT_TRUE(table.save(path()));
    const QStringList lines = fileLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], vm::SatelliteTable::headerLine());
    EXPECT_EQ(lines[1], u"AO-07,145850,29400,100,29502,,,,Y,A-mode");

    vm::SatelliteTable again;
    ASSERT_EQ(again.load(path()), 3);
    EXPECT_TRUE(again.problems().isEmpty());
    EXPECT_EQ(again.record(3).Name, u"A,B");
}

// ---- Upgrade from nine columns -------------------------------------------

TEST_F(SatelliteTableTest, NineColumnTableWithoutAo07GainsTheDefaultRows)
{
    writeTable(QStringLiteral("衛 星 名,UP Link(KHz),Down Link(KHz),Width(KHz),Beacon(KHz),Tone(Hz),"
                              "TX TRV(KHz),RX TRV(KHz),NonRev\r\n"
                              "FO-29,145900,435900,100,435795,,,,\r\n"
                              "NEW,145900,435900,100,,,,,,X-mode\r\n"));
    EXPECT_EQ(vm::SatelliteTable::upgrade(path()), vm::SatelliteTable::UpgradeResult::Upgraded);
    const QStringList lines = fileLines();
    const QStringList defaults = vm::SatelliteTable::defaultLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], vm::SatelliteTable::headerLine());
    EXPECT_EQ(lines[1], defaults[1]);
    EXPECT_EQ(lines[2], defaults[2]);
    EXPECT_EQ(lines[3], u"FO-29,145900,435900,100,435795,,,,,");
    EXPECT_EQ(lines[4], u"NEW,145900,435900,100,,,,,,X-mode");

    vm::SatelliteTable table;
    EXPECT_EQ(table.load(path()), 5);
    EXPECT_TRUE(table.problems().isEmpty());
}

TEST_F(SatelliteTableTest, NineColumnTableWithAo07KeepsItAndGainsNothing)
{
    writeTable(QStringLiteral("Name,Up,Down,Width,Beacon,Tone,TXTRV,RXTRV,NonRev\n"
                              "AO-07,432125,145925,50,145975,,,,\n"));
    EXPECT_EQ(vm::SatelliteTable::upgrade(path()), vm::SatelliteTable::UpgradeResult::Upgraded);
    EXPECT_EQ(fileLines(), (QStringList{"Name,Up,Down,Width,Beacon,Tone,TXTRV,RXTRV,NonRev,MLTmode",
                                        "AO-07,432125,145925,50,145975,,,,,"}));

    // A ten-column table is not touched; a missing one cannot be upgraded.
    ASSERT_TRUE(vm::SatelliteTable::writeDefault(path()));
    const QStringList before = fileLines();
    EXPECT_EQ(vm::SatelliteTable::upgrade(path()), vm::SatelliteTable::UpgradeResult::NotNeeded);
    EXPECT_EQ(fileLines(), before);
    EXPECT_EQ(vm::SatelliteTable::upgrade(m_dir.filePath("none.txt")),
              vm::SatelliteTable::UpgradeResult::Failed);
}

} // namespace
