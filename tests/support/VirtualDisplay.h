#pragma once

#include "ProcessTools.h"

#include <QProcess>
#include <QString>

namespace vm::test {

// An Xvfb server on a free display number, announced through -displayfd.
class VirtualDisplay {
public:
    bool start()
    {
        m_server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x200x24"});
        const QString number = readLine(m_server); // once the server is ready; empty without one
        m_display = number.isEmpty() ? QString() : ":" + number;
        return !number.isEmpty();
    }
    ~VirtualDisplay() { stop(m_server); }
    const QString &display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

} // namespace vm::test
