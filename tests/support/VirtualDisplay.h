#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <unistd.h>

namespace vm::test {

// An Xvfb server on a free display number, announced through -displayfd.
class VirtualDisplay {
public:
    bool start()
    {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty())
            return false;
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        m_server.setProgram(xvfb);
        m_server.setArguments(
            {"-displayfd", QString::number(fds[1]), "-nolisten", "tcp", "-screen", "0", "320x200x24"});
        m_server.setChildProcessModifier([fd = fds[0]] { ::close(fd); });
        m_server.start();
        ::close(fds[1]);
        QByteArray number;
        char c = 0;
        while (::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c; // blocks until the server is ready (or gone: read returns 0)
        ::close(fds[0]);
        if (number.isEmpty())
            return false;
        m_display = ":" + QString::fromLatin1(number);
        return true;
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(10000);
    }
    const QString &display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

} // namespace vm::test
