#include "SimulatedStation.h"

#include "ProcessTools.h"
#include "TestPaths.h"
#include "common/TextFile.h"

#include <QDir>

namespace vm::test {

SimulatedStation::~SimulatedStation()
{
    stop(tracker);
    stop(rigsim);
}

QString SimulatedStation::file(const QString &name) const
{
    return QDir(m_home.path()).filePath(name);
}

QProcessEnvironment SimulatedStation::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELOMIRA_HOME", m_home.path());
    env.insert("VELOMIRA_RUNTIME_DIR", m_runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

bool SimulatedStation::writeTable(const QStringList &rows)
{
    return TextFile::writeLinesAtomic(
        file("SATdata.txt"),
        QStringList{"Name,UpLink,DownLink,Width,Beacon,Tone,TXTRV,RXTRV,NonRev,MLTmode"} + rows);
}

bool SimulatedStation::startRigsim()
{
    if (rigLink.isEmpty())
        rigLink = file("rig");
    rigsim.start(program("rigsim"), {"--model", "IC9700", "--link", rigLink, "--baud", "19200"});
    return rigsim.waitForStarted(GenerousMs) && readLine(rigsim).startsWith("/dev/");
}

bool SimulatedStation::startRig(const QString &moreSettings)
{
    if (!startRigsim())
        return false;
    return TextFile::writeAtomic(
        file("Velomira.ini"),
        QStringLiteral("[RIG_CON_CFG]\nRIG_TYPE=IC9700\nRIGCOMCONT=%1\nBAUD_RATE=19200\n"
                       "ICOM_RIGadrs=A2\nRigContType=0\nPoll_Time=200\n")
                .arg(rigLink) +
            moreSettings);
}

bool SimulatedStation::startTunavox(QProcess &process, const QProcessEnvironment &environment) const
{
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program("tunavox"), {"-R"});
    return process.waitForStarted(GenerousMs);
}

bool SimulatedStation::startTracker(const QStringList &arguments)
{
    tracker.setProcessEnvironment(environment());
    tracker.start(program("faketracker"), arguments);
    return tracker.waitForStarted(GenerousMs) && readLine(tracker).startsWith("serving");
}

QString SimulatedStation::rig(const QString &line)
{
    return consoleCommand(rigsim, line);
}

qint64 SimulatedStation::dial(const char *side)
{
    const QStringList parts = rig(QStringLiteral("dial ") + QLatin1String(side)).split(u' ');
    return parts.size() > 1 ? parts[1].toLongLong() : -1;
}

} // namespace vm::test
