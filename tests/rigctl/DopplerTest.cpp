#include "rigctl/Doppler.h"

#include <gtest/gtest.h>

#include <cmath>

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

namespace {

// A range rate that sweeps like an overhead LEO pass: +7 km/s down to -7 km/s.
double passRangeRate(int second)
{
    return -7000.0 * std::tanh((second - 300) / 60.0);
}

struct Case {
    const char *name;
    Transponder tp;
    double receiveStart; // a dial inside the passband
};

} // namespace

// Where our own uplink lands on the downlink, computed from the range rate of
// the moment, must sit M above what the receive dial hears - for every
// transponder type, whichever dial follows the other.
TEST(DialArithmetic, OwnSignalStaysOffsetAboveWhatIsHeardThroughAPass)
{
    const Case cases[] = {
        {"inverting", Transponder(578100000.0, Transponder::Type::Inverting), 145950000.0},
        {"TXH", Transponder(116450000.0, Transponder::Type::TxHigh), 29450000.0},
        {"RXH", Transponder(290000000.0, Transponder::Type::RxHigh), 435900000.0},
    };
    for (const Case &c : cases) {
        for (double offset : {0.0, 700.0, -1234.0}) {
            SCOPED_TRACE(testing::Message() << c.name << " offset " << offset);
            // Transmit follows receive.
            double r = c.receiveStart;
            double t = c.tp.uplinkFor(r + offset);
            for (int s = 0; s <= 600; s += 5) {
                const double rr = passRangeRate(s);
                t = dial::transmitFor(c.tp, r, doppler(rr, r), doppler(rr, t), offset);
                const double landed = c.tp.downlinkFor(t + doppler(rr, t));
                EXPECT_NEAR(landed, dial::heardAt(rr, r) + offset, 1.0) << "second " << s;
            }
            // Receive follows transmit.
            t = c.tp.uplinkFor(c.receiveStart);
            r = c.receiveStart;
            for (int s = 0; s <= 600; s += 5) {
                const double rr = passRangeRate(s);
                r = dial::receiveFor(c.tp, t, doppler(rr, r), doppler(rr, t), offset);
                const double landed = c.tp.downlinkFor(t + doppler(rr, t));
                EXPECT_NEAR(landed, dial::heardAt(rr, r) + offset, 1.0) << "second " << s;
            }
        }
    }
}
