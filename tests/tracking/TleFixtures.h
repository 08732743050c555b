#pragma once

// Element sets for the tracking tests, all with the epoch 2024-01-01 12:00 UTC.
// The lines are written without their checksum digit; withChecksum() adds it.

#include "orbit/Tle.h"

#include <QString>

#include <string>

namespace vm::test {

inline constexpr long long kEpochMs = 1704110400000LL; // 2024-01-01 12:00:00 UTC

struct TleSet {
    const char *name;
    const char *line1; // 68 columns
    const char *line2;
};

// ISS-like low orbit (the published example set, moved to the common epoch).
inline constexpr TleSet kIss{"ISS (ZARYA)",
                             "1 25544U 98067A   24001.50000000 -.00002182  00000-0 -11606-4 0  292",
                             "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.7212539156353"};
// AO-7-like orbit, named the way some catalogues name it.
inline constexpr TleSet kAo7{"OSCAR 7 (AO-7)",
                             "1 07530U 74089B   24001.50000000 -.00000040  00000-0  10000-3 0  999",
                             "2 07530 101.9800 100.0000 0012000 200.0000 160.0000 12.5365000020000"};
// FO-29-like sun-synchronous orbit.
inline constexpr TleSet kFo29{"JAS-2 (FO-29)",
                              "1 24278U 96046B   24001.50000000  .00000010  00000-0  10000-4 0  999",
                              "2 24278  98.5000  50.0000 0350000 300.0000  60.0000 13.5300000040000"};
// Two geostationary satellites 40 degrees apart.
inline constexpr TleSet kGeoA{"GEO-A", "1 99991U 20001A   24001.50000000  .00000000  00000-0  00000-0 0  999",
                              "2 99991   0.0500  80.0000 0002000 100.0000 200.0000  1.0027379000001"};
inline constexpr TleSet kGeoB{"GEO-B", "1 99992U 20001B   24001.50000000  .00000000  00000-0  00000-0 0  999",
                              "2 99992   0.0500 120.0000 0002000 100.0000 200.0000  1.0027379000001"};

inline std::string withChecksum(const std::string &line68)
{
    return line68 + char('0' + orbit::tleChecksum(line68));
}

// The three-line form of the sets, name lines optionally replaced.
inline QString tleText(std::initializer_list<TleSet> sets)
{
    QString text;
    for (const TleSet &s : sets) {
        text += QString::fromUtf8(s.name) + u'\n';
        text += QString::fromStdString(withChecksum(s.line1)) + u'\n';
        text += QString::fromStdString(withChecksum(s.line2)) + u'\n';
    }
    return text;
}

inline orbit::Tle parsedSet(const TleSet &s)
{
    orbit::Tle tle;
    std::string error;
    orbit::parseTleLines(s.name, withChecksum(s.line1), withChecksum(s.line2), tle, error);
    return tle;
}

} // namespace vm::test
