#include "common/SatelliteTable.h"

#include "common/ProfileFile.h"
#include "common/TextFile.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SatelliteTableTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.filePath("SATdata.txt"); }
    void writeTable(const QString &text)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }
    QStringList fileLines() const { return TextFile::readLines(path()).value_or(QStringList{}); }
    using TextFile = vm::TextFile;

    QTemporaryDir m_dir;
};

// ---- Default table and derivation -----------------------------------------

TEST_F(SatelliteTableTest, DefaultTableDerivesTheAo07Constants)
{
    ASSERT_TRUE(vm::SatelliteTable::writeDefault(path()));
    EXPECT_EQ(fileLines(), vm::SatelliteTable::defaultLines());

    vm::SatelliteTable table;
    ASSERT_EQ(table.load(path()), 3);
    EXPECT_TRUE(table.problems().isEmpty()) << table.warnings().join(u'\n').toStdString();
    ASSERT_TRUE(table.derive());

    const vm::SatelliteRecord &b = table.record(2);
    EXPECT_EQ(b.MLTmode, u"B-mode");
    EXPECT_DOUBLE_EQ(b.TransposeHz, 578100000.0);
    EXPECT_EQ(b.NonRev, u"");
    EXPECT_EQ(b.CenterText, u"432150");
    EXPECT_EQ(b.HasTone, 0);
    // Inverting: a downlink at the beacon pairs with the lower uplink edge.
    EXPECT_DOUBLE_EQ(b.TransposeHz - 145975000.0, 432125000.0);

    const vm::SatelliteRecord &a = table.record(3);
    EXPECT_EQ(a.NonRev, u"TXH");
    EXPECT_DOUBLE_EQ(a.TransposeHz, 116450000.0);
    EXPECT_EQ(a.CenterText, u"145900");
    EXPECT_EQ(a.RITfreq, u"0");
}

TEST_F(SatelliteTableTest, DerivationOfNonInvertingFmAndDefaultWidth)
{
    writeTable(vm::SatelliteTable::headerLine() + u'\n' +
               QStringLiteral("RS-44,145935,435610,,,,,,Y,\n"      // uplink below downlink
                              "SO-50,145850,436795,,,67.0,,,,\n"   // FM, inverting formula
                              "ISS,145990,437800,,,67,,,Y,\n"      // FM, non-inverting
                              "FO-29,145900,435900,,435795,,,,,\n" // empty width: 100 kHz
                              "HALF,145900.5,435900,41,,,,,,\n"));
    vm::SatelliteTable table;
    ASSERT_EQ(table.load(path()), 6);
    ASSERT_TRUE(table.derive());

    EXPECT_EQ(table.record(2).NonRev, u"RXH");
    EXPECT_DOUBLE_EQ(table.record(2).TransposeHz, (435610.0 - 145935.0) * 1000.0);

    EXPECT_EQ(table.record(3).HasTone, 1);
    EXPECT_EQ(table.record(3).CenterText, u"145850");
    EXPECT_DOUBLE_EQ(table.record(3).TransposeHz, (145850.0 + 436795.0) * 1000.0);

    EXPECT_EQ(table.record(4).HasTone, 1);
    EXPECT_EQ(table.record(4).NonRev, u"RXH");
    EXPECT_DOUBLE_EQ(table.record(4).TransposeHz, (437800.0 - 145990.0) * 1000.0);

    EXPECT_DOUBLE_EQ(table.record(5).TransposeHz, (145900.0 + 435900.0 + 100.0) * 1000.0);
    EXPECT_EQ(table.record(5).CenterText, u"145950");

    // Width 41 rounds to 41, halved with the fraction dropped: 20.
    EXPECT_EQ(table.record(6).CenterText, u"145920.5");
}

TEST_F(SatelliteTableTest, DerivingTwiceGivesTheSameValues)
{
    ASSERT_TRUE(vm::SatelliteTable::writeDefault(path()));
    vm::SatelliteTable table;
    table.load(path());
    table.derive();
    const vm::SatelliteRecord first = table.record(3);
    table.derive(); // as after an editor save without a reload
    EXPECT_EQ(table.record(3).NonRev, first.NonRev);
    EXPECT_DOUBLE_EQ(table.record(3).TransposeHz, first.TransposeHz);
}

TEST_F(SatelliteTableTest, RitFrequencyComesFromTheSettingsFile)
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
}

// ---- Reading rule -----------------------------------------------------------

TEST_F(SatelliteTableTest, ShortAndLongLinesStayOneRecordEachAndAreReported)
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

