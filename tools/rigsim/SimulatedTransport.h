#pragma once

#include "cat/SerialTransport.h"
#include "common/Clock.h"
#include "rigsim/SerialLine.h"
#include "rigsim/SimulatedRig.h"

#include <QByteArray>
#include <QtGlobal>

namespace vm::sim {

// A controller-side serial port wired to an in-process simulated rig. Time
// runs on the given clock: waiting for bytes sleeps the clock to the moment
// they have arrived (or the time-out), so with a manual clock a whole rig
// conversation takes no real time and always the same simulated time.
class SimulatedTransport final : public SerialTransport {
public:
    SimulatedTransport(SimulatedRig &rig, Clock &clock);

    bool open(const SerialSettings &settings) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    void purge(bool output, bool input) override;
    qint64 write(const QByteArray &bytes) override;
    qint64 waitForBytes(qint64 count, int timeoutMs) override;
    QByteArray read(qint64 count, int timeoutMs) override;

    // The rig's think time per command, 3 ms unless set.
    void setProcessingMs(int ms) { m_line.setProcessingUs(qint64(ms) * 1000); }
    // Makes the next open() fail, as for a missing or busy device.
    void setOpenFails(bool fails) { m_openFails = fails; }
    const SerialSettings &settings() const { return m_settings; }

    // Traffic totals since construction (for benchmarks and tests).
    qint64 bytesWritten() const { return m_bytesWritten; }
    qint64 bytesRead() const { return m_bytesRead; }
    qint64 writeCount() const { return m_writes; }
    // Time the wire was busy in both directions, in microseconds.
    qint64 wireTimeUs() const { return m_line.wireTimeUs(); }

private:
    qint64 nowUs() const { return m_clock.nowMs() * 1000; }
    void advance() { m_line.advanceTo(nowUs()); }

    SerialLine m_line;
    Clock &m_clock;
    SerialSettings m_settings;
    bool m_open = false;
    bool m_openFails = false;
    qint64 m_bytesWritten = 0;
    qint64 m_bytesRead = 0;
    qint64 m_writes = 0;
};

} // namespace vm::sim
