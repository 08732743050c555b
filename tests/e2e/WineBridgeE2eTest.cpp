// vmbridge.exe under Wine against stand-ins of the operator's Windows programs
// (a DDE tracking program, a "TThwin" logging window): tunavox tracks the DDE
// server through the bridge, and a logged contact arrives in the logging
// window field by field in Shift_JIS when it is logged on the panel (its core
// and window in this process, with the real controller beside it). One Wine
// prefix and one X display (Xvfb unless DISPLAY is set) serve every test of
// this program; the tests skip themselves, saying why, without wine, Xvfb or
// the cross-compiled exes.

#include "../panel/StationPanel.h"
#include "PanelEndpoint.h"
#include "QtPrinters.h"
#include "TestPaths.h"
#include "VirtualDisplay.h"
#include "common/Clock.h"
#include "common/SettingKeys.h"
#include "common/TextFile.h"
#include "logbook/HamlogLink.h"
#include "panel/ui/ScheduleView.h"
#include "panel/ui/ScheduleWindow.h"
#include "platform/WineBridge.h"
#include "rigctl/StandardTrackingSources.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vm;

namespace {

using test::GenerousMs;

// The Wine session every test shares, set in this process's environment so
// that every program started inherits it.
struct Wine {
    QString skip; // why the tests cannot run; empty when they can
    QString wine = QStandardPaths::findExecutable("wine");
    QTemporaryDir prefix;
    test::VirtualDisplay x;

    void start()
    {
        if (wine.isEmpty())
            return void(skip = "wine is not installed");
        for (const char *exe : {"vmbridge", "vmddeserver", "vmtthwin", "vmkepral"}) {
            if (!QFile::exists(test::program(QString(exe) + ".exe")))
                return void(skip = QString("%1.exe was not built (no mingw-w64 cross compiler)").arg(exe));
        }
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            if (!x.start())
                return void(skip = "no X display and no Xvfb");
            qputenv("DISPLAY", x.display().toLocal8Bit());
        }
        qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
        qputenv("WINEDEBUG", "-all");
        qputenv("WINEDLLOVERRIDES", "mscoree,mshtml="); // no Mono or Gecko install prompts
        if (!run({"wineboot", "--init"}, 300000))
            skip = "wineboot could not create a Wine prefix";
    }

    bool run(const QStringList &arguments, int ms = GenerousMs)
    {
        QProcess p;
        p.start(wine, arguments);
        return p.waitForFinished(ms) && p.exitCode() == 0;
    }

    // A Wine path for a Linux file.
    static QString path(const QString &linuxPath) { return "Z:" + linuxPath; }
};

Wine *g_wine = nullptr;

class WineBridgeProcess : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The panel's window draws offscreen; Wine has the X display.
        static int argc = 3;
        static char arguments[][16] = {"wine_bridge", "-platform", "offscreen"};
        static char *argv[] = {arguments[0], arguments[1], arguments[2], nullptr};
        new QApplication(argc, argv);
        g_wine = new Wine;
        g_wine->start();
    }
    static void TearDownTestSuite()
    {
        if (g_wine->skip.isEmpty())
            g_wine->run({"wineboot", "--kill"});
        delete g_wine;
    }

    void SetUp() override
    {
        if (!g_wine->skip.isEmpty())
            GTEST_SKIP() << g_wine->skip.toStdString();
        ASSERT_TRUE(station.valid());
        bridge = std::make_unique<WineBridge>(g_wine->wine, test::program("vmbridge.exe"));
    }

    void TearDown() override
    {
        bridge.reset();
        test::stop(tunavox);
        test::stop(standIn);
        // No window of a stopped stand-in is left for the next test's lookups.
        if (g_wine->skip.isEmpty())
            g_wine->run({"wineboot", "--kill"});
    }

    // A stand-in exe (beside the tests, or a path) under Wine; true once its window is there.
    bool startStandIn(const QString &exe, const QStringList &arguments, const QString &window, bool byClass)
    {
        standIn.start(g_wine->wine, QStringList{exe.contains('/') ? exe : test::program(exe)} + arguments);
        return standIn.waitForStarted(GenerousMs) &&
               test::waitUntil([&] { return bridge->findWindow(window, byClass).has_value(); }, 120000);
    }

    test::SimulatedStation station;
    std::unique_ptr<WineBridge> bridge;
    QProcess standIn;
    QProcess tunavox;
};

} // namespace

