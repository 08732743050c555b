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

TEST(Transponder, MapsBothWaysForEveryType)
{
    // The AO-07 B-mode row: K = 578100 kHz; uplink 432125 kHz pairs with 145975 kHz.
    const Transponder inv(578100000.0, Transponder::Type::Inverting);
    EXPECT_DOUBLE_EQ(inv.downlinkFor(432125000.0), 145975000.0);
    EXPECT_DOUBLE_EQ(inv.uplinkFor(145975000.0), 432125000.0);

    // The AO-07 A-mode row: 145850 kHz up, 29400 kHz down, K = 116450 kHz, "TXH".
    const Transponder txh(116450000.0, Transponder::typeFromText("TXH"));
    EXPECT_DOUBLE_EQ(txh.downlinkFor(145850000.0), 29400000.0);
    EXPECT_DOUBLE_EQ(txh.uplinkFor(29400000.0), 145850000.0);

    const Transponder rxh(290000000.0, Transponder::typeFromText("RXH"));
    EXPECT_DOUBLE_EQ(rxh.downlinkFor(145900000.0), 435900000.0);
    EXPECT_DOUBLE_EQ(rxh.uplinkFor(435900000.0), 145900000.0);
    EXPECT_EQ(Transponder::typeFromText(""), Transponder::Type::Inverting);
}
