#pragma once
// Sends contacts to loggers over the WSJT-X UDP protocol: a heartbeat and a
// status, then "QSO Logged" and "Logged ADIF". The address may be a
// multicast group.
#include "logbook/Qso.h"

#include <QHostAddress>
#include <QString>
#include <QUdpSocket>

namespace vm {

class WsjtxSender {
public:
    static constexpr quint16 DefaultPort = 2237;
    static QString defaultHost() { return QStringLiteral("127.0.0.1"); }

    // `host` is an address (names are not looked up: the panel must not
    // block on a resolver); an invalid one makes every send fail with a reason.
    WsjtxSender(const QString &host, quint16 port);

    // False with the reason when a datagram could not be sent.
    bool send(const Qso &qso, const QDateTime &nowUtc, QString *error = nullptr);

private:
    bool sendOne(const QByteArray &datagram, QString *error);

    QHostAddress m_address;
    QString m_hostText;
    quint16 m_port;
    QUdpSocket m_socket;
};

} // namespace vm
