#include "rigctl/Doppler.h"

#include <gtest/gtest.h>

using namespace vm;

// The sign and size of the shift: DopplerConvention, from first principles.
TEST(Doppler, HalvesRoundToEven)
{
    // With f = c the shift equals -rr exactly.
    EXPECT_EQ(doppler(-2.5, kSpeedOfLight), 2);
    EXPECT_EQ(doppler(-3.5, kSpeedOfLight), 4);
}
