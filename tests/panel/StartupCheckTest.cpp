#include "panel/StartupCheck.h"
#include "PanelFakes.h"
#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;
using Action = StartupCheck::Action;

TEST(StartupCheck, SecondPanelEndsOrClosesTheFirstWithE)
{
    StartupCheck::Facts f;
    f.panelRunning = true;
    f.panelIdKnown = true;
    f.controllerPresent = true;
    EXPECT_EQ(StartupCheck::decide(f), Action::End);
    f.commandLine = "velomira /e";
    EXPECT_EQ(StartupCheck::decide(f), Action::CloseOtherAndEnd);
    f.panelIdKnown = false; // no [Velomira] ME to find the first one by
    EXPECT_EQ(StartupCheck::decide(f), Action::End);

    // The controller missing or still running.
    StartupCheck::Facts g;
    g.commandLine = "/E";
    EXPECT_EQ(StartupCheck::decide(g), Action::MissingController);
    g.controllerPresent = true;
    EXPECT_EQ(StartupCheck::decide(g), Action::Continue); // "/E" alone is an ordinary start
    g.controllerRunning = true;
    EXPECT_EQ(StartupCheck::decide(g), Action::RestartController);
}

TEST(StartupCheck, ExtendedModeOnAnyLetterP)
{
    EXPECT_TRUE(StartupCheck::extendedMode("/opt/app/velomira"));
    EXPECT_TRUE(StartupCheck::extendedMode("velomira P"));
    EXPECT_FALSE(StartupCheck::extendedMode("velomira /E"));
}

TEST(StartupCheck, FirstRunWritesTheDefaultTableAndTells)
{
    QTemporaryDir dir;
    Settings settings(dir.filePath("Velomira.ini"));
    SatelliteTable table;
    test::FakePrompter prompter;
    EXPECT_EQ(StartupCheck::prepareData(dir.path(), settings, table, prompter), 3);
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown.first(),
              QStringLiteral(
                  "メニュー「RIG設定」から衛星の変更・追加が可能です\n初期の衛星データは　AO-07　のみです"));
    EXPECT_EQ(TextFile::readLines(dir.filePath("SATdata.txt")).value_or(QStringList()),
              SatelliteTable::defaultLines());
    EXPECT_EQ(settings.value(keys::MigrationLevel), "7");

    // The second start finds everything in place and says nothing; it drops
    // the keys of satellites no longer in the table.
    settings.file().set("SATinfo", "RS-44_offset", "30");
    settings.file().set("SATinfo", "AO-07B-mode_offset", "40");
    SatelliteTable again;
    EXPECT_EQ(StartupCheck::prepareData(dir.path(), settings, again, prompter), 3);
    EXPECT_EQ(prompter.shown.size(), 1);
    EXPECT_FALSE(settings.file().value("SATinfo", "RS-44_offset").has_value());
    EXPECT_EQ(settings.file().value("SATinfo", "AO-07B-mode_offset"), "40");
}
