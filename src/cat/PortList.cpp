#include "cat/PortList.h"

#include <QSerialPort>
#include <QSerialPortInfo>

namespace vm {

QString PortList::lineFor(const QString &path)
{
    QSerialPort probe;
    probe.setPortName(path);
    if (probe.open(QIODevice::ReadWrite)) {
        probe.close();
        return path + QStringLiteral(">使用可能です");
    }
    // Busy (held by another program, or its lock file) and access denied
    // both come back as a permission error.
    if (probe.error() == QSerialPort::PermissionError)
        return path + QStringLiteral(">他で使用中です");
    return {};
}

QStringList PortList::lines(const QStringList &extraPaths)
{
    QStringList paths;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        paths << info.systemLocation();
    for (const QString &p : extraPaths) {
        if (!paths.contains(p))
            paths << p;
    }
    QStringList out;
    for (const QString &p : paths) {
        const QString line = lineFor(p);
        if (!line.isEmpty())
            out << line;
    }
    return out;
}

QString PortList::portOfLine(const QString &line)
{
    const qsizetype gt = line.indexOf(QLatin1Char('>'));
    return (gt < 0 ? line : line.left(gt)).trimmed();
}

} // namespace vm
