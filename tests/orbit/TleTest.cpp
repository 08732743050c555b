#include "orbit/Tle.h"
#include "OrbitTestData.h"

#include <gtest/gtest.h>

#include <string>

namespace vm::orbit {
namespace {

using namespace testdata;

std::string lines(std::initializer_list<std::string> l)
{
    std::string text;
    for (const auto &s : l)
        text += s + "\n";
    return text;
}

TEST(Tle, ChecksumCountsDigitsAndMinusSigns)
{
    // The published lines carry their checksum in column 69; line 1 has two minus signs.
    EXPECT_EQ(tleChecksum(kIssLine1), kIssLine1[68] - '0');
    EXPECT_EQ(tleChecksum(kIssLine2), kIssLine2[68] - '0');
    std::string plus = kIssLine1;
    plus[33] = '+'; // "-.00002182" -> "+.00002182": a plus sign counts nothing
    EXPECT_EQ(tleChecksum(plus), (tleChecksum(kIssLine1) + 9) % 10);
}

TEST(Tle, ReadsThreeLineSetWithTheFieldsPropagationDoesNotUse)
{
    const TleParseResult r = parseTleText(lines({kIssName, kIssLine1, kIssLine2}));
    ASSERT_TRUE(r.problems.empty());
    ASSERT_EQ(r.sets.size(), 1u);
    const Tle &t = r.sets[0];
    EXPECT_EQ(t.name, "ISS (ZARYA)");
    EXPECT_EQ(t.catalogNumber, 25544);
    EXPECT_EQ(t.classification, 'U');
    EXPECT_EQ(t.internationalDesignator, "98067A");
    EXPECT_EQ(t.elementSetNumber, 292);
    EXPECT_EQ(t.revolutionNumber, 56353);
    // The orbital elements are checked through propagation by the verification set.
    // 2008 day 264.51782528 is 20 September 12:25:40.1 UTC.
    EXPECT_NEAR(t.epochJulianDate(), 2454730.01782528, 1e-8);
}

TEST(Tle, MixedTwoAndThreeLineSetsWithBlankLinesAndCrLf)
{
    const std::string text = std::string(kIssName) + "\r\n" + kIssLine1 + "\r\n" + kIssLine2 + "\r\n\r\n" +
                             kGeoLine1 + "\r\n" + kGeoLine2 + "   \r\n";
    const TleParseResult r = parseTleText(text);
    ASSERT_TRUE(r.problems.empty()) << r.problems[0].message;
    ASSERT_EQ(r.sets.size(), 2u);
    EXPECT_EQ(r.sets[0].name, "ISS (ZARYA)");
    EXPECT_EQ(r.sets[1].name, "");
    EXPECT_EQ(r.sets[1].displayName(), "99991");
    EXPECT_EQ(r.sets[1].epochYear, 2024);
}

TEST(Tle, BadSetsAreReportedByLineAndSkipped)
{
    std::string badChecksum = kGeoLine2;
    badChecksum[20] = '9'; // a changed digit no longer matches column 69
    std::string shortLine = kDecayLine1;
    shortLine.resize(60);
    const std::string text = lines({
        "GOOD ONE", kIssLine1, kIssLine2,  // lines 1-3
        "BAD SUM", kGeoLine1, badChecksum, // lines 4-6
        "SHORT", shortLine, kDecayLine2,   // lines 7-9
        "ORPHAN", kIssLine2,               // lines 10-11
        "LAST", kIssLine1, kIssLine2,      // lines 12-14
    });
    const TleParseResult r = parseTleText(text);
    ASSERT_EQ(r.sets.size(), 2u);
    EXPECT_EQ(r.sets[0].name, "GOOD ONE");
    EXPECT_EQ(r.sets[1].name, "LAST");
    ASSERT_EQ(r.problems.size(), 3u);
    EXPECT_EQ(r.problems[0].line, 5);
    EXPECT_NE(r.problems[0].message.find("checksum error in line 2"), std::string::npos);
    EXPECT_EQ(r.problems[1].line, 8);
    EXPECT_NE(r.problems[1].message.find("shorter"), std::string::npos);
    EXPECT_EQ(r.problems[2].line, 11);
    EXPECT_NE(r.problems[2].message.find("without a preceding line 1"), std::string::npos);
}

TEST(Tle, RejectsInconsistentOrGarbledFields)
{
    Tle t;
    std::string error;
    TleParseOptions noSums;
    noSums.verifyChecksums = false;

    std::string otherSat = kIssLine2;
    otherSat.replace(2, 5, "25545");
    EXPECT_FALSE(parseTleLines("", kIssLine1, otherSat, t, error, noSums));
    EXPECT_NE(error.find("differ"), std::string::npos);

    std::string garbledEcc = kIssLine2;
    garbledEcc[28] = 'x';
    EXPECT_FALSE(parseTleLines("", kIssLine1, garbledEcc, t, error, noSums));
    EXPECT_NE(error.find("eccentricity"), std::string::npos);

    std::string zeroMotion = kIssLine2;
    zeroMotion.replace(52, 11, " 0.00000000");
    EXPECT_FALSE(parseTleLines("", kIssLine1, zeroMotion, t, error, noSums));
    EXPECT_NE(error.find("mean motion"), std::string::npos);

    std::string badBstar = kIssLine1;
    badBstar.replace(53, 8, "-1a606-4");
    EXPECT_FALSE(parseTleLines("", badBstar, kIssLine2, t, error, noSums));
    EXPECT_NE(error.find("drag"), std::string::npos);

    EXPECT_FALSE(parseTleLines("", kIssLine2, kIssLine1, t, error, noSums));
}

TEST(Tle, TwoDigitYearsPivotAt1957AndNameMarkerIsDropped)
{
    Tle t;
    std::string error;
    TleParseOptions noSums;
    noSums.verifyChecksums = false;
    std::string l1 = kIssLine1;
    l1.replace(18, 2, "57");
    ASSERT_TRUE(parseTleLines("0 VANGUARD", l1, kIssLine2, t, error, noSums)) << error;
    EXPECT_EQ(t.epochYear, 1957);
    EXPECT_EQ(t.name, "VANGUARD");
    l1.replace(18, 2, "56");
    ASSERT_TRUE(parseTleLines("", l1, kIssLine2, t, error, noSums));
    EXPECT_EQ(t.epochYear, 2056);
}

TEST(Tle, AlphaFiveCatalogNumbers)
{
    std::string l1 = kIssLine1;
    std::string l2 = kIssLine2;
    l1.replace(2, 5, "A0001");
    l2.replace(2, 5, "A0001");
    Tle t;
    std::string error;
    TleParseOptions noSums;
    noSums.verifyChecksums = false;
    ASSERT_TRUE(parseTleLines("", l1, l2, t, error, noSums)) << error;
    EXPECT_EQ(t.catalogNumber, 100001);
    l1.replace(2, 5, "J0001"); // I is skipped: J is 18
    l2.replace(2, 5, "J0001");
    ASSERT_TRUE(parseTleLines("", l1, l2, t, error, noSums)) << error;
    EXPECT_EQ(t.catalogNumber, 180001);
}

} // namespace
} // namespace vm::orbit
