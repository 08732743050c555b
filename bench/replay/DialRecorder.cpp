#include "replay/DialRecorder.h"

#include <algorithm>

namespace vm::bench {

using Side = sim::IcomRig::Side;

QByteArray DialRecorder::receiveByte(quint8 byte)
{
    const qsizetype commandsBefore = m_rig.commands().size();
    const QByteArray answer = m_rig.receiveByte(byte);
    if (m_rig.commands().size() > commandsBefore) {
        const sim::ReceivedCommand &c = m_rig.commands().back();
        if (c.addressed && !c.command.isEmpty() && quint8(c.command.at(0)) == 0x05)
            m_sets.push_back(m_clock.nowMs());
    }
    const qint64 rx = m_rig.dial(Side::Main).hz;
    const qint64 tx = m_rig.dial(Side::Sub).hz;
    if (m_changes.empty() || m_changes.back().receiveHz != rx || m_changes.back().transmitHz != tx) {
        const qint64 now = m_clock.nowMs();
        if (!m_changes.empty() && m_changes.back().atMs == now)
            m_changes.back() = {now, rx, tx};
        else
            m_changes.push_back({now, rx, tx});
    }
    return answer;
}

DialRecorder::Change DialRecorder::at(qint64 ms) const
{
    // First change after the moment; the one before it is in force.
    auto it = std::upper_bound(m_changes.begin(), m_changes.end(), ms,
                               [](qint64 t, const Change &c) { return t < c.atMs; });
    if (it == m_changes.begin())
        return {ms, m_rig.dial(Side::Main).hz, m_rig.dial(Side::Sub).hz};
    return *(it - 1);
}

} // namespace vm::bench
