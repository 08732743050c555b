// The panel's windows in this process with the real controller (tunavox), a
// simulated IC-9700 or TS-2000 (rigsim) and a stand-in tracking program
// (faketracker): keys pressed on the panel reach the simulated rig as dial
// changes, CW messages are keyed, contacts are logged, and closing the panel
// ends the controller with the rig restored.
#include "PanelFakes.h"
#include "../sound/WavCheck.h"
#include "ProcessTools.h"
#include "SimulatedStation.h"
#include "TestPaths.h"
#include "WidgetApplication.h"
#include "common/Clock.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "panel/PanelCore.h"
#include "panel/ui/PanelWindow.h"
#include "platform/LocalChannel.h"
#include "sound/GeneratedInput.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace vm;

namespace {

using test::GenerousMs;

// RS-44, inverting: the transmit dial is K minus the receive dial.
constexpr qint64 Rs44K = (145935LL + 435610LL + 60LL) * 1000;

// Starts the controller as a child the test can stop.
class ProcessLauncher final : public Launcher {
public:
    QProcess process;
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, arguments);
        return process.waitForStarted(GenerousMs);
    }
    bool openUrl(const QString &) override { return false; }
};

class PanelSystem : public ::testing::Test {
protected:
    virtual QString trackedSatellite() const { return QStringLiteral("RS-44"); }
    virtual QString rigModel() const { return QStringLiteral("IC9700"); }

    void SetUp() override
    {
        test::ensureWidgetApplication();
        ASSERT_TRUE(station.valid());
        qputenv("VELOMIRA_HOME", station.homeDir().toUtf8());
        qputenv("VELOMIRA_RUNTIME_DIR", station.runtimeDir().toUtf8());
        qputenv("QT_QPA_PLATFORM", "offscreen");
        ASSERT_TRUE(station.writeTable({"RS-44,145935,435610,60,435605,,,,,",
                                        "AO-07,432125,145925,50,145975,,,,,B-mode",
                                        "AO-07,145850,435150,100,,,,,,J-mode"}));
        const QString more = QStringLiteral(
            "\n[Velomira]\nIM=7\n\n[SATinfo]\nAO-07B-mode_offset=1200\nAO-07J-mode_offset=-300\n");
        if (rigModel() == u"IC9700") {
            ASSERT_TRUE(station.startRig(more));
        } else {
            ASSERT_TRUE(station.startOtherRig(station.rigsim, rigModel(), "rig"));
            ASSERT_TRUE(TextFile::writeAtomic(
                station.file("Velomira.ini"),
                QStringLiteral("[RIG_CON_CFG]\nRIG_TYPE=%1\nRIGCOMCONT=%2\nBAUD_RATE=9600\nRigContType=0\n"
                               "Poll_Time=200\n")
                        .arg(rigModel(), station.file("rig")) +
                    more));
        }
        // A pass standing still: elevation 30 degrees, no range rate.
        ASSERT_TRUE(TextFile::writeLinesAtomic(
            station.file("pass.txt"), {QStringLiteral("0 %1 30 0 4711").arg(trackedSatellite()),
                                       QStringLiteral("3600 %1 30 0 4711").arg(trackedSatellite())}));
        ASSERT_TRUE(station.startTracker({"--program", "Kepral32", "--script", station.file("pass.txt")}));

        m_settings = std::make_unique<Settings>(station.file("Velomira.ini"));
        m_channel = std::make_unique<LocalChannel>(station.runtimeDir());
        ASSERT_TRUE(m_channel->open());
        ASSERT_TRUE(m_channel->registerTitle(PanelCore::panelTitle()));
        m_core = std::make_unique<PanelCore>(*m_channel, *m_settings, m_prompter, m_launcher,
                                             SteadyClock::instance(), station.homeDir());
        m_channel->setRecordHandler(PanelCore::panelTitle(),
                                    [this](const ChannelRecord &r) { return m_core->handleRecord(r.text); });
        ASSERT_GE(m_core->table().load(station.file("SATdata.txt")), 2);
        m_window = std::make_unique<PanelWindow>(*m_core, *m_settings, m_launcher);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    void TearDown() override
    {
        m_window.reset();
        m_core.reset();
        m_channel.reset();
        test::stop(m_launcher.process);
    }

    // Starts the controller beside the panel and waits until the CW message
    // bar is ready, then types a call into the call-sign box.
    bool readyWithCall(const char *call)
    {
        m_core->load(QCoreApplication::applicationPid(), test::program("tunavox"));
        if (!waitFor([&] {
                return m_core->satelliteName() == u"RS-44" &&
                       m_core->view()["StatusBar1_4"].text == u"Open" && m_core->view()["Frame12"].enabled;
            }))
            return false;
        auto *box = m_window->control("Text1");
        box->setFocus();
        QTest::keyClicks(box, call);
        return true;
    }
    void clickTransfer()
    {
        QTest::mouseClick(static_cast<QPushButton *>(m_window->control("Command2")), Qt::LeftButton);
    }

    QString rig(const QString &line) { return station.rig(line); }
    qint64 dial(const char *side) { return station.dial(side); }

    // Runs the panel's event loop until the condition holds or the time is up.
    bool waitFor(const std::function<bool()> &condition)
    {
        QDeadlineTimer deadline(GenerousMs);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(20);
        }
        return true;
    }

