#pragma once

#include <cstdint>

namespace vm::orbit {

// Julian date of the Unix epoch, 1970-01-01 00:00 UTC.
inline constexpr double kUnixEpochJulianDate = 2440587.5;
inline constexpr double kMsPerDay = 86400000.0;

// Julian date of a Gregorian calendar date and time (UTC).
double julianDateFromCalendar(int year, int month, int day, int hour, int minute, double second);

double julianDateFromUnixMs(int64_t unixMs);
// Rounded to the nearest millisecond.
int64_t unixMsFromJulianDate(double julianDate);

// Greenwich mean sidereal time in radians [0, 2pi) by the IAU-82 model,
// taking UTC as UT1 (the difference stays below one second).
double gmstRadians(double julianDateUt1);

} // namespace vm::orbit
