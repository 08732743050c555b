// The velomira program as a process: started in a private data folder with a
// stand-in controller beside it; this test owns the controller's title and
// talks to the panel over the real channel.
#include "ProcessTools.h"
#include "TestPaths.h"
#include "common/SatelliteTable.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "platform/LocalChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace vm;

namespace {

constexpr int TimeoutMs = 30000;

class VelomiraProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        for (const QString &folder : {bin(), home(), run()})
            ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::copy(test::program("velomira"), QDir(bin()).filePath("velomira")));
        // The stand-in controller notes how it was started and ends.
        const QString stub = QDir(bin()).filePath("tunavox");
        ASSERT_TRUE(
            TextFile::writeAtomic(stub, "#!/bin/sh\necho \"$@\" >> \"$VELOMIRA_HOME/tunavox-args.txt\"\n"));
        QFile::setPermissions(stub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // A table exists, so the first-run notice does not wait for the operator.
        ASSERT_TRUE(SatelliteTable::writeDefault(QDir(home()).filePath("SATdata.txt")));
        m_channel = std::make_unique<LocalChannel>(run());
        ASSERT_TRUE(m_channel->open());
    }

    void TearDown() override
    {
        for (auto &p : m_processes)
            test::stop(*p);
    }

    QString bin() const { return m_dir.filePath("bin"); }
    QString home() const { return m_dir.filePath("home"); }
    QString run() const { return m_dir.filePath("run"); }

    // The panel copied to bin(), or another program, in the private folders.
    QProcess *start(const QStringList &args, const QString &program = QString())
    {
        QProcess *p = m_processes.emplace_back(std::make_unique<QProcess>()).get();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELOMIRA_HOME", home());
        env.insert("VELOMIRA_RUNTIME_DIR", run());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(program.isEmpty() ? QDir(bin()).filePath("velomira") : program, args);
        return p;
    }

    // Serves the test's titles until the condition holds or the time is up.
    bool waitFor(const std::function<bool()> &condition)
    {
        QDeadlineTimer deadline(TimeoutMs);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            m_channel->processPending(20);
        }
        return true;
    }

    bool panelUp() { return m_channel->titleExists("Velomira"); }

    // The panel writes its version last when its main window has loaded.
    bool panelLoaded()
    {
        Settings settings(QDir(home()).filePath("Velomira.ini"));
        return panelUp() && settings.file().value("VLMRC", "OP").has_value();
    }

    void ownController()
    {
        ASSERT_TRUE(m_channel->registerTitle("環境設定Tunavox"));
        m_channel->setRecordHandler("環境設定Tunavox", [this](const ChannelRecord &r) {
            m_received.append(r.text);
            return 0u;
        });
    }

    bool send(const QString &text) { return m_channel->send("Velomira", text); }

    QTemporaryDir m_dir;
    std::unique_ptr<LocalChannel> m_channel;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    QStringList m_received;
};

} // namespace

// The panel starts the controller with "-R". However it is asked to end (the
// controller ends, a termination signal, a close request that arrives while
// its load still waits on the controller, before the event loop runs, or
// later), it tells the controller "RCMEND", saves its state and exits normally.
TEST_F(VelomiraProcess, EndsInOrderWhenTheControllerEndsOnASignalOrOnACloseRequest)
{
    const struct {
        const char *what;
        bool waitForLoad;
        std::function<void(QProcess *)> end;
    } ways[] = {
        {"controller ends", true, [this](QProcess *) { send("OPPTXF終了処理中"); }},
        {"terminate", true, [](QProcess *p) { p->terminate(); }},
        // The controller's title is taken but not served until the close request
        // has gone out: the load's records to it wait.
        {"close during load", false, [this](QProcess *) { m_channel->postClose("Velomira"); }},
        {"close request", true, [this](QProcess *) {
             send("OPPSANAO-07"); // its offset is saved at the end
             m_channel->postClose("Velomira");
         }},
    };
    for (const auto &w : ways) {
        SCOPED_TRACE(w.what);
        QFile::remove(QDir(home()).filePath("Velomira.ini")); // panelLoaded() waits for it anew
        QProcess *panel = start({});
        ASSERT_TRUE(panel->waitForStarted(TimeoutMs));
        ASSERT_TRUE(waitFor([&] { return w.waitForLoad ? panelLoaded() : panelUp(); }));
        ownController();
        m_received.clear();
        w.end(panel);
        ASSERT_TRUE(waitFor([this] { return m_received.contains("RCMEND"); }));
        ASSERT_TRUE(panel->waitForFinished(TimeoutMs));
        EXPECT_EQ(panel->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(panel->exitCode(), 0);
        m_channel->unregisterTitle("環境設定Tunavox");
        ASSERT_TRUE(waitFor([this] { return !panelUp(); }));
    }
    const QString args = QDir(home()).filePath("tunavox-args.txt");
    EXPECT_EQ(TextFile::readLines(args).value_or(QStringList()).value(0), "-R");
    Settings settings(QDir(home()).filePath("Velomira.ini"));
    EXPECT_TRUE(settings.file().value("Velomira", "ME").has_value());
    EXPECT_EQ(settings.file().value("Velomira", "IM"), "7");
    EXPECT_EQ(settings.file().value("SATinfo", "AO-07B-mode_offset"), "0");
}

TEST_F(VelomiraProcess, SecondPanelEndsOrClosesTheFirstWithE)
{
    QProcess *first = start({});
    ASSERT_TRUE(first->waitForStarted(TimeoutMs));
    ASSERT_TRUE(waitFor([this] { return panelLoaded(); }));
    QProcess *second = start({});
    ASSERT_TRUE(second->waitForFinished(TimeoutMs));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    ASSERT_TRUE(start({"/E"})->waitForFinished(TimeoutMs));
    ASSERT_TRUE(first->waitForFinished(TimeoutMs));
    EXPECT_EQ(first->exitCode(), 0);
    EXPECT_TRUE(waitFor([this] { return !panelUp(); }));
}

TEST_F(VelomiraProcess, RunningControllerIsRestartedAndThePanelEnds)
{
    ownController();
    QProcess *panel = start({});
    ASSERT_TRUE(panel->waitForFinished(TimeoutMs));
    EXPECT_EQ(panel->exitCode(), 0);
    const QString args = QDir(home()).filePath("tunavox-args.txt");
    ASSERT_TRUE(waitFor([&] { return QFile::exists(args); }));
    EXPECT_EQ(TextFile::readLines(args).value_or(QStringList()), QStringList{"/z"});
    EXPECT_FALSE(panelUp());
}

// The panel finds the tracking program by its window title and tells the
// controller the program's folder; a controller that was not listening yet
// at the load gets it with its first rig report.
TEST_F(VelomiraProcess, TellsTheControllerTheTrackingProgramsFolder)
{
    start({"--program", "Kepral32", "--satellite", "AO-07"}, test::program("faketracker"));
    ASSERT_TRUE(waitFor([this] { return m_channel->titleExists("Kepral32"); }));

    QProcess *panel = start({});
    ASSERT_TRUE(waitFor([this] { return panelLoaded(); }));
    ownController();
    ASSERT_TRUE(send("OPPRIGIC9700:None:0:None:None:0:0"));
    const QString folder = QFileInfo(test::program("faketracker")).canonicalPath();
    EXPECT_TRUE(m_received.contains("RCMK32" + folder)) << m_received.join(u' ').toStdString();

    m_channel->postClose("Velomira");
    ASSERT_TRUE(panel->waitForFinished(TimeoutMs));
}
