#include "PanelFixture.h"

#include "common/SettingKeys.h"

#include <QFile>

using namespace vm;
using namespace vm::test;

using PanelLifecycle = PanelFixture;

TEST_F(PanelLifecycle, LoadStartsTheControllerAndSendsTheFirstCommands)
{
    ASSERT_TRUE(TextFile::writeAtomic(path("Velomira_skd.dat"), "12:34/AO-07\n"));
    m_settings->setValue(keys::QqMode, "x");
    m_settings->setValue(keys::ModeComp, "1");
    m_core->setExtendedMode(true);
    m_core->load(4242, "/opt/velomira/tunavox");
    EXPECT_EQ(m_launcher.started, QStringList{"/opt/velomira/tunavox -R"});
    EXPECT_EQ(takeSent(), (QStringList{"RCMQSM1", "RCMMDC1", "RCMDOP3", "RCMSKD1"}));
    EXPECT_EQ(m_settings->value(keys::PanelMe), "4242");
    EXPECT_EQ(m_settings->value(keys::PanelVersion), "001");
    EXPECT_EQ(m_settings->value(keys::RecAuto), "No");
    EXPECT_TRUE(control("goMMV").visible);
    EXPECT_TRUE(control("Check4").checked);
    EXPECT_TRUE(control("Option1_2").checked); // SSB: TX LSB
    EXPECT_TRUE(control("Option2_1").checked); //      RX USB
    EXPECT_FALSE(control("Command10").visible);

    // A controller that cannot start is reported.
    m_launcher.ok = false;
    makeCore();
    m_core->load(1, "/nowhere/tunavox");
    ASSERT_FALSE(m_prompter.shown.isEmpty());
    EXPECT_TRUE(m_prompter.shown.first().contains("/nowhere/tunavox"));
}

TEST_F(PanelLifecycle, LoadReportsTheFolderOfTheFirstTrackingWindowFound)
{
    QStringList asked;
    m_core->setProgramFolderFinder([&](const QString &title) -> std::optional<QString> {
        asked << title;
        if (title == u"Kepral32(SGP4)")
            return "/home/op/.wine/drive_c/Kepral32";
        if (title == u"Kepral32")
            return "/elsewhere";
        return std::nullopt;
    });
    m_core->load(1, QString());
    EXPECT_EQ(asked, (QStringList{"Kepral32(SGP8)", "Kepral32(SGP4)"}));
    EXPECT_TRUE(takeSent().contains("RCMK32/home/op/.wine/drive_c/Kepral32"));
    rig("IC9700:/dev/ttyUSB0:1:None:None:0:0");
    EXPECT_TRUE(takeSent().isEmpty()); // delivered once is enough
    // No tracking window, no folder: the exact list of LoadStartsTheControllerAndSendsTheFirstCommands.
}

TEST_F(PanelLifecycle, WhatTheLoadCouldNotTellALateControllerGoesWithItsFirstRigReport)
{
    m_settings->setValue(keys::ModeComp, "1");
    m_channel.titles.remove(PanelCore::controllerTitle());
    makeCore();
    m_core->setProgramFolderFinder([](const QString &title) {
        return title == u"Kepral32" ? std::optional<QString>(QStringLiteral("/opt/k32")) : std::nullopt;
    });
    m_core->load(1, QString());
    takeSent();
    // The operator changes the quick-QSY side before the controller is up: that one is lost, as
    // every record to a missing title; the load's value is not replayed over a newer one.
    m_channel.titles.insert(PanelCore::controllerTitle());
    m_core->toggleQuickQsySide();
    EXPECT_EQ(takeSent(), QStringList{"RCMQSM0"});
    rig("IC9700:/dev/ttyUSB0:1:None:None:0:0");
    EXPECT_EQ(takeSent(), (QStringList{"RCMMDC1", "RCMSKD0", "RCMK32/opt/k32"}));
    rig("IC9700:/dev/ttyUSB0:1:None:None:0:0");
    EXPECT_TRUE(takeSent().isEmpty());
}

