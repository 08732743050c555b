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
    // The published checksums: TleFormat.ReproducesPublishedLinesFromTheirFields.
    std::string plus = kIssLine1;
    plus[33] = '+'; // "-.00002182" -> "+.00002182": a plus sign counts nothing
    EXPECT_EQ(tleChecksum(plus), (tleChecksum(kIssLine1) + 9) % 10);
}

TEST(Tle, ReadsThreeLineSetWithItsNameAndEpoch)
{
    const TleParseResult r = parseTleText(lines({kIssName, kIssLine1, kIssLine2}));
    ASSERT_TRUE(r.problems.empty());
    ASSERT_EQ(r.sets.size(), 1u);
    const Tle &t = r.sets[0];
    EXPECT_EQ(t.name, "ISS (ZARYA)");
    // The other fields are written back to the published lines by
    // TleFormat.ReproducesPublishedLinesFromTheirFields; the orbital elements are
    // checked through propagation by the verification set.
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
    const auto with = [](std::string line, size_t at, const std::string &text) {
        return line.replace(at, text.size(), text);
    };
    const std::string l1 = kIssLine1, l2 = kIssLine2;
    const struct { std::string line1, line2; const char *error; } cases[] = {
        {l1, with(l2, 2, "25545"), "differ"},
        {l1, with(l2, 28, "x"), "eccentricity"},
        {l1, with(l2, 52, " 0.00000000"), "mean motion"},
        {with(l1, 53, "-1a606-4"), l2, "drag"},
        {l2, l1, ""}, // the lines swapped
    };
    TleParseOptions noSums;
    noSums.verifyChecksums = false;
    for (const auto &c : cases) {
        Tle t;
        std::string error;
        EXPECT_FALSE(parseTleLines("", c.line1, c.line2, t, error, noSums)) << c.error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

TEST(Tle, TwoDigitYearsPivotAt1957AndNameMarkerIsDropped)
{
    std::string l1 = kIssLine1;
    l1.replace(18, 2, "57");
    const Tle vanguard = parsedTle("0 VANGUARD", l1, kIssLine2, false);
    EXPECT_EQ(vanguard.epochYear, 1957);
    EXPECT_EQ(vanguard.name, "VANGUARD");
    l1.replace(18, 2, "56");
    EXPECT_EQ(parsedTle("", l1, kIssLine2, false).epochYear, 2056);
}

TEST(Tle, AlphaFiveCatalogNumbers)
{
    // I is skipped: J is 18.
    for (const auto &[alpha, number] : {std::pair{"A0001", 100001}, {"J0001", 180001}}) {
        std::string l1 = kIssLine1, l2 = kIssLine2;
        l1.replace(2, 5, alpha);
        l2.replace(2, 5, alpha);
        EXPECT_EQ(parsedTle("", l1, l2, false).catalogNumber, number) << alpha;
    }
}

} // namespace
} // namespace vm::orbit
