// The decisions of the settings window's editors: satellite editor, rig
// combination registration, offset backup, digital-mode program start.
#include "common/SatelliteTable.h"
#include "common/TextFile.h"
#include "rigctl/OffsetBackup.h"
#include "rigctl/RigCombinationRegistration.h"
#include "rigctl/SatelliteEditorRules.h"
#include "rigctl/WsjtStart.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace vm;
namespace se = vm::satelliteEditor;

namespace {

se::Row row(const QString &csv)
{
    se::Row r = csv.split(u',');
    r.resize(se::ColumnCount);
    return r;
}

QStringList names(const se::Grid &g)
{
    QStringList out;
    for (const se::Row &r : g)
        out << r.at(se::Name);
    return out;
}

} // namespace

TEST(SatelliteEditor, ValidationStopsAtTheFirstRefusedRowInRuleOrder)
{
    const se::Row ok = row("AO-07,432125,145925,50,145975");
    const struct {
        se::Row second;
        const char *messageStart; // nullptr: the grid saves
    } cases[] = {
        {row("IO-117,435310,435310,,,,,,,UU"), nullptr},
        {row("IO-117,435310,435310"), "UP Link と DOWN Link が同じバンド"},
        {row("RS-44,145935,435610,60,,,,,"), nullptr}, // empty beacon passes
        {row("RS-44,145935,435610,60,145000"), "Beacon周波数は"},
        {row(",145935"), "衛星名 または UP Link"},
        {row("RS-44,145935,abc"), "周波数の欄 (Down Link(KHz))"},
    };
    for (const auto &c : cases) {
        const auto refusal = se::validate({ok, c.second, row(",,,")});
        ASSERT_TRUE(refusal) << "the last row is all empty";
        if (!c.messageStart) {
            EXPECT_EQ(refusal->row, 2);
            continue;
        }
        EXPECT_EQ(refusal->row, 1) << c.messageStart;
        EXPECT_TRUE(refusal->message.startsWith(QString::fromUtf8(c.messageStart)))
            << refusal->message.toStdString();
    }
}

TEST(SatelliteEditor, RowMenuAndSort)
{
    const se::Grid start{row("A,3"), row("B,10"), row("C,2")};
    const struct {
        se::RowAction action;
        int row;
        QStringList names;
        int selected;
    } cases[] = {
        {se::RowAction::Delete, 2, {"A", "B"}, 1},
        {se::RowAction::InsertAbove, 0, {"", "A", "B", "C"}, 0},
        {se::RowAction::InsertBelow, 0, {"A", "", "B", "C"}, 1},
        {se::RowAction::CopyBelow, 1, {"A", "B", "B", "C"}, 2},
        {se::RowAction::MoveDown, 0, {"B", "A", "C"}, 1},
        {se::RowAction::MoveDown, 2, {"A", "B", "C"}, 2},
        {se::RowAction::Close, 1, {"A", "B", "C"}, 1},
    };
    for (const auto &c : cases) {
        se::Grid g = start;
        EXPECT_EQ(se::applyRowAction(g, c.row, c.action), c.selected) << int(c.action);
        EXPECT_EQ(names(g), c.names) << int(c.action);
    }
    se::Grid copied = start;
    se::applyRowAction(copied, 0, se::RowAction::CopyBelow);
    EXPECT_EQ(copied[1], copied[0]) << "all ten cells copied";

    se::Grid g = start;
    se::sortRows(g, se::UpLink, true);
    EXPECT_EQ(names(g), QStringList({"C", "A", "B"})) << "numbers compare as numbers";
    se::sortRows(g, se::Name, false);
    EXPECT_EQ(names(g), QStringList({"C", "B", "A"}));
}

TEST(SatelliteEditor, CellLimitsAndNameLists)
{
    // The name cell's limit and the alternating row colours:
    // EditorWindows.SatelliteEditorEditsChecksAndSavesTheTable.
    EXPECT_EQ(se::cleanCell(se::Name, "\"AO,07\""), "AO07");
    EXPECT_EQ(se::rowColour(0), se::rowColour(2));

    EXPECT_EQ(se::groupNames({"＠Linear", " AO-07 ", "", "RS-44", "＠FM", "SO-50"}),
              QStringList({"AO-07", "RS-44", "SO-50"}));
    const QString tle = "ISS (ZARYA)\n"
                        "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927\n"
                        "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537\n";
    EXPECT_EQ(se::tleNames(tle + tle), QStringList({"ISS (ZARYA)"}));
}

TEST(SatelliteEditor, SaveKeepsABackupAndLosesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("SATdata.txt");
    ASSERT_TRUE(SatelliteTable::writeDefault(path));
    SatelliteTable table;
    table.load(path);
    se::Grid g = se::fromTable(table);
    ASSERT_EQ(g.size(), 2);
    EXPECT_EQ(g[1][se::NonRev], "Y");

    // A refused grid leaves the file alone: EditorWindows.SatelliteEditorEditsChecksAndSavesTheTable.
    g.append(row("X,145900,435800,,,67.0"));
    g.last()[se::MltMode] = "A,B";
    ASSERT_TRUE(se::save(path, g, true).ok);
    EXPECT_EQ(TextFile::readLines(path + ".bak"), SatelliteTable::defaultLines());
    SatelliteTable again;
    EXPECT_EQ(again.load(path), 4);
    EXPECT_TRUE(again.problems().isEmpty());
    EXPECT_EQ(again.record(4).MLTmode, "A,B") << "a comma in a cell survives the round trip";
}