TEST_F(PanelLifecycle, SettingsLoaderAppliesDefaultsAndStoredValues)
{
    for (const auto &[key, value] : {std::pair{keys::CalcType, "3"}, {keys::UseDde, "0"},
                                     {keys::StartUpMode, "UC"}, {keys::SplitF, "abc"}, {keys::VlrcTop, "1200"},
                                     {keys::VlrcLeft, "300"}})
        m_settings->setValue(key, value);
    for (const auto &[key, value] : {std::pair{"CallCnt", "1"}, {"Call-0", "JA1ABC"}, {"Call-1", "JH1XYZ"}})
        m_settings->file().set("CallsLast50", key, value);
    makeCore();
    EXPECT_EQ(control("Frame1").text, "Kepral99 Information ( レジストリ方式 )");
    EXPECT_TRUE(control("Option1_0").checked);
    EXPECT_TRUE(control("Option2_1").checked);
    EXPECT_FALSE(control("Option1_2").checked);
    EXPECT_EQ(control("HScroll3").value, 0);
    EXPECT_EQ(control("Label24").text, "0Hz");
    EXPECT_EQ(control("List5").items, (QStringList{"JA1ABC", "JH1XYZ"}));
    EXPECT_EQ(m_core->windowTop(), 1200);
    EXPECT_EQ(m_core->windowLeft(), 300);
}

TEST_F(PanelLifecycle, CloseRefusedWhileAControllerWindowOrMessageIsOpen)
{
    m_settings->setValue(keys::Sro, "1");
    EXPECT_FALSE(m_core->requestClose());
    EXPECT_EQ(m_prompter.shown.last(), "衛星登録のフォームが開いていますので、先に閉じて下さい");
    m_settings->setValue(keys::Sro, "0");
    m_settings->setValue(keys::Cfo, "1");
    m_channel.titles.remove(PanelCore::controllerTitle());
    EXPECT_TRUE(m_core->requestClose()); // no controller window: the flag is stale
    m_settings->setValue(keys::Cfo, "1");
    m_channel.titles.insert(PanelCore::controllerTitle());
    EXPECT_FALSE(m_core->requestClose());
    EXPECT_EQ(m_prompter.shown.last(), "環境設定のフォームが開いていますので、先に閉じて下さい");
    // The unload waits while the controller shows a message.
    m_channel.titles.insert("Velomira_Message");
    EXPECT_FALSE(m_core->unload());
    EXPECT_FALSE(m_core->isClosing());
}

TEST_F(PanelLifecycle, CloseLiftsAPauseAndSendsTheChangedCwSpeedAsTheKeyingRigTakesIt)
{
    // Rig report, then what the close sends for 21 wpm: Icom rigs take a
    // keyer level (and only while a port is open), Kenwood words per minute.
    const struct {
        const char *rig;
        const char *payload;
    } cases[] = {
        {"IC9700:COM3:1:None:None:0:0", "0091"},  {"IC910:COM3:1:None:None:0:0", "0071"},
        {"TS2000:COM3:1:None:None:0:0", "21"},    {"None:None:0:IC7100:COM4:1:2", "0071"},
        {"IC9700:COM3:0:None:None:0:0", nullptr}, {"FT817:COM3:1:None:None:0:0", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rig);
        m_settings->setValue(keys::CwSpeed, QStringLiteral("20"));
        makeCore();
        takeUp(QStringLiteral("AO-07"));
        rig(QString::fromLatin1(c.rig));
        m_core->dopplerButton(3);
        m_core->dopplerButton(3);
        ASSERT_EQ(m_core->pauseState(), 2);
        report(QStringLiteral("OPPTXMCW"));
        m_core->handleKey(Qt::Key_H, KeyTable::Ctrl);
        takeSent();
        EXPECT_TRUE(m_core->requestClose());
        QStringList expected{QStringLiteral("RCMPUS1")};
        if (c.payload)
            expected << QStringLiteral("RCMCWS") + QString::fromLatin1(c.payload);
        EXPECT_EQ(takeSent(), expected);
        EXPECT_EQ(m_settings->value(keys::CwSpeed), QStringLiteral("21"));
        EXPECT_EQ(m_settings->value(keys::Cfo), QStringLiteral("0"));
    }
    // The speed bar stops at 40.
    m_settings->setValue(keys::CwSpeed, QStringLiteral("40"));
    makeCore();
    report(QStringLiteral("OPPTXMCW"));
    m_core->handleKey(Qt::Key_H, KeyTable::Ctrl);
    EXPECT_EQ(control(QStringLiteral("HScroll2")).value, 40);
}