    test::SimulatedStation station;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<LocalChannel> m_channel;
    test::FakePrompter m_prompter;
    ProcessLauncher m_launcher;
    std::unique_ptr<PanelCore> m_core;
    std::unique_ptr<PanelWindow> m_window;
};

} // namespace

TEST_F(PanelSystem, KeysOnThePanelMoveTheSimulatedRigAndClosingRestoresIt)
{
    m_core->load(QCoreApplication::applicationPid(), test::program("tunavox"));
    m_window->control("Text1")->setFocus();
    // The controller comes up, reports its rig and the tracked satellite, and is ready.
    ASSERT_TRUE(waitFor([&] {
        // "OPPKAN" enables the record button.
        return m_core->satelliteName() == u"RS-44" && m_core->view()["Command15"].enabled &&
               m_core->view()["StatusBar1_4"].text == u"Open";
    })) << m_core->view()["Label3"].text.toStdString();
    EXPECT_EQ(m_core->view()["StatusBar1_2"].text, "IC9700");

    // "受信固定": the transmit dial follows the receive dial through the transponder.
    QTest::mouseClick(static_cast<QPushButton *>(m_window->control("Command1_0")), Qt::LeftButton);
    qint64 rx = 0;
    ASSERT_TRUE(waitFor([&] {
        rx = dial("main");
        return dial("sub") == Rs44K - rx;
    })) << "main "
        << dial("main") << " sub " << dial("sub");

    // Page Up: 100 Hz of offset, down on the uplink of an inverting transponder.
    // Keys go to whichever control has the focus; the window previews them all.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    ASSERT_TRUE(waitFor([&] { return dial("sub") == Rs44K - rx - 100; }))
        << "sub " << dial("sub") << " offset " << m_core->offset() << " focus "
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none")
        << " dop " << m_core->dopplerMode();
    // Shift+Right: 10 Hz more.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_TRUE(waitFor([&] { return dial("sub") == Rs44K - rx - 110; })) << "sub " << dial("sub");
    EXPECT_EQ(dial("main"), rx);
    // The panel shows what the controller reports.
    ASSERT_TRUE(waitFor([&] { return m_core->txHz() == double(Rs44K - rx - 110); }));

    // Closing the panel ends the controller, which restores the rig.
    EXPECT_TRUE(m_window->close());
    ASSERT_TRUE(m_launcher.process.waitForFinished(GenerousMs));
    EXPECT_EQ(m_launcher.process.exitCode(), 0);
    EXPECT_TRUE(rig("status").contains("satellite=off"));
    EXPECT_EQ(m_settings->file().value("SATinfo", "RS-44_offset"), "110");
}

