#pragma once

#include "cat/RigPort.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <optional>

namespace vm {

// One rig's CI-V frames on its port: writes a frame, waits, and reads the
// reply with or without the echo of the frame.
//
// On the CI-V jack every frame comes back as its bus echo before the rig's
// answer. The USB port of newer rigs echoes only while the rig's "CI-V USB
// echo back" setting is on. Whether this line echoes is found at the first
// read after the port opens (our frame coming back first, or the rig's answer
// straight away) and again after any read that did not bring the answer, so
// a rig whose setting is changed during a session is followed.
class CivExchange {
public:
    enum class Echo { Unknown, On, Off };

    // An acknowledged command is answered FE FE E0 addr FB/FA FD.
    static constexpr int AcknowledgementLength = 6;

    // The port must outlive the exchange.
    explicit CivExchange(RigPort &port) : m_port(port) {}
    Q_DISABLE_COPY_MOVE(CivExchange)

    void setAddress(quint8 address) { m_address = address; }
    quint8 address() const { return m_address; }

    // The port was opened: the echo is found out again.
    void portOpened() { m_echo = Echo::Unknown; }
    Echo echo() const { return m_echo; }

    // Sends FE FE addr E0 body FD. `replyWithEcho` is the length the read
    // after it takes on an echoing line (the frame's echo plus the answer
    // looked for); 0 when the answer is not read. A frame whose answer is not
    // read still waits for its echo and acknowledgement (broadcast frames,
    // which get none, wait in full).
    void send(QByteArrayView body, int replyWithEcho = 0);
    // Sends a whole frame as it is (the wake-up run before a power-on frame).
    void sendFrame(const QByteArray &frame, int replyWithEcho);
    // Sends a command whose only answer is the acknowledgement and takes the
    // reply off the line.
    void sendAcknowledged(QByteArrayView body);

    // The reply to the last frame: its echo (when the line echoes) and the
    // answer. nullopt when it came short; the echo is then found out again.
    std::optional<QByteArray> readReply();
    // The `dataBytes` bytes after the rig's answer header and `command` in
    // the reply to the last frame. A complete reply without them counts as a
    // miss; a short one does not (the pending count stays raised).
    std::optional<QByteArray> readAnswer(QByteArrayView command, int dataBytes);

    // Bytes of the last reply that are the echo of our frame (0 without echo).
    int echoLength() const { return m_echo == Echo::On ? int(m_lastFrame.size()) : 0; }

private:
    void write(const QByteArray &frame, int replyWithEcho);

    RigPort &m_port;
    quint8 m_address = 0;
    Echo m_echo = Echo::Unknown;
    QByteArray m_lastFrame;
};

} // namespace vm
