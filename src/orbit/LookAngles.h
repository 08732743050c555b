#pragma once

#include "orbit/Observer.h"
#include "orbit/Satellite.h"
#include "orbit/Sgp4.h"

#include <cstdint>

namespace vm::orbit {

// Where a satellite is seen from a station at one moment.
struct LookAngles {
    double azimuthDeg = 0.0;   // from north, clockwise, [0, 360)
    double elevationDeg = 0.0; // above the horizon
    double rangeKm = 0.0;
    double rangeRateMs = 0.0; // m/s, positive when the satellite recedes
    Geodetic subSatellite;    // sub-satellite point and altitude
    long long revolution = 0;
    Sgp4Error error = Sgp4Error::None; // the other values are meaningless unless None

    bool ok() const { return error == Sgp4Error::None; }
};

LookAngles lookAngles(const Satellite &satellite, const Observer &observer, int64_t unixMs);

// Elevation only (degrees); cheaper, for searches. NaN when propagation fails.
double elevationDeg(const Satellite &satellite, const Observer &observer, int64_t unixMs);

} // namespace vm::orbit
