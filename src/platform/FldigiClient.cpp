#include "platform/FldigiClient.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QXmlStreamReader>

namespace vm {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

constexpr qsizetype MaxResponse = 1 << 20;

} // namespace

FldigiClient::FldigiClient(QString host, quint16 port, int timeoutMs)
    : m_host(std::move(host)), m_port(port), m_timeoutMs(timeoutMs)
{
}

QByteArray FldigiClient::request(const char *method, const QString &host, quint16 port)
{
    const QByteArray body = QByteArrayLiteral("<?xml version=\"1.0\"?><methodCall><methodName>") + method +
                            QByteArrayLiteral("</methodName><params></params></methodCall>");
    return QByteArrayLiteral("POST /RPC2 HTTP/1.1\r\nHost: ") + host.toUtf8() + ':' +
           QByteArray::number(port) + QByteArrayLiteral("\r\nContent-Type: text/xml\r\nContent-Length: ") +
           QByteArray::number(body.size()) + QByteArrayLiteral("\r\nConnection: close\r\n\r\n") + body;
}

qsizetype FldigiClient::completeLength(const QByteArray &http)
{
    const qsizetype end = http.indexOf("\r\n\r\n");
    if (end < 0)
        return 0;
    for (const QByteArray &line : http.left(end).split('\n')) {
        const QByteArray l = line.trimmed();
        if (l.toLower().startsWith("content-length:")) {
            bool ok = false;
            const qsizetype length = l.mid(15).trimmed().toLongLong(&ok);
            if (!ok || length < 0 || length > MaxResponse)
                return -1;
            return http.size() >= end + 4 + length ? end + 4 + length : 0;
        }
    }
    return 0; // no length: the answer ends with the connection
}

std::optional<QString> FldigiClient::parseResponse(const QByteArray &http, QString *error)
{
    const qsizetype end = http.indexOf("\r\n\r\n");
    const QList<QByteArray> status = http.left(http.indexOf("\r\n")).split(' ');
    if (end < 0 || status.size() < 2 || !status[0].startsWith("HTTP/")) {
        setError(error, QStringLiteral("not an HTTP response"));
        return std::nullopt;
    }
    if (status[1] != "200") {
        setError(error, QStringLiteral("HTTP status ") + QString::fromLatin1(status[1]));
        return std::nullopt;
    }
    QXmlStreamReader xml(http.mid(end + 4));
    bool inParam = false, inValue = false, fault = false;
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == u"fault")
                fault = true;
            else if (name == u"param")
                inParam = true;
            else if (name == u"value" && (inParam || fault))
                inValue = true;
        } else if (xml.isCharacters() && inValue) {
            text += xml.text();
        } else if (xml.isEndElement() && xml.name() == u"value" && inValue) {
            if (fault) {
                setError(error, QStringLiteral("fault: ") + text.simplified());
                return std::nullopt;
            }
            return text;
        }
    }
    setError(error, xml.hasError() ? xml.errorString() : QStringLiteral("no value in the response"));
    return std::nullopt;
}

std::optional<QString> FldigiClient::call(const char *method, QString *error)
{
    const QDeadlineTimer deadline(m_timeoutMs);
    QTcpSocket socket;
    socket.connectToHost(m_host, m_port);
    if (!socket.waitForConnected(int(deadline.remainingTime()))) {
        setError(error, socket.errorString());
        return std::nullopt;
    }
    socket.write(request(method, m_host, m_port));
    QByteArray answer;
    while (!deadline.hasExpired()) {
        if (!socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))) &&
            socket.state() != QAbstractSocket::ConnectedState) {
            answer += socket.readAll();
            break; // closed: the answer is complete
        }
        answer += socket.readAll();
        const qsizetype length = completeLength(answer);
        if (length != 0 || answer.size() > MaxResponse) {
            if (length > 0)
                answer.truncate(length);
            break;
        }
    }
    if (answer.isEmpty()) {
        setError(error, QStringLiteral("no answer from fldigi"));
        return std::nullopt;
    }
    return parseResponse(answer, error);
}

} // namespace vm
