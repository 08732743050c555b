#pragma once
// Takes the contacts WSJT-X and JTDX announce over their UDP protocol: the
// "QSO Logged" datagrams (type 5) they send to their UDP server address when
// the operator logs a contact.
#include "logbook/Qso.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

class QUdpSocket;

namespace vm {

namespace wsjtx {

struct LoggedContact {
    QString clientId; // "WSJT-X", "JTDX", or "WSJT-X - SAT" with a rig name
    Qso qso;
};

// The contact of a "QSO Logged" datagram; nullopt for any other type, a
// foreign magic number or a short or malformed datagram.
std::optional<LoggedContact> parseQsoLogged(const QByteArray &datagram);

} // namespace wsjtx

class WsjtxReceiver final : public QObject {
    Q_OBJECT
public:
    explicit WsjtxReceiver(QObject *parent = nullptr);

    // Listens on the loopback port; false with the reason when it is taken.
    bool listen(quint16 port, QString *error = nullptr);
    void close();
    bool listening() const;

signals:
    // Our own datagrams (client id "Velomira", sent to loggers) are not taken.
    void contactLogged(const vm::Qso &qso, const QString &clientId);

private:
    void readPending();

    QUdpSocket *m_socket;
};

} // namespace vm
