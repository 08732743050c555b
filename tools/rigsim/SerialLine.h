#pragma once

#include "rigsim/SimulatedRig.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

namespace vm::sim {

// The wire between a controller's serial port and a simulated rig, with its
// timing: every byte takes (1 start + 8 data + stop) bits at the baud rate in
// each direction, the echo of a byte arrives when the byte has crossed the
// wire, and the rig starts its answer a processing delay after the byte that
// completed the command. Time is passed in by the caller in microseconds, so
// the same line runs on a manual clock (SimulatedTransport) or in real time
// (the rigsim program).
class SerialLine {
public:
    explicit SerialLine(SimulatedRig &rig);

    void setLineFormat(int baudRate, int stopBits = 1);
    int baudRate() const { return m_baud; }
    // The rig's think time per command (default 3 ms).
    void setProcessingUs(qint64 us) { m_processingUs = us; }
    qint64 processingUs() const { return m_processingUs; }
    qint64 byteTimeUs() const;

    // The controller hands bytes to the line at `nowUs`; they go out one
    // after the other behind whatever is still being sent.
    void send(const QByteArray &bytes, qint64 nowUs);
    // Moves the line to `nowUs`: delivers the bytes that have crossed the
    // wire to the rig and makes its echo and answers that have arrived
    // available to the controller.
    void advanceTo(qint64 nowUs);
    // The next moment something happens on the line; -1 when nothing is under way.
    qint64 nextEventUs() const;

    // Bytes arrived at the controller's side and not yet taken.
    qsizetype available() const { return m_arrived.size(); }
    QByteArray take(qsizetype count);
    // Throws away what arrived (a receive purge); bytes still on the way arrive later.
    void dropArrived() { m_arrived.clear(); }
    // Throws away what the controller handed over but has not gone out yet (a transmit purge).
    void dropUnsent(qint64 nowUs);
    // Forgets everything under way.
    void reset();

    // Totals since construction: bytes sent by the controller, bytes the line
    // brought back, and the time the wire was busy carrying them.
    qint64 bytesSent() const { return m_bytesSent; }
    qint64 bytesReturned() const { return m_bytesReturned; }
    qint64 wireTimeUs() const { return (m_bytesSent + m_bytesReturned) * byteTimeUs(); }

private:
    struct Timed {
        qint64 atUs;
        char byte;
    };
    void schedule(qint64 atUs, char byte);

    SimulatedRig &m_rig;
    int m_baud = 9600;
    int m_stopBits = 1;
    qint64 m_processingUs = 3000;
    QList<Timed> m_outgoing; // controller -> rig, by the time each byte has crossed
    QList<Timed> m_incoming; // rig -> controller, by arrival time
    QByteArray m_arrived;
    qint64 m_outFreeUs = 0; // when the controller's transmitter is free again
    qint64 m_inFreeUs = 0;  // when the rig's transmitter is free again
    qint64 m_bytesSent = 0;
    qint64 m_bytesReturned = 0;
};

} // namespace vm::sim
