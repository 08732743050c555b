#include "platform/LocalChannel.h"
#include "platform/LocalChannelParts.h"

#include "platform/ChannelWire.h"
#include "platform/RuntimeDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcChannel, "velomira.channel")

namespace vm {

using namespace channel_detail;

namespace {

QString errnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

bool fillAddress(const QByteArray &path, sockaddr_un *addr)
{
    std::memset(addr, 0, sizeof(*addr));
    addr->sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof(addr->sun_path)))
        return false;
    std::memcpy(addr->sun_path, path.constData(), path.size());
    return true;
}

int newSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// Connects fd to path; 0 or the errno. A full backlog of a live listener
// gives EAGAIN on a non-blocking Unix socket.
int connectTo(int fd, const QByteArray &path)
{
    sockaddr_un addr;
    if (!fillAddress(path, &addr))
        return ENAMETOOLONG;
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof(addr)) == 0)
            return 0;
        if (errno != EINTR)
            return errno;
    }
}

bool isAbsent(int err)
{
    return err == ENOENT || err == ECONNREFUSED || err == ENOTSOCK;
}

} // namespace

namespace channel_detail {

bool writeAll(int fd, const QByteArray &bytes, int limitMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const qint64 left = msUntil(deadline);
            if (left <= 0)
                return false;
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, static_cast<int>(left));
            continue;
        }
        return false;
    }
    return true;
}

void retire(QSocketNotifier *&notifier)
{
    if (!notifier)
        return;
    notifier->setEnabled(false);
    notifier->deleteLater();
    notifier = nullptr;
}

} // namespace channel_detail

LocalChannel::LocalChannel(const QString &runtimeDir)
    : m_runtimeDir(runtimeDir.isEmpty() ? RuntimeDir::defaultPath() : runtimeDir)
{
}

LocalChannel::~LocalChannel()
{
    if (const QString owed = m_peerWarnings.flush(); !owed.isEmpty())
        qCWarning(lcChannel).noquote() << owed;
    for (auto &[fd, in] : m_incoming) {
        retire(in->notifier);
        ::close(fd);
    }
    m_incoming.clear();
    const QStringList owned = titles();
    for (const QString &title : owned)
        unregisterTitle(title);
}

void LocalChannel::setIncompleteFrameLimitMs(int ms)
{
    m_incompleteLimit = std::chrono::milliseconds(std::max(ms, 1));
    armExpiry();
}

void LocalChannel::warnPeer(const QString &line)
{
    const qint64 now =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
    for (const QString &out : m_peerWarnings.note(line, now))
        qCWarning(lcChannel).noquote() << out;
}

bool LocalChannel::open()
{
    return ensureOpen();
}

bool LocalChannel::ensureOpen()
{
    if (m_opened)
        return true;
    QString error;
    if (!RuntimeDir::prepare(m_runtimeDir, &error)) {
        m_error = error;
        qCWarning(lcChannel).noquote() << error;
        return false;
    }
    m_opened = true;
    return true;
}

QByteArray LocalChannel::socketPath(const QString &title)
{
    return QFile::encodeName(QDir(m_runtimeDir).filePath(ChannelWire::socketFileName(title)));
}

LocalChannel::Endpoint *LocalChannel::findEndpoint(const QString &title) const
{
    for (const auto &ep : m_endpoints) {
        if (ep->title == title)
            return ep.get();
    }
    return nullptr;
}

bool LocalChannel::useNotifiers() const
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && app->thread() == QThread::currentThread();
}