TEST_F(SatelliteTableTest, EmptyNameOrFrequencyMakesARecordUnusable)
{
    writeTable(vm::SatelliteTable::headerLine() + u'\n' +
               QStringLiteral(",145900,435900,,,,,,,A-mode\n"
                              "X,,,,,,,,,\n"
                              "OK,145900,435900,,,,,,,A-mode\n"));
    vm::SatelliteTable table;
    ASSERT_EQ(table.load(path()), 4);
    table.derive();
    EXPECT_EQ(table.record(2).EmptyCount, 1);
    EXPECT_EQ(table.record(3).EmptyCount, 2);
    EXPECT_FALSE(table.record(2).isUsable());
    EXPECT_DOUBLE_EQ(table.record(2).TransposeHz, 0.0);
    EXPECT_TRUE(table.record(2).CenterText.isEmpty());
    EXPECT_EQ(table.find("OK"), 4);
    // Unusable rows keep their place but are not offered as modes.
    ASSERT_EQ(table.multiModeIndex().size(), 1);
    EXPECT_EQ(table.multiModeIndex()[0].Record, 4);
}

TEST_F(SatelliteTableTest, NonNumericFrequenciesMakeARecordUnusableAndAreReported)
{
    writeTable(vm::SatelliteTable::headerLine() + u'\n' +
               QStringLiteral("BAD1,145.9MHz,435900,,,,,,,\n"
                              "BAD2,145900,435900,wide,,,,,,\n"
                              "GOOD,145900,435900,,,,,,,\n"));
    vm::SatelliteTable table;
    ASSERT_EQ(table.load(path()), 4);
    ASSERT_TRUE(table.derive());
    EXPECT_FALSE(table.record(2).isUsable());
    EXPECT_FALSE(table.record(3).isUsable());
    EXPECT_TRUE(table.record(4).isUsable());
    EXPECT_DOUBLE_EQ(table.record(2).TransposeHz, 0.0);
    EXPECT_EQ(table.find("BAD1"), 0);
    ASSERT_EQ(table.problems().size(), 2);
    EXPECT_EQ(table.problems()[0].kind, vm::TableProblem::NotANumber);
    EXPECT_EQ(table.problems()[0].line, 2);
    EXPECT_TRUE(table.problems()[0].message.contains(u"145.9MHz"));
    EXPECT_EQ(table.problems()[1].line, 3);
}

TEST_F(SatelliteTableTest, Io117IsAlwaysSameBand)
{
    writeTable(vm::SatelliteTable::headerLine() + u'\n' +
               QStringLiteral("IO-117,435310,435310,,,,,,,\n"
                              "IO-117,435310,435310,,,,,,,B-mode\n"));
    vm::SatelliteTable table;
    table.load(path());
    EXPECT_EQ(table.record(2).MLTmode, u"UU");
    EXPECT_EQ(table.record(3).MLTmode, u"UU");
}

TEST_F(SatelliteTableTest, MultiModeIndexInFileOrder)
{
    ASSERT_TRUE(vm::SatelliteTable::writeDefault(path()));
    vm::SatelliteTable table;
    table.load(path());
    const QList<vm::MultiModeEntry> modes = table.modesOf("AO-07");
    ASSERT_EQ(modes.size(), 2);
    EXPECT_EQ(modes[0].Record, 2);
    EXPECT_EQ(modes[0].MLTmode, u"B-mode");
    EXPECT_EQ(modes[1].Record, 3);
    EXPECT_EQ(modes[1].MLTmode, u"A-mode");
    EXPECT_EQ(table.find("AO-07", "A-mode"), 3);
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

TEST_F(SatelliteTableTest, ShiftJisTableIsRead)
{
    QStringEncoder sjis("Shift_JIS");
    const QByteArray bytes =
        sjis.encode(vm::SatelliteTable::headerLine() + "\r\nふじ,145900,435900,,,,,,,\r\n");
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    vm::SatelliteTable table;
    ASSERT_EQ(table.load(path()), 2);
    EXPECT_EQ(table.record(1).Name, u"衛 星 名");
    EXPECT_EQ(table.record(2).Name, u"ふじ");
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
}

TEST_F(SatelliteTableTest, TenColumnTableIsNotTouched)
{
    ASSERT_TRUE(vm::SatelliteTable::writeDefault(path()));
    const QStringList before = fileLines();
    EXPECT_EQ(vm::SatelliteTable::upgrade(path()), vm::SatelliteTable::UpgradeResult::NotNeeded);
    EXPECT_EQ(fileLines(), before);
    EXPECT_EQ(vm::SatelliteTable::upgrade(m_dir.filePath("none.txt")),
              vm::SatelliteTable::UpgradeResult::Failed);
}

} // namespace