TEST_F(WineBridgeProcess, TunavoxTracksTheDdeStandInThroughTheBridge)
{
    const QString values = station.file("values.txt");
    const auto serve = [&](const QString &satellite) {
        return TextFile::writeLinesAtomic(values, {"txtSatellite= " + satellite + " ", "txtElevation=12.5",
                                                   "txtRevolution=1234", "txtRangeRate=-3.25"});
    };
    ASSERT_TRUE(serve("ao-07"));
    ASSERT_TRUE(
        station.writeTable({"RS-44,145935,435610,60,435605,,,,,", "AO-07,432125,145925,50,145975,,,,,"}));
    ASSERT_TRUE(station.startRig());
    const QString ddeLog = station.file("dde.txt");
    ASSERT_TRUE(startStandIn("vmddeserver.exe",
                             {"Kepral32", "Export", "Kepral32", Wine::path(values), Wine::path(ddeLog)},
                             "Kepral32", false));
    test::PanelEndpoint panel(station);
    ASSERT_TRUE(panel.open());
    {
        // Where no X11 title shows it, the controller's detection asks the
        // bridge, but only when the settings name an outside program.
        StandardTrackingSources sources(panel.channel, SteadyClock::instance(), station.homeDir(),
                                        [](const QString &) { return false; });
        sources.setWineBridge(bridge.get());
        for (const char *calcType : {"4", "1"}) {
            ASSERT_TRUE(Settings(station.file("Velomira.ini")).setValue(keys::CalcType, calcType));
            EXPECT_EQ(sources.programRunning("Kepral32"), calcType == std::string("1")) << calcType;
        }
        EXPECT_FALSE(sources.programRunning("Kepral99"));
    }

    ASSERT_TRUE(station.startTunavox(tunavox));
    // Wine's first start in the prefix may take long.
    const auto got = [&](const QString &record) { return panel.receives(record, 120000); };
    EXPECT_TRUE(got("OPPLKM1"));
    EXPECT_TRUE(got("OPPSANao-07")); // trimmed, as the program serves it
    EXPECT_TRUE(got("OPPPOB1234"));
    // The values change in the program: the next reads follow them.
    ASSERT_TRUE(serve("RS-44"));
    EXPECT_TRUE(got("OPPSANRS-44"));
    // Each item was asked for once, then pushed by the program on its advise link.
    const QStringList asked = TextFile::read(ddeLog).value_or("").remove('\r').split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(asked.count("request txtSatellite"), 1) << asked.join(", ").toStdString();
    EXPECT_EQ(asked.count("advise txtSatellite"), 1) << asked.join(", ").toStdString();
}