TEST_F(PanelLifecycle, UnloadEndsTheControllerAndSavesTheState)
{
    m_channel.titles.insert(PanelCore::waterfallTitle());
    ASSERT_TRUE(TextFile::writeAtomic(path("AMSAT_TLE.txt"), "x"));
    takeUp("AO-07");
    m_core->handleKey(Qt::Key_PageUp, 0);
    m_core->toggleQuickQsySide();
    m_core->setWindowPosition(-30, 100); // dragged above the screen: not saved
    QStringList calls;
    for (int i = 0; i < 60; ++i)
        calls.append(QStringLiteral("JA%1").arg(i));
    m_core->view().setItems(Control::RecentCalls, calls);
    takeSent();
    EXPECT_TRUE(m_core->requestClose());
    EXPECT_TRUE(m_core->unload());
    EXPECT_EQ(takeSent(), QStringList{"RCMEND"});
    EXPECT_EQ(m_channel.closePosted, QStringList{PanelCore::waterfallTitle()});
    EXPECT_TRUE(m_core->isClosing());
    EXPECT_EQ(m_settings->file().value("SATinfo", "AO-07B-mode_offset"), "100");
    EXPECT_EQ(m_settings->value(keys::QqMode), "0");
    EXPECT_FALSE(m_settings->contains(keys::VlrcTop));
    EXPECT_EQ(m_settings->value(keys::CallCnt), "49");
    EXPECT_EQ(m_settings->file().value("CallsLast50", "Call-49"), "JA49");
    EXPECT_FALSE(m_settings->file().value("CallsLast50", "Call-50").has_value());
    EXPECT_FALSE(QFile::exists(path("AMSAT_TLE.txt")));
    // Nothing goes out any more.
    m_core->handleKey(Qt::Key_PageUp, 0);
    EXPECT_TRUE(takeSent().isEmpty());
}

TEST_F(PanelLifecycle, UnloadSkipsFmOffsets)
{
    m_channel.titles.clear();
    takeUp("SO-50");
    m_core->setWindowPosition(500, 600);
    EXPECT_TRUE(m_core->unload());
    EXPECT_TRUE(m_settings->file().keys("SATinfo").filter("_offset").isEmpty());
    EXPECT_EQ(m_settings->value(keys::VlrcTop), "500");
    EXPECT_FALSE(m_settings->contains(keys::CallCnt)); // empty list: nothing written
}

TEST_F(PanelLifecycle, ControllerSettingsWindowAndTheReportOfItsSave)
{
    takeUp("AO-07");
    m_core->handleKey(Qt::Key_PageUp, 0);
    takeSent();
    m_core->openControllerSettings();
    const QStringList sent = takeSent();
    EXPECT_EQ(sent.last(), "RCMSHW");
    EXPECT_TRUE(sent.contains("RCMDOP3")); // mode 0 → button 3
    EXPECT_TRUE(m_core->settingsWindowOpen());
    EXPECT_FALSE(control("SetRIG").enabled);
    EXPECT_EQ(m_settings->value(keys::Cfo), "1");
    EXPECT_EQ(m_settings->file().value("SATinfo", "AO-07B-mode_offset"), "100");
    // Satellite changes wait until the controller is ready again.
    report("OPPSANRS-44");
    EXPECT_EQ(m_core->currentRecord(), 2);
    report("OPPKAN");
    EXPECT_FALSE(m_core->settingsWindowOpen());
    EXPECT_TRUE(control("SetRIG").enabled);

    // The report of saved settings reloads the offset and the captions.
    takeUp("AO-07");
    m_settings->file().set("SATinfo", "AO-07B-mode_offset", "-60");
    m_settings->setValue(keys::CalcType, "2");
    report("OPPAGN");
    EXPECT_EQ(m_core->offset(), -60);
    EXPECT_EQ(takeSent(), QStringList{"RCMOFF-60"});
    EXPECT_EQ(control("Frame1").text, "Ornik Information");
}

TEST_F(PanelLifecycle, TxLogFailureIsTold)
{
    ASSERT_TRUE(m_core->writeTxLog("QSO JA1ABC"));
    ASSERT_TRUE(TextFile::writeAtomic(path("blocker"), "x"));
    m_settings->setValue(keys::LogFol, path("blocker/logs"));
    EXPECT_FALSE(m_core->writeTxLog("QSO JA1ABC"));
    EXPECT_TRUE(m_prompter.shown.last().startsWith("LOGs "));
}
