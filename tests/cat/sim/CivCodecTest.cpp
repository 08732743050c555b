#include "rigsim/CivCodec.h"

#include <gtest/gtest.h>

using namespace vm::sim;

namespace {

using vm::sim::civ::bytes;

} // namespace

TEST(CivCodec, FrequencyIsPackedBcdLeastSignificantPairFirst)
{
    // 145.950 MHz goes out as 00 00 95 45 01; 435.8 MHz comes back as 00 00 80 35 04.
    EXPECT_EQ(civ::encodeFrequency(145'950'000), bytes({0x00, 0x00, 0x95, 0x45, 0x01}));
    EXPECT_EQ(civ::decodeFrequency(bytes({0x00, 0x00, 0x80, 0x35, 0x04})), 435'800'000);
    // Six bytes carry the 10 GHz band.
    EXPECT_EQ(civ::decodeFrequency(civ::encodeFrequency(10'368'100'000LL, 6)), 10'368'100'000LL);
}

TEST(CivCodec, NonDecimalNibblesAreRejected)
{
    EXPECT_FALSE(civ::decodeFrequency(bytes({0x0A, 0x00, 0x80, 0x35, 0x04})));
    EXPECT_FALSE(civ::decodeFrequency(bytes({0x00, 0x00, 0x80, 0xF5, 0x04})));
    EXPECT_FALSE(civ::decodeBcd(bytes({0x01, 0x2A})));
}

TEST(CivCodec, LevelsAndTonesAreBcdMostSignificantFirst)
{
    EXPECT_EQ(civ::encodeBcd(128, 2), bytes({0x01, 0x28}));
    EXPECT_EQ(civ::encodeBcd(885, 3), bytes({0x00, 0x08, 0x85}));
    EXPECT_EQ(civ::decodeBcd(bytes({0x02, 0x55})), 255);
}

TEST(CivCodec, ModeNamesRoundTrip)
{
    for (quint8 code : {0x00, 0x01, 0x03, 0x05, 0x07, 0x17}) {
        const auto back = civ::modeCode(civ::modeName(code));
        ASSERT_TRUE(back.has_value()) << civ::modeName(code).toStdString();
        EXPECT_EQ(*back, code);
    }
    EXPECT_EQ(civ::modeCode("usb"), 0x01);
    EXPECT_FALSE(civ::modeCode("SSTV"));
}
