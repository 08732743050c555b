#include "rigsim/SerialLine.h"

#include <algorithm>

namespace vm::sim {

SerialLine::SerialLine(SimulatedRig &rig) : m_rig(rig) {}

void SerialLine::setLineFormat(int baudRate, int stopBits)
{
    m_baud = baudRate > 0 ? baudRate : 9600;
    m_stopBits = stopBits == 2 ? 2 : 1;
}

qint64 SerialLine::byteTimeUs() const
{
    const qint64 bits = 1 + 8 + m_stopBits;
    return (bits * 1'000'000 + m_baud - 1) / m_baud;
}

void SerialLine::send(const QByteArray &bytes, qint64 nowUs)
{
    advanceTo(nowUs);
    qint64 t = std::max(nowUs, m_outFreeUs);
    for (char c : bytes) {
        t += byteTimeUs();
        m_outgoing.append({t, c});
    }
    m_outFreeUs = t;
}

void SerialLine::advanceTo(qint64 nowUs)
{
    // Bytes that have crossed reach the rig in order; what the rig sends back
    // is scheduled and may itself be due before nowUs.
    while (!m_outgoing.isEmpty() && m_outgoing.first().atUs <= nowUs) {
        const Timed sent = m_outgoing.takeFirst();
        ++m_bytesSent;
        if (m_rig.echoes())
            schedule(sent.atUs, sent.byte);
        const QByteArray answer = m_rig.receiveByte(quint8(sent.byte));
        if (!answer.isEmpty()) {
            qint64 t = std::max(sent.atUs + m_processingUs, m_inFreeUs);
            for (char c : answer) {
                t += byteTimeUs();
                schedule(t, c);
            }
            m_inFreeUs = t;
        }
    }
    while (!m_incoming.isEmpty() && m_incoming.first().atUs <= nowUs) {
        m_arrived.append(m_incoming.takeFirst().byte);
        ++m_bytesReturned;
    }
}

void SerialLine::schedule(qint64 atUs, char byte)
{
    // Keep arrival order; an echo may land between bytes of an earlier answer.
    auto it = std::upper_bound(m_incoming.begin(), m_incoming.end(), atUs,
                               [](qint64 t, const Timed &timed) { return t < timed.atUs; });
    m_incoming.insert(it, Timed{atUs, byte});
}

qint64 SerialLine::nextEventUs() const
{
    qint64 next = -1;
    if (!m_outgoing.isEmpty())
        next = m_outgoing.first().atUs;
    if (!m_incoming.isEmpty() && (next < 0 || m_incoming.first().atUs < next))
        next = m_incoming.first().atUs;
    return next;
}

QByteArray SerialLine::take(qsizetype count)
{
    const QByteArray out = m_arrived.left(count);
    m_arrived.remove(0, out.size());
    return out;
}

void SerialLine::dropUnsent(qint64 nowUs)
{
    advanceTo(nowUs);
    m_outgoing.clear();
    m_outFreeUs = nowUs;
}

void SerialLine::reset()
{
    m_outgoing.clear();
    m_incoming.clear();
    m_arrived.clear();
    m_outFreeUs = 0;
    m_inFreeUs = 0;
}

} // namespace vm::sim
