#include "OrbitTestData.h"
#include "orbit/LookAngles.h"
#include "orbit/OverheadOrbit.h"
#include "orbit/PassPredictor.h"
#include "orbit/Satellite.h"
#include "orbit/TleFormat.h"

#include <gtest/gtest.h>

using namespace vm::orbit;

using testdata::parsedTle;

TEST(TleFormat, ReproducesPublishedLinesFromTheirFields)
{
    for (const auto &[n, l1, l2] : {std::tuple{testdata::kIssName, testdata::kIssLine1, testdata::kIssLine2},
                                    std::tuple{"GEO", testdata::kGeoLine1, testdata::kGeoLine2},
                                    std::tuple{"DECAY", testdata::kDecayLine1, testdata::kDecayLine2}}) {
        const Tle parsed = parsedTle(n, l1, l2);
        Tle fields = parsed;
        fields.line1.clear();
        fields.line2.clear();
        const Tle written = formatTle(fields);
        EXPECT_EQ(written.line1, std::string(l1).substr(0, 69));
        EXPECT_EQ(written.line2, std::string(l2).substr(0, 69));
    }
}

TEST(TleFormat, EpochAndImpliedExponentFields)
{
    int year = 0;
    double day = 0;
    epochFromUnixMs(1704110400000LL, year, day); // 2024-01-01 12:00 UTC
    EXPECT_EQ(year, 2024);
    EXPECT_DOUBLE_EQ(day, 1.5);
    epochFromUnixMs(1735646400000LL, year, day); // 2024-12-31 12:00 UTC, a leap year
    EXPECT_EQ(year, 2024);
    EXPECT_DOUBLE_EQ(day, 366.5);
    EXPECT_EQ(impliedExponent(-0.11606e-4), "-11606-4");
    EXPECT_EQ(impliedExponent(0.0), " 00000-0");
    EXPECT_EQ(impliedExponent(0.999996e-3), " 10000-2"); // rounding carries into the exponent
}

TEST(OverheadOrbit, SatelliteStandsOverTheStationAtTheChosenMoment)
{
    for (const Observer station : {Observer{35.68, 139.77, 40.0}, Observer{-33.9, 18.4, 0.0}, Observer{64.1, -21.9, 0.0}}) {
        OverheadOrbitRequest req;
        req.station = station;
        req.epochUnixMs = 1796000000000LL;
        req.culminationUnixMs = req.epochUnixMs + 5 * 60000;
        const Tle designed = designOverheadOrbit(req);

        // What a reader makes of the written lines is what counts.
        Tle reread = parsedTle(designed.name, designed.line1, designed.line2);
        const Satellite sat(reread);
        const LookAngles top = lookAngles(sat, station, req.culminationUnixMs);
        ASSERT_TRUE(top.ok());
        EXPECT_GT(top.elevationDeg, 85.0) << station.latitudeDeg;

        const PassSearchResult passes = findPasses(sat, station, req.epochUnixMs, req.epochUnixMs + 20 * 60000);
        ASSERT_EQ(passes.passes.size(), 1u);
        EXPECT_NEAR(static_cast<double>(passes.passes[0].maxMs - req.culminationUnixMs), 0.0, 30000.0);
    }
}
