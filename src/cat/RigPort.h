#pragma once

#include "cat/CatContext.h"
#include "cat/SerialTransport.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace vm {

// One rig's serial port: strictly half-duplex write, wait, read, with the
// give-up after too many unanswered commands and the adaptive reply wait.
// It knows nothing of command contents.
class RigPort {
public:
    // How the wait after each write ends.
    enum class WaitMode {
        // Ends as soon as the expected reply has arrived; the reply wait is
        // the upper bound. Writes that expect no reply wait in full unless
        // the driver says what comes back for them.
        UntilReply,
        // Always waits the full reply wait after every command.
        Fixed,
    };

    // A read of the expected reply length.
    struct Reply {
        QByteArray bytes;
        bool complete = false; // the count read equals the expected length
    };

    static constexpr int MaxPendingReplies = 20;
    static constexpr int MaxAdaptiveWaitMs = 100;
    static constexpr int IoTimeoutMs = 200;

    // The transport, context and hooks must outlive the port.
    RigPort(int rigNumber, SerialTransport &transport, CatContext &context, const CatHooks &hooks);
    Q_DISABLE_COPY_MOVE(RigPort)

    // Takes the port settings: port name (device path, "None" for none),
    // baud rate text and rig model. Sets stop bits and waits from them.
    void configure(const QString &portName, const QString &baudRate, const QString &rigModel);

    // Base reply wait for a baud-rate text (ms): 1200: 200, 4800: 60,
    // 9600: 50, faster: 40; an unknown text counts as 9600.
    static int baseReplyWaitFor(const QString &baudRate);

    // Opens and configures the port. False (nothing reported) when the
    // port is "None" or cannot be opened.
    bool openPort();
    // Why the last openPort() failed, where the transport could tell.
    const PortProblem &openProblem() const { return m_openProblem; }
    // Purges and closes the port; clears the open flag.
    void closePort();

    // Writes a frame / a text command and waits for its reply. Skipped while
    // the port is not open. A non-zero expected length counts as a pending reply.
    // `unreadReplyLength`, for a write whose reply is not read: the bytes the
    // rig sends back for it all the same (bus echo and acknowledgement). With
    // the early-ending wait the wait ends once they are in; they are thrown
    // away by the next write. They count as no pending reply.
    void sendBinary(const QByteArray &frame, int expectedReplyLength, int unreadReplyLength = 0);
    void sendText(const QString &command, int expectedReplyLength);

    // One read of exactly the expected length of the last write.
    Reply readReply();
    // A further read of up to `count` bytes of the same reply, once the
    // first read showed that more follows.
    QByteArray readMore(int count);

    // Waits out the reply wait, so that bytes still coming in for the last
    // command have arrived when the next write throws them away.
    void settle();

    // A driver parsed a reply: the pending-reply counter starts again.
    void replyParsed() { m_pendingReplies = 0; }
    // A complete read did not hold the answer looked for.
    void countMiss();
    void adjustReplyWait();

    // A new satellite is set up: the grown wait becomes current, the adaptive
    // wait starts again from the model's wait, the miss counters clear.
    void newSatelliteWaits();
    // Back to the model's wait (resynchronisation in state 8).
    void restoreNormalWaits();
    // A wait that replaces the model's wait while it is set (FT4 operation:
    // the operator's short wait for both rigs). Takes effect at the next
    // restoreNormalWaits().
    void setWaitOverride(std::optional<int> ms) { m_waitOverride = ms; }
    std::optional<int> waitOverride() const { return m_waitOverride; }

    // Called when the port is given up, before "OPPCER": the rig's closing
    // sequence (its writes are skipped, the port is closed and reported).
    void setGiveUpHandler(std::function<void()> handler) { m_giveUpHandler = std::move(handler); }

    void setWaitMode(WaitMode mode) { m_waitMode = mode; }
    WaitMode waitMode() const { return m_waitMode; }

    int rigNumber() const { return m_rigNumber; }
    const QString &portName() const { return m_portName; }
    const QString &baudRate() const { return m_baudRate; }
    const QString &rigModel() const { return m_rigModel; }
    int stopBits() const { return m_stopBits; }
    bool isOpen() const { return m_open; }
    bool failed() const { return m_failed; }
    int pendingReplies() const { return m_pendingReplies; }
    int expectedReplyLength() const { return m_expectedReplyLength; }
    int replyWaitMs() const { return m_replyWait; }
    int baseReplyWaitMs() const { return m_baseReplyWait; }
    int adaptiveWaitMs() const { return m_adaptiveWait; }
    int missCount() const { return m_missCounter; }
    qint64 bytesWritten() const { return m_bytesWritten; }
    qint64 bytesRead() const { return m_bytesRead; }

    SerialTransport &transport() { return m_transport; }
    CatContext &context() { return m_context; }
    const CatHooks &hooks() const { return m_hooks; }

private:
    void write(const QByteArray &bytes, int expectedReplyLength, int unreadReplyLength = 0);
    void waitForReply(int unreadReplyLength);
    void giveUp();
    int modelWait() const;

    int m_rigNumber;
    SerialTransport &m_transport;
    CatContext &m_context;
    const CatHooks &m_hooks;
    std::function<void()> m_giveUpHandler;
    WaitMode m_waitMode = WaitMode::UntilReply;

    QString m_portName = QStringLiteral("None");
    QString m_baudRate = QStringLiteral("9600");
    QString m_rigModel = QStringLiteral("None");
    int m_stopBits = 1;
    bool m_open = false;
    bool m_failed = false;
    PortProblem m_openProblem;
    int m_expectedReplyLength = 0;
    qint64 m_bytesWritten = 0;
    qint64 m_bytesRead = 0;
    int m_pendingReplies = 0;
    std::optional<int> m_waitOverride;
    int m_replyWait = 50;
    int m_baseReplyWait = 50;
    int m_adaptiveWait = 50;
    int m_missCounter = 0;
    int m_lastMissCounter = 0;
    int m_waitFactor = 1;
};

} // namespace vm
