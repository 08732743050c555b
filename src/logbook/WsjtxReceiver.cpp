#include "logbook/WsjtxReceiver.h"

#include "logbook/WsjtxMessage.h"

#include <QDataStream>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <limits>

namespace vm {

namespace wsjtx {

namespace {

QString text(QDataStream &in)
{
    QByteArray bytes;
    in >> bytes;
    return QString::fromUtf8(bytes);
}

} // namespace

std::optional<LoggedContact> parseQsoLogged(const QByteArray &datagram)
{
    QDataStream in(datagram);
    in.setVersion(QDataStream::Qt_5_4);
    in.setByteOrder(QDataStream::BigEndian);
    quint32 magic = 0;
    quint32 schema = 0;
    quint32 type = 0;
    in >> magic >> schema >> type;
    if (in.status() != QDataStream::Ok || magic != Magic || type != quint32(Type::QsoLogged))
        return std::nullopt;
    LoggedContact c;
    c.clientId = text(in);
    QDateTime timeOff;
    quint64 txHz = 0;
    in >> timeOff;
    c.qso.call = text(in).trimmed().toUpper();
    c.qso.grid = text(in).trimmed();
    in >> txHz;
    c.qso.mode = text(in).trimmed();
    c.qso.rstSent = text(in).trimmed();
    c.qso.rstRcvd = text(in).trimmed();
    text(in); // Tx power
    c.qso.comment = text(in).trimmed();
    text(in); // name
    in >> c.qso.timeOn;
    text(in); // operator call
    c.qso.myCall = text(in).trimmed().toUpper();
    c.qso.myGrid = text(in).trimmed();
    // Exchanges and the propagation mode follow in newer versions; not needed.
    if (in.status() != QDataStream::Ok || c.qso.call.isEmpty() || !c.qso.timeOn.isValid())
        return std::nullopt;
    c.qso.timeOn = c.qso.timeOn.toUTC();
    c.qso.txHz = qint64(qMin<quint64>(txHz, quint64(std::numeric_limits<qint64>::max())));
    return c;
}

} // namespace wsjtx

WsjtxReceiver::WsjtxReceiver(QObject *parent) : QObject(parent), m_socket(new QUdpSocket(this))
{
    connect(m_socket, &QUdpSocket::readyRead, this, &WsjtxReceiver::readPending);
}

bool WsjtxReceiver::listen(quint16 port, QString *error)
{
    close();
    if (m_socket->bind(QHostAddress::LocalHost, port))
        return true;
    if (error)
        *error = m_socket->errorString();
    return false;
}

void WsjtxReceiver::close()
{
    m_socket->close();
}

bool WsjtxReceiver::listening() const
{
    return m_socket->state() == QAbstractSocket::BoundState;
}

void WsjtxReceiver::readPending()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        const std::optional<wsjtx::LoggedContact> c = wsjtx::parseQsoLogged(datagram.data());
        if (c && c->clientId != wsjtx::clientId())
            emit contactLogged(c->qso, c->clientId);
    }
}

} // namespace vm
