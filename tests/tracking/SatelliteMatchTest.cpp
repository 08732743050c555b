#include "tracking/SatelliteMatch.h"
#include "TleFixtures.h"

#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;

namespace {

std::vector<orbit::Tle> sets(std::initializer_list<const char *> names)
{
    std::vector<orbit::Tle> out;
    for (const char *n : names) {
        orbit::Tle t = parsedSet(kAo7);
        t.name = n;
        out.push_back(t);
    }
    return out;
}

} // namespace

TEST(SatelliteMatch, NormalisedDropsPunctuationBlanksAndLeadingZeros)
{
    // Zeros inside a number and a number of zeros stay.
    for (const auto &[name, normal] : {std::pair{"AO-07", "AO7"}, {" ao 7 ", "AO7"}, {"RS-44", "RS44"},
                                       {"IO-117", "IO117"}, {"SO-50", "SO50"}, {"XW-0", "XW0"},
                                       {"CAS-5A 005", "CAS5A5"}, {"--", ""}})
        EXPECT_EQ(satelliteMatch::normalised(name), normal) << name;
    // Parentheses split into inner and outer names.
    EXPECT_EQ(satelliteMatch::parenthesised("OSCAR 7 (AO-7)"), "AO-7");
    EXPECT_EQ(satelliteMatch::beforeParentheses("OSCAR 7 (AO-7)"), "OSCAR 7");
    EXPECT_EQ(satelliteMatch::parenthesised("AO-7"), "");
    EXPECT_EQ(satelliteMatch::beforeParentheses("AO-7"), "AO-7");
    EXPECT_EQ(satelliteMatch::parenthesised("broken (name"), "");
}

TEST(SatelliteMatch, TableNamesFindTheirSets)
{
    const auto s = sets({"OSCAR 7 (AO-7)", "ISS (ZARYA)", "JAS-2 (FO-29)", "SO-50", "so-50"});
    // Exact (case-insensitive) spelling wins over the first normalised match ("so-50").
    for (const auto &[name, index] : {std::pair{"AO-07", 0}, {"AO-7", 0}, {"oscar 7", 0}, {"ISS", 1},
                                      {"FO-29", 2}, {"JAS-2", 2}, {"so-50", 3}, {"AO-73", -1}, {"", -1},
                                      {"  -  ", -1}})
        EXPECT_EQ(satelliteMatch::find(name, s).value_or(size_t(-1)), size_t(index)) << name;
    // Not a substring match: "AO-7" is not "AO-73".
    EXPECT_FALSE(satelliteMatch::find("AO-7", sets({"AO-73", "AO-27"})).has_value());
}

TEST(SatelliteMatch, EarlierRulesWinAcrossTheWholeFile)
{
    // The parenthesised "AO-7" comes first, but the plain "AO-07" matches by an earlier rule.
    const auto s = sets({"OSCAR 7 (AO-7)", "AO-07"});
    EXPECT_EQ(satelliteMatch::find("ao-07", s), 1u);
    EXPECT_EQ(satelliteMatch::find("AO-7", s), 1u);
    // A table name with parentheses finds a plain set by its inner name.
    EXPECT_EQ(satelliteMatch::find("Fuji (FO-29)", sets({"FO-29"})), 0u);
}

TEST(SatelliteMatch, SetWithoutNameIsKnownByItsCatalogueNumber)
{
    std::vector<orbit::Tle> s{parsedSet(kAo7)};
    s[0].name.clear();
    EXPECT_EQ(satelliteMatch::find("7530", s), 0u);
    EXPECT_EQ(satelliteMatch::find("07530", s), 0u);
}
