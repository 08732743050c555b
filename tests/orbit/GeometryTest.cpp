#include "OrbitTestData.h"
#include "orbit/EarthFrame.h"
#include "orbit/JulianDate.h"
#include "orbit/LookAngles.h"
#include "orbit/Maidenhead.h"
#include "orbit/Observer.h"
#include "orbit/Satellite.h"
#include "orbit/Tle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vm::orbit {
namespace {

using namespace testdata;

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

TEST(JulianDate, UnixTimeConversionsKnownDatesAndSiderealTime)
{
    // J2000.0 is 2000-01-01 12:00 UTC.
    EXPECT_DOUBLE_EQ(julianDateFromCalendar(2000, 1, 1, 12, 0, 0.0), 2451545.0);
    EXPECT_DOUBLE_EQ(julianDateFromUnixMs(0), 2440587.5);
    // Meeus, Astronomical Algorithms, example 7.a: 1957 October 4.81.
    EXPECT_NEAR(julianDateFromCalendar(1957, 10, 4, 19, 26, 24.0), 2436116.31, 1e-9);
    for (const long long ms : {0LL, 1221913540123LL, -86400001LL, 4102444800999LL})
        EXPECT_EQ(unixMsFromJulianDate(julianDateFromUnixMs(ms)), ms);

    // Meeus, example 12.a: 1987 April 10, 0h UT -> 13h10m46.3668s.
    EXPECT_NEAR(gmstRadians(2446895.5) * kRadToDeg, (13.0 + 10.0 / 60 + 46.3668 / 3600) * 15.0, 1e-5);
    // Meeus, example 12.b: 1987 April 10, 19h21m00s UT -> 8h34m57.0896s.
    EXPECT_NEAR(gmstRadians(julianDateFromCalendar(1987, 4, 10, 19, 21, 0.0)) * kRadToDeg,
                (8.0 + 34.0 / 60 + 57.0896 / 3600) * 15.0, 1e-5);
}

TEST(Maidenhead, CentresOfSquaresOfEachLengthAndMalformedLocators)
{
    // FN31pr is the published example (Newington, Connecticut).
    auto ll = locatorToLatLon("FN31pr");
    ASSERT_TRUE(ll);
    EXPECT_NEAR(ll->latitudeDeg, 41.72917, 1e-5);
    EXPECT_NEAR(ll->longitudeDeg, -72.70833, 1e-5);
    // Case does not matter.
    auto lower = locatorToLatLon("fn31PR");
    ASSERT_TRUE(lower);
    EXPECT_DOUBLE_EQ(lower->latitudeDeg, ll->latitudeDeg);

    ll = locatorToLatLon("PM95");
    ASSERT_TRUE(ll);
    EXPECT_DOUBLE_EQ(ll->latitudeDeg, 35.5);
    EXPECT_DOUBLE_EQ(ll->longitudeDeg, 139.0);

    // The eight-character square lies inside its six-character one.
    const auto six = locatorToLatLon("JN58td");
    const auto eight = locatorToLatLon("JN58td25");
    ASSERT_TRUE(six && eight);
    EXPECT_NEAR(six->latitudeDeg, 48.14583, 1e-5);
    EXPECT_NEAR(six->longitudeDeg, 11.625, 1e-9);
    EXPECT_LT(std::fabs(eight->latitudeDeg - six->latitudeDeg), 1.25 / 60);
    EXPECT_LT(std::fabs(eight->longitudeDeg - six->longitudeDeg), 2.5 / 60);
    // 2 of 10 steps of 30" east, 5 of 10 steps of 15" north from the subsquare corner.
    EXPECT_NEAR(eight->longitudeDeg, 10.0 + 19 * 5.0 / 60 + 2 * 0.5 / 60 + 0.25 / 60, 1e-9);
    EXPECT_NEAR(eight->latitudeDeg, 48.0 + 3 * 2.5 / 60 + 5 * 0.25 / 60 + 0.125 / 60, 1e-9);

    // Malformed locators give nothing.
    for (const char *bad :
         {"", "P", "PM9", "PM955", "SM95", "PMA5", "PM95zz", "PM95vq1", "PM95vqA1", "PM95 q"})
        EXPECT_FALSE(locatorToLatLon(bad)) << bad;
}

TEST(Observer, GeodeticRoundTripAndKnownRadii)
{
    // On the equator the ellipsoid radius is the equatorial radius; at a pole the polar radius.
    const Vec3 equator = geodeticToEarthFixed(0.0, 0.0, 0.0);
    EXPECT_NEAR(equator.x, 6378.137, 1e-9);
    const Vec3 pole = geodeticToEarthFixed(90.0, 0.0, 0.0);
    EXPECT_NEAR(pole.z, 6356.752314, 1e-6);
    for (const auto &[lat, lon, h] :
         {std::tuple{35.68, 139.77, 0.04}, std::tuple{-33.9, -70.6, 2.5}, std::tuple{89.999, 10.0, 400.0},
          std::tuple{0.0, 180.0, 35786.0}, std::tuple{-60.0, -179.5, -0.1}}) {
        const Geodetic g = earthFixedToGeodetic(geodeticToEarthFixed(lat, lon, h));
        EXPECT_NEAR(g.latitudeDeg, lat, 1e-9);
        EXPECT_NEAR(std::remainder(g.longitudeDeg - lon, 360.0), 0.0, 1e-9);
        EXPECT_NEAR(g.heightKm, h, 1e-6);
    }
}

TEST(LookAngles, RangeRateIsTheDerivativeOfRange)
{
    const Satellite iss = makeSatellite(kIssName, kIssLine1, kIssLine2);
    const Observer tokyo{35.68, 139.77, 40.0};
    int checked = 0;
    for (long long t = kIssEpochMs; t < kIssEpochMs + 6 * 3600 * 1000LL; t += 7 * 60 * 1000 + 13) {
        const LookAngles now = lookAngles(iss, tokyo, t);
        const LookAngles before = lookAngles(iss, tokyo, t - 500);
        const LookAngles after = lookAngles(iss, tokyo, t + 500);
        ASSERT_TRUE(now.ok() && before.ok() && after.ok());
        const double derivative = (after.rangeKm - before.rangeKm) * 1000.0; // m per second
        EXPECT_NEAR(now.rangeRateMs, derivative, 0.5) << "at " << t;
        EXPECT_LT(std::fabs(now.rangeRateMs), 8000.0);
        ++checked;
    }
    EXPECT_GT(checked, 40);
}

TEST(LookAngles, OverheadSatelliteIsAtZenithAndSubPointMatchesStation)
{
    const Satellite iss = makeSatellite(kIssName, kIssLine1, kIssLine2);
    // A station right under the satellite sees it at the zenith at the satellite's altitude.
    const LookAngles probe = lookAngles(iss, Observer{0.0, 0.0, 0.0}, kIssEpochMs);
    ASSERT_TRUE(probe.ok());
    const Observer below{probe.subSatellite.latitudeDeg, probe.subSatellite.longitudeDeg, 0.0};
    const LookAngles overhead = lookAngles(iss, below, kIssEpochMs);
    EXPECT_NEAR(overhead.elevationDeg, 90.0, 1e-6);
    EXPECT_NEAR(overhead.rangeKm, probe.subSatellite.heightKm, 1e-6);
    // The ISS of 2008 flew at roughly 350 km, never beyond its inclination in latitude.
    EXPECT_GT(probe.subSatellite.heightKm, 330.0);
    EXPECT_LT(probe.subSatellite.heightKm, 380.0);
    EXPECT_LE(std::fabs(probe.subSatellite.latitudeDeg), 51.7);
    // A station 2000 km north-ish of the sub-point sees it low, towards the south.
    const Observer north{below.latitudeDeg + 18.0, below.longitudeDeg, 0.0};
    const LookAngles fromNorth = lookAngles(iss, north, kIssEpochMs);
    EXPECT_NEAR(fromNorth.azimuthDeg, 180.0, 10.0);
    EXPECT_LT(fromNorth.elevationDeg, 20.0);
}

TEST(Revolution, CountGoesUpWhenTheSatelliteCrossesTheEquatorNorthwards)
{
    const Satellite iss = makeSatellite(kIssName, kIssLine1, kIssLine2);
    const Observer any{0.0, 0.0, 0.0};
    int increments = 0;
    // Three days later, 10-second steps over six hours.
    const long long start = kIssEpochMs + 3LL * 86400 * 1000;
    long long previousRev = iss.revolutionAt(start);
    double previousLat = lookAngles(iss, any, start).subSatellite.latitudeDeg;
    for (long long t = start + 10000; t < start + 6LL * 3600 * 1000; t += 10000) {
        const long long rev = iss.revolutionAt(t);
        const double lat = lookAngles(iss, any, t).subSatellite.latitudeDeg;
        const bool northwardCrossing = previousLat < 0.0 && lat >= 0.0;
        EXPECT_EQ(rev - previousRev, northwardCrossing ? 1 : 0) << "at " << t << " lat " << lat;
        increments += static_cast<int>(rev - previousRev);
        previousRev = rev;
        previousLat = lat;
    }
    EXPECT_EQ(increments, 4);
}

TEST(LookAngles, DecayedSatelliteReportsTheModelError)
{
    const Satellite decayed = makeSatellite("DECAY", kDecayLine1, kDecayLine2);
    const LookAngles l =
        lookAngles(decayed, Observer{35.0, 139.0, 0.0}, decayed.epochUnixMs() + 2 * 3600 * 1000LL);
    EXPECT_EQ(l.error, Sgp4Error::Decayed);
    EXPECT_EQ(decayed.revolutionAt(decayed.epochUnixMs() + 2 * 3600 * 1000LL), -1);
}

} // namespace
} // namespace vm::orbit
