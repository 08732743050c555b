#pragma once

#include "orbit/Observer.h"
#include "orbit/Tle.h"

#include <cstdint>
#include <string>

namespace vm::orbit {

// Designs a circular low-earth orbit whose satellite passes right over a
// station at a chosen moment: for demonstrations and tests that need a pass
// under way now, whatever the real satellites do.
struct OverheadOrbitRequest {
    std::string name = "VELOMIRA-DEMO";
    int catalogNumber = 99990;
    Observer station;
    int64_t epochUnixMs = 0;       // element epoch (e.g. now)
    int64_t culminationUnixMs = 0; // when the satellite is to stand overhead
    double altitudeKm = 500.0;
    double inclinationDeg = 97.4;
};

// The element set, propagated with our SGP4 so that the maximum elevation at
// the culmination moment is as high as the search finds (normally above 85°).
Tle designOverheadOrbit(const OverheadOrbitRequest &request);

} // namespace vm::orbit
