#include "logbook/WsjtxSender.h"
#include "logbook/WsjtxMessage.h"

#include "ProcessTools.h"

#include <QDataStream>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <gtest/gtest.h>

using namespace vm;

namespace {

Qso satelliteContact()
{
    Qso q;
    q.call = "JA1XYZ";
    q.grid = "PM95";
    q.mode = "USB";
    q.rstSent = "59";
    q.rstRcvd = "55";
    q.timeOn = QDateTime(QDate(2026, 12, 7), QTime(5, 10, 0), Qt::UTC);
    q.txHz = 145'960'000;
    q.rxHz = 435'810'000;
    q.satName = "FO-29";
    q.comment = "衛星 FO-29";
    return q;
}

QString utf8(QDataStream &in)
{
    QByteArray b;
    in >> b;
    return QString::fromUtf8(b);
}

} // namespace

TEST(WsjtxSender, DatagramsFollowTheMessageFormat)
{
    test::ensureApplication();
    QUdpSocket logger;
    ASSERT_TRUE(logger.bind(QHostAddress::LocalHost, 0));
    WsjtxSender sender(WsjtxSender::defaultHost(), logger.localPort());
    const QDateTime off(QDate(2026, 12, 7), QTime(5, 12, 30), Qt::UTC);
    QString error;
    ASSERT_TRUE(sender.send(satelliteContact(), off, &error)) << error.toStdString();

    QList<quint32> types;
    while (types.size() < 4 && (logger.hasPendingDatagrams() || logger.waitForReadyRead(test::GenerousMs))) {
        const QByteArray bytes = logger.receiveDatagram().data();
        QDataStream in(bytes);
        in.setVersion(QDataStream::Qt_5_4);
        quint32 magic = 0, schema = 0, type = 0;
        // The header as WSJT-X reads it: PanelSystem.TransferReachesTheWsjtxUdpDaemon.
        in >> magic >> schema >> type;
        utf8(in);
        types.append(type);
        if (type == 5) {
            QDateTime timeOff, timeOn;
            quint64 hz = 0;
            in >> timeOff;
            const QString call = utf8(in), grid = utf8(in);
            in >> hz;
            const QString mode = utf8(in), sent = utf8(in), rcvd = utf8(in);
            utf8(in);
            const QString comment = utf8(in);
            utf8(in);
            in >> timeOn;
            for (int i = 0; i < 5; ++i)
                utf8(in);
            const QString prop = utf8(in);
            EXPECT_EQ(in.status(), QDataStream::Ok);
            EXPECT_EQ(timeOff, off);
            EXPECT_EQ(timeOn, satelliteContact().timeOn);
            EXPECT_EQ(QStringList({call, grid, mode, sent, rcvd, comment, prop}),
                      QStringList({"JA1XYZ", "PM95", "SSB", "59", "55", "衛星 FO-29", "SAT"}));
            EXPECT_EQ(hz, 145'960'000u);
        } else if (type == 12) {
            const QString text = utf8(in);
            EXPECT_TRUE(text.contains("<COMMENT:12>衛星 FO-29")) << text.toStdString(); // UTF-8 bytes
        }
    }
    EXPECT_EQ(types, (QList<quint32>{0, 1, 5, 12}));
}

TEST(WsjtxSender, BadAddressIsReported)
{
    test::ensureApplication();
    QString error;
    EXPECT_FALSE(WsjtxSender("logger.invalid", 2237)
                     .send(satelliteContact(), QDateTime::currentDateTimeUtc(), &error));
    EXPECT_FALSE(error.isEmpty());
}
