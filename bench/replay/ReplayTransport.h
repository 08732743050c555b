#pragma once

#include "cat/SerialTransport.h"
#include "rigsim/SimulatedTransport.h"

#include <limits>

namespace vm::bench {

// The controller's port onto the simulated line. The line stays with the
// replay (it counts the traffic); the controller owns only this.
//
// A fixed wait is carried out as a wait for more bytes than will ever come:
// the line then moves event by event, so the rig takes each command when its
// last byte has crossed the wire, not at the end of the wait.
class ReplayTransport final : public SerialTransport {
public:
    explicit ReplayTransport(sim::SimulatedTransport &inner) : m_inner(inner) {}
    bool open(const SerialSettings &s) override { return m_inner.open(s); }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    void purge(bool output, bool input) override { m_inner.purge(output, input); }
    qint64 write(const QByteArray &bytes) override { return m_inner.write(bytes); }
    qint64 waitForBytes(qint64 count, int timeoutMs) override
    {
        if (count < 0)
            count = std::numeric_limits<int>::max();
        return m_inner.waitForBytes(count, timeoutMs);
    }
    QByteArray read(qint64 count, int timeoutMs) override { return m_inner.read(count, timeoutMs); }

private:
    sim::SimulatedTransport &m_inner;
};

} // namespace vm::bench
