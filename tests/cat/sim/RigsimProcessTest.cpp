#include "rigsim/CivCodec.h"

#include "ProcessTools.h"
#include "TestPaths.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

using namespace vm::sim;

namespace {

constexpr int kGenerousMs = 10'000;

using vm::sim::civ::bytes;

// rigsim started as a process, its console on standard input and output.
class Rigsim {
public:
    explicit Rigsim(const QStringList &arguments)
    {
        m_process.setProgram(vm::test::program("rigsim"));
        m_process.setArguments(arguments);
        m_process.start();
    }
    ~Rigsim()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(kGenerousMs))
                m_process.kill();
            m_process.waitForFinished(kGenerousMs);
        }
    }

    // Next line of standard output, empty when none came within the time-out.
    QString readLine() { return vm::test::readLine(m_process, kGenerousMs); }
    QString command(const QString &line) { return vm::test::consoleCommand(m_process, line, kGenerousMs); }

    // Console listing: "OK <n>" and n lines.
    QStringList listing(const QString &line)
    {
        const QString head = command(line);
        QStringList lines;
        if (!head.startsWith(QLatin1String("OK ")))
            return {head};
        const int count = head.mid(3).toInt();
        for (int i = 0; i < count; ++i)
            lines << readLine();
        return lines;
    }

    QProcess &process() { return m_process; }

private:
    QProcess m_process;
};

// The controller's end of the pseudo-terminal, in raw mode.
class Port {
public:
    explicit Port(const QString &path)
    {
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd >= 0) {
            termios tio{};
            ::tcgetattr(m_fd, &tio);
            ::cfmakeraw(&tio);
            ::cfsetspeed(&tio, B19200);
            ::tcsetattr(m_fd, TCSANOW, &tio);
            ::tcflush(m_fd, TCIOFLUSH);
        }
    }
    ~Port()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }

    void write(const QByteArray &data)
    {
        ASSERT_EQ(::write(m_fd, data.constData(), size_t(data.size())), data.size());
    }

    // Reads until `count` bytes came or the generous time-out passed.
    QByteArray read(qsizetype count, int timeoutMs = kGenerousMs)
    {
        QByteArray out;
        QDeadlineTimer deadline(timeoutMs);
        while (out.size() < count) {
            pollfd fd{m_fd, POLLIN, 0};
            if (::poll(&fd, 1, int(deadline.remainingTime())) <= 0)
                break;
            char buffer[256];
            const ssize_t n = ::read(m_fd, buffer, size_t(std::min<qsizetype>(count - out.size(), 256)));
            if (n > 0)
                out.append(buffer, int(n));
        }
        return out;
    }

private:
    int m_fd = -1;
};

QByteArray frame(const QByteArray &body)
{
    return civ::frame(0xA2, 0xE0, body);
}

} // namespace

TEST(RigsimProcess, ServesCivOnAPseudoTerminalAndTakesOperatorActions)
{
    Rigsim sim({"--model", "IC9700", "--baud", "19200"});
    const QString path = sim.readLine();
    ASSERT_TRUE(path.startsWith(QLatin1String("/dev/pts/"))) << path.toStdString();
    Port port(path);
    ASSERT_TRUE(port.isOpen());

    // The operator turns the main dial; the controller reads it back.
    ASSERT_EQ(sim.command("dial main 145950000"), "OK 145950000 USB 1 0");
    port.write(frame(bytes({0x03})));
    const QByteArray back = port.read(17);
    ASSERT_EQ(back.size(), 17);
    EXPECT_EQ(back.left(6), frame(bytes({0x03})));
    EXPECT_EQ(back.mid(6), civ::frame(0xE0, 0xA2, bytes({0x03}) + civ::encodeFrequency(145'950'000)));

    // Band exchange and satellite mode, then the state the console reports.
    port.write(frame(bytes({0x07, 0xB0})));
    EXPECT_EQ(port.read(13).size(), 13);
    port.write(frame(bytes({0x16, 0x5A, 0x01})));
    EXPECT_EQ(port.read(14).mid(8), civ::frame(0xE0, 0xA2, bytes({0xFB})));
    const QString status = sim.command("status");
    EXPECT_TRUE(status.contains("satellite=on")) << status.toStdString();
    EXPECT_TRUE(status.contains("sub=145950000/USB/1/0")) << status.toStdString();
    EXPECT_EQ(sim.command("mode main CW"), "OK 435000000 CW 1 0");

    const QStringList log = sim.listing("log");
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log.at(0), "A2 03 -> data");
    EXPECT_EQ(log.at(1), "A2 07 B0 -> OK");
    EXPECT_EQ(log.at(2), "A2 16 5A 01 -> OK");
    EXPECT_EQ(sim.command("bogus").left(3), "ERR");
    EXPECT_EQ(sim.command("quit"), "OK");
    EXPECT_TRUE(sim.process().waitForFinished(kGenerousMs));
    EXPECT_EQ(sim.process().exitCode(), 0);
}

