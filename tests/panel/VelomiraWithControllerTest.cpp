// The velomira program as the operator starts it: it starts the real
// controller beside it, which takes up the simulated IC-9700 (rigsim) for the
// satellite the stand-in tracking program (faketracker) reports; closing the
// panel ends both programs with the rig restored.
#include "ProcessTools.h"
#include "TestPaths.h"
#include "common/TextFile.h"
#include "platform/LocalChannel.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;
using test::GenerousMs;

namespace {

// RS-44 as the table below has it: uplink passband centre 145.965 MHz.
constexpr qint64 Rs44Uplink = (145935LL + 30LL) * 1000;

class VelomiraWithController : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid() && m_runtime.isValid());
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("VELOMIRA_HOME", m_home.path());
        m_env.insert("VELOMIRA_RUNTIME_DIR", m_runtime.path());
        m_env.insert("QT_QPA_PLATFORM", "offscreen");

        ASSERT_TRUE(TextFile::writeLinesAtomic(
            file("SATdata.txt"), {"Name,UpLink,DownLink,Width,Beacon,Tone,TXTRV,RXTRV,NonRev,MLTmode",
                                  "RS-44,145935,435610,60,435605,,,,,"}));
        ASSERT_TRUE(TextFile::writeAtomic(file("Velomira.ini"),
                                          QStringLiteral("[RIG_CON_CFG]\nRIG_TYPE=IC9700\nRIGCOMCONT=%1\n"
                                                         "BAUD_RATE=19200\nICOM_RIGadrs=A2\nRigContType=0\n"
                                                         "Poll_Time=200\n\n[Velomira]\nIM=7\n")
                                              .arg(file("rig"))));
        ASSERT_TRUE(
            TextFile::writeLinesAtomic(file("pass.txt"), {"0 RS-44 30 0 4711", "3600 RS-44 30 0 4711"}));

        m_rigsim.start(test::program("rigsim"),
                       {"--model", "IC9700", "--link", file("rig"), "--baud", "19200"});
        ASSERT_TRUE(m_rigsim.waitForStarted(GenerousMs));
        ASSERT_TRUE(test::readLine(m_rigsim).startsWith("/dev/"));

        m_tracker.setProcessEnvironment(m_env);
        m_tracker.start(test::program("faketracker"),
                        {"--program", "Kepral32", "--script", file("pass.txt")});
        ASSERT_TRUE(m_tracker.waitForStarted(GenerousMs));
        ASSERT_TRUE(test::readLine(m_tracker).startsWith("serving"));
    }

    void TearDown() override
    {
        test::stop(m_panel);
        test::stop(m_tracker);
        test::stop(m_rigsim);
    }

    QString file(const QString &name) const { return QDir(m_home.path()).filePath(name); }
    QString rig(const QString &line) { return test::consoleCommand(m_rigsim, line); }
    qint64 dial(const char *side)
    {
        const QStringList parts = rig(QStringLiteral("dial %1").arg(QString::fromLatin1(side))).split(u' ');
        return parts.size() > 1 ? parts[1].toLongLong() : -1;
    }

    QTemporaryDir m_home;
    QTemporaryDir m_runtime;
    QProcessEnvironment m_env;
    QProcess m_rigsim;
    QProcess m_tracker;
    QProcess m_panel;
};

} // namespace

TEST_F(VelomiraWithController, StartsTheControllerWhichTakesUpTheRigAndClosingEndsBoth)
{
    m_panel.setProcessEnvironment(m_env);
    m_panel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_panel.start(test::program("velomira"), {});
    ASSERT_TRUE(m_panel.waitForStarted(GenerousMs));

    LocalChannel channel(m_runtime.path());
    ASSERT_TRUE(channel.open());
    // The controller comes up beside the panel and sets the rig for RS-44:
    // satellite mode on, the transmit side at the uplink passband centre.
    ASSERT_TRUE(test::waitUntil([&] { return channel.titleExists("環境設定Tunavox"); }));
    ASSERT_TRUE(test::waitUntil([&] {
        return rig("status").contains("satellite=on") && dial("sub") == Rs44Uplink;
    })) << rig("status").toStdString();

    // Closing the panel (as its close box does) ends the controller, which
    // takes the rig out of satellite mode.
    channel.postClose("Velomira");
    ASSERT_TRUE(m_panel.waitForFinished(GenerousMs));
    EXPECT_EQ(m_panel.exitCode(), 0);
    ASSERT_TRUE(test::waitUntil([&] { return !channel.titleExists("環境設定Tunavox"); }));
    ASSERT_TRUE(test::waitUntil([&] { return rig("status").contains("satellite=off"); }))
        << rig("status").toStdString();
}
