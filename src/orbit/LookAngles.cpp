#include "orbit/LookAngles.h"

#include "orbit/EarthFrame.h"
#include "orbit/JulianDate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace vm::orbit {

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

struct Topocentric {
    double south, east, up, range;
};

Topocentric toTopocentric(const Vec3 &rho, const Observer &observer)
{
    const double lat = observer.latitudeDeg / kRadToDeg;
    const double lon = observer.longitudeDeg / kRadToDeg;
    const double sinLat = std::sin(lat), cosLat = std::cos(lat);
    const double sinLon = std::sin(lon), cosLon = std::cos(lon);
    Topocentric t;
    t.south = sinLat * cosLon * rho.x + sinLat * sinLon * rho.y - cosLat * rho.z;
    t.east = -sinLon * rho.x + cosLon * rho.y;
    t.up = cosLat * cosLon * rho.x + cosLat * sinLon * rho.y + sinLat * rho.z;
    t.range = rho.norm();
    return t;
}

} // namespace

LookAngles lookAngles(const Satellite &satellite, const Observer &observer, int64_t unixMs)
{
    LookAngles out;
    const StateVector s = satellite.stateAt(unixMs);
    if (!s.ok()) {
        out.error = s.error;
        return out;
    }
    const EarthFixedState fixed = temeToEarthFixed(s.position, s.velocity, julianDateFromUnixMs(unixMs));
    const Vec3 rho = fixed.position - observer.earthFixedKm();
    const Topocentric t = toTopocentric(rho, observer);
    out.rangeKm = t.range;
    out.elevationDeg = std::asin(std::clamp(t.up / t.range, -1.0, 1.0)) * kRadToDeg;
    double az = std::atan2(t.east, -t.south) * kRadToDeg;
    if (az < 0.0)
        az += 360.0;
    out.azimuthDeg = az >= 360.0 ? 0.0 : az;
    // The station is at rest in the earth-fixed frame.
    out.rangeRateMs = rho.dot(fixed.velocity) / t.range * 1000.0;
    out.subSatellite = earthFixedToGeodetic(fixed.position);
    out.revolution = satellite.revolutionAt(unixMs);
    return out;
}

double elevationDeg(const Satellite &satellite, const Observer &observer, int64_t unixMs)
{
    const StateVector s = satellite.stateAt(unixMs);
    if (!s.ok())
        return std::numeric_limits<double>::quiet_NaN();
    const EarthFixedState fixed = temeToEarthFixed(s.position, s.velocity, julianDateFromUnixMs(unixMs));
    const Topocentric t = toTopocentric(fixed.position - observer.earthFixedKm(), observer);
    return std::asin(std::clamp(t.up / t.range, -1.0, 1.0)) * kRadToDeg;
}

} // namespace vm::orbit