// A contact typed into the panel and transferred, with the Windows logging
// program as the destination, reaches the "TThwin" window field by field.
TEST_F(WineBridgeProcess, ContactLoggedOnThePanelArrivesFieldByFieldInShiftJis)
{
    const QString log = station.file("copydata.txt");
    ASSERT_TRUE(startStandIn("vmtthwin.exe", {Wine::path(log)}, "TThwin", true));
    const WindowsLogging logging(bridge.get());
    HamlogLink &link = *logging.link();
    ASSERT_TRUE(link.check());
    EXPECT_EQ(link.linkState(), hamlog::Ready);
    EXPECT_EQ(link.version(), "4.9.1.0");
    EXPECT_TRUE(link.programPath().endsWith("vmtthwin.exe", Qt::CaseInsensitive));

    // The controller tracks RS-44 on the simulated rig; the panel logs to the Windows program only.
    ASSERT_TRUE(station.writeTable({"RS-44,145935,435610,60,435605,,,,,"}));
    ASSERT_TRUE(station.startRig());
    ASSERT_TRUE(
        TextFile::writeLinesAtomic(station.file("pass.txt"), {"0 RS-44 30 0 4711", "3600 RS-44 30 0 4711"}));
    ASSERT_TRUE(station.startTracker({"--program", "Kepral32", "--script", station.file("pass.txt")}));
    test::StationPanel panel(station);
    PanelCore &core = panel.core;
    for (const auto &[key, value] : {std::pair{&keys::LogToHamlog, "1"},
                                     {&keys::LogToAdif, "0"},
                                     {&keys::AdifMk, "1"},
                                     {&keys::Remarks, "東京 via #SN"}})
        ASSERT_TRUE(panel.settings.setValue(*key, QString::fromUtf8(value)));
    ASSERT_TRUE(panel.open());
    ASSERT_TRUE(panel.show());
    PanelWindow &window = *panel.window;
    const test::FakePrompter &prompter = panel.prompter;
    core.load(QCoreApplication::applicationPid(), test::program("tunavox"));
    ASSERT_TRUE(panel.waitFor([&] {
        return core.satelliteName() == u"RS-44" && core.view()[Control::Rig1StatePanel].text == u"Open" &&
               core.txHz() > 0 && core.rxHz() > 0 && !core.view()[Control::TxMode].text.isEmpty();
    })) << prompter.shown.join('\n').toStdString();

    // Typed into the QSO boxes and transferred.
    for (const auto &[box, text] : {std::pair{Control::CallSign, " ja1abc/3 "}, {Control::Code, "2501"}}) {
        window.control(formName(box))->setFocus();
        QTest::keyClicks(window.control(formName(box)), text);
    }
    QTest::mouseClick(static_cast<QPushButton *>(window.control(formName(Control::LogButton))),
                      Qt::LeftButton);
    EXPECT_EQ(core.view()[Control::CallSign].text, "") << prompter.shown.join('\n').toStdString();

    // dwData and the bytes as the window got them ("東京" is 93 8C 8B 9E in Shift_JIS).
    const QStringList expected = {
        "00000010 ",
        "00010001 " + QByteArray("JA1ABC/3").toHex(),
        "00010006 " + QByteArray("145/435").toHex(),
        "00010007 " + QByteArray("SSB").toHex(),
        "00010008 " + QByteArray("2501").toHex(),
        "0001000d 938c8b9e" + QByteArray(" via RS-44").toHex(),
        "0001000e " + QByteArray("<SAT_NAME:5>RS-44 <SAT_MODE:2>VU").toHex(),
    };
    EXPECT_EQ(TextFile::read(log).value_or(QString()).split('\n', Qt::SkipEmptyParts), expected);

    // Bad input loses nothing and gets a clear reply.
    struct Case {
        BridgeWire::Op op;
        QByteArray bytes;
        BridgeWire::Status status;
    };
    const Case cases[] = {
        {BridgeWire::Op::CopyData, QByteArrayLiteral("TThwin\0x\xF0\x9F\x98\x80"),
         BridgeWire::Status::Unencodable},
        {BridgeWire::Op::CopyData, QByteArrayLiteral("NoSuchClass\0x"), BridgeWire::Status::NotFound},
        {BridgeWire::Op::CopyData, "no fields", BridgeWire::Status::BadRecord},
        {BridgeWire::Op(99), "", BridgeWire::Status::BadRecord},
        {BridgeWire::Op::DdeRequest, QByteArrayLiteral("NoSuchService\0Export\0txtSatellite"),
         BridgeWire::Status::NotFound},
    };
    for (const Case &c : cases) {
        const WineBridge::Reply reply = bridge->request(c.op, 1, c.bytes);
        EXPECT_EQ(reply.status, c.status) << c.bytes.toStdString() << ": " << reply.bytes.toStdString();
    }
    EXPECT_EQ(TextFile::read(log).value_or(QString()).split('\n', Qt::SkipEmptyParts).size(),
              expected.size());
}

