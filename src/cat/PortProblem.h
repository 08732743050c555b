#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// Why a serial port could not be opened, found out after the fact from the
// file system and the port's lock file, and what the operator can do.
struct PortProblem {
    enum class Kind {
        None,       // nothing wrong found (the port may open now)
        Missing,    // no such device: unplugged, or a link to a device that is gone
        Permission, // the device exists but this user may not open it
        Busy,       // another program holds it
    };

    Kind kind = Kind::None;
    QString port;   // the port name as configured
    QString group;  // Permission: the group that owns the device (dialout, uucp, ...)
    QString holder; // Busy: the program holding it ("rigctl, PID 1234"); empty when unknown

    // The text for the operator (message box of the controller).
    QString message() const;

    // Looks at the port after an open failed.
    static PortProblem diagnose(const QString &port);

    // The program that holds `port` by a lock file ("LCK.." + name in the
    // usual lock folders) or, for this user's processes, an open descriptor.
    // Empty when nothing says.
    static QString holderOf(const QString &port, const QStringList &lockDirs = defaultLockDirs());
    static QStringList defaultLockDirs();
};

} // namespace vm
