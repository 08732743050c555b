#include "orbit/Observer.h"

#include <cmath>
#include <numbers>

namespace vm::orbit {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
// WGS-84 ellipsoid.
constexpr double kEquatorialRadiusKm = 6378.137;
constexpr double kFlattening = 1.0 / 298.257223563;
constexpr double kE2 = kFlattening * (2.0 - kFlattening);

} // namespace

Vec3 geodeticToEarthFixed(double latitudeDeg, double longitudeDeg, double heightKm)
{
    const double lat = latitudeDeg * kDegToRad;
    const double lon = longitudeDeg * kDegToRad;
    const double sinLat = std::sin(lat);
    const double n = kEquatorialRadiusKm / std::sqrt(1.0 - kE2 * sinLat * sinLat);
    const double xy = (n + heightKm) * std::cos(lat);
    return {xy * std::cos(lon), xy * std::sin(lon), (n * (1.0 - kE2) + heightKm) * sinLat};
}

Geodetic earthFixedToGeodetic(const Vec3 &r)
{
    Geodetic g;
    g.longitudeDeg = std::atan2(r.y, r.x) / kDegToRad;
    const double p = std::sqrt(r.x * r.x + r.y * r.y);
    if (p < 1e-9) {
        // On the axis: a pole.
        g.latitudeDeg = r.z >= 0.0 ? 90.0 : -90.0;
        g.heightKm = std::fabs(r.z) - kEquatorialRadiusKm * std::sqrt(1.0 - kE2);
        return g;
    }
    // Fixed-point iteration on latitude; converges to well below a millimetre in a few steps.
    double lat = std::atan2(r.z, p * (1.0 - kE2));
    double n = kEquatorialRadiusKm;
    for (int i = 0; i < 10; ++i) {
        const double sinLat = std::sin(lat);
        n = kEquatorialRadiusKm / std::sqrt(1.0 - kE2 * sinLat * sinLat);
        const double next = std::atan2(r.z + n * kE2 * sinLat, p);
        const bool done = std::fabs(next - lat) < 1e-12;
        lat = next;
        if (done)
            break;
    }
    const double sinLat = std::sin(lat);
    n = kEquatorialRadiusKm / std::sqrt(1.0 - kE2 * sinLat * sinLat);
    g.latitudeDeg = lat / kDegToRad;
    // Height from the larger of the two projections keeps precision near the poles.
    if (std::fabs(lat) < std::numbers::pi / 4.0)
        g.heightKm = p / std::cos(lat) - n;
    else
        g.heightKm = r.z / sinLat - n * (1.0 - kE2);
    return g;
}

Vec3 Observer::earthFixedKm() const
{
    return geodeticToEarthFixed(latitudeDeg, longitudeDeg, heightM / 1000.0);
}

} // namespace vm::orbit
