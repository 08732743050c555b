#include "logbook/WsjtxSender.h"

#include "logbook/WsjtxMessage.h"

#include <QCoreApplication>
#include <QDateTime>

namespace vm {

WsjtxSender::WsjtxSender(const QString &host, quint16 port)
    : m_address(host.trimmed()), m_hostText(host.trimmed()), m_port(port)
{
    if (m_address.isMulticast())
        m_socket.setSocketOption(QAbstractSocket::MulticastTtlOption, 1);
}

bool WsjtxSender::sendOne(const QByteArray &datagram, QString *error)
{
    if (m_socket.writeDatagram(datagram, m_address, m_port) == datagram.size())
        return true;
    if (error)
        *error = QCoreApplication::translate("WsjtxSender", "UDP送信に失敗しました: %1:%2 (%3)")
                     .arg(m_hostText)
                     .arg(m_port)
                     .arg(m_socket.errorString());
    return false;
}

bool WsjtxSender::send(const Qso &qso, const QDateTime &nowUtc, QString *error)
{
    if (m_address.isNull() || m_port == 0) {
        if (error)
            *error = QCoreApplication::translate("WsjtxSender", "UDPの送り先が正しくありません: %1:%2")
                         .arg(m_hostText)
                         .arg(m_port);
        return false;
    }
    const QString version = QCoreApplication::applicationVersion().isEmpty()
                                ? QStringLiteral("0.1")
                                : QCoreApplication::applicationVersion();
    return sendOne(wsjtx::heartbeat(version), error) && sendOne(wsjtx::status(qso), error) &&
           sendOne(wsjtx::qsoLogged(qso, nowUtc), error) && sendOne(wsjtx::loggedAdif(qso, nowUtc), error);
}

} // namespace vm
