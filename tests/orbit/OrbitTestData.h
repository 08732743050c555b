#pragma once

// Element sets used by several orbit tests.

#include "orbit/Satellite.h"
#include "orbit/Tle.h"

#include <gtest/gtest.h>

#include <string>

namespace vm::orbit::testdata {

// The set of these lines, which must parse (checksums verified unless told not to).
inline Tle parsedTle(const std::string &name, const std::string &l1, const std::string &l2, bool sums = true)
{
    Tle t;
    std::string error;
    TleParseOptions options;
    options.verifyChecksums = sums;
    EXPECT_TRUE(parseTleLines(name, l1, l2, t, error, options)) << error;
    return t;
}

inline Satellite makeSatellite(const char *name, const char *l1, const char *l2)
{
    return Satellite(parsedTle(name, l1, l2));
}

// The ISS element set published as the two-line example of the format.
inline constexpr const char *kIssName = "ISS (ZARYA)";
inline constexpr const char *kIssLine1 =
    "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
inline constexpr const char *kIssLine2 =
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";
// 2008-09-20 12:25:40 UTC, about the element epoch.
inline constexpr long long kIssEpochMs = 1221913540000LL;

// A geostationary satellite (mean motion one turn per sidereal day).
inline constexpr const char *kGeoLine1 =
    "1 99991U 20001A   24001.50000000  .00000000  00000-0  00000-0 0  9992";
inline constexpr const char *kGeoLine2 =
    "2 99991   0.0500  80.0000 0002000 100.0000 200.0000  1.00273790    17";
inline constexpr long long kGeoEpochMs = 1704110400000LL; // 2024-01-01 12:00 UTC

// A low, high-drag orbit that decays within about an hour of its epoch.
inline constexpr const char *kDecayLine1 =
    "1 28872U 05037B   05333.02012661  .25992681  00000-0  24476-3 0  1534";
inline constexpr const char *kDecayLine2 =
    "2 28872  96.4736 157.9986 0303955 244.0492 110.6523 16.46015938 10708";

} // namespace vm::orbit::testdata
