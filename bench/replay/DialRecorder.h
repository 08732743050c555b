#pragma once

#include "common/Clock.h"
#include "rigsim/IcomRig.h"
#include "rigsim/SimulatedRig.h"

#include <QtGlobal>
#include <vector>

namespace vm::bench {

// Sits between the simulated line and the simulated rig and notes, with the
// clock's time, every moment a byte changed the receive (main) or transmit
// (sub) dial: the dials in force on the rig over time.
class DialRecorder final : public sim::SimulatedRig {
public:
    struct Change {
        qint64 atMs;
        qint64 receiveHz;  // main band, VFO in use
        qint64 transmitHz; // sub band, VFO in use
    };

    DialRecorder(sim::IcomRig &rig, const Clock &clock) : m_rig(rig), m_clock(clock) {}

    QByteArray receiveByte(quint8 byte) override;
    bool echoes() const override { return m_rig.echoes(); }

    const std::vector<Change> &changes() const { return m_changes; }
    // When each frequency-set command (05) was taken by the rig.
    const std::vector<qint64> &frequencySets() const { return m_sets; }
    // The dials in force at a moment (the last change at or before it).
    Change at(qint64 ms) const;

private:
    sim::IcomRig &m_rig;
    const Clock &m_clock;
    std::vector<Change> m_changes;
    std::vector<qint64> m_sets;
};

} // namespace vm::bench
