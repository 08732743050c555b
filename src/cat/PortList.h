#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// The serial ports of this machine for the settings window, one line each:
// device path + ">使用可能です" (available) or ">他で使用中です" (another
// program holds it).
class PortList {
public:
    // Probes every port QSerialPortInfo knows, plus `extraPaths` (ports that
    // do not enumerate, such as ptys). Missing devices are left out.
    static QStringList lines(const QStringList &extraPaths = {});

    // The line of one device path; empty when the device does not exist.
    static QString lineFor(const QString &path);

    // The device path of a chosen line (text before ">").
    static QString portOfLine(const QString &line);
};

} // namespace vm
