// The fldigi XML-RPC client against a stand-in server that answers as fldigi does.
#include "platform/FldigiClient.h"
#include "ProcessTools.h"

#include <QMap>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <gtest/gtest.h>

using namespace vm;

namespace {

QByteArray http(const QByteArray &status, const QByteArray &xml)
{
    return "HTTP/1.1 " + status +
           "\r\nContent-Type: text/xml\r\nContent-Length: " + QByteArray::number(xml.size()) + "\r\n\r\n" +
           xml;
}

QByteArray answer(const QByteArray &value)
{
    return http("200 OK", "<?xml version=\"1.0\"?><methodResponse><params><param><value>" + value +
                              "</value></param></params></methodResponse>");
}

// Serves, in its own thread, one answer per method name found in a request.
class StandIn : public QThread {
public:
    QMap<QByteArray, QByteArray> answers;
    quint16 port = 0;
    QSemaphore ready;

    void run() override
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        port = server.serverPort();
        ready.release();
        QObject::connect(&server, &QTcpServer::newConnection, [&] {
            QTcpSocket *s = server.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, [this, s] {
                const QByteArray request = s->readAll();
                for (auto it = answers.begin(); it != answers.end(); ++it) {
                    if (request.contains("<methodName>" + it.key() + "</methodName>"))
                        s->write(it.value());
                }
                s->disconnectFromHost();
            });
        });
        exec();
    }
};

} // namespace

TEST(FldigiClient, ReadsCallAndModeFromAStandInServer)
{
    test::ensureApplication();
    StandIn server;
    server.answers = {
        {"log.get_call", answer("<string>JA1ABC</string>")},
        {"modem.get_name", answer("PSK31")},
        {"fault.me", http("200 OK", "<methodResponse><fault><value><struct><member><name>faultString"
                                    "</name><value>no</value></member></struct></value></fault>"
                                    "</methodResponse>")}};
    server.start();
    server.ready.acquire();
    FldigiClient client(QStringLiteral("127.0.0.1"), server.port);
    EXPECT_EQ(client.callSign(), QString("JA1ABC"));
    EXPECT_EQ(client.modeName(), QString("PSK31"));
    QString why;
    EXPECT_FALSE(client.call("fault.me", &why));
    EXPECT_TRUE(why.startsWith("fault")) << why.toStdString();
    server.quit();
    server.wait();
    EXPECT_FALSE(FldigiClient(QStringLiteral("127.0.0.1"), server.port, 500).callSign(&why));
    EXPECT_FALSE(FldigiClient::parseResponse(http("500 Oops", "")));
}
