#include "orbit/PassPredictor.h"
#include "OrbitTestData.h"
#include "orbit/LookAngles.h"
#include "orbit/Satellite.h"
#include "orbit/Tle.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vm::orbit {
namespace {

using namespace testdata;

constexpr long long kHour = 3600 * 1000LL;
constexpr long long kDay = 24 * kHour;

const Observer kTokyo{35.68, 139.77, 40.0};

TEST(PassPredictor, PassTimesAgreeWithTheElevationFunction)
{
    const Satellite iss = makeSatellite(kIssName, kIssLine1, kIssLine2);
    const long long from = kIssEpochMs;
    const long long to = from + 2 * kDay;
    const PassSearchResult result = findPasses(iss, kTokyo, from, to);
    ASSERT_EQ(result.error, Sgp4Error::None);
    ASSERT_GE(result.passes.size(), 6u);

    long long previousLos = from - 1;
    for (const Pass &p : result.passes) {
        SCOPED_TRACE("pass with AOS at " + std::to_string(p.aosMs));
        EXPECT_EQ(p.losMs % 1000, 0); // AOS to the second: FindsExactlyThePassesOfABruteForceScan
        EXPECT_GT(p.aosMs, previousLos);
        EXPECT_LT(p.aosMs, p.maxMs);
        EXPECT_LT(p.maxMs, p.losMs);
        // A LEO pass lasts minutes, not hours.
        EXPECT_LT(p.losMs - p.aosMs, 15 * 60 * 1000);
        // Setting to the second.
        EXPECT_GE(elevationDeg(iss, kTokyo, p.losMs), 0.0);
        EXPECT_LT(elevationDeg(iss, kTokyo, p.losMs + 1000), 0.0);
        EXPECT_LT(elevationDeg(iss, kTokyo, p.aosMs), 0.5);
        // Up all the way between, and never above the reported maximum.
        for (long long t = p.aosMs + 1000; t < p.losMs; t += 1000) {
            const double el = elevationDeg(iss, kTokyo, t);
            ASSERT_GT(el, 0.0) << "at " << t;
            ASSERT_LE(el, p.maxElevationDeg + 1e-9) << "at " << t;
        }
        EXPECT_NEAR(elevationDeg(iss, kTokyo, p.maxMs), p.maxElevationDeg, 1e-9);
        EXPECT_NEAR(lookAngles(iss, kTokyo, p.aosMs).azimuthDeg, p.aosAzimuthDeg, 1e-9);
        EXPECT_NEAR(lookAngles(iss, kTokyo, p.losMs).azimuthDeg, p.losAzimuthDeg, 1e-9);
        EXPECT_FALSE(p.aosAtSpanStart);
        EXPECT_FALSE(p.losAtSearchEnd);
        previousLos = p.losMs;
    }
}

TEST(PassPredictor, FindsExactlyThePassesOfABruteForceScan)
{
    const Satellite iss = makeSatellite(kIssName, kIssLine1, kIssLine2);
    // A station at high latitude with many short, low passes.
    const Observer north{60.0, 25.0, 0.0};
    const long long from = kIssEpochMs + kDay;
    const long long to = from + kDay;
    const PassSearchResult result = findPasses(iss, north, from, to);
    ASSERT_EQ(result.error, Sgp4Error::None);

    // Every rising edge of a one-second scan is one pass AOS.
    std::vector<long long> rises;
    double previous = elevationDeg(iss, north, from);
    for (long long t = from + 1000; t <= to; t += 1000) {
        const double el = elevationDeg(iss, north, t);
        if (previous < 0.0 && el >= 0.0)
            rises.push_back(t);
        previous = el;
    }
    ASSERT_EQ(result.passes.size(), rises.size());
    for (size_t i = 0; i < rises.size(); ++i)
        EXPECT_EQ(result.passes[i].aosMs, rises[i]);
}

TEST(PassPredictor, PassInProgressAtSpanStartIsFlaggedAndStartsThere)
{
    const Satellite iss = makeSatellite(kIssName, kIssLine1, kIssLine2);
    const PassSearchResult whole = findPasses(iss, kTokyo, kIssEpochMs, kIssEpochMs + kDay);
    ASSERT_FALSE(whole.passes.empty());
    const Pass &target = whole.passes.front();
    const long long middle = (target.aosMs + target.losMs) / 2 + 123; // not on a whole second

    const PassSearchResult clipped = findPasses(iss, kTokyo, middle, middle + 3 * kHour);
    ASSERT_FALSE(clipped.passes.empty());
    const Pass &first = clipped.passes.front();
    EXPECT_TRUE(first.aosAtSpanStart);
    EXPECT_EQ(first.aosMs, (middle / 1000 + 1) * 1000);
    EXPECT_EQ(first.losMs, target.losMs);
    EXPECT_FALSE(clipped.passes.back().losAtSearchEnd);
    // The passes after it are the same as in the full search.
    for (size_t i = 1; i < clipped.passes.size(); ++i)
        EXPECT_EQ(clipped.passes[i].aosMs, whole.passes[i].aosMs);
}

TEST(PassPredictor, PassRisingBeforeSpanEndIsFollowedToItsRealLos)
{
    const Satellite iss = makeSatellite(kIssName, kIssLine1, kIssLine2);
    const PassSearchResult whole = findPasses(iss, kTokyo, kIssEpochMs, kIssEpochMs + kDay);
    ASSERT_FALSE(whole.passes.empty());
    const Pass &target = whole.passes.front();
    const PassSearchResult cut = findPasses(iss, kTokyo, kIssEpochMs, target.aosMs + 30 * 1000);
    ASSERT_EQ(cut.passes.size(), 1u);
    EXPECT_EQ(cut.passes[0].losMs, target.losMs);
    EXPECT_EQ(cut.passes[0].maxMs, target.maxMs);
    // A span ending just before the AOS contains nothing.
    EXPECT_TRUE(findPasses(iss, kTokyo, kIssEpochMs, target.aosMs - 1000).passes.empty());
}

TEST(PassPredictor, GeostationarySatelliteNeverRisesOrSets)
{
    const Satellite geo = makeSatellite("GEO", kGeoLine1, kGeoLine2);
    const LookAngles probe = lookAngles(geo, Observer{0.0, 0.0, 0.0}, kGeoEpochMs);
    ASSERT_TRUE(probe.ok());
    const double subLon = probe.subSatellite.longitudeDeg;

    // From the other side of the earth: below the horizon all day, no passes.
    const Observer farSide{35.0, std::remainder(subLon + 180.0, 360.0), 0.0};
    const PassSearchResult none = findPasses(geo, farSide, kGeoEpochMs, kGeoEpochMs + kDay);
    EXPECT_EQ(none.error, Sgp4Error::None);
    EXPECT_TRUE(none.passes.empty());

    // Under it: up the whole time; no rising or setting is invented.
    const Observer below{35.0, subLon, 0.0};
    PassOptions options;
    options.losLookAheadMs = kHour;
    const PassSearchResult up = findPasses(geo, below, kGeoEpochMs, kGeoEpochMs + kDay, options);
    ASSERT_EQ(up.passes.size(), 1u);
    EXPECT_TRUE(up.passes[0].aosAtSpanStart);
    EXPECT_TRUE(up.passes[0].losAtSearchEnd);
    EXPECT_EQ(up.passes[0].aosMs, kGeoEpochMs);
    EXPECT_EQ(up.passes[0].losMs, kGeoEpochMs + kDay + kHour);
    EXPECT_NEAR(up.passes[0].maxElevationDeg, 90.0 - 35.0 - 6.0, 3.0);
}

TEST(PassPredictor, DecayedSatelliteGivesNoPassesAndSaysWhy)
{
    const Satellite decayed = makeSatellite("DECAY", kDecayLine1, kDecayLine2);
    const long long start = decayed.epochUnixMs() + 2 * kHour;
    const PassSearchResult result = findPasses(decayed, kTokyo, start, start + kDay);
    EXPECT_TRUE(result.passes.empty());
    EXPECT_NE(result.error, Sgp4Error::None);
    EXPECT_EQ(result.errorAtMs, (start + 999) / 1000 * 1000); // the first whole second searched
}

TEST(PassPredictor, EmptyOrReversedSpanGivesNothing)
{
    const Satellite iss = makeSatellite(kIssName, kIssLine1, kIssLine2);
    EXPECT_TRUE(findPasses(iss, kTokyo, kIssEpochMs + kDay, kIssEpochMs).passes.empty());
}

TEST(PassPredictor, ElementSetsYearsFromTheSpanAreNotSearched)
{
    const Satellite geo = makeSatellite("GEO", kGeoLine1, kGeoLine2);
    const struct {
        long long offsetMs;
        bool stale;
    } cases[] = {{-2 * 365 * kDay, true}, {-300 * kDay, false}, {300 * kDay, false}, {2 * 365 * kDay, true}};
    for (const auto &c : cases)
        EXPECT_EQ(epochIsStale(geo, kGeoEpochMs + c.offsetMs), c.stale) << c.offsetMs / kDay << " days";

    // Deep-space resonance integration from the epoch would take seconds here.
    const long long from = kGeoEpochMs + 40 * 365 * kDay;
    const PassSearchResult result = findPasses(geo, kTokyo, from, from + kDay);
    EXPECT_TRUE(result.staleEpoch);
    EXPECT_TRUE(result.passes.empty());
    EXPECT_FALSE(findPasses(geo, kTokyo, kGeoEpochMs, kGeoEpochMs + kHour).staleEpoch);
}

} // namespace
} // namespace vm::orbit
