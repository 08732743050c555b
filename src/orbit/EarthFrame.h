#pragma once

#include "orbit/Vec3.h"

namespace vm::orbit {

// Earth rotation rate, rad/s.
inline constexpr double kEarthRotationRadPerSec = 7.292115146706979e-5;

struct EarthFixedState {
    Vec3 position; // km
    Vec3 velocity; // km/s, relative to the rotating earth
};

// TEME (the frame SGP4 works in) to earth-fixed coordinates, rotating by the
// Greenwich mean sidereal time of the date; polar motion is neglected.
EarthFixedState temeToEarthFixed(const Vec3 &positionKm, const Vec3 &velocityKmS, double julianDateUtc);

} // namespace vm::orbit
