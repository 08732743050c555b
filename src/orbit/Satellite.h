#pragma once

#include "orbit/Sgp4.h"
#include "orbit/Tle.h"

#include <cstdint>
#include <string>

namespace vm::orbit {

// One satellite: its element set and the propagator built from it, with
// propagation addressed by Unix time.
class Satellite {
public:
    explicit Satellite(Tle tle);

    const Tle &tle() const { return m_tle; }
    const std::string &name() const { return m_name; }
    const Sgp4 &model() const { return m_model; }
    int64_t epochUnixMs() const { return m_epochUnixMs; }

    double minutesSinceEpoch(int64_t unixMs) const;
    // State at a time. After the model first reports decay past the epoch,
    // every later time reports decay too: beyond that point the drag
    // polynomial turns back and would otherwise yield phantom orbits.
    StateVector stateAt(int64_t unixMs) const;
    // Minutes after epoch from which the satellite counts as decayed (infinity if not within the
    // scanned 60 days).
    double decayMinutes() const { return m_decayMinutes; }

    // Revolution number at a time, counted as trackers count it: it goes up by
    // one at each ascending-node crossing, starting from the element set's
    // revolution number at epoch. Returns -1 when the orbit cannot be propagated.
    long long revolutionAt(int64_t unixMs) const;

private:
    Tle m_tle;
    std::string m_name;
    Sgp4 m_model;
    int64_t m_epochUnixMs = 0;
    double m_epochPhase = 0.0; // argument of latitude at epoch in turns [0, 1)
    double m_decayMinutes = 0.0;
};

} // namespace vm::orbit