bool LocalChannel::registerTitle(const QString &title)
{
    if (ownsTitle(title))
        return true;
    if (!ensureOpen())
        return false;
    const QByteArray path = socketPath(title);
    sockaddr_un addr;
    if (!fillAddress(path, &addr)) {
        m_error =
            QStringLiteral("title \"%1\": socket path %2 is too long").arg(title, QFile::decodeName(path));
        return false;
    }

    struct stat st {};
    if (::lstat(path.constData(), &st) == 0) {
        if (!S_ISSOCK(st.st_mode)) {
            m_error = QStringLiteral("title \"%1\": %2 exists and is not a socket; refused")
                          .arg(title, QFile::decodeName(path));
            return false;
        }
        const int probe = newSocket();
        const int err = probe >= 0 ? connectTo(probe, path) : errno;
        if (probe >= 0)
            ::close(probe);
        if (err == 0 || err == EAGAIN) {
            m_error = QStringLiteral("title \"%1\" is owned by another program").arg(title);
            return false;
        }
        // Nobody listens: the file was left behind by a program that ended
        // without cleaning up.
        ::unlink(path.constData());
    }

    const int fd = newSocket();
    if (fd < 0) {
        m_error = QStringLiteral("title \"%1\": socket: %2").arg(title, errnoText(errno));
        return false;
    }
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof(addr)) != 0 ||
        ::listen(fd, SOMAXCONN) != 0) {
        const int err = errno;
        ::close(fd);
        m_error = err == EADDRINUSE ? QStringLiteral("title \"%1\" is owned by another program").arg(title)
                                    : QStringLiteral("title \"%1\": %2").arg(title, errnoText(err));
        return false;
    }

    auto ep = std::make_unique<Endpoint>();
    ep->title = title;
    ep->fd = fd;
    ep->path = path;
    if (::stat(path.constData(), &st) == 0) {
        ep->device = st.st_dev;
        ep->inode = st.st_ino;
    }
    if (useNotifiers()) {
        ep->notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
        QObject::connect(ep->notifier, &QSocketNotifier::activated, ep->notifier,
                         [this, title, fd] { acceptAll(title, fd); });
    }
    m_endpoints.push_back(std::move(ep));
    return true;
}

void LocalChannel::unregisterTitle(const QString &title)
{
    auto it = std::find_if(m_endpoints.begin(), m_endpoints.end(),
                           [&](const auto &ep) { return ep->title == title; });
    if (it == m_endpoints.end())
        return;
    Endpoint &ep = **it;
    retire(ep.notifier);
    ::close(ep.fd);
    // Remove the socket file only while it is still ours: a successor may
    // already have replaced a file we thought stale.
    struct stat st {};
    if (::lstat(ep.path.constData(), &st) == 0 && st.st_dev == ep.device && st.st_ino == ep.inode)
        ::unlink(ep.path.constData());
    m_endpoints.erase(it);
}

bool LocalChannel::ownsTitle(const QString &title) const
{
    return findEndpoint(title) != nullptr;
}

QStringList LocalChannel::titles() const
{
    QStringList list;
    for (const auto &ep : m_endpoints)
        list << ep->title;
    return list;
}

void LocalChannel::setRecordHandler(const QString &title, RecordHandler handler)
{
    if (Endpoint *ep = findEndpoint(title))
        ep->onRecord = std::move(handler);
}

void LocalChannel::setItemHandler(const QString &title, ItemHandler handler)
{
    if (Endpoint *ep = findEndpoint(title))
        ep->onItem = std::move(handler);
}

void LocalChannel::setCloseHandler(const QString &title, CloseHandler handler)
{
    if (Endpoint *ep = findEndpoint(title))
        ep->onClose = std::move(handler);
}

bool LocalChannel::titleExists(const QString &title)
{
    if (ownsTitle(title))
        return true;
    if (!ensureOpen())
        return false;
    const int fd = newSocket();
    if (fd < 0)
        return false;
    const int err = connectTo(fd, socketPath(title));
    ::close(fd);
    return err == 0 || err == EAGAIN;
}

std::optional<qint64> LocalChannel::ownerProcess(const QString &title)
{
    if (ownsTitle(title))
        return QCoreApplication::applicationPid();
    if (!ensureOpen())
        return std::nullopt;
    const int fd = newSocket();
    if (fd < 0)
        return std::nullopt;
    std::optional<qint64> pid;
    if (connectTo(fd, socketPath(title)) == 0) {
        // The listener's credentials, taken when it began to listen.
        ucred credentials{};
        socklen_t size = sizeof(credentials);
        if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 && credentials.pid > 0)
            pid = credentials.pid;
    }
    ::close(fd);
    return pid;
}

