// The panel's windows in this process with the real controller (tunavox), a
// simulated IC-9700 (rigsim) and a stand-in tracking program (faketracker):
// keys pressed on the panel reach the simulated rig as dial changes, and
// closing the panel ends the controller with the rig restored.
#include "PanelFakes.h"
#include "ProcessTools.h"
#include "TestPaths.h"
#include "common/Clock.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "panel/PanelCore.h"
#include "panel/ui/PanelWindow.h"
#include "platform/LocalChannel.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace vm;

namespace {

using test::GenerousMs;
using test::readLine;
// RS-44, inverting: the transmit dial is K minus the receive dial.
constexpr qint64 Rs44K = (145935LL + 435610LL + 60LL) * 1000;

int argcStore = 1;
char arg0[] = "panel_system_test";
char *argvStore[] = {arg0, nullptr};

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

using test::stop;

class PanelSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QCoreApplication::instance())
            new QApplication(argcStore, argvStore);
        ASSERT_TRUE(m_home.isValid());
        ASSERT_TRUE(m_runtime.isValid());
        qputenv("VELOMIRA_HOME", m_home.path().toUtf8());
        qputenv("VELOMIRA_RUNTIME_DIR", m_runtime.path().toUtf8());
        qputenv("QT_QPA_PLATFORM", "offscreen");
        ASSERT_TRUE(TextFile::writeLinesAtomic(
            file("SATdata.txt"), {"Name,UpLink,DownLink,Width,Beacon,Tone,TXTRV,RXTRV,NonRev,MLTmode",
                                  "RS-44,145935,435610,60,435605,,,,,"}));

        m_rigsim.setProgram(test::program("rigsim"));
        m_rigsim.setArguments({"--model", "IC9700", "--link", file("rig"), "--baud", "19200"});
        m_rigsim.start();
        ASSERT_TRUE(m_rigsim.waitForStarted(GenerousMs));
        ASSERT_TRUE(readLine(m_rigsim).startsWith("/dev/")) << "rigsim gave no pseudo-terminal";
        ASSERT_TRUE(TextFile::writeAtomic(file("Velomira.ini"),
                                          QStringLiteral("[RIG_CON_CFG]\nRIG_TYPE=IC9700\nRIGCOMCONT=%1\n"
                                                         "BAUD_RATE=19200\nICOM_RIGadrs=A2\nRigContType=0\n"
                                                         "Poll_Time=200\n\n[Velomira]\nIM=7\n")
                                              .arg(file("rig"))));
        // A pass standing still: elevation 30 degrees, no range rate.
        ASSERT_TRUE(
            TextFile::writeLinesAtomic(file("pass.txt"), {"0 RS-44 30 0 4711", "3600 RS-44 30 0 4711"}));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        m_tracker.setProcessEnvironment(env);
        m_tracker.start(test::program("faketracker"),
                        {"--program", "Kepral32", "--script", file("pass.txt")});
        ASSERT_TRUE(m_tracker.waitForStarted(GenerousMs));
        ASSERT_TRUE(readLine(m_tracker).startsWith("serving")) << "faketracker did not start";

        m_settings = std::make_unique<Settings>(file("Velomira.ini"));
        m_channel = std::make_unique<LocalChannel>(m_runtime.path());
        ASSERT_TRUE(m_channel->open());
        ASSERT_TRUE(m_channel->registerTitle(PanelCore::panelTitle()));
        m_core = std::make_unique<PanelCore>(*m_channel, *m_settings, m_prompter, m_launcher,
                                             SteadyClock::instance(), m_home.path());
        m_channel->setRecordHandler(PanelCore::panelTitle(),
                                    [this](const ChannelRecord &r) { return m_core->handleRecord(r.text); });
        ASSERT_GE(m_core->table().load(file("SATdata.txt")), 2);
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
        stop(m_launcher.process);
        stop(m_tracker);
        stop(m_rigsim);
    }

    QString file(const QString &name) const { return QDir(m_home.path()).filePath(name); }

    QString rig(const QString &line)
    {
        m_rigsim.write(line.toUtf8() + '\n');
        return readLine(m_rigsim);
    }

    qint64 dial(const char *side)
    {
        const QStringList parts = rig(QStringLiteral("dial %1").arg(QString::fromLatin1(side))).split(u' ');
        return parts.size() > 1 ? parts[1].toLongLong() : -1;
    }

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

    QTemporaryDir m_home;
    QTemporaryDir m_runtime;
    QProcess m_rigsim;
    QProcess m_tracker;
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
