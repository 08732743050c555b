#pragma once

#include "rigsim/SimulatedRig.h"

#include <QString>

namespace vm::sim {

// The control language of the rigsim program: one command per line, one
// answer per command. An answer starts with "OK" or "ERR <reason>"; a
// listing answers "OK <n>" followed by n lines. See help().
class RigConsole {
public:
    explicit RigConsole(ConsoleRig &rig, int baudRate = 0);

    // Carries out one command line and returns the answer (without a final
    // newline). Sets `quit` when the command asks the program to end.
    QString handle(const QString &line, bool *quit = nullptr);

    static QString help();

private:
    QString status() const;

    ConsoleRig &m_rig;
    int m_baud;
};

} // namespace vm::sim
