#include "RigServer.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vm::sim {

namespace {

volatile std::sig_atomic_t g_stop = 0;

bool writeAll(int fd, const QByteArray &data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + done, size_t(data.size() - done), MSG_NOSIGNAL);
        if (n < 0 && errno == ENOTSOCK) {
            const ssize_t w = ::write(fd, data.constData() + done, size_t(data.size() - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return false;
            done += w;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

RigServer::RigServer(ConsoleRig &rig, int baudRate, int processingMs)
    : m_rig(rig), m_line(rig), m_console(rig, baudRate)
{
    m_line.setLineFormat(baudRate, 1);
    m_line.setProcessingUs(qint64(processingMs) * 1000);
}

RigServer::~RigServer()
{
    for (const Client &client : m_clients)
        ::close(client.fd);
    if (m_listenFd >= 0) {
        ::close(m_listenFd);
        QFile::remove(m_controlPath);
    }
    if (!m_linkPath.isEmpty())
        QFile::remove(m_linkPath);
}

void RigServer::requestStop()
{
    g_stop = 1;
}

qint64 RigServer::nowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

bool RigServer::start(const QString &controlPath, const QString &linkPath, QString *error)
{
    if (!m_pty.open(error))
        return false;
    if (!linkPath.isEmpty()) {
        QFile::remove(linkPath); // a link left by an earlier run
        if (::symlink(m_pty.slavePath().toLocal8Bit().constData(), linkPath.toLocal8Bit().constData()) != 0) {
            *error = QStringLiteral("cannot create link %1: %2")
                         .arg(linkPath, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        m_linkPath = linkPath;
    }
    if (!controlPath.isEmpty()) {
        const QByteArray path = controlPath.toLocal8Bit();
        sockaddr_un address{};
        if (size_t(path.size()) >= sizeof(address.sun_path)) {
            *error = QStringLiteral("control socket path too long: %1").arg(controlPath);
            return false;
        }
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        m_listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ::unlink(path.constData());
        if (m_listenFd < 0 ||
            ::bind(m_listenFd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 ||
            ::listen(m_listenFd, 8) != 0) {
            *error = QStringLiteral("cannot listen on %1: %2")
                         .arg(controlPath, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        m_controlPath = controlPath;
    }
    return true;
}

bool RigServer::readMaster()
{
    char buffer[512];
    const ssize_t n = ::read(m_pty.masterFd(), buffer, sizeof(buffer));
    if (n > 0) {
        m_line.send(QByteArray(buffer, int(n)), nowUs());
        return true;
    }
    return false;
}

void RigServer::serveLine()
{
    m_line.advanceTo(nowUs());
    if (m_line.available() > 0)
        m_toController += m_line.take(m_line.available());
    while (!m_toController.isEmpty()) {
        const ssize_t n =
            ::write(m_pty.masterFd(), m_toController.constData(), size_t(m_toController.size()));
        if (n <= 0)
            break; // the pseudo-terminal is full; try again on the next turn
        m_toController.remove(0, qsizetype(n));
    }
}

void RigServer::handleLines(QByteArray &buffer, int replyFd)
{
    qsizetype end;
    while ((end = buffer.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(buffer.left(end)).trimmed();
        buffer.remove(0, end + 1);
        if (line.isEmpty())
            continue;
        bool quit = false;
        const QString reply = m_console.handle(line, &quit);
        writeAll(replyFd, reply.toUtf8() + '\n');
        if (quit)
            m_quit = true;
    }
}

void RigServer::acceptClient()
{
    const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0)
        m_clients.append(Client{fd, {}});
}

int RigServer::run()
{
    // The stop signals are only let through inside ppoll(), so one that comes
    // between the check of g_stop and the wait cannot be slept through.
    sigset_t stopSignals;
    sigset_t waitMask;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);

    while (!m_quit && !g_stop) {
        serveLine();

        QList<pollfd> fds;
        fds.append({m_pty.masterFd(), short(POLLIN | (m_toController.isEmpty() ? 0 : POLLOUT)), 0});
        const int stdinIndex = m_stdinOpen ? int(fds.size()) : -1;
        if (m_stdinOpen)
            fds.append({STDIN_FILENO, POLLIN, 0});
        const int listenIndex = m_listenFd >= 0 ? int(fds.size()) : -1;
        if (m_listenFd >= 0)
            fds.append({m_listenFd, POLLIN, 0});
        const int firstClient = int(fds.size());
        for (const Client &client : m_clients)
            fds.append({client.fd, POLLIN, 0});

        // Sleep to the next byte's moment to the microsecond: at 115200 baud a
        // byte takes 87 us, and whole milliseconds would bunch them up.
        const qint64 next = m_line.nextEventUs();
        const qint64 waitUs = next >= 0 ? std::max<qint64>(0, next - nowUs()) : -1;
        timespec timeout{time_t(waitUs / 1'000'000), long(waitUs % 1'000'000) * 1000L};
        const int ready = ::ppoll(fds.data(), nfds_t(fds.size()), waitUs < 0 ? nullptr : &timeout, &waitMask);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        if (fds.at(0).revents & POLLIN) {
            while (readMaster()) {
            }
        }
        if (stdinIndex >= 0 && (fds.at(stdinIndex).revents & (POLLIN | POLLHUP | POLLERR))) {
            char buffer[1024];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof(buffer));
            if (n > 0) {
                m_stdinBuffer.append(buffer, int(n));
                handleLines(m_stdinBuffer, STDOUT_FILENO);
            } else {
                m_stdinOpen = false; // keep serving without a console
            }
        }
        if (listenIndex >= 0 && (fds.at(listenIndex).revents & POLLIN))
            acceptClient();
        for (int i = int(fds.size()) - 1; i >= firstClient; --i) {
            if (!(fds.at(i).revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            Client &client = m_clients[i - firstClient];
            char buffer[1024];
            const ssize_t n = ::read(client.fd, buffer, sizeof(buffer));
            if (n > 0) {
                client.pending.append(buffer, int(n));
                handleLines(client.pending, client.fd);
            } else {
                ::close(client.fd);
                m_clients.removeAt(i - firstClient);
            }
        }
    }
    return 0;
}

} // namespace vm::sim
