#include "cat/CivExchange.h"

#include "cat/CivProtocol.h"

namespace vm {

void CivExchange::send(QByteArrayView body, int replyWithEcho)
{
    write(civ::frame(m_address, body), replyWithEcho);
}

void CivExchange::sendFrame(const QByteArray &frame, int replyWithEcho)
{
    write(frame, replyWithEcho);
}

void CivExchange::sendAcknowledged(QByteArrayView body)
{
    send(body, int(body.size()) + 5 + AcknowledgementLength);
    if (readReply())
        m_port.replyParsed();
}

void CivExchange::write(const QByteArray &frame, int replyWithEcho)
{
    m_lastFrame = frame;
    const int echoBytes = int(frame.size());
    if (replyWithEcho > 0) {
        // While the echo is not known the answer's length is read first; its
        // first bytes tell whether the rest of an echoed reply follows.
        const int answer = qMax(1, replyWithEcho - echoBytes);
        m_port.sendBinary(frame, m_echo == Echo::On ? replyWithEcho : answer);
        return;
    }
    // Not read, but the wait ends once the echo and the acknowledgement are
    // in (an unknown echo counts as there: the wait is bounded all the same).
    const int unread = m_address != 0 ? (m_echo == Echo::Off ? 0 : echoBytes) + AcknowledgementLength : 0;
    m_port.sendBinary(frame, 0, unread);
}

std::optional<QByteArray> CivExchange::readReply()
{
    const RigPort::Reply reply = m_port.readReply();
    if (!reply.complete) {
        m_echo = Echo::Unknown;
        return std::nullopt;
    }
    if (m_echo == Echo::On)
        return reply.bytes;
    const qsizetype seen = qMin(reply.bytes.size(), m_lastFrame.size());
    if (seen > 0 && reply.bytes.left(seen) == m_lastFrame.left(seen)) {
        // Our own frame came back first (found now, or the rig's echo was
        // switched on): the answer follows it.
        const QByteArray rest = m_port.readMore(int(m_lastFrame.size()));
        if (rest.size() != m_lastFrame.size()) {
            m_echo = Echo::Unknown;
            return std::nullopt;
        }
        m_echo = Echo::On;
        return reply.bytes + rest;
    }
    if (m_echo == Echo::Off)
        return reply.bytes;
    // An answer to the controller straight away: the line does not echo.
    if (reply.bytes.startsWith(QByteArrayView("\xFE\xFE\xE0", 3))) {
        m_echo = Echo::Off;
        return reply.bytes;
    }
    // Neither (noise, the tail of an earlier answer): the question stays
    // open, and what is still coming in is let arrive, so that the next
    // write throws it away and the next read starts on a frame.
    m_port.settle();
    return reply.bytes;
}

std::optional<QByteArray> CivExchange::readAnswer(QByteArrayView command, int dataBytes)
{
    const std::optional<QByteArray> reply = readReply();
    if (!reply)
        return std::nullopt; // short or no reply: not a miss, the pending count stays
    const qsizetype at = civ::findAnswer(*reply, m_address, command);
    if (at < 0 || at + dataBytes > reply->size()) {
        m_echo = Echo::Unknown;
        m_port.countMiss();
        return std::nullopt;
    }
    return reply->mid(at, dataBytes);
}

} // namespace vm
