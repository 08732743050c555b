#pragma once

#include <QProcess>
#include <QString>
#include <functional>

namespace vm::test {

// Time-out for waiting on other processes: generous, since a loaded machine
// may be slow; the tests wait for a condition, never for a fixed time.
inline constexpr int GenerousMs = 30000;

// Polls the condition until it holds or the time-out passes.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = GenerousMs);

// Next line of the process's standard output, trimmed; empty when none came
// within the time-out.
QString readLine(QProcess &process, int timeoutMs = GenerousMs);

// A program run to its end: exit code (-1 when it did not end normally
// within the time-out), standard output and errors.
struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};
ProgramRun runProgram(const QString &path, const QStringList &arguments,
                      const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// Ends the process: asks it to terminate, kills it when it does not.
void stop(QProcess &process);

// Creates the test program's QCoreApplication unless one exists (event
// loops, QProcess and the serial port need one).
void ensureApplication();

// Writes one console line to the process and returns its one-line answer.
QString consoleCommand(QProcess &process, const QString &line, int timeoutMs = GenerousMs);

} // namespace vm::test