namespace {
class PanelSystemMultiMode : public PanelSystem {
protected:
    QString trackedSatellite() const override { return QStringLiteral("AO-07"); }
};
} // namespace

// Switching the mode of a multi-mode satellite keeps each mode's stored
// offset: the controller files the offset it holds under the old mode, so the
// panel must not send the new mode's offset before the switch, nor take the
// first mode back as current afterwards.
TEST_F(PanelSystemMultiMode, SwitchingTheModeKeepsEachModesOffset)
{
    m_core->load(QCoreApplication::applicationPid(), test::program("tunavox"));
    ASSERT_TRUE(waitFor([&] {
        return m_core->satelliteName() == u"AO-07" && m_core->view()["Command15"].enabled &&
               m_core->view()["List3"].items.size() == 2;
    })) << m_core->view()["Label3"].text.toStdString();
    ASSERT_TRUE(waitFor([&] { return m_core->currentMode() == u"B-mode" && m_core->offset() == 1200; }));
    // The receive dial of the B mode sits on 2 m.
    ASSERT_TRUE(waitFor([&] { return dial("main") / 1000000 == 145; })) << dial("main");

    m_core->chooseMode(1);
    ASSERT_TRUE(waitFor([&] { return dial("main") / 1000000 == 435; })) << dial("main");
    EXPECT_EQ(m_core->offset(), -300);

    EXPECT_TRUE(m_window->close());
    ASSERT_TRUE(m_launcher.process.waitForFinished(GenerousMs));
    Settings after(station.file("Velomira.ini"));
    EXPECT_EQ(after.file().value("SATinfo", "AO-07B-mode_offset"), "1200");
    EXPECT_EQ(after.file().value("SATinfo", "AO-07J-mode_offset"), "-300");
}

namespace {
// The rig that keys: an Icom (command 17) or a Kenwood (the "KY" text).
class PanelSystemKeying : public PanelSystem, public ::testing::WithParamInterface<const char *> {
protected:
    QString rigModel() const override { return QString::fromLatin1(GetParam()); }
};
} // namespace

