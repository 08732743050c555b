#include "orbit/JulianDate.h"

#include <cmath>
#include <numbers>

namespace vm::orbit {

double julianDateFromCalendar(int year, int month, int day, int hour, int minute, double second)
{
    // Valid for 1900 March 1 to 2100 February 28, which covers every element set epoch.
    const double jd = 367.0 * year - std::floor(7.0 * (year + std::floor((month + 9) / 12.0)) * 0.25) +
                      std::floor(275.0 * month / 9.0) + day + 1721013.5;
    return jd + ((second / 60.0 + minute) / 60.0 + hour) / 24.0;
}

double julianDateFromUnixMs(int64_t unixMs)
{
    return kUnixEpochJulianDate + static_cast<double>(unixMs) / kMsPerDay;
}

int64_t unixMsFromJulianDate(double julianDate)
{
    return static_cast<int64_t>(std::llround((julianDate - kUnixEpochJulianDate) * kMsPerDay));
}

double gmstRadians(double julianDateUt1)
{
    constexpr double twoPi = 2.0 * std::numbers::pi;
    const double t = (julianDateUt1 - 2451545.0) / 36525.0;
    // Seconds of sidereal time; 876600 h of the second coefficient are the whole turns per century.
    const double seconds =
        -6.2e-6 * t * t * t + 0.093104 * t * t + (876600.0 * 3600.0 + 8640184.812866) * t + 67310.54841;
    double theta = std::fmod(seconds * (std::numbers::pi / 180.0) / 240.0, twoPi);
    if (theta < 0.0)
        theta += twoPi;
    return theta;
}

} // namespace vm::orbit
