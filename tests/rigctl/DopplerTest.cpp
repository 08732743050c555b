#include "rigctl/Doppler.h"

#include <gtest/gtest.h>

using namespace vm;

TEST(Doppler, ShiftIsNegativeRangeRateTimesFrequencyOverC)
{
    EXPECT_EQ(doppler(0.0, 435e6), 0);
    // Receding at 7 km/s: -7000 * 435e6 / c = -10157.03
    EXPECT_EQ(doppler(7000.0, 435e6), -10157);
    EXPECT_EQ(doppler(-7000.0, 435e6), 10157);
}

TEST(Doppler, HalvesRoundToEven)
{
    // With f = c the shift equals -rr exactly.
    EXPECT_EQ(doppler(-2.5, kSpeedOfLight), 2);
    EXPECT_EQ(doppler(-3.5, kSpeedOfLight), 4);
    EXPECT_EQ(doppler(2.5, kSpeedOfLight), -2);
}
