#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vm::orbit {

// One NORAD two-line element set, with the optional name line of the
// three-line form. Values are kept in the units the lines carry them in.
struct Tle {
    std::string name;  // name line, trimmed; empty for a two-line set
    std::string line1; // the first 69 columns of line 1
    std::string line2; // the first 69 columns of line 2

    int catalogNumber = 0;
    char classification = ' ';
    std::string internationalDesignator;
    int epochYear = 0;           // four digits
    double epochDay = 0.0;       // day of year with fraction, 1.0 = 1 January 00:00 UTC
    double meanMotionDot = 0.0;  // first derivative of mean motion / 2, rev/day^2
    double meanMotionDdot = 0.0; // second derivative of mean motion / 6, rev/day^3
    double bstar = 0.0;          // drag term, 1/earth radii
    int ephemerisType = 0;
    int elementSetNumber = 0;
    double inclinationDeg = 0.0;
    double raanDeg = 0.0; // right ascension of the ascending node
    double eccentricity = 0.0;
    double argPerigeeDeg = 0.0;
    double meanAnomalyDeg = 0.0;
    double meanMotion = 0.0;  // rev/day
    int revolutionNumber = 0; // revolution number at epoch

    // Julian date (UTC) of the element epoch.
    double epochJulianDate() const;
    // The name to show: the name line, or the catalogue number when there is none.
    std::string displayName() const;
};

struct TleProblem {
    int line = 0; // 1-based line number in the text
    std::string message;
};

struct TleParseResult {
    std::vector<Tle> sets;
    std::vector<TleProblem> problems;
};

struct TleParseOptions {
    // Off only for element sets known to carry wrong checksums on purpose
    // (test vectors); everything read from users keeps it on.
    bool verifyChecksums = true;
};

// Modulo-10 checksum of the first 68 columns: digits count their value, '-' counts 1.
int tleChecksum(std::string_view line);

// Reads every element set of a text in two-line or three-line form (mixed is fine).
// Blank lines and lines starting with '#' are ignored. A bad set is reported with
// its line number and skipped; the other sets are still returned.
TleParseResult parseTleText(std::string_view text, const TleParseOptions &options = {});

// Parses one set from its two lines (columns after 69 are ignored). On failure
// returns false and puts the reason into error.
bool parseTleLines(std::string_view name, std::string_view line1, std::string_view line2, Tle &out,
                   std::string &error, const TleParseOptions &options = {});

} // namespace vm::orbit