TEST(RigsimProcess, FailureModesOnDemand)
{
    Rigsim sim({"--model", "IC9700"});
    Port port(sim.readLine());
    ASSERT_TRUE(port.isOpen());
    const QByteArray read = frame(bytes({0x03}));

    // Silent: once the rig has logged the command, nothing has come back.
    ASSERT_EQ(sim.command("silent"), "OK");
    port.write(read);
    QDeadlineTimer deadline(kGenerousMs);
    while (sim.command("status").contains("commands=0") && !deadline.hasExpired()) {
    }
    EXPECT_TRUE(port.read(1, 0).isEmpty());

    // Short: the answer loses its last byte; the next command's echo follows at once.
    ASSERT_EQ(sim.command("short"), "OK");
    port.write(read);
    const QByteArray shortBack = port.read(16);
    ASSERT_EQ(shortBack.size(), 16);
    ASSERT_EQ(sim.command("resume"), "OK");
    port.write(read);
    const QByteArray normal = port.read(17);
    EXPECT_EQ(normal.left(6), read);
    EXPECT_EQ(normal.mid(6, 10), shortBack.mid(6, 10));
    EXPECT_EQ(quint8(normal.back()), 0xFD);

    // Garbage: as many bytes as a good answer, none of them a frame byte.
    ASSERT_EQ(sim.command("garbage"), "OK");
    port.write(read);
    const QByteArray noise = port.read(17);
    ASSERT_EQ(noise.size(), 17);
    EXPECT_EQ(noise.left(6), read);
    EXPECT_FALSE(noise.mid(6).contains(char(0xFE)));

    // Reject: NG for everything.
    ASSERT_EQ(sim.command("reject"), "OK");
    port.write(read);
    EXPECT_EQ(port.read(12).mid(6), civ::frame(0xE0, 0xA2, bytes({0xFA})));
}

TEST(RigsimProcess, ControlSocketAndLink)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString control = dir.filePath("rig.sock");
    const QString link = dir.filePath("ttyIC705");
    Rigsim sim({"--model", "IC705", "--control", control, "--link", link});
    const QString path = sim.readLine();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), path);

    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = control.toLocal8Bit();
    std::memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0)
        << std::strerror(errno);
    const QByteArray request("dial main 7074000\n");
    ASSERT_EQ(::write(fd, request.constData(), size_t(request.size())), request.size());
    QByteArray reply;
    QDeadlineTimer deadline(kGenerousMs);
    while (!reply.contains('\n') && !deadline.hasExpired()) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, int(deadline.remainingTime())) <= 0)
            break;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof(buffer));
        if (n <= 0)
            break;
        reply.append(buffer, int(n));
    }
    ::close(fd);
    EXPECT_EQ(reply, "OK 7074000 USB 1 0\n");

    // The IC-705 answers at its own address through the link.
    Port port(link);
    ASSERT_TRUE(port.isOpen());
    const QByteArray read = civ::frame(0xA4, 0xE0, bytes({0x03}));
    port.write(read);
    EXPECT_EQ(port.read(17).mid(6), civ::frame(0xE0, 0xA4, bytes({0x03}) + civ::encodeFrequency(7'074'000)));

    sim.process().terminate();
    ASSERT_TRUE(sim.process().waitForFinished(kGenerousMs));
    EXPECT_FALSE(QFileInfo::exists(link));
    EXPECT_FALSE(QFileInfo::exists(control));
}

TEST(RigsimProcess, RefusesAnUnknownModel)
{
    Rigsim sim({"--model", "IC999"});
    ASSERT_TRUE(sim.process().waitForFinished(kGenerousMs));
    EXPECT_EQ(sim.process().exitCode(), 2);
    EXPECT_TRUE(sim.process().readAllStandardError().contains("unknown model"));
}

// Hamlib's rigctl talks to the simulated rigs as to the real ones.
TEST(RigsimProcess, HamlibRigctlSetsAndReadsFrequencyAndMode)
{
    const QString rigctl = QStandardPaths::findExecutable("rigctl");
    if (rigctl.isEmpty())
        GTEST_SKIP() << "Hamlib's rigctl is not installed";
    // Our model and Hamlib's model number for it (rigctl -l).
    const std::pair<const char *, const char *> models[] = {
        {"IC9700", "3081"}, {"IC705", "3085"}, {"IC9100", "3068"}, {"IC910", "3044"}};
    for (const auto &[model, hamlibModel] : models) {
        SCOPED_TRACE(model);
        Rigsim sim({"--model", model, "--baud", "19200"});
        const QString path = sim.readLine();
        ASSERT_FALSE(path.isEmpty());

        QProcess client;
        client.start(rigctl, {"-m", hamlibModel, "-r", path, "-s", "19200", "F", "145880000", "f", "M", "CW",
                              "500", "m"});
        ASSERT_TRUE(client.waitForFinished(60'000));
        const QStringList out =
            QString::fromUtf8(client.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(client.exitCode(), 0) << client.readAllStandardError().toStdString();
        ASSERT_GE(out.size(), 2);
        EXPECT_EQ(out.at(0), "145880000");
        EXPECT_EQ(out.at(1), "CW");
        const QString dial = sim.command("dial main");
        EXPECT_TRUE(dial.startsWith("OK 145880000 CW")) << dial.toStdString();
    }
}
