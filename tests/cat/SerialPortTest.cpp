// The real serial port layer on pseudo-terminals: the test holds the master
// side and plays the rig.

#include "QtPrinters.h"
#include "cat/PortList.h"
#include "cat/QSerialPortTransport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

using namespace vm;

namespace {

// A pseudo-terminal pair; the slave path stands for a serial device.
class Pty {
public:
    Pty()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    }
    ~Pty()
    {
        if (m_master >= 0)
            ::close(m_master);
    }
    const QString &slavePath() const { return m_slavePath; }

    void send(const QByteArray &bytes)
    {
        ASSERT_EQ(::write(m_master, bytes.constData(), size_t(bytes.size())), bytes.size());
    }

    // What the port wrote, waiting up to a generous time-out for `count` bytes.
    QByteArray receive(qsizetype count)
    {
        QByteArray out;
        QElapsedTimer timer;
        timer.start();
        while (out.size() < count && timer.elapsed() < 10'000) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0) {
                char buf[256];
                const ssize_t n = ::read(m_master, buf, sizeof buf);
                if (n > 0)
                    out.append(buf, n);
            }
        }
        return out;
    }

private:
    int m_master = -1;
    QString m_slavePath;
};

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "cat_serial_tests";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

SerialSettings settingsFor(const QString &path)
{
    SerialSettings s;
    s.portName = path;
    s.baudRate = 19200;
    s.stopBits = 1;
    return s;
}

} // namespace

TEST(SerialPort, WaitEndsAtTheTimeOutWhenTooFewBytesCome)
{
    ensureApplication();
    Pty pty;
    QSerialPortTransport port;
    ASSERT_TRUE(port.open(settingsFor(pty.slavePath())));
    pty.send("abc");
    // Asks for more than will ever come: returns what is there once the
    // short time-out has passed.
    EXPECT_EQ(port.waitForBytes(10, 50), 3);
    EXPECT_EQ(port.read(10, 20), QByteArray("abc"));
    // The fixed wait (count -1) returns what arrived in the whole time.
    pty.send("de");
    EXPECT_EQ(port.waitForBytes(-1, 30), 2);
}

TEST(SerialPort, PurgeDropsBufferedInput)
{
    ensureApplication();
    Pty pty;
    QSerialPortTransport port;
    ASSERT_TRUE(port.open(settingsFor(pty.slavePath())));
    pty.send("stale");
    ASSERT_EQ(port.waitForBytes(5, 10'000), 5);
    port.purge(false, true);
    pty.send("fresh");
    EXPECT_EQ(port.waitForBytes(5, 10'000), 5);
    EXPECT_EQ(port.read(5, 200), QByteArray("fresh"));
}

TEST(SerialPort, MissingDeviceDoesNotOpen)
{
    ensureApplication();
    QSerialPortTransport port;
    EXPECT_FALSE(port.open(settingsFor("/dev/velomira-no-such-port")));
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.write("x"), -1);
    EXPECT_TRUE(port.read(3, 10).isEmpty());
}

TEST(PortListing, AvailableInUseAndMissingPorts)
{
    ensureApplication();
    Pty pty;
    const QString path = pty.slavePath();
    EXPECT_EQ(PortList::lineFor(path), path + ">使用可能です");
    {
        QSerialPortTransport holder;
        ASSERT_TRUE(holder.open(settingsFor(path)));
        EXPECT_EQ(PortList::lineFor(path), path + ">他で使用中です");
        const QStringList lines = PortList::lines({path});
        EXPECT_TRUE(lines.contains(path + ">他で使用中です"));
    }
    EXPECT_EQ(PortList::lineFor(path), path + ">使用可能です");
    EXPECT_EQ(PortList::lineFor("/dev/velomira-no-such-port"), QString());
    EXPECT_EQ(PortList::portOfLine(path + ">使用可能です"), path);
    EXPECT_EQ(PortList::portOfLine("/dev/ttyUSB0"), "/dev/ttyUSB0");
}
