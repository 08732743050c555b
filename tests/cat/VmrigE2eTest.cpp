// vmrig as the operator runs it, against rigsim on a pseudo-terminal.

#include "ProcessTools.h"
#include "QtPrinters.h"
#include "TestPaths.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vm;
using namespace vm::test;

namespace {

// vmrig with these arguments, run to its end; `prefix` runs it through
// another program (setpriv).
ProgramRun vmrig(const QStringList &arguments, const QStringList &prefix = {})
{
    if (prefix.isEmpty())
        return runProgram(program(QStringLiteral("vmrig")), arguments);
    return runProgram(prefix.first(), prefix.mid(1) + QStringList{program(QStringLiteral("vmrig"))} + arguments);
}

class VmrigE2e : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ensureApplication();
        ASSERT_TRUE(dir.isValid());
        link = dir.filePath(QStringLiteral("ic9700"));
        rig.start(program(QStringLiteral("rigsim")),
                  {QStringLiteral("--model"), QStringLiteral("IC9700"), QStringLiteral("--link"), link,
                   QStringLiteral("--echo"), GetParam() ? QStringLiteral("on") : QStringLiteral("off")});
        ASSERT_TRUE(rig.waitForStarted(GenerousMs));
        pty = readLine(rig);
        ASSERT_TRUE(pty.startsWith(QStringLiteral("/dev/"))) << "rigsim gave no pseudo-terminal";
    }
    void TearDown() override { stop(rig); }

    QStringList on(const QStringList &command) const
    {
        return QStringList{QStringLiteral("--port"), link, QStringLiteral("--model"),
                           QStringLiteral("IC9700")} +
               command;
    }
    QString console(const QString &line) { return consoleCommand(rig, line); }
    QString dial(const char *side) { return console(QStringLiteral("dial ") + QLatin1String(side)); }

    QTemporaryDir dir;
    QString link;
    QString pty;
    QProcess rig;
};

INSTANTIATE_TEST_SUITE_P(Line, VmrigE2e, ::testing::Bool(), [](const ::testing::TestParamInfo<bool> &info) {
    return info.param ? "EchoOn" : "EchoOff";
});

} // namespace

TEST_P(VmrigE2e, ReadsAndSetsTheRigAndBenchmarksIt)
{
    ProgramRun r = vmrig(on({QStringLiteral("info")}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString mainHz = dial("main").split(u' ').value(1);
    const QString subHz = dial("sub").split(u' ').value(1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("address A2\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("echo ") + QString::fromLatin1(GetParam() ? "on\n" : "off\n")))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("main ") + mainHz + u' ')) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("sub ") + subHz + u' ')) << r.out.toStdString();

    struct Step {
        QStringList command;
        QString out;
        QString consoleLine; // rigsim console command that shows the effect
        QString shown;       // ... and what its answer contains
    };
    const QString newSub = QString::number(subHz.toLongLong() + 1000);
    for (const Step &s : {
             Step{{"freq", "sub", newSub}, "sub " + newSub + "\n", "dial sub", " " + newSub + " "},
             Step{{"freq", "sub"}, "sub " + newSub + "\n", "dial sub", " " + newSub + " "},
             Step{{"mode", "main", "cw"}, "main CW\n", "dial main", " CW "},
             Step{{"mode", "main"}, "main CW\n", "dial main", " CW "},
             Step{{"satellite", "on"}, "satellite on\n", "status", "satellite=on"},
             Step{{"satellite", "off"}, "satellite off\n", "status", "satellite=off"},
         }) {
        r = vmrig(on(s.command));
        EXPECT_EQ(r.exitCode, 0) << s.command.join(u' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, s.out) << s.command.join(u' ').toStdString();
        EXPECT_TRUE(console(s.consoleLine).contains(s.shown)) << s.command.join(u' ').toStdString();
    }

    r = vmrig(on({QStringLiteral("bench"), QStringLiteral("5")}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("bench 5 pairs"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("median"))) << r.out.toStdString();
    EXPECT_EQ(dial("main").split(u' ').value(1), mainHz); // put back where it was
}

TEST_P(VmrigE2e, FailuresSayWhyAndExitNonZero)
{
    struct Case { QStringList arguments; int status; QString err; };
    for (const Case &c : {
             Case{{"--port", "/dev/velomira-no-such-port", "info"}, 1, "no such device"},
             Case{{"--port", "/dev/null", "--model", "TS2000", "info"}, 2, "not an Icom model"},
             Case{on({"freq", "upper"}), 2, "freq main|sub"},
             Case{on({"freq", "main", "12x"}), 2, "not a frequency"},
             Case{on({"mode", "main", "SSTV"}), 2, "not a mode"},
             Case{on({"freq", "sub", "50100000"}), 1, "did not take 50100000"},
             Case{on({"--address", "7C", "info"}), 1, "no answer"},
         }) {
        const ProgramRun r = vmrig(c.arguments);
        EXPECT_EQ(r.exitCode, c.status) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.err))
            << c.arguments.join(u' ').toStdString() << ": " << r.err.toStdString();
    }

    // Permission: a device of the group dialout, opened by a user outside it.
    const struct group *dialout = ::getgrnam("dialout");
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (::geteuid() != 0 || !dialout || setpriv.isEmpty())
        GTEST_SKIP() << "the permission case needs root (to hand the device over) and setpriv";
    const QByteArray device = QFile::encodeName(pty);
    ASSERT_EQ(::chown(device.constData(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(::chmod(device.constData(), 0660), 0);
    const ProgramRun r = vmrig({QStringLiteral("--port"), pty, QStringLiteral("info")},
                            {setpriv, QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                             QStringLiteral("--clear-groups")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("sudo usermod -aG dialout $USER"))) << r.err.toStdString();
}
