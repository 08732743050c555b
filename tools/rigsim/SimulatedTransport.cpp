#include "rigsim/SimulatedTransport.h"

#include <algorithm>
#include <limits>

namespace vm::sim {

SimulatedTransport::SimulatedTransport(SimulatedRig &rig, Clock &clock) : m_line(rig), m_clock(clock) {}

bool SimulatedTransport::open(const SerialSettings &settings)
{
    if (m_open || m_openFails)
        return false; // a port is opened once, as a real device refuses a second open
    m_settings = settings;
    m_line.setLineFormat(settings.baudRate, settings.stopBits);
    m_line.reset();
    m_open = true;
    return true;
}

void SimulatedTransport::close()
{
    if (!m_open)
        return;
    // Bytes already handed over still reach the rig; nothing more is read.
    m_line.advanceTo(nowUs());
    m_line.reset();
    m_open = false;
}

void SimulatedTransport::purge(bool output, bool input)
{
    if (!m_open)
        return;
    if (output)
        m_line.dropUnsent(nowUs());
    else
        advance();
    if (input)
        m_line.dropArrived();
}

qint64 SimulatedTransport::write(const QByteArray &bytes)
{
    if (!m_open)
        return -1;
    m_line.send(bytes, nowUs());
    m_bytesWritten += bytes.size();
    ++m_writes;
    return bytes.size();
}

qint64 SimulatedTransport::waitForBytes(qint64 count, int timeoutMs)
{
    if (!m_open)
        return 0;
    const qint64 deadlineMs = m_clock.nowMs() + std::max(0, timeoutMs);
    advance();
    // A fixed wait is a wait for more bytes than will ever come: the line
    // still moves event by event, so the rig takes each command as its last
    // byte crosses the wire, not at the end of the wait.
    if (count < 0)
        count = std::numeric_limits<qint64>::max();
    while (m_line.available() < count) {
        const qint64 next = m_line.nextEventUs();
        if (next < 0 || next > deadlineMs * 1000) {
            m_clock.sleepMs(deadlineMs - m_clock.nowMs());
            advance();
            break;
        }
        const qint64 wakeMs = (next + 999) / 1000; // the clock counts whole milliseconds
        m_clock.sleepMs(std::max<qint64>(wakeMs - m_clock.nowMs(), 0));
        advance();
    }
    return m_line.available();
}

QByteArray SimulatedTransport::read(qint64 count, int timeoutMs)
{
    if (!m_open || count <= 0)
        return {};
    waitForBytes(count, timeoutMs);
    const QByteArray bytes = m_line.take(count);
    m_bytesRead += bytes.size();
    return bytes;
}

} // namespace vm::sim
