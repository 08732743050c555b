#pragma once
// Datagrams of the WSJT-X UDP protocol that loggers (QLog, CQRLOG,
// GridTracker, ...) listen to: big-endian QDataStream (Qt 5.4 encoding,
// schema 3) after the magic number and the schema number; texts are UTF-8
// byte arrays with a 32-bit length.
#include "logbook/Qso.h"

#include <QByteArray>
#include <QString>

namespace vm::wsjtx {

constexpr quint32 Magic = 0xadbccbda;
constexpr quint32 Schema = 3;

enum class Type : quint32 {
    Heartbeat = 0,
    Status = 1,
    QsoLogged = 5,
    LoggedAdif = 12,
};

// Our client id in every datagram.
inline QString clientId()
{
    return QStringLiteral("Velomira");
}

QByteArray heartbeat(const QString &version);
// The state a logger shows before the contact arrives: dial frequency (the
// uplink), mode, the other station's call and grid.
QByteArray status(const Qso &qso);
// `id`: the sending program (WSJT-X names itself, with its rig name).
QByteArray qsoLogged(const Qso &qso, const QDateTime &timeOffUtc, const QString &id = clientId());
// A complete ADIF text (header and one record) of the contact.
QByteArray loggedAdif(const Qso &qso, const QDateTime &nowUtc);

} // namespace vm::wsjtx
