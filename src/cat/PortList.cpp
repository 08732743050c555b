#include "cat/PortList.h"

#include "cat/PortProblem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>

namespace vm {

void PortList::probe(Entry &entry)
{
    QSerialPort port;
    port.setPortName(entry.path);
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        entry.available = true;
        return;
    }
    const PortProblem problem = PortProblem::diagnose(entry.path);
    entry.available = false;
    if (problem.kind == PortProblem::Kind::Permission)
        entry.why = problem.group.isEmpty() ? QStringLiteral("no permission")
                                            : QStringLiteral("no permission: group %1").arg(problem.group);
    else
        entry.why = problem.holder;
}

QList<PortList::Entry> PortList::entries(const QStringList &extraPaths, const QString &byIdDir)
{
    QList<Entry> found;
    QStringList devicesSeen;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    const auto infoOf = [&infos](const QString &device) -> const QSerialPortInfo * {
        for (const QSerialPortInfo &info : infos) {
            if (QFileInfo(info.systemLocation()).canonicalFilePath() == device)
                return &info;
        }
        return nullptr;
    };
    const auto add = [&](const QString &path, const QString &device) {
        Entry e;
        e.path = path;
        e.device = device;
        if (const QSerialPortInfo *info = infoOf(device)) {
            e.description = info->description();
            e.serialNumber = info->serialNumber();
        }
        found << e;
        devicesSeen << device;
    };

    const QDir byId(byIdDir);
    for (const QFileInfo &link :
         byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString device = link.canonicalFilePath();
        if (!device.isEmpty())
            add(link.absoluteFilePath(), device);
    }
    for (const QSerialPortInfo &info : infos) {
        const QString device = QFileInfo(info.systemLocation()).canonicalFilePath();
        if (!device.isEmpty() && !devicesSeen.contains(device))
            add(info.systemLocation(), device);
    }
    for (const QString &path : extraPaths) {
        const QString device = QFileInfo(path).canonicalFilePath();
        if (!device.isEmpty() && !devicesSeen.contains(device))
            add(path, device);
    }
    for (Entry &e : found)
        probe(e);
    return found;
}

QStringList PortList::lines(const QStringList &extraPaths, const QString &byIdDir)
{
    QStringList out;
    for (const Entry &e : entries(extraPaths, byIdDir))
        out << lineOf(e);
    return out;
}

QString PortList::lineOf(const Entry &e)
{
    QString line = e.path + (e.available ? QCoreApplication::translate("Cat", ">使用可能です")
                                         : QCoreApplication::translate("Cat", ">他で使用中です"));
    QStringList details;
    if (!e.why.isEmpty())
        details << e.why;
    if (e.device != e.path)
        details << e.device;
    if (!e.description.isEmpty())
        details << e.description;
    if (!e.serialNumber.isEmpty())
        details << QStringLiteral("S/N ") + e.serialNumber;
    if (!details.isEmpty())
        line += QStringLiteral("  (") + details.join(QStringLiteral(", ")) + u')';
    return line;
}

QString PortList::lineFor(const QString &path)
{
    const QString device = QFileInfo(path).canonicalFilePath();
    if (device.isEmpty())
        return {};
    Entry e;
    e.path = path;
    e.device = device;
    probe(e);
    return lineOf(e);
}

QString PortList::portOfLine(const QString &line)
{
    const qsizetype gt = line.indexOf(QLatin1Char('>'));
    return (gt < 0 ? line : line.left(gt)).trimmed();
}

} // namespace vm
