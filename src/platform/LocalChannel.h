#pragma once

#include "common/Channel.h"
#include "common/ChannelCodec.h"
#include "platform/WarningRate.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace vm {

// The command channel between the programs over Unix-domain sockets in the
// runtime folder: one listening socket per owned window title.
//
// Sending is synchronous: the sender connects, writes one frame and waits for
// the reply. While it waits it keeps serving its own titles (a plain poll()
// over the reply socket and its own sockets, without the Qt event loop), so a
// handler that sends back nests inside the other program's send, as window
// messages do. A reply that does not come within the reply time limit (5 s)
// drops the record, so a hung peer cannot freeze this program.
//
// When a QCoreApplication exists at registration, arriving records are also
// served from the event loop; without one, call processPending(). Either way
// a sender that has not finished its frame within the unfinished-frame limit
// (10 s) is cut off, and at most 256 such senders are held.
// Single-threaded: use it from one thread only.
class LocalChannel final : public Channel {
public:
    enum class Status {
        Delivered, // the peer handled it (and replied, where a reply is due)
        Missing,   // nobody owns the title: dropped at once
        NoReply,   // no reply within the time limit: dropped
        Failed,    // connection broke, garbled reply or local error: dropped
        Closing,   // this program is closing and sends nothing more
    };

    struct Result {
        Status status = Status::Failed;
        quint32 value = 0; // the handler's result (item requests: 0 = unknown item)
        QByteArray data;   // reply bytes (item requests: the item's text)
        bool delivered() const { return status == Status::Delivered; }
    };

    // Handles one record sent to a title; the return value goes back to the sender.
    using RecordHandler = std::function<quint32(const ChannelRecord &record)>;
    // Answers a tracking-item request; nullopt for an unknown item.
    using ItemHandler = std::function<std::optional<QString>(const QString &item)>;
    // A close request arrived (posted; the sender does not wait).
    using CloseHandler = std::function<void()>;

    static constexpr int DefaultReplyTimeoutMs = 5000;
    static constexpr int DefaultIncompleteFrameLimitMs = 10000;

    // An empty runtimeDir means RuntimeDir::defaultPath().
    explicit LocalChannel(const QString &runtimeDir = QString());
    ~LocalChannel() override;
    LocalChannel(const LocalChannel &) = delete;
    LocalChannel &operator=(const LocalChannel &) = delete;

    // Prepares the runtime folder (done on first use otherwise). False, with
    // errorString(), when the folder is refused or cannot be created.
    bool open();
    QString runtimeDir() const { return m_runtimeDir; }
    QString errorString() const { return m_error; }

    // Takes a title: binds its socket (removing a stale socket file nobody
    // listens on). Fails when another program owns the title.
    bool registerTitle(const QString &title);
    void unregisterTitle(const QString &title);
    bool ownsTitle(const QString &title) const;
    QStringList titles() const;

    void setRecordHandler(const QString &title, RecordHandler handler);
    void setItemHandler(const QString &title, ItemHandler handler);
    void setCloseHandler(const QString &title, CloseHandler handler);

    // Channel
    bool titleExists(const QString &title) override;
    bool send(const QString &title, const QString &text) override;
    void postClose(const QString &title) override;

    // The process that holds `title` (this one for an own title); nullopt
    // when nobody does or the system does not say.
    std::optional<qint64> ownerProcess(const QString &title);

    // The same with the outcome spelled out.
    Result sendRecord(const QString &title, const QString &text);
    // A record of prepared bytes (e.g. ChannelCodec::encodeAward).
    Result sendBytes(const QString &title, const QByteArray &bytes);
    Result requestItem(const QString &title, const QString &item);
    Result postCloseRequest(const QString &title);
    // One frame of any message number; waits for a reply unless it is WM_CLOSE.
    Result exchange(const QString &title, quint32 msg, quint32 dwData, const QByteArray &data);

    // Once set, nothing more is sent (every send reports Closing).
    void setClosing(bool closing) { m_closing = closing; }
    bool isClosing() const { return m_closing; }

    void setReplyTimeoutMs(int ms) { m_replyTimeoutMs = ms; }
    int replyTimeoutMs() const { return m_replyTimeoutMs; }

    // How long a connected sender may take to finish its frame.
    void setIncompleteFrameLimitMs(int ms);
    int incompleteFrameLimitMs() const { return static_cast<int>(m_incompleteLimit.count()); }

    // Serves the own titles without an event loop: waits up to timeoutMs
    // until at least one message has been handled, then handles whatever else
    // is ready. Returns the number of messages handled.
    int processPending(int timeoutMs);

    static QString statusText(Status status);

private:
    struct Endpoint;
    struct Incoming;
    using SteadyTime = std::chrono::steady_clock::time_point;

    bool ensureOpen();
    QByteArray socketPath(const QString &title);
    Endpoint *findEndpoint(const QString &title) const;
    void acceptAll(const QString &title, int listenFd);
    void readIncoming(int fd);
    void dropIncoming(int fd);
    void dispatch(const QString &title, int fd, quint32 msg, const QByteArray &data);
    void expireStale();
    // Milliseconds until the oldest unfinished frame is overdue; -1 when none waits.
    qint64 msUntilNextExpiry() const;
    // Under the event loop: a timer that cuts off unfinished frames when due.
    void armExpiry();
    // A warning about a peer's traffic, rate-limited.
    void warnPeer(const QString &line);
    // One poll() over the own sockets and, optionally, one more socket;
    // handles the own sockets that are ready. Returns false on time-out.
    bool serviceOwn(int timeoutMs, int extraFd = -1, short extraEvents = 0, short *extraRevents = nullptr);
    bool useNotifiers() const;

    QString m_runtimeDir;
    bool m_opened = false;
    QString m_error;
    bool m_closing = false;
    int m_replyTimeoutMs = DefaultReplyTimeoutMs;
    std::chrono::milliseconds m_incompleteLimit{DefaultIncompleteFrameLimitMs};
    std::unique_ptr<QTimer> m_expiryTimer;
    WarningRate m_peerWarnings;
    quint64 m_handled = 0;
    std::vector<std::unique_ptr<Endpoint>> m_endpoints;
    std::map<int, std::unique_ptr<Incoming>> m_incoming;
};

} // namespace vm