bool LocalChannel::send(const QString &title, const QString &text)
{
    return sendRecord(title, text).delivered();
}

void LocalChannel::postClose(const QString &title)
{
    postCloseRequest(title);
}

LocalChannel::Result LocalChannel::sendRecord(const QString &title, const QString &text)
{
    return exchange(title, ChannelWire::WmCopyData, 0, ChannelCodec::encode(text));
}

LocalChannel::Result LocalChannel::sendBytes(const QString &title, const QByteArray &bytes)
{
    return exchange(title, ChannelWire::WmCopyData, 0, bytes);
}

LocalChannel::Result LocalChannel::requestItem(const QString &title, const QString &item)
{
    return exchange(title, ChannelWire::WmDdeRequest, 0, item.toUtf8());
}

LocalChannel::Result LocalChannel::postCloseRequest(const QString &title)
{
    return exchange(title, ChannelWire::WmClose, 0, QByteArray());
}

LocalChannel::Result LocalChannel::exchange(const QString &title, quint32 msg, quint32 dwData,
                                            const QByteArray &data)
{
    Result result;
    if (m_closing) {
        result.status = Status::Closing;
        return result;
    }
    if (static_cast<quint64>(data.size()) > ChannelWire::MaxDataSize) {
        m_error = QStringLiteral("record of %1 bytes is too large").arg(data.size());
        result.status = Status::Failed;
        return result;
    }
    if (!ensureOpen()) {
        result.status = Status::Failed;
        return result;
    }
    const QByteArray path = socketPath(title);
    const bool wantReply = msg != ChannelWire::WmClose;
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_replyTimeoutMs);

    int fd = -1;
    bool connected = false;
    const QByteArray out = ChannelWire::request(msg, dwData, data);
    qsizetype written = 0;
    QByteArray in;

    auto finish = [&](Status status) {
        if (fd >= 0)
            ::close(fd);
        result.status = status;
        return result;
    };

    for (;;) {
        if (!connected) {
            fd = newSocket();
            if (fd < 0) {
                m_error = QStringLiteral("socket: %1").arg(errnoText(errno));
                return finish(Status::Failed);
            }
            const int err = connectTo(fd, path);
            if (err == 0) {
                connected = true;
            } else if (isAbsent(err)) {
                return finish(Status::Missing);
            } else if (err == EAGAIN) {
                // The owner is alive but has a full backlog: it is busy.
                // Keep serving our own titles meanwhile and try again.
                ::close(fd);
                fd = -1;
                const qint64 left = msUntil(deadline);
                if (left <= 0)
                    return finish(Status::NoReply);
                serviceOwn(static_cast<int>(std::min<qint64>(left, 10)));
                continue;
            } else {
                m_error = QStringLiteral("title \"%1\": %2").arg(title, errnoText(err));
                return finish(Status::Failed);
            }
        }

        short events = 0;
        if (written < out.size()) {
            const ssize_t n = ::send(fd, out.constData() + written, out.size() - written, MSG_NOSIGNAL);
            if (n > 0) {
                written += n;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
                // The owner went away between connect and write.
                return finish(Status::Failed);
            }
            events = POLLOUT;
        } else if (!wantReply) {
            return finish(Status::Delivered);
        } else {
            char buf[4096];
            const ssize_t n = ::recv(fd, buf, sizeof(buf), 0);
            if (n > 0) {
                in.append(buf, n);
                ChannelWire::Reply reply;
                const auto state = ChannelWire::parseReply(in, &reply);
                if (state == ChannelWire::ParseState::Complete) {
                    result.value = reply.result;
                    result.data = reply.data;
                    return finish(Status::Delivered);
                }
                if (state == ChannelWire::ParseState::Invalid) {
                    m_error = QStringLiteral("title \"%1\": garbled reply").arg(title);
                    return finish(Status::Failed);
                }
                continue;
            }
            if (n == 0) {
                m_error = QStringLiteral("title \"%1\": connection closed without a reply").arg(title);
                return finish(Status::Failed);
            }
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                m_error = QStringLiteral("title \"%1\": %2").arg(title, errnoText(errno));
                return finish(Status::Failed);
            }
            events = POLLIN;
        }

        const qint64 left = msUntil(deadline);
        if (left <= 0) {
            m_error = QStringLiteral("title \"%1\": no reply within %2 ms").arg(title).arg(m_replyTimeoutMs);
            return finish(Status::NoReply);
        }
        short revents = 0;
        serviceOwn(static_cast<int>(left), fd, events, &revents);
    }
}

