#include "rigctl/RangeRateSmoother.h"

#include <gtest/gtest.h>

using namespace vm;

TEST(RangeRateSmoother, ExtrapolatesBetweenRefreshesWithTheProfileFactors)
{
    RangeRateSmoother s;
    s.selectProfile(3); // D = 3
    s.setReference(-3000.0f);
    EXPECT_FLOAT_EQ(s.smooth(-2970.0f), -2970.0f); // new raw: step 10
    EXPECT_FLOAT_EQ(s.smooth(-2970.0f), -2960.0f); // k(1) = 1
    EXPECT_FLOAT_EQ(s.smooth(-2970.0f), -2950.0f); // k(2) = 2.0
    EXPECT_FLOAT_EQ(s.smooth(-2970.0f), -2945.0f); // k(3) = 2.5
    for (int i = 0; i < 6; ++i)
        s.smooth(-2970.0f);
    EXPECT_FLOAT_EQ(s.smooth(-2970.0f), -2970.0f + 2.99f * 10.0f); // k(>=9)
    // A new value restarts the count.
    EXPECT_FLOAT_EQ(s.smooth(-2940.0f), -2940.0f);
    EXPECT_FLOAT_EQ(s.smooth(-2940.0f), -2930.0f);
}

TEST(RangeRateSmoother, ProfileTwoKeepsTheLaterFactorsOfThePreviousProfile)
{
    RangeRateSmoother fresh;
    EXPECT_EQ(fresh.profile(), 2);
    EXPECT_DOUBLE_EQ(fresh.factor(6), 1.97);
    EXPECT_DOUBLE_EQ(fresh.factor(7), 0.0); // nothing before it at start
    fresh.selectProfile(5);
    fresh.selectProfile(2);
    EXPECT_DOUBLE_EQ(fresh.factor(2), 1.0);
    EXPECT_DOUBLE_EQ(fresh.factor(7), 4.8);
    EXPECT_DOUBLE_EQ(fresh.factor(12), 4.9);
}

TEST(SmoothingProfileSelection, FollowsBaudPollWaitAndState)
{
    // 1200 baud always selects profile 2, even in a no-control state.
    EXPECT_EQ(selectSmoothingProfile("1200", 50, 200, 3), 2);
    // Slow wait (> 30 ms), 9600 baud, 50 ms poll: 3 / 2 / 5.
    EXPECT_EQ(selectSmoothingProfile("9600", 50, 50, 0), 3);
    EXPECT_EQ(selectSmoothingProfile("9600", 50, 50, 6), 2);
    EXPECT_EQ(selectSmoothingProfile("9600", 50, 50, 5), 5);
    // 19200 and 115200 share a column, 38400 its own.
    EXPECT_EQ(selectSmoothingProfile("115200", 100, 40, 1), 3);
    EXPECT_EQ(selectSmoothingProfile("38400", 300, 40, 5), 2);
    EXPECT_EQ(selectSmoothingProfile("19200", 300, 40, 5), 3);
    // Rows that only some columns fill, and poll times between rows: no change.
    EXPECT_EQ(selectSmoothingProfile("4800", 220, 60, 2), 2);
    EXPECT_EQ(selectSmoothingProfile("9600", 220, 50, 2), 0);
    EXPECT_EQ(selectSmoothingProfile("19200", 75, 40, 0), 0);
    // No-control states and unknown baud texts keep the profile.
    EXPECT_EQ(selectSmoothingProfile("19200", 100, 40, 3), 0);
    EXPECT_EQ(selectSmoothingProfile("2400", 100, 40, 0), 0);
    EXPECT_EQ(selectSmoothingProfile("19200", 1000, 40, 9), 2);
}

TEST(SmoothingProfileSelection, ShortWaitUsesTheFastTableExceptAtLowBaud)
{
    EXPECT_EQ(selectSmoothingProfile("19200", 50, 25, 5), 7);
    EXPECT_EQ(selectSmoothingProfile("38400", 100, 25, 1), 4);
    EXPECT_EQ(selectSmoothingProfile("57600", 150, 25, 0), 3);
    // 9600 with a short wait still reads the first table.
    EXPECT_EQ(selectSmoothingProfile("9600", 100, 25, 5), 4);
    // The fast table has no 51..99 row.
    EXPECT_EQ(selectSmoothingProfile("4800", 80, 25, 0), 3);
    EXPECT_EQ(selectSmoothingProfile("19200", 80, 25, 0), 0);
}