// F5 keys the first CW message on the simulated rig with the call filled
// in, and the transfer button logs the contact to the ADIF file.
TEST_P(PanelSystemKeying, F5KeysTheMessageAndTheTransferLogsTheContact)
{
    ASSERT_TRUE(m_settings->file().set("RIG_CON_CFG", "CW Message-1", QStringLiteral("#C 5NN TU")));
    ASSERT_TRUE(readyWithCall("ja1xyz"));
    QTest::keyClick(m_window->control("Text1"), Qt::Key_F5);
    ASSERT_TRUE(waitFor([&] { return rig("cw").contains("JA1XYZ 5NN TU"); })) << rig("cw").toStdString();

    clickTransfer();
    QFile log(station.file("velomira_log.adi"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << m_prompter.shown.join('\n').toStdString();
    const QByteArray adif = log.readAll();
    EXPECT_TRUE(adif.contains("<CALL:6>JA1XYZ") && adif.contains("<SAT_NAME:5>RS-44")) << adif.toStdString();
    EXPECT_EQ(m_core->view()["Text1"].text, "");
}

// "録" has the controller record the received audio (a generated tone on
// this sound-card-less station) into the record folder; the second press
// ends it and leaves a valid WAV file with the tone in it.
TEST_F(PanelSystem, RecordButtonHasTheControllerLeaveAValidWav)
{
    qputenv(GeneratedInput::Variable, "tone");
    m_settings->setValue(keys::RecFol, station.homeDir());
    const bool ready = readyWithCall(""); // the controller has taken the variable
    qunsetenv(GeneratedInput::Variable);
    ASSERT_TRUE(ready);
    auto *record = static_cast<QPushButton *>(m_window->control("Command15"));
    ASSERT_TRUE(waitFor([&] { return record->isEnabled(); })); // the controller is ready
    QTest::mouseClick(record, Qt::LeftButton);
    QString path;
    ASSERT_TRUE(waitFor([&] {
        const QStringList found = QDir(station.homeDir()).entryList({"RS-44_*.wav"});
        path = found.isEmpty() ? QString() : QDir(station.homeDir()).filePath(found.first());
        return !path.isEmpty() && QFileInfo(path).size() > 44 + 4000;
    }));
    EXPECT_EQ(record->text(), "停");
    QTest::mouseClick(record, Qt::LeftButton);
    WavCheck check;
    EXPECT_TRUE(waitFor([&] { return (check = WavCheck::of(path)).valid; }));
    EXPECT_EQ(check.rate, 11025u);
    EXPECT_GT(check.dataBytes, 4000u);
    EXPECT_EQ(record->text(), "録");
}

// The schedule registered in the panel's frame reaches the controller
// ("RCMSKD1"), which from then on has the panel check it on every tracking
// read ("OPPSCK"): the next pass shows in the menu bar.
TEST_F(PanelSystem, RegisteredScheduleHasTheControllerAskForItsCheck)
{
    m_core->load(QCoreApplication::applicationPid(), test::program("tunavox"));
    ASSERT_TRUE(waitFor([&] { return m_core->satelliteName() == u"RS-44"; }));
    const QTime now = QTime::currentTime();
    const QString aos = (now.hour() == 23 ? QTime(23, 59) : now.addSecs(1800)).toString("hh:mm");
    m_window->menuAction("mkSKD")->trigger();
    ASSERT_TRUE(m_core->takeScheduleLines({aos + "/RS-44"}));
    QTest::mouseClick(static_cast<QPushButton *>(m_window->control("Command6")), Qt::LeftButton);
    m_core->chooseNotice(Control::MailNotice, true);
    EXPECT_TRUE(waitFor([&] { return m_core->view()["skdMsg"].text == "NextSKD：RS-44=" + aos; }))
        << m_core->view()["skdMsg"].text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rigs, PanelSystemKeying, ::testing::Values("IC9700", "TS2000"),
                         [](const auto &info) { return std::string(info.param); });

// A contact logged on the panel reaches WSJT-X's reference server, a program
// we did not write, with the satellite fields.
TEST_F(PanelSystem, TransferReachesTheWsjtxUdpDaemon)
{
    const QString daemonProgram = QStandardPaths::findExecutable("udp_daemon");
    if (daemonProgram.isEmpty())
        GTEST_SKIP() << "udp_daemon (Debian package wsjtx) is not installed";
    QUdpSocket probe; // a free port for the daemon
    ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
    const quint16 port = probe.localPort();
    probe.close();
    QProcess daemon;
    daemon.setProcessChannelMode(QProcess::MergedChannels);
    daemon.start(daemonProgram, {"-p", QString::number(port)});
    ASSERT_TRUE(daemon.waitForStarted(GenerousMs));
    for (const auto &[key, value] :
         {std::pair{"ToUDP", QStringLiteral("1")}, {"UDPPort", QString::number(port)}})
        ASSERT_TRUE(m_settings->file().set("LOGBOOK", key, value));
    ASSERT_TRUE(readyWithCall("ja0aaa"));
    // The daemon listens a moment after it starts: a first contact is logged
    // until the daemon shows it, then the one the test looks at.
    QByteArray output;
    ASSERT_TRUE(waitFor([&] {
        clickTransfer();
        m_window->control("Text1")->setFocus();
        QTest::keyClicks(m_window->control("Text1"), "ja0aaa");
        output += daemon.readAll();
        return output.contains("JA0AAA");
    }));
    m_core->setEditText(Control::CallSign, QStringLiteral("JA1XYZ"));
    clickTransfer();
    const bool seen = waitFor([&] {
        output += daemon.readAll();
        return output.contains("JA1XYZ") && output.contains("<SAT_NAME:5>RS-44") &&
               output.contains("<SAT_MODE:2>VU");
    });
    test::stop(daemon);
    EXPECT_TRUE(seen) << output.toStdString();
}
