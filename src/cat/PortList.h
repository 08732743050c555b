#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vm {

// The serial ports of this machine for the settings window, one line each:
// port path + ">使用可能です" (available) or ">他で使用中です" (another
// program holds it, or this user may not open it), then what is known of the
// adapter and of the holder.
//
// The stable names under /dev/serial/by-id come first: they survive
// replugging and reboots, where /dev/ttyUSB0 may become /dev/ttyUSB1.
class PortList {
public:
    struct Entry {
        QString path;         // what the settings keep: the by-id link when there is one
        QString device;       // the device it leads to (/dev/ttyUSB0)
        QString description;  // the adapter's description (QSerialPortInfo)
        QString serialNumber; // the adapter's serial number
        bool available = false;
        QString why; // not available: the holder, or that this user may not open it
    };

    static constexpr const char *ByIdDir = "/dev/serial/by-id";

    // Every port QSerialPortInfo knows, by-id names first (links in `byIdDir`
    // stand for the device they lead to), then `extraPaths` (ports that do
    // not enumerate, such as ptys). Missing devices are left out.
    static QList<Entry> entries(const QStringList &extraPaths = {},
                                const QString &byIdDir = QString::fromLatin1(ByIdDir));
    static QStringList lines(const QStringList &extraPaths = {},
                             const QString &byIdDir = QString::fromLatin1(ByIdDir));

    // The line of one entry, and of one device path (empty when the device
    // does not exist).
    static QString lineOf(const Entry &entry);
    static QString lineFor(const QString &path);

    // The device path of a chosen line (text before ">").
    static QString portOfLine(const QString &line);

private:
    static void probe(Entry &entry);
};

} // namespace vm
