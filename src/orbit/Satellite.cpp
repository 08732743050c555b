#include "orbit/Satellite.h"

#include "orbit/JulianDate.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace vm::orbit {

namespace {

// Argument of latitude (angle from the ascending node in the orbit plane) in turns [0, 1).
double argumentOfLatitudeTurns(const StateVector &s)
{
    const Vec3 h = s.position.cross(s.velocity);
    const Vec3 node{-h.y, h.x, 0.0};
    const double nodeNorm = node.norm();
    double u = 0.0;
    if (nodeNorm < 1e-12) {
        // Equatorial orbit: measure from the x axis instead.
        u = std::atan2(s.position.y, s.position.x);
        if (h.z < 0.0)
            u = -u;
    } else {
        const Vec3 w = h.cross(node) * (1.0 / (h.norm() * nodeNorm)); // in-plane, 90 deg ahead of the node
        u = std::atan2(s.position.dot(w), s.position.dot(node) / nodeNorm);
    }
    double turns = u / (2.0 * std::numbers::pi);
    turns -= std::floor(turns);
    return turns;
}

// Where the model first reports decay after epoch. Orbits whose drag hardly
// changes the semi-major axis within the horizon are not scanned.
double findDecayMinutes(const Sgp4 &model)
{
    constexpr double horizon = 60.0 * 1440.0;
    constexpr double step = 1.0;
    if (model.dragFactor(horizon) > 0.9)
        return std::numeric_limits<double>::infinity();
    for (double t = 0.0; t <= horizon; t += step) {
        if (model.dragFactor(t) <= 0.0)
            return t;
        const StateVector s = model.propagate(t);
        if (s.error == Sgp4Error::Decayed || s.error == Sgp4Error::MeanElements ||
            s.error == Sgp4Error::MeanMotion)
            return t;
    }
    return std::numeric_limits<double>::infinity();
}

} // namespace

Satellite::Satellite(Tle tle)
    : m_tle(std::move(tle)), m_name(m_tle.displayName()), m_model(m_tle),
      m_epochUnixMs(unixMsFromJulianDate(m_model.epochJulianDate()))
{
    const StateVector atEpoch = m_model.propagate(0.0);
    if (atEpoch.ok())
        m_epochPhase = argumentOfLatitudeTurns(atEpoch);
    m_decayMinutes = findDecayMinutes(m_model);
}

double Satellite::minutesSinceEpoch(int64_t unixMs) const
{
    // Exact to the millisecond: the epoch is kept in Unix milliseconds, and the
    // sub-millisecond remainder of the element epoch is added back.
    const double epochRemainderMin =
        (m_model.epochJulianDate() - julianDateFromUnixMs(m_epochUnixMs)) * 1440.0;
    return static_cast<double>(unixMs - m_epochUnixMs) / 60000.0 - epochRemainderMin;
}

StateVector Satellite::stateAt(int64_t unixMs) const
{
    const double minutes = minutesSinceEpoch(unixMs);
    if (minutes >= m_decayMinutes) {
        StateVector decayed;
        decayed.error = Sgp4Error::Decayed;
        return decayed;
    }
    return m_model.propagate(minutes);
}

long long Satellite::revolutionAt(int64_t unixMs) const
{
    const double minutes = minutesSinceEpoch(unixMs);
    const StateVector s = stateAt(unixMs);
    if (!s.ok())
        return -1;
    // The mean rate of the argument of latitude gives the number of whole turns;
    // the actual position decides on which side of the node the satellite is.
    const double rate = (m_model.meanAnomalyRate() + m_model.argPerigeeRate()) / (2.0 * std::numbers::pi);
    const double estimate = m_epochPhase + rate * minutes;
    const double fraction = argumentOfLatitudeTurns(s);
    const double turns = std::round(estimate - fraction) + fraction;
    return static_cast<long long>(m_tle.revolutionNumber) + static_cast<long long>(std::floor(turns));
}

} // namespace vm::orbit