TEST(RigCombinationRegistration, RecordsCarryOneSetUpWithTheModelsSerialFlags)
{
    RigArrangement setUp;
    setUp.rig1 = {"TS2000", "/dev/ttyUSB0", "9600", "00"};
    setUp.rig2 = {"FT817", "/dev/ttyUSB1", "4800", "00"};
    setUp.pollTimeMs = 300;
    setUp.rigUsage = 3;
    setUp.lmf = "04";

    const QList<RigCombination> none = rigCombination::records({}, setUp);
    ASSERT_EQ(none.size(), 1);
    EXPECT_EQ(none[0][RigCombination::SatelliteLabel], "None");

    const QList<RigCombination> three = rigCombination::records({"AO-07 A-mode", "RS-44 ", "FO-29 "}, setUp);
    ASSERT_EQ(three.size(), 3);
    for (const RigCombination &r : three) {
        for (int f = RigCombination::RigType; f < RigCombination::FieldCount; ++f)
            EXPECT_EQ(r.fields[size_t(f)], three[0].fields[size_t(f)]) << f;
    }
    // The second rig's stop bits, the list of labels and the empty summary:
    // EditorWindows.RigCombinationRegistersTheChosenSatellitesWithOneSetUp.
    EXPECT_EQ(three[0][RigCombination::TextProtocol], "1") << "TS2000";

    const RigArrangement back = rigCombination::setUpOf(three[0]);
    EXPECT_EQ(back.rig2.port, setUp.rig2.port);
    EXPECT_EQ(back.pollTimeMs, 300);
    EXPECT_EQ(back.lmf, "04");
    EXPECT_TRUE(rigCombination::summary(three)[1].contains("4800bps"));
}

TEST(OffsetBackup, LabelsFileNamesAndEntries)
{
    const struct {
        int usage;
        const char *rig1;
        const char *rig2;
        const char *label;
    } labels[] = {{0, "IC9700", "FT817", "IC9700"}, {1, "IC9700", "None", "IC9700"},
                  {2, "IC9700", "FT817", "FT817"},  {3, "TS2000", "IC9700", "TS2000+IC9700"},
                  {4, "IC9700", "FT817", ""},       {0, "None", "FT817", ""}};
    for (const auto &l : labels) {
        RigArrangement a;
        a.rigUsage = l.usage;
        a.rig1.type = l.rig1;
        a.rig2.type = l.rig2;
        EXPECT_EQ(offsetBackup::rigLabel(a), l.label) << l.usage;
    }
    EXPECT_EQ(offsetBackup::fileName("TS2000+IC9700"), "TS2000+IC9700_ALL_Offset.dat");
    EXPECT_TRUE(offsetBackup::isBackupOf("/x/ic9700_all_offset.DAT", "IC9700"));
    EXPECT_FALSE(offsetBackup::isBackupOf("/x/TS2000+IC9700_ALL_Offset.dat", "IC9700"));

    const auto e = offsetBackup::entries({"AO-07A-mode_offset=120", "RS-44_offset=-40", "a=b=c_offset=1",
                                          "no separator", "MODEoffset=700", "FO-29_offset=abc"});
    ASSERT_EQ(e.size(), 2);
    EXPECT_EQ(e[1], qMakePair(QString("RS-44_offset"), QString("-40")));

    QTemporaryDir dir;
    const QString ini = dir.filePath("Velomira.ini");
    EXPECT_FALSE(offsetBackup::save(ini, dir.path(), "IC9700").ok);
    TextFile::writeLinesAtomic(ini, {"[SATinfo]", "MODEoffset=700"});
    EXPECT_FALSE(offsetBackup::save(ini, dir.path(), "IC9700").ok);
    TextFile::writeLinesAtomic(ini, {"[SATinfo]", "RS-44_offset=-40", "MODEoffset=700", "AO-07_offset=3"});
    const offsetBackup::Result saved = offsetBackup::save(ini, dir.path(), "IC9700");
    ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    EXPECT_EQ(TextFile::readLines(saved.path), QStringList({"RS-44_offset=-40", "AO-07_offset=3"}));
}

TEST(WsjtStart, ValueProgramAndLogFolder)
{
    const auto v = wsjtStart::split("C:\\WSJTX\\bin\\wsjtx.exe/SAT");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->path, "C:\\WSJTX\\bin\\wsjtx.exe");
    EXPECT_EQ(v->rigName, "SAT");
    EXPECT_EQ(wsjtStart::split("/usr/bin/jtdx/FO29")->path, "/usr/bin/jtdx");
    EXPECT_FALSE(wsjtStart::split(""));
    EXPECT_FALSE(wsjtStart::split("wsjtx"));

    EXPECT_EQ(wsjtStart::compose("/usr/bin/wsjtx", "A/B"), "/usr/bin/wsjtx/AB");
    EXPECT_EQ(wsjtStart::compose("", "SAT"), "");

    const struct {
        const char *path;
        wsjtStart::Program program;
    } programs[] = {{"/usr/bin/wsjtx", wsjtStart::Program::WsjtX},
                    {"C:\\JTDX\\JTDX.EXE", wsjtStart::Program::Jtdx},
                    {"/usr/bin/wsjtx.sh", wsjtStart::Program::Unknown}};
    for (const auto &p : programs)
        EXPECT_EQ(wsjtStart::programOf(p.path), p.program) << p.path;
    EXPECT_EQ(wsjtStart::logFolder(wsjtStart::Program::WsjtX, "FO29", "/home/u/.local/share"),
              "/home/u/.local/share/WSJT-X - FO29/");
    EXPECT_EQ(wsjtStart::logFolder(wsjtStart::Program::Unknown, "FO29", "/h"), "");
    EXPECT_EQ(wsjtStart::defaultProgram([](const QString &n) { return n == "jtdx" ? "/usr/bin/jtdx" : ""; }),
              "/usr/bin/jtdx");
}
