// The satellite-memory frames and the rig's answers to them.

#include "cat/MemoryChannels.h"

#include <gtest/gtest.h>

using namespace vm;
using namespace vm::memoryChannels;

namespace {

SatelliteRecord row(const char *name, const char *up, const char *down, const char *width, const char *tone,
                    const char *mode, const char *beacon = "")
{
    SatelliteRecord r;
    r.Name = QString::fromUtf8(name);
    r.UpLink = up;
    r.DownLink = down;
    r.Width = width;
    r.Tone = tone;
    r.MLTmode = mode;
    r.Beacon = beacon;
    return r;
}

} // namespace

TEST(MemoryChannels, FrameCarriesFrequenciesModesToneAndNameInTheirPlaces)
{
    const struct {
        SatelliteRecord row;
        const char *startUpMode;
        const char *down; // frequency BCD, mode, filter, data bytes, tone block of each side
        const char *up;
        const char *name;
    } cases[] = {
        {row("RS-44", "145850", "435600", "100", "", "SSB"), "SSB", "0000653504 0102 0001 00000885",
         "0000904501 0002 0001 00000885", "RS-44/SSB       "},
        {row("AO-91", "435250", "145960", "", "67.0", ""), "CW", "0000964501 0502 0001 00000670",
         "0000253504 0502 0001 00000670", "AO-91           "},
        {row("IO-86", "145880", "435880", "", "88.5", "FM DATA"), "SSB", "0000883504 0502 0001 00000885",
         "0000884501 0502 0101 00000885", "IO-86/FM DATA   "},
        {row("FO-29", "145900", "435800", "100", "", "DATA"), "CW", "0000853504 0102 0101 00000885",
         "0000954501 0002 0101 00000885", "FO-29/DATA      "},
        {row("XW-2A", "435030", "145665", "20", "", ""), "CW", "0050674501 0302 0001 00000885",
         "0000043504 0302 0001 00000885", "XW-2A           "},
        {row("CAS-4A衛星", "435210", "145860", "20", "", "UC"), "UC", "0000874501 0102 0001 00000885",
         "0000223504 0302 0001 00000885", "CAS-4A/UC       "},
    };
    for (const auto &c : cases) {
        const QList<Entry> e = entries({c.row}, c.startUpMode, false);
        ASSERT_EQ(e.size(), 1) << c.name;
        const QByteArray frame = writeFrame(0xA2, 12, e.first());
        ASSERT_EQ(frame.size(), 113) << c.name;
        EXPECT_EQ(frame.left(8).toHex(' '), "fe fe a2 e0 1a 07 00 12");
        for (int side = 0; side < 2; ++side) {
            const QByteArray bytes = frame.mid(8 + 44 * side, 44);
            EXPECT_EQ(bytes.left(13).toHex(), QByteArray(side == 0 ? c.down : c.up).replace(' ', ""))
                << c.name;
            EXPECT_EQ(bytes.mid(13, 7).toHex(), "00088500002300");
            EXPECT_EQ(bytes.right(24), QByteArray(24, ' '));
        }
        EXPECT_EQ(frame.mid(96, 16), c.name);
        EXPECT_EQ(quint8(frame.back()), 0xFD);
    }
}

TEST(MemoryChannels, TableGivesEntriesWithBeaconsAndLeavesOutUuAndBadRows)
{
    const QList<Entry> e =
        entries({row("AO-7", "432125", "145975", "50", "", "", "145975.0"),
                 row("IO-117", "435310", "435310", "", "", "UU"), row("BAD", "14x", "435000", "", "", ""),
                 row("SO-50", "145850", "436795", "", "67.0", "", "0")},
                "SSB", true);
    ASSERT_EQ(e.size(), 3);
    EXPECT_EQ(e[1].name, "AO-7_Beacon     ");
    EXPECT_EQ(e[1].down.hz, 145975000);
    EXPECT_EQ(e[1].up.hz, e[0].up.hz);
    EXPECT_EQ(e[2].satellite, "SO-50");
    EXPECT_TRUE(writeFrame(0xA2, 100, e[0]).isEmpty());
    EXPECT_EQ(eraseFrame(0xA2, 99).toHex(' '), "fe fe a2 e0 1a 07 00 99 ff fd");
}

TEST(MemoryChannels, AnswerIsTheRigsFrameAfterTheEcho)
{
    const struct {
        const char *hex;
        Answer answer;
    } cases[] = {
        {"fefea2e01a070001fd fefee0a2fbfd", Answer::Accepted},
        {"fefea2e01a070001fd fefee0a2fafd", Answer::Refused},
        {"fefee0a2fafd", Answer::Refused},               // no echo (USB, echo back off)
        {"fefea2e01a070001fd fefee0a2fa", Answer::None}, // short: not a refusal
        {"fefea2e0fafd", Answer::None},                  // our own bytes, not the rig's answer
        {"fefee07cfbfd", Answer::None},                  // another rig's answer
        {"", Answer::None},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseAnswer(QByteArray::fromHex(QByteArray(c.hex).replace(' ', "")), 0xA2), c.answer)
            << c.hex;
}
