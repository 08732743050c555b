#pragma once

#include "orbit/Observer.h"
#include "orbit/Satellite.h"
#include "tracking/TrackingSource.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace vm {

// The four tracking values computed from an element set, in the forms an
// outside tracking program serves them: the elevation as degrees with two
// decimals (fine enough that the -0.1 degree horizon is decided on the
// computed value, not on a rounded one), the revolution number as an
// integer, the range rate in m/s, positive when the satellite recedes.
namespace orbitValues {

// Values of `satellite` seen from `observer` at `unixMs`, the satellite
// reported as `name`; nullopt when the orbit cannot be propagated then
// (decayed or invalid elements).
std::optional<TrackingValues> compute(const QString &name, const orbit::Satellite &satellite,
                                      const orbit::Observer &observer, int64_t unixMs);

QString elevationText(double degrees);
// Two decimals, as the stand-in tracking program serves it.
QString rangeRateText(double metresPerSecond);

} // namespace orbitValues
} // namespace vm
