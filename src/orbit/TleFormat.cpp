#include "orbit/TleFormat.h"

#include "orbit/JulianDate.h"

#include <cmath>
#include <cstdio>

namespace vm::orbit {

namespace {

std::string withChecksum(std::string line)
{
    line.resize(68, ' ');
    return line + static_cast<char>('0' + tleChecksum(line));
}

} // namespace

std::string impliedExponent(double value)
{
    char sign = value < 0 ? '-' : ' ';
    double v = std::fabs(value);
    if (v < 1e-15)
        return " 00000-0";
    int exponent = static_cast<int>(std::floor(std::log10(v))) + 1;
    long mantissa = std::lround(v / std::pow(10.0, exponent) * 1e5);
    if (mantissa >= 100000) { // rounding carried into another digit
        mantissa /= 10;
        ++exponent;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%c%05ld%c%d", sign, mantissa, exponent < 0 ? '-' : '+', std::abs(exponent) % 10);
    return buf;
}

void epochFromUnixMs(int64_t unixMs, int &year, double &dayOfYear)
{
    const int64_t days = unixMs / 86400000;
    // Civil year of a day count since 1970 (proleptic Gregorian).
    int y = 1970;
    int64_t left = days;
    for (;;) {
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        const int length = leap ? 366 : 365;
        if (left < length)
            break;
        left -= length;
        ++y;
    }
    year = y;
    dayOfYear = 1.0 + static_cast<double>(left) + static_cast<double>(unixMs % 86400000) / kMsPerDay;
}

Tle formatTle(const Tle &e)
{
    char l1[96];
    char l2[96];
    char designator[9];
    std::snprintf(designator, sizeof designator, "%-8.8s", e.internationalDesignator.c_str());
    const double dot = e.meanMotionDot;
    char dotText[16];
    std::snprintf(dotText, sizeof dotText, "%.8f", std::fabs(dot)); // "0.00001234"
    std::snprintf(l1, sizeof l1, "1 %05d%c %s %02d%012.8f %c%s %s %s %d %4d", e.catalogNumber,
                  e.classification == ' ' ? 'U' : e.classification, designator, e.epochYear % 100, e.epochDay,
                  dot < 0 ? '-' : ' ', dotText + 1, impliedExponent(e.meanMotionDdot).c_str(),
                  impliedExponent(e.bstar).c_str(), e.ephemerisType, e.elementSetNumber % 10000);

    char ecc[16];
    std::snprintf(ecc, sizeof ecc, "%.7f", e.eccentricity); // "0.0006703"
    std::snprintf(l2, sizeof l2, "2 %05d %8.4f %8.4f %s %8.4f %8.4f %11.8f%5d", e.catalogNumber,
                  e.inclinationDeg, e.raanDeg, ecc + 2, e.argPerigeeDeg, e.meanAnomalyDeg, e.meanMotion,
                  e.revolutionNumber % 100000);

    Tle out = e;
    out.line1 = withChecksum(l1);
    out.line2 = withChecksum(l2);
    return out;
}

} // namespace vm::orbit
