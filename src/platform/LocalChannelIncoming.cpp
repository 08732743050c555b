#include "platform/LocalChannelParts.h"

#include "platform/ChannelWire.h"

#include <QObject>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <sys/socket.h>
#include <unistd.h>

// The side of the channel that takes other processes' frames in: accepting
// connections on an owned title, reading frames that may arrive in pieces,
// cutting off senders that never finish, and handing complete records and
// requests to the title's handlers.

namespace vm {

using namespace channel_detail;

void LocalChannel::acceptAll(const QString &title, int listenFd)
{
    for (;;) {
        const Endpoint *ep = findEndpoint(title);
        if (!ep || ep->fd != listenFd)
            return;
        const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        if (m_incoming.size() >= MaxIncoming) {
            // Too many senders that never finish their frames: cut off the oldest.
            auto oldest =
                std::min_element(m_incoming.begin(), m_incoming.end(), [](const auto &a, const auto &b) {
                    return a.second->since < b.second->since;
                });
            warnPeer(QStringLiteral("too many unfinished incoming frames; dropping one"));
            dropIncoming(oldest->first);
        }
        auto in = std::make_unique<Incoming>();
        in->fd = fd;
        in->title = title;
        in->since = Clock::now();
        m_incoming[fd] = std::move(in);
        readIncoming(fd);
        armExpiry();
    }
}

void LocalChannel::readIncoming(int fd)
{
    auto it = m_incoming.find(fd);
    if (it == m_incoming.end())
        return;
    Incoming &in = *it->second;

    bool ended = false;
    ChannelWire::Request request;
    ChannelWire::ParseState state = ChannelWire::parseRequest(in.buffer, &request);
    while (state == ChannelWire::ParseState::NeedMore) {
        char buf[4096];
        const ssize_t n = ::recv(fd, buf, sizeof(buf), 0);
        if (n > 0) {
            in.buffer.append(buf, n);
            state = ChannelWire::parseRequest(in.buffer, &request);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        ended = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        break;
    }

    if (state == ChannelWire::ParseState::Invalid) {
        warnPeer(QStringLiteral("title \"%1\": refused a frame announcing more than %2 bytes")
                     .arg(in.title)
                     .arg(ChannelWire::MaxDataSize));
        dropIncoming(fd);
        return;
    }
    if (state == ChannelWire::ParseState::NeedMore) {
        if (ended) {
            // A presence probe, or a sender that gave up: nothing to handle.
            if (!in.buffer.isEmpty())
                warnPeer(QStringLiteral("title \"%1\": sender left after %2 bytes of a frame")
                             .arg(in.title)
                             .arg(in.buffer.size()));
            dropIncoming(fd);
        } else if (!in.notifier && useNotifiers()) {
            in.notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
            QObject::connect(in.notifier, &QSocketNotifier::activated, in.notifier,
                             [this, fd] { readIncoming(fd); });
        }
        return;
    }

    // Complete: the connection leaves the waiting set before the handler
    // runs, since the handler may serve the channel again (nested sends).
    const QString title = in.title;
    retire(in.notifier);
    m_incoming.erase(it);
    dispatch(title, fd, request.msg, request.data);
}

void LocalChannel::dropIncoming(int fd)
{
    auto it = m_incoming.find(fd);
    if (it == m_incoming.end())
        return;
    retire(it->second->notifier);
    ::close(fd);
    m_incoming.erase(it);
}

void LocalChannel::expireStale()
{
    const auto now = Clock::now();
    if (const QString owed = m_peerWarnings.due(
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count());
        !owed.isEmpty())
        qCWarning(lcChannel).noquote() << owed;
    if (m_incoming.empty())
        return;
    const auto limit = now - m_incompleteLimit;
    std::vector<int> stale;
    for (const auto &[fd, in] : m_incoming) {
        if (in->since <= limit)
            stale.push_back(fd);
    }
    for (int fd : stale) {
        const Incoming &in = *m_incoming.at(fd);
        warnPeer(QStringLiteral("title \"%1\": cut off a sender that did not finish its frame in %2 ms "
                                "(%3 bytes received)")
                     .arg(in.title)
                     .arg(m_incompleteLimit.count())
                     .arg(in.buffer.size()));
        dropIncoming(fd);
    }
}

qint64 LocalChannel::msUntilNextExpiry() const
{
    if (m_incoming.empty())
        return -1;
    auto oldest = m_incoming.begin()->second->since;
    for (const auto &[fd, in] : m_incoming)
        oldest = std::min(oldest, in->since);
    return std::max<qint64>(msUntil(oldest + m_incompleteLimit) + 1, 0);
}

void LocalChannel::armExpiry()
{
    if (!useNotifiers())
        return;
    const qint64 due = msUntilNextExpiry();
    if (due < 0) {
        if (m_expiryTimer)
            m_expiryTimer->stop();
        return;
    }
    if (!m_expiryTimer) {
        m_expiryTimer = std::make_unique<QTimer>();
        m_expiryTimer->setSingleShot(true);
        QObject::connect(m_expiryTimer.get(), &QTimer::timeout, m_expiryTimer.get(), [this] {
            expireStale();
            armExpiry();
        });
    }
    m_expiryTimer->start(static_cast<int>(std::min<qint64>(due, std::numeric_limits<int>::max())));
}

void LocalChannel::dispatch(const QString &title, int fd, quint32 msg, const QByteArray &data)
{
    ++m_handled;
    // Copies of the handlers: a handler may replace or unregister them.
    const Endpoint *ep = findEndpoint(title);
    switch (msg) {
    case ChannelWire::WmClose: {
        ::close(fd);
        const CloseHandler handler = ep ? ep->onClose : CloseHandler();
        if (handler)
            handler();
        return;
    }
    case ChannelWire::WmCopyData: {
        const RecordHandler handler = ep ? ep->onRecord : RecordHandler();
        const quint32 value = handler ? handler(ChannelCodec::decode(data)) : 0;
        writeAll(fd, ChannelWire::reply(value, QByteArray()), ReplyWriteLimitMs);
        break;
    }
    case ChannelWire::WmDdeRequest: {
        const ItemHandler handler = ep ? ep->onItem : ItemHandler();
        const std::optional<QString> value =
            handler ? handler(ChannelCodec::decodeText(data)) : std::optional<QString>();
        writeAll(fd, value ? ChannelWire::reply(1, value->toUtf8()) : ChannelWire::reply(0, QByteArray()),
                 ReplyWriteLimitMs);
        break;
    }
    default:
        // Unknown message: answered with 0 so the sender does not wait.
        writeAll(fd, ChannelWire::reply(0, QByteArray()), ReplyWriteLimitMs);
        break;
    }
    ::close(fd);
}

} // namespace vm
