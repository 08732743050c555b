#include "OrbitTestData.h"
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

// The made-up overhead orbit: SatpassE2e.MadeUpOverheadSatelliteCulminatesWhereAndWhenAsked.
