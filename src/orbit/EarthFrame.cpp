#include "orbit/EarthFrame.h"

#include "orbit/JulianDate.h"

#include <cmath>

namespace vm::orbit {

EarthFixedState temeToEarthFixed(const Vec3 &r, const Vec3 &v, double julianDateUtc)
{
    const double theta = gmstRadians(julianDateUtc);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    EarthFixedState out;
    out.position = {c * r.x + s * r.y, -s * r.x + c * r.y, r.z};
    const Vec3 vRotated{c * v.x + s * v.y, -s * v.x + c * v.y, v.z};
    // Remove the velocity of the rotating frame: v_fixed = R v - w x r_fixed.
    const Vec3 omega{0.0, 0.0, kEarthRotationRadPerSec};
    out.velocity = vRotated - omega.cross(out.position);
    return out;
}

} // namespace vm::orbit
