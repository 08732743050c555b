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
        m_env.insert(QStringLiteral("VELOMIRA_HOME"), m_home.path());
        m_env.insert(QStringLiteral("VELOMIRA_RUNTIME_DIR"), m_runtime.path());
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

        ASSERT_TRUE(TextFile::writeLinesAtomic(
            file(QStringLiteral("SATdata.txt")),
            {QStringLiteral("Name,UpLink,DownLink,Width,Beacon,Tone,TXTRV,RXTRV,NonRev,MLTmode"),
             QStringLiteral("RS-44,145935,435610,60,435605,,,,,")}));
        ASSERT_TRUE(TextFile::writeAtomic(file(QStringLiteral("Velomira.ini")),
                                          QStringLiteral("[RIG_CON_CFG]\nRIG_TYPE=IC9700\nRIGCOMCONT=%1\n"
                                                         "BAUD_RATE=19200\nICOM_RIGadrs=A2\nRigContType=0\n"
                                                         "Poll_Time=200\n\n[Velomira]\nIM=7\n")
                                              .arg(file(QStringLiteral("rig")))));
        ASSERT_TRUE(TextFile::writeLinesAtomic(file(QStringLiteral("pass.txt")),
                                               {QStringLiteral("0 RS-44 30 0 4711"),
                                                QStringLiteral("3600 RS-44 30 0 4711")}));

        m_rigsim.start(test::program(QStringLiteral("rigsim")),
                       {QStringLiteral("--model"), QStringLiteral("IC9700"), QStringLiteral("--link"),
                        file(QStringLiteral("rig")), QStringLiteral("--baud"), QStringLiteral("19200")});
        ASSERT_TRUE(m_rigsim.waitForStarted(GenerousMs));
        ASSERT_TRUE(test::readLine(m_rigsim).startsWith(QStringLiteral("/dev/")));

        m_tracker.setProcessEnvironment(m_env);
        m_tracker.start(test::program(QStringLiteral("faketracker")),
                        {QStringLiteral("--program"), QStringLiteral("Kepral32"), QStringLiteral("--script"),
                         file(QStringLiteral("pass.txt"))});
        ASSERT_TRUE(m_tracker.waitForStarted(GenerousMs));
        ASSERT_TRUE(test::readLine(m_tracker).startsWith(QStringLiteral("serving")));
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
    m_panel.start(test::program(QStringLiteral("velomira")), {});
    ASSERT_TRUE(m_panel.waitForStarted(GenerousMs));

    LocalChannel channel(m_runtime.path());
    ASSERT_TRUE(channel.open());
    // The controller comes up beside the panel and sets the rig for RS-44:
    // satellite mode on, the transmit side at the uplink passband centre.
    ASSERT_TRUE(test::waitUntil([&] { return channel.titleExists(QStringLiteral("環境設定Tunavox")); }));
    ASSERT_TRUE(test::waitUntil([&] {
        return rig(QStringLiteral("status")).contains(QStringLiteral("satellite=on")) && dial("sub") == Rs44Uplink;
    })) << rig(QStringLiteral("status")).toStdString();

    // Closing the panel (as its close box does) ends the controller, which
    // takes the rig out of satellite mode.
    channel.postClose(QStringLiteral("Velomira"));
    ASSERT_TRUE(m_panel.waitForFinished(GenerousMs));
    EXPECT_EQ(m_panel.exitCode(), 0);
    ASSERT_TRUE(test::waitUntil([&] { return !channel.titleExists(QStringLiteral("環境設定Tunavox")); }));
    ASSERT_TRUE(test::waitUntil([&] { return rig(QStringLiteral("status")).contains(QStringLiteral("satellite=off")); }))
        << rig(QStringLiteral("status")).toStdString();
}
