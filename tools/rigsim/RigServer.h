#pragma once

#include "PseudoTerminal.h"
#include "rigsim/IcomRig.h"
#include "rigsim/RigConsole.h"
#include "rigsim/SerialLine.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vm::sim {

// The rigsim program's single-threaded loop: serves a simulated rig on a
// pseudo-terminal in real time (wire timing by SerialLine on the steady
// clock) and takes console commands from standard input and, optionally,
// from clients of a Unix-domain socket.
class RigServer {
public:
    RigServer(ConsoleRig &rig, int baudRate, int processingMs);
    ~RigServer();

    // Opens the pseudo-terminal, the control socket (empty path: none) and the
    // link to the slave (empty: none). False with the reason in `error`.
    bool start(const QString &controlPath, const QString &linkPath, QString *error);
    QString slavePath() const { return m_pty.slavePath(); }

    // Runs until "quit" or SIGINT/SIGTERM; returns the exit code.
    int run();

    // Async-signal-safe: asks run() to end.
    static void requestStop();

private:
    struct Client {
        int fd = -1;
        QByteArray pending;
    };
    static qint64 nowUs();
    void serveLine();
    bool readMaster();
    // Carries out complete lines in `buffer`; answers go to `replyFd`.
    void handleLines(QByteArray &buffer, int replyFd);
    void acceptClient();

    ConsoleRig &m_rig;
    SerialLine m_line;
    RigConsole m_console;
    PseudoTerminal m_pty;
    QByteArray m_toController; // due bytes the master could not take yet
    int m_listenFd = -1;
    QString m_controlPath;
    QString m_linkPath;
    QList<Client> m_clients;
    QByteArray m_stdinBuffer;
    bool m_stdinOpen = true;
    bool m_quit = false;
};

} // namespace vm::sim
