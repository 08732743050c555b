#pragma once

// Pieces shared by the two halves of the local channel: the sending and
// serving side (LocalChannel.cpp) and the side that takes other processes'
// frames in (LocalChannelIncoming.cpp).

#include "platform/LocalChannel.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <chrono>
#include <cstddef>
#include <sys/types.h>

Q_DECLARE_LOGGING_CATEGORY(lcChannel)

namespace vm::channel_detail {

using Clock = std::chrono::steady_clock;

// At most this many senders that have not finished their frames are held;
// beyond it the oldest is cut off.
inline constexpr std::size_t MaxIncoming = 256;
inline constexpr int ReplyWriteLimitMs = 1000;

inline qint64 msUntil(Clock::time_point deadline)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
}

// Writes all of bytes to a non-blocking socket, waiting for room a bounded time.
bool writeAll(int fd, const QByteArray &bytes, int limitMs);

// A notifier may be retired from inside its own activation, so it is only
// switched off here and deleted by the event loop later.
void retire(QSocketNotifier *&notifier);

} // namespace vm::channel_detail

namespace vm {

struct LocalChannel::Endpoint {
    QString title;
    int fd = -1;
    QByteArray path;
    dev_t device = 0;
    ino_t inode = 0;
    QSocketNotifier *notifier = nullptr;
    RecordHandler onRecord;
    ItemHandler onItem;
    CloseHandler onClose;
};

struct LocalChannel::Incoming {
    int fd = -1;
    QString title;
    QByteArray buffer;
    SteadyTime since;
    QSocketNotifier *notifier = nullptr;
};

} // namespace vm
