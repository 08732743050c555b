#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vm {

// fldigi's XML-RPC interface, where the digital-mode contact comes from:
// the call sign in its log fields ("log.get_call") and the modem in use
// ("modem.get_name"). One blocking call at a time, as the transfer button
// needs them.
class FldigiClient {
public:
    static constexpr quint16 DefaultPort = 7362;

    explicit FldigiClient(QString host = QStringLiteral("127.0.0.1"), quint16 port = DefaultPort,
                          int timeoutMs = 2000);

    std::optional<QString> callSign(QString *error = nullptr) { return call("log.get_call", error); }
    std::optional<QString> modeName(QString *error = nullptr) { return call("modem.get_name", error); }
    // A method without parameters whose answer is a string.
    std::optional<QString> call(const char *method, QString *error = nullptr);

    // The HTTP request of a call.
    static QByteArray request(const char *method, const QString &host, quint16 port);
    // The string answer of an HTTP response carrying an XML-RPC method
    // response; nullopt with the reason on a fault, an HTTP error or text
    // that is not such a response.
    static std::optional<QString> parseResponse(const QByteArray &http, QString *error = nullptr);
    // Bytes of a whole response, 0 while more is needed.
    static qsizetype completeLength(const QByteArray &http);

private:
    QString m_host;
    quint16 m_port;
    int m_timeoutMs;
};

} // namespace vm
