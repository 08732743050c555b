// The real serial port layer on pseudo-terminals: the test holds the master
// side and plays the rig.

#include "ProcessTools.h"
#include "QtPrinters.h"
#include "cat/PortList.h"
#include "cat/PortProblem.h"
#include "cat/QSerialPortTransport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

using namespace vm;
using vm::test::ensureApplication;

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

private:
    int m_master = -1;
    QString m_slavePath;
};

SerialSettings settingsFor(const QString &path)
{
    SerialSettings s;
    s.portName = path;
    s.baudRate = 19200;
    s.stopBits = 1;
    return s;
}

} // namespace

TEST(SerialPort, WaitsAndPurges)
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
    // A purge drops buffered input.
    pty.send("stale");
    ASSERT_EQ(port.waitForBytes(7, 10'000), 7);
    port.purge(false, true);
    pty.send("fresh");
    EXPECT_EQ(port.waitForBytes(5, 10'000), 5);
    EXPECT_EQ(port.read(5, 200), QByteArray("fresh"));
    // A missing device: ControllerStart.RigPortThatCannotBeOpenedIsExplainedAndItsSettingsStay.
}

TEST(PortListing, AvailableInUseAndMissingPorts)
{
    ensureApplication();
    Pty pty;
    const QString path = pty.slavePath();
    const QString self = QStringLiteral("PID %1").arg(QCoreApplication::applicationPid());
    EXPECT_EQ(PortList::lineFor(path), path + QStringLiteral(">使用可能です"));
    {
        QSerialPortTransport holder;
        ASSERT_TRUE(holder.open(settingsFor(path)));
        // In use, and by whom: this test program holds it.
        const QString line = PortList::lineFor(path);
        EXPECT_TRUE(line.startsWith(path + QStringLiteral(">他で使用中です"))) << line.toStdString();
        EXPECT_TRUE(line.contains(self)) << line.toStdString();
        EXPECT_TRUE(PortList::lines({path}).contains(line));
    }
    EXPECT_EQ(PortList::lineFor(path), path + QStringLiteral(">使用可能です"));
    EXPECT_EQ(PortList::lineFor(QStringLiteral("/dev/velomira-no-such-port")), QString());
    EXPECT_EQ(PortList::portOfLine(path + QStringLiteral(">使用可能です  (/dev/pts/3)")), path);
    EXPECT_EQ(PortList::portOfLine(QStringLiteral("/dev/ttyUSB0")), QStringLiteral("/dev/ttyUSB0"));
}

TEST(PortListing, StableByIdNamesComeFirst)
{
    ensureApplication();
    Pty adapter;
    Pty other;
    QTemporaryDir byId;
    ASSERT_TRUE(byId.isValid());
    const QString link = byId.filePath(QStringLiteral("usb-Icom_Inc._IC-9700_13001234-if00"));
    ASSERT_TRUE(QFile::link(adapter.slavePath(), link));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/velomira-gone"), byId.filePath(QStringLiteral("usb-gone"))));
    const QStringList lines = PortList::lines({other.slavePath(), adapter.slavePath()}, byId.path());
    ASSERT_FALSE(lines.isEmpty());
    // The link stands for its device, which is not listed a second time; a
    // link to a device that is gone is left out.
    EXPECT_EQ(lines.first(), link + QStringLiteral(">使用可能です  (") + adapter.slavePath() + u')');
    EXPECT_EQ(lines.filter(adapter.slavePath()).size(), 1);
    EXPECT_EQ(lines.last(), other.slavePath() + QStringLiteral(">使用可能です"));
    EXPECT_TRUE(lines.filter(QStringLiteral("usb-gone")).isEmpty());
}

TEST(PortProblemDiagnosis, MissingDeviceBusyPortAndWhatToDo)
{
    ensureApplication();
    QTemporaryDir dir;
    const QString dangling = dir.filePath(QStringLiteral("rig"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/velomira-unplugged"), dangling));
    for (const QString &missing : {QStringLiteral("/dev/velomira-no-such-port"), dangling}) {
        const PortProblem p = PortProblem::diagnose(missing);
        EXPECT_EQ(p.kind, PortProblem::Kind::Missing) << missing.toStdString();
        EXPECT_TRUE(p.message().contains(QStringLiteral("ケーブル"))) << p.message().toStdString();
    }

    Pty pty;
    QSerialPortTransport holder;
    ASSERT_TRUE(holder.open(settingsFor(pty.slavePath())));
    QSerialPortTransport second;
    EXPECT_FALSE(second.open(settingsFor(pty.slavePath())));
    EXPECT_EQ(second.openProblem().kind, PortProblem::Kind::Busy);
    EXPECT_TRUE(second.openProblem().holder.contains(
        QStringLiteral("PID %1").arg(QCoreApplication::applicationPid())));
    EXPECT_TRUE(second.openProblem().message().contains(second.openProblem().holder));

    // Permission: the owning group and the command that joins it.
    PortProblem denied;
    denied.kind = PortProblem::Kind::Permission;
    denied.port = QStringLiteral("/dev/ttyUSB0");
    denied.group = QStringLiteral("dialout");
    EXPECT_TRUE(denied.message().contains(QStringLiteral("sudo usermod -aG dialout $USER")));
}