// The panel drives Kepral32 through its own windows: "MAC" starts and stops
// its macro, the tracked name opens its satellite selection, the schedule
// window lists its pass prediction and "バージョン" names its version.
TEST_F(WineBridgeProcess, PanelDrivesKepral32ThroughItsWindows)
{
    // The program in a folder of its own, where its macro is.
    const QString folder = station.file("Kepral32");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(test::program("vmkepral.exe"), folder + "/Kepral32.exe"));
    const QString clicks = station.file("clicks.txt");
    const QString passes = station.file("passes.txt");
    ASSERT_TRUE(TextFile::writeLinesAtomic(
        passes, {"    Date    Time  Az  MA", "2026/12/07  10:01   12  200  10:08  45  100  10:15  190  40  14"}));
    ASSERT_TRUE(startStandIn(folder + "/Kepral32.exe", {Wine::path(clicks), Wine::path(passes)}, "Kepral32(SGP4)",
                             false));

    test::StationPanel panel(station);
    ASSERT_TRUE(panel.open(false));
    panel.core.setWindowsPrograms(bridge.get());
    ASSERT_TRUE(panel.settings.setValue(keys::CalcType, "1"));
    PanelCore &core = panel.core;
    const test::FakePrompter &prompter = panel.prompter;
    core.loadSettings();
    const auto logged = [&](const QString &prefix) {
        QStringList lines = TextFile::read(clicks).value_or("").split('\n', Qt::SkipEmptyParts);
        return lines.filter(QRegularExpression("^" + prefix));
    };
    const auto clicked = [&](const QString &lines) {
        return test::waitUntil([&] { return logged("click").join('\n') == lines; });
    };

    // Today's macro, found beside the program through its Windows path.
    ASSERT_TRUE(TextFile::writeLinesAtomic(folder + "/Macro.txt", {"Velomira_macro:"}));
    core.toggleTrackerMacro();
    EXPECT_TRUE(clicked("click 39")) << prompter.shown.join('\n').toStdString();
    EXPECT_EQ(core.view()[Control::MacroMenu].text, "ﾏｸﾛ off(&O)");
    ASSERT_TRUE(test::waitUntil([&] { return bridge->findWindow("マクロ実行ステータス").has_value(); }));
    // With the macro's status window in front, the panel brings the program's window back.
    const qsizetype activations = logged("activated").size();
    EXPECT_FALSE(core.raiseTrackerWindow("Kepral32"));
    EXPECT_TRUE(core.raiseTrackerWindow("Kepral32(SGP4)"));
    EXPECT_TRUE(test::waitUntil([&] { return logged("activated").size() > activations; }));
    core.toggleTrackerMacro();
    EXPECT_TRUE(clicked("click 39\nclick 101"));
    EXPECT_EQ(core.view()[Control::MacroMenu].text, "ﾏｸﾛ on(&O)");
    core.clickTrackedName();
    EXPECT_TRUE(clicked("click 39\nclick 101\nclick 37\nclick 37"));

    PanelWindow window(core, panel.settings, panel.launcher);
    ScheduleView schedule(window, core, panel.settings, SteadyClock::instance(), station.homeDir());
    schedule.open();
    ASSERT_EQ(schedule.window()->passes().size(), 1u);
    EXPECT_EQ(SchedulePasses::fields(schedule.window()->passes()[0]),
              (QStringList{"2026/12/07", "10:01", "12", "200", "10:08", "45", "100", "10:15", "190", "40", "14"}));
    // Another satellite in the program: the open window lists its passes.
    ASSERT_TRUE(TextFile::writeLinesAtomic(passes, {"2026/12/07  11:01 1 2 11:05 9 3 11:09 4 5 8",
                                                    "2026/12/07  12:40 1 2 12:45 30 3 12:50 4 5 10"}));
    emit core.scheduleWindowRefresh();
    EXPECT_EQ(schedule.window()->passes().size(), 2u);
    core.showVersion();
    EXPECT_TRUE(prompter.shown.last().endsWith("Kepral32 Ver 1.5.9")) << prompter.shown.last().toStdString();
}

// The schedule's mail notice starts the Windows mail tool (its path a Linux
// one, inside the prefix's drive Z:) and hands it the notice in Shift_JIS,
// then Alt+X; a second notice finds it running.
TEST_F(WineBridgeProcess, MailNoticeStartsTheWindowsMailToolAndHandsItTheNotice)
{
    const QString folder = station.file("HWCV");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(test::program("vmtthwin.exe"), folder + "/HWCVMail.exe"));
    test::StationPanel panel(station);
    ASSERT_TRUE(panel.open(false));
    panel.core.setWindowsPrograms(bridge.get());
    ASSERT_TRUE(panel.settings.setValue(keys::MailToolPath, folder + "/HWCVMail.exe"));

    QStringEncoder shiftJis("Shift_JIS");
    ASSERT_TRUE(shiftJis.isValid());
    QStringList expected;
    for (const QString &pass : QStringList{"10:00", "11:30"}) {
        panel.core.mailNotice("5分後に" + pass + "のRS-44到来", "RS-44", pass);
        const QByteArray text = shiftJis.encode("5分後に" + pass + "のRS-44到来\\MAILTITLE\\RS-44 出現間近!");
        expected << "00000000 " + text.toHex() << "key alt+X";
        EXPECT_TRUE(test::waitUntil([&] {
            return TextFile::read(folder + "/mail.txt").value_or("").remove('\r').split('\n', Qt::SkipEmptyParts) ==
                   expected;
        })) << TextFile::read(folder + "/mail.txt").value_or("").toStdString() << panel.prompter.shown.join('\n').toStdString();
    }
}
