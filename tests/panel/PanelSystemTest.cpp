// The panel's windows in this process with the real controller (tunavox), a
// simulated IC-9700 (rigsim) and a stand-in tracking program
// (faketracker): keys pressed on the panel reach the simulated rig as dial
// changes, CW messages are keyed, contacts are logged, and closing the panel
// ends the controller with the rig restored.
#include "../sound/WavCheck.h"
#include "StationPanel.h"
#include "TestPaths.h"
#include "WidgetApplication.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "sound/GeneratedInput.h"
#include "sound/SilentOutput.h"

#include <QDir>
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

class PanelSystem : public ::testing::Test {
protected:
    virtual QString trackedSatellite() const { return QStringLiteral("RS-44"); }

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
        ASSERT_TRUE(station.startRig(QStringLiteral(
            "\n[Velomira]\nIM=7\n\n[SATinfo]\nAO-07B-mode_offset=1200\nAO-07J-mode_offset=-300\n")));
        // A pass standing still: elevation 30 degrees, no range rate.
        ASSERT_TRUE(TextFile::writeLinesAtomic(
            station.file("pass.txt"), {QStringLiteral("0 %1 30 0 4711").arg(trackedSatellite()),
                                       QStringLiteral("3600 %1 30 0 4711").arg(trackedSatellite())}));
        ASSERT_TRUE(station.startTracker({"--program", "Kepral32", "--script", station.file("pass.txt")}));

        m_panel = std::make_unique<test::StationPanel>(station);
        ASSERT_TRUE(m_panel->open());
        ASSERT_TRUE(m_panel->show());
    }

    // Starts the controller beside the panel and waits until the CW message
    // bar is ready, then types a call into the call-sign box.
    bool readyWithCall(const char *call)
    {
        m_panel->core.load(QCoreApplication::applicationPid(), test::program("tunavox"));
        if (!waitFor([&] {
                const PanelView &view = m_panel->core.view();
                return m_panel->core.satelliteName() == u"RS-44" && view["StatusBar1_4"].text == u"Open" &&
                       view["Frame12"].enabled;
            }))
            return false;
        auto *box = m_panel->window->control("Text1");
        box->setFocus();
        QTest::keyClicks(box, call);
        return true;
    }
    void clickTransfer()
    {
        QTest::mouseClick(static_cast<QPushButton *>(m_panel->window->control("Command2")), Qt::LeftButton);
    }

    QString rig(const QString &line) { return station.rig(line); }
    qint64 dial(const char *side) { return station.dial(side); }

    static bool waitFor(const std::function<bool()> &c) { return test::StationPanel::waitFor(c); }

    test::SimulatedStation station;
    std::unique_ptr<test::StationPanel> m_panel;
};

} // namespace

TEST_F(PanelSystem, KeysOnThePanelMoveTheSimulatedRigAndClosingRestoresIt)
{
    m_panel->core.load(QCoreApplication::applicationPid(), test::program("tunavox"));
    m_panel->window->control("Text1")->setFocus();
    // The controller comes up, reports its rig and the tracked satellite, and is ready.
    ASSERT_TRUE(waitFor([&] {
        // "OPPKAN" enables the record button.
        return m_panel->core.satelliteName() == u"RS-44" && m_panel->core.view()["Command15"].enabled &&
               m_panel->core.view()["StatusBar1_4"].text == u"Open";
    })) << m_panel->core.view()["Label3"].text.toStdString();
    EXPECT_EQ(m_panel->core.view()["StatusBar1_2"].text, "IC9700");

    // "受信固定": the transmit dial follows the receive dial through the transponder.
    QTest::mouseClick(static_cast<QPushButton *>(m_panel->window->control("Command1_0")), Qt::LeftButton);
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
        << "sub " << dial("sub") << " offset " << m_panel->core.offset();
    // Shift+Right: 10 Hz more.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_TRUE(waitFor([&] { return dial("sub") == Rs44K - rx - 110; })) << "sub " << dial("sub");
    EXPECT_EQ(dial("main"), rx);
    // The panel shows what the controller reports.
    ASSERT_TRUE(waitFor([&] { return m_panel->core.txHz() == double(Rs44K - rx - 110); }));

    // Closing the panel ends the controller, which restores the rig.
    EXPECT_TRUE(m_panel->window->close());
    ASSERT_TRUE(m_panel->launcher.process.waitForFinished(GenerousMs));
    EXPECT_EQ(m_panel->launcher.process.exitCode(), 0);
    EXPECT_TRUE(rig("status").contains("satellite=off"));
    EXPECT_EQ(m_panel->settings.file().value("SATinfo", "RS-44_offset"), "110");
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
    m_panel->core.load(QCoreApplication::applicationPid(), test::program("tunavox"));
    ASSERT_TRUE(waitFor([&] {
        return m_panel->core.satelliteName() == u"AO-07" && m_panel->core.view()["Command15"].enabled &&
               m_panel->core.view()["List3"].items.size() == 2;
    })) << m_panel->core.view()["Label3"].text.toStdString();
    PanelCore &core = m_panel->core;
    ASSERT_TRUE(waitFor([&] { return core.currentMode() == u"B-mode" && core.offset() == 1200; }));
    // The receive dial of the B mode sits on 2 m.
    ASSERT_TRUE(waitFor([&] { return dial("main") / 1000000 == 145; })) << dial("main");

    m_panel->core.chooseMode(1);
    ASSERT_TRUE(waitFor([&] { return dial("main") / 1000000 == 435; })) << dial("main");
    EXPECT_EQ(m_panel->core.offset(), -300);

    EXPECT_TRUE(m_panel->window->close());
    ASSERT_TRUE(m_panel->launcher.process.waitForFinished(GenerousMs));
    Settings after(station.file("Velomira.ini"));
    EXPECT_EQ(after.file().value("SATinfo", "AO-07B-mode_offset"), "1200");
    EXPECT_EQ(after.file().value("SATinfo", "AO-07J-mode_offset"), "-300");
}

