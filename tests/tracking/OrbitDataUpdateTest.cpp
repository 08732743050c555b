#include "tracking/OrbitDataUpdate.h"

#include "ProcessTools.h"
#include "TestPaths.h"
#include "TleFixtures.h"

#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vm;

namespace {

// Answers one HTTP request with a fixed status and body.
class OneShotHttpServer {
public:
    OneShotHttpServer(int status, QByteArray body)
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this, status, body] {
            QTcpSocket *socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, [socket, status, body] {
                if (!socket->peek(65536).contains("\r\n\r\n"))
                    return;
                socket->readAll();
                socket->write("HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Length: " +
                              QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/tle").arg(m_server.serverPort())); }

private:
    QTcpServer m_server;
};

QByteArray goodText()
{
    return test::tleText({test::kIss, test::kAo7}).toUtf8();
}

} // namespace

TEST(OrbitDataUpdate, ReplacesTheFileOnlyWithCheckedElementSets)
{
    test::ensureApplication();
    QByteArray badChecksum = goodText();
    badChecksum[badChecksum.indexOf('\n', badChecksum.indexOf("1 25544")) - 1] ^= 1;
    const QByteArray futureEpoch = goodText().replace("24001.50000000", "99001.50000000");
    const struct { int status; QByteArray body; bool replaced; } cases[] = {
        {200, goodText(), true},           {404, goodText(), false}, {200, badChecksum, false},
        {200, "<html>busy</html>", false}, {200, "", false},         {200, futureEpoch, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.body.left(40).toStdString() + " " + std::to_string(c.status));
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("nasabare.txt"));
        ASSERT_TRUE(test::writeFile(target, "old contents\n"));

        OneShotHttpServer server(c.status, c.body);
        QNetworkAccessManager network;
        OrbitDataUpdate update(network);
        QSignalSpy done(&update, &OrbitDataUpdate::finished);
        ASSERT_TRUE(update.start(server.url(), target));
        EXPECT_FALSE(update.start(server.url(), target)); // one download at a time
        ASSERT_TRUE(done.wait(10000));
        EXPECT_EQ(done.at(0).at(0).toBool(), c.replaced) << done.at(0).at(1).toString().toStdString();

        EXPECT_EQ(test::readFile(target), c.replaced ? c.body : QByteArray("old contents\n"));
    }
}

TEST(OrbitDataUpdate, SaysHowOldTheDataIs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    ASSERT_TRUE(test::writeFile(path, goodText()));
    const QDateTime epoch = QDateTime::fromMSecsSinceEpoch(test::kEpochMs, Qt::UTC);
    const OrbitDataCheck check = OrbitDataUpdate::checkText(goodText(), epoch.addDays(20));
    EXPECT_EQ(check.sets, 2);
    EXPECT_EQ(check.newestEpoch, epoch);
    const QString text = OrbitDataUpdate::describeFile(path, epoch.addDays(20).addSecs(-60));
    EXPECT_TRUE(text.contains(QStringLiteral("19 日前"))) << text.toStdString();
}
