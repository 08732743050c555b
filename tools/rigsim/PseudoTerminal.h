#pragma once

#include <QString>

namespace vm::sim {

// A pseudo-terminal pair: the simulator holds the master side, a controller
// opens the slave side as its serial port. The slave is kept open here too,
// in raw mode, so the master does not see a hang-up between two clients.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Creates the pair; on failure returns false with the reason in `error`.
    bool open(QString *error);
    int masterFd() const { return m_master; }
    QString slavePath() const { return m_slavePath; }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};

} // namespace vm::sim
