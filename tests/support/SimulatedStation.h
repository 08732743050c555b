#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

namespace vm::test {

// What the end-to-end tests run the programs against: a private home and
// runtime folder, a simulated IC-9700 on a pseudo-terminal link (rigsim) with
// the settings that point the controller at it, and a stand-in tracking
// program (faketracker). The programs it started are stopped with it.
class SimulatedStation {
public:
    SimulatedStation() = default;
    ~SimulatedStation();
    SimulatedStation(const SimulatedStation &) = delete;
    SimulatedStation &operator=(const SimulatedStation &) = delete;

    bool valid() const { return m_home.isValid() && m_runtime.isValid(); }
    QString file(const QString &name) const; // in the home folder
    QString homeDir() const { return m_home.path(); }
    QString runtimeDir() const { return m_runtime.path(); }
    // The system environment with both folders and the offscreen platform.
    QProcessEnvironment environment() const;

    // SATdata.txt: a header line and the rows.
    bool writeTable(const QStringList &rows);
    // rigsim as an IC-9700 behind rigLink (default file("rig")) at 19200
    // baud, and Velomira.ini naming it as rig 1 (polled every 200 ms),
    // followed by `moreSettings`.
    bool startRig(const QString &moreSettings = QString());
    // rigsim alone (again, after it was stopped: the rig plugged back in).
    bool startRigsim();
    // "tunavox -R" in the station's environment (or `environment`); true once it runs.
    bool startTunavox(QProcess &process) const { return startTunavox(process, environment()); }
    bool startTunavox(QProcess &process, const QProcessEnvironment &environment) const;
    // faketracker with these arguments; true once it serves.
    bool startTracker(const QStringList &arguments);

    // A rigsim console command and its one-line answer.
    QString rig(const QString &line);
    // The dial frequency of "main" or "sub", -1 when the console gave none.
    qint64 dial(const char *side);

    QProcess rigsim;
    QProcess tracker;
    QString rigLink;     // the rig's port: a link to rigsim's pseudo-terminal

private:
    QTemporaryDir m_home;
    QTemporaryDir m_runtime;
};

} // namespace vm::test