int LocalChannel::processPending(int timeoutMs)
{
    const quint64 before = m_handled;
    if (m_endpoints.empty() && m_incoming.empty())
        return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        const qint64 left = std::max<qint64>(msUntil(deadline), 0);
        const bool woke = serviceOwn(static_cast<int>(left));
        if (m_handled != before) {
            // Take whatever else is already waiting.
            while (serviceOwn(0)) {
            }
            break;
        }
        if (!woke && msUntil(deadline) <= 0)
            break;
        // A handler may have given up the last title.
        if (m_endpoints.empty() && m_incoming.empty())
            break;
    }
    return static_cast<int>(m_handled - before);
}

bool LocalChannel::serviceOwn(int timeoutMs, int extraFd, short extraEvents, short *extraRevents)
{
    expireStale();

    enum class Kind { Extra, Listener, Connection };
    struct Target {
        Kind kind;
        int fd;
        QString title;
    };
    std::vector<pollfd> fds;
    std::vector<Target> targets;
    fds.reserve(1 + m_endpoints.size() + m_incoming.size());
    if (extraFd >= 0) {
        fds.push_back({extraFd, extraEvents, 0});
        targets.push_back({Kind::Extra, extraFd, QString()});
    }
    for (const auto &ep : m_endpoints) {
        fds.push_back({ep->fd, POLLIN, 0});
        targets.push_back({Kind::Listener, ep->fd, ep->title});
    }
    for (const auto &[fd, in] : m_incoming) {
        fds.push_back({fd, POLLIN, 0});
        targets.push_back({Kind::Connection, fd, QString()});
    }
    if (fds.empty()) {
        // Nothing of ours to serve: just let the time pass (a retry pause).
        if (timeoutMs > 0)
            ::poll(nullptr, 0, timeoutMs);
        return false;
    }

    // Wake in time to cut off an unfinished frame that falls due meanwhile.
    if (const qint64 due = msUntilNextExpiry(); due >= 0 && (timeoutMs < 0 || due < timeoutMs))
        timeoutMs = static_cast<int>(due);
    const int n = ::poll(fds.data(), fds.size(), timeoutMs);
    if (n <= 0)
        return false;

    for (std::size_t i = 0; i < fds.size(); ++i) {
        if (fds[i].revents == 0)
            continue;
        const Target &t = targets[i];
        switch (t.kind) {
        case Kind::Extra:
            if (extraRevents)
                *extraRevents = fds[i].revents;
            break;
        case Kind::Listener:
            // Handlers run below may unregister titles; only serve a socket
            // that still belongs to the title.
            if (const Endpoint *ep = findEndpoint(t.title); ep && ep->fd == t.fd)
                acceptAll(t.title, t.fd);
            break;
        case Kind::Connection:
            readIncoming(t.fd);
            break;
        }
    }
    return true;
}

QString LocalChannel::statusText(Status status)
{
    switch (status) {
    case Status::Delivered:
        return QStringLiteral("delivered");
    case Status::Missing:
        return QStringLiteral("dropped: no such title");
    case Status::NoReply:
        return QStringLiteral("dropped: no reply in time");
    case Status::Failed:
        return QStringLiteral("dropped: failed");
    case Status::Closing:
        return QStringLiteral("dropped: closing");
    }
    return QString();
}

} // namespace vm
