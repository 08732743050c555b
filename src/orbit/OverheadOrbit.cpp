#include "orbit/OverheadOrbit.h"

#include "orbit/JulianDate.h"
#include "orbit/LookAngles.h"
#include "orbit/Satellite.h"
#include "orbit/TleFormat.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vm::orbit {

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kMu = 398600.8;          // km^3/s^2, WGS-72
constexpr double kEarthRadiusKm = 6378.135; // WGS-72

double wrap360(double deg)
{
    deg = std::fmod(deg, 360.0);
    return deg < 0 ? deg + 360.0 : deg;
}

Tle elements(const OverheadOrbitRequest &r, double raanDeg, double meanAnomalyDeg)
{
    Tle t;
    t.name = r.name;
    t.catalogNumber = r.catalogNumber;
    t.classification = 'U';
    t.internationalDesignator = "26001A";
    epochFromUnixMs(r.epochUnixMs, t.epochYear, t.epochDay);
    const double a = kEarthRadiusKm + r.altitudeKm;
    t.meanMotion = std::sqrt(kMu / (a * a * a)) * 86400.0 / (2.0 * std::numbers::pi);
    t.inclinationDeg = r.inclinationDeg;
    t.raanDeg = wrap360(raanDeg);
    t.eccentricity = 0.0001;
    t.argPerigeeDeg = 0.0;
    t.meanAnomalyDeg = wrap360(meanAnomalyDeg);
    t.elementSetNumber = 999;
    t.revolutionNumber = 1;
    return formatTle(t);
}

double elevationAt(const OverheadOrbitRequest &r, double raan, double meanAnomaly)
{
    std::string error;
    Tle parsed;
    const Tle t = elements(r, raan, meanAnomaly);
    if (!parseTleLines(t.name, t.line1, t.line2, parsed, error))
        return -90.0;
    const Satellite sat(parsed);
    const double el = elevationDeg(sat, r.station, r.culminationUnixMs);
    return std::isnan(el) ? -90.0 : el;
}

} // namespace

Tle designOverheadOrbit(const OverheadOrbitRequest &r)
{
    // First guess on a spherical earth: the argument of latitude that puts the
    // satellite at the station's latitude on a northbound track, and the node
    // that puts it at the station's right ascension.
    const double i = r.inclinationDeg * kDeg;
    const double lat = r.station.latitudeDeg * kDeg;
    const double u = std::asin(std::clamp(std::sin(lat) / std::sin(i), -1.0, 1.0));
    const double gmst = gmstRadians(julianDateFromUnixMs(r.culminationUnixMs));
    const double ra = r.station.longitudeDeg * kDeg + gmst;
    double raan = (ra - std::atan2(std::cos(i) * std::sin(u), std::cos(u))) / kDeg;
    const double a = kEarthRadiusKm + r.altitudeKm;
    const double revPerMin = std::sqrt(kMu / (a * a * a)) * 60.0 / (2.0 * std::numbers::pi);
    const double minutes = static_cast<double>(r.culminationUnixMs - r.epochUnixMs) / 60000.0;
    double anomaly = u / kDeg - minutes * revPerMin * 360.0;

    // Then climb to the highest elevation the propagator gives at that moment.
    double best = elevationAt(r, raan, anomaly);
    for (double step = 4.0; step > 0.001; step /= 2.0) {
        bool moved = true;
        while (moved) {
            moved = false;
            const double tries[4][2] = {{step, 0}, {-step, 0}, {0, step}, {0, -step}};
            for (const auto &d : tries) {
                const double e = elevationAt(r, raan + d[0], anomaly + d[1]);
                if (e > best) {
                    best = e;
                    raan += d[0];
                    anomaly += d[1];
                    moved = true;
                }
            }
        }
    }
    return elements(r, raan, anomaly);
}

} // namespace vm::orbit
