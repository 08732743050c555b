#include "logbook/WsjtxSender.h"

#include "ProcessTools.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUdpSocket>
#include <gtest/gtest.h>

using namespace vm;

namespace {

Qso satelliteContact()
{
    Qso q;
    q.call = "JA1XYZ";
    q.mode = "CW";
    q.timeOn = QDateTime::currentDateTimeUtc();
    q.txHz = 145'960'000;
    q.rxHz = 435'810'000;
    q.satName = "FO-29";
    return q;
}

} // namespace

// The logged contact reaches WSJT-X's own reference server, a program we did
// not write, which prints the contacts it is told about.
TEST(WsjtxSender, UdpDaemonTakesTheContact)
{
    test::ensureApplication();
    const QString daemon = QStandardPaths::findExecutable("udp_daemon");
    if (daemon.isEmpty())
        GTEST_SKIP() << "udp_daemon (Debian package wsjtx) is not installed";
    QUdpSocket probe; // a free port for the daemon
    ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
    const quint16 port = probe.localPort();
    probe.close();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(daemon, {"-p", QString::number(port)});
    ASSERT_TRUE(process.waitForStarted());
    QByteArray output;
    WsjtxSender sender(WsjtxSender::defaultHost(), port);
    // The daemon listens a moment after it starts: send until it has shown the contact.
    const bool seen = test::waitUntil([&] {
        sender.send(satelliteContact(), QDateTime::currentDateTimeUtc());
        process.waitForReadyRead(500);
        output += process.readAll();
        return output.contains("<SAT_NAME:5>FO-29") && output.contains("<SAT_MODE:2>VU") &&
               output.contains("JA1XYZ");
    });
    test::stop(process);
    EXPECT_TRUE(seen) << output.toStdString();
}