// F5 keys the first CW message on the simulated rig with the call filled in.
// The transfer button with the real controller: TransferReachesTheWsjtxUdpDaemon.
TEST_F(PanelSystem, F5KeysTheMessageOnTheSimulatedRig)
{
    ASSERT_TRUE(m_panel->settings.file().set("RIG_CON_CFG", "CW Message-1", QStringLiteral("#C 5NN TU")));
    ASSERT_TRUE(readyWithCall("ja1xyz"));
    QTest::keyClick(m_panel->window->control("Text1"), Qt::Key_F5);
    ASSERT_TRUE(waitFor([&] { return rig("cw").contains("JA1XYZ 5NN TU"); })) << rig("cw").toStdString();
}

// "録" has the controller record the received audio (a generated tone on
// this sound-card-less station) into the record folder; the second press
// ends it and leaves a valid WAV file with the tone in it.
TEST_F(PanelSystem, RecordButtonHasTheControllerLeaveAValidWav)
{
    qputenv(GeneratedInput::Variable, "tone");
    qputenv(SilentOutput::Variable, "silent");
    m_panel->settings.setValue(keys::RecFol, station.homeDir());
    const bool ready = readyWithCall(""); // the controller has taken the variables
    qunsetenv(GeneratedInput::Variable);
    qunsetenv(SilentOutput::Variable);
    ASSERT_TRUE(ready);
    auto *record = static_cast<QPushButton *>(m_panel->window->control("Command15"));
    ASSERT_TRUE(waitFor([&] { return record->isEnabled(); })); // the controller is ready
    QTest::mouseClick(record, Qt::LeftButton);
    QString path;
    ASSERT_TRUE(waitFor([&] {
        const QStringList found = QDir(station.homeDir()).entryList({"RS-44_*.wav"});
        path = found.isEmpty() ? QString() : QDir(station.homeDir()).filePath(found.first());
        return !path.isEmpty() && QFileInfo(path).size() > 44 + 4000;
    }));
    QTest::mouseClick(record, Qt::LeftButton);
    WavCheck check;
    EXPECT_TRUE(waitFor([&] { return (check = WavCheck::of(path)).valid; }));
    EXPECT_EQ(check.rate, 11025u);
    EXPECT_GT(check.dataBytes, 4000u);

    // Played back, the recording ends by itself and the buttons come back.
    auto *play = static_cast<QPushButton *>(m_panel->window->control("Command16"));
    m_panel->prompter.file = path;
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_EQ(play->text(), "停");
    EXPECT_TRUE(waitFor([&] { return play->text() == "再" && record->isEnabled(); }));
}

// The schedule registered in the panel's frame reaches the controller
// ("RCMSKD1"), which from then on has the panel check it on every tracking
// read ("OPPSCK"): the next pass shows in the menu bar.
TEST_F(PanelSystem, RegisteredScheduleHasTheControllerAskForItsCheck)
{
    m_panel->core.load(QCoreApplication::applicationPid(), test::program("tunavox"));
    ASSERT_TRUE(waitFor([&] { return m_panel->core.satelliteName() == u"RS-44"; }));
    const QTime now = QTime::currentTime();
    const QString aos = (now.hour() == 23 ? QTime(23, 59) : now.addSecs(1800)).toString("hh:mm");
    m_panel->window->menuAction("mkSKD")->trigger();
    ASSERT_TRUE(m_panel->core.takeScheduleLines({aos + "/RS-44"}));
    QTest::mouseClick(static_cast<QPushButton *>(m_panel->window->control("Command6")), Qt::LeftButton);
    m_panel->core.chooseNotice(Control::MailNotice, true);
    EXPECT_TRUE(waitFor([&] { return m_panel->core.view()["skdMsg"].text == "NextSKD：RS-44=" + aos; }))
        << m_panel->core.view()["skdMsg"].text.toStdString();
}

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
        ASSERT_TRUE(m_panel->settings.file().set("LOGBOOK", key, value));
    ASSERT_TRUE(readyWithCall("ja0aaa"));
    // The daemon listens a moment after it starts: a first contact is logged
    // until the daemon shows it, then the one the test looks at.
    QByteArray output;
    ASSERT_TRUE(waitFor([&] {
        clickTransfer();
        m_panel->window->control("Text1")->setFocus();
        QTest::keyClicks(m_panel->window->control("Text1"), "ja0aaa");
        output += daemon.readAll();
        return output.contains("JA0AAA");
    }));
    m_panel->core.setEditText(Control::CallSign, QStringLiteral("JA1XYZ"));
    clickTransfer();
    const bool seen = waitFor([&] {
        output += daemon.readAll();
        return output.contains("JA1XYZ") && output.contains("<SAT_NAME:5>RS-44") &&
               output.contains("<SAT_MODE:2>VU");
    });
    test::stop(daemon);
    EXPECT_TRUE(seen) << output.toStdString();
}
