#include "cat/CivProtocol.h"
#include "ScriptedTransport.h"

#include <gtest/gtest.h>

using namespace vm;
using namespace vm::civ;
using vm::test::hex;

namespace {

// The echo of a read command followed by the rig's answer, as a rig on the
// CI-V bus returns them.
QByteArray echoAndAnswer(quint8 address, const char *command, const char *answerData)
{
    return frame(address, hex(command)) + hex("FE FE E0") + QByteArray(1, char(address)) + hex(command) +
           hex(answerData) + hex("FD");
}

} // namespace

TEST(CivFrames, FrequencyGoesOutAsFiveBcdBytesAndDecodesFromTheAnswer)
{
    EXPECT_EQ(QByteArray(1, 0x05) + frequencyToBcd(*frequencyDigits(145950000, 10)),
              hex("05 00 00 95 45 01"));
    EXPECT_EQ(frequencyToBcd("1296123456"), hex("56 34 12 96 12"));
    // Not ten digits: nothing to send.
    EXPECT_TRUE(frequencyToBcd("145950000").isEmpty());
    EXPECT_TRUE(frequencyToBcd("01459500x0").isEmpty());

    // Digits: values that do not fit are refused.
    EXPECT_EQ(frequencyDigits(435800000, 10), "0435800000");
    EXPECT_EQ(frequencyDigits(0, 10), "0000000000");
    EXPECT_FALSE(frequencyDigits(-1, 10).has_value());
    EXPECT_FALSE(frequencyDigits(10'000'000'000LL, 10).has_value());
    EXPECT_EQ(frequencyDigits(435800000, 11), "00435800000");

    const QByteArray answer = hex("FE FE E0 A2 03 00 00 80 35 04 FD");
    const qsizetype at = findAnswer(answer, 0xA2, hex("03"));
    ASSERT_EQ(at, 5);
    EXPECT_EQ(frequencyFromBcd(QByteArrayView(answer).sliced(at, 5)), 435800000);
    // A byte that is not packed BCD makes the frequency unreadable.
    EXPECT_FALSE(frequencyFromBcd(hex("00 0A 80 35 04")).has_value());
    EXPECT_FALSE(frequencyFromBcd(hex("00 00 80 35")).has_value());
}

TEST(CivAnswerSearch, FindsTheAnswerAfterTheEchoNotTheEcho)
{
    const QByteArray read = echoAndAnswer(0xA2, "03", "00 00 80 35 04");
    ASSERT_EQ(read.size(), ReadFrequencyLength);
    EXPECT_EQ(findAnswer(read, 0xA2, hex("03")), 6 + 5);
    // The echo alone (rig silent after the echo) holds no answer.
    EXPECT_EQ(findAnswer(frame(0xA2, hex("03")), 0xA2, hex("03")), -1);
}

// Joining bytes as hexadecimal text without leading zeros lets a pattern
// straddle byte boundaries and hides the answers of rigs whose address is
// below 10 hexadecimal; matching whole bytes does neither.
TEST(CivAnswerSearch, MatchesWholeBytesOnly)
{
    // As text, FE FE E0 00 13 reads "FEFEE0013", which looks like the
    // frequency answer ("3") of a rig at address 01.
    const QByteArray straddling = hex("FE FE E0 00 13 00 00 80 35 04 FD");
    EXPECT_EQ(findAnswer(straddling, 0x01, hex("03")), -1);
    // As text, FE FE E0 A2 01 4C reads like the keying-speed answer "14C".
    EXPECT_EQ(findAnswer(hex("FE FE E0 A2 01 4C 01 28 FD"), 0xA2, hex("14 0C")), -1);
    // A rig at address 0A answers FE FE E0 0A 03, text "FEFEE0A3": the text
    // search for "FEFEE00A3" never finds it. The byte search does.
    const QByteArray lowAddress = echoAndAnswer(0x0A, "03", "00 00 80 35 04");
    const qsizetype at = findAnswer(lowAddress, 0x0A, hex("03"));
    ASSERT_GT(at, 0);
    EXPECT_EQ(frequencyFromBcd(QByteArrayView(lowAddress).sliced(at, 5)), 435800000);
}

TEST(CivAnswerSearch, AnswerOfAnotherRigOrNgIsAMiss)
{
    EXPECT_EQ(findAnswer(echoAndAnswer(0x7C, "03", "00 00 80 35 04"), 0xA2, hex("03")), -1);
    EXPECT_EQ(findAnswer(hex("FE FE A2 E0 03 FD FE FE E0 A2 FA FD"), 0xA2, hex("03")), -1);
}

TEST(CivAddress, ReadsEitherCaseAndRefusesGarbage)
{
    // A lower-case address: IcomDriverTest.FrequencyAnswerIsReportedWithTheTransverterOffset.
    EXPECT_EQ(parseAddress(" 7c "), quint8(0x7C));
    EXPECT_EQ(parseAddress(QString()), quint8(0x00));
    EXPECT_FALSE(parseAddress("G1").has_value());
    EXPECT_FALSE(parseAddress("1A2").has_value());
}

TEST(CivModes, CodesReadBackPerGroup)
{
    using G = BandGroup;
    const struct { quint8 code; G group; const char *name; } cases[] = {
        {0x17, G::SingleBand, "DV"},    {0x17, G::TwinBand, ""},         {0x04, G::SingleBand, "RTTY"},
        {0x04, G::TwinBand, "RTY"},     {0x04, G::Ic821, "RTY"},         {0x07, G::SingleBand, "CW-R"},
        {0x08, G::SingleBand, "RTTY-R"}, {0x06, G::TwinBand, "FM WIDE"}, {0x22, G::TwinBand, ""}};
    for (const auto &c : cases)
        EXPECT_EQ(modeName(c.code, c.group), QString::fromLatin1(c.name)) << int(c.code);
    // Unknown code: single-band keeps the previous mode, twin-band empties it.
    EXPECT_FALSE(modeName(0x22, BandGroup::SingleBand).has_value());
}

// The modern table is exact only; the IC910's accepts either level of a speed.
TEST(CivCwSpeed, LevelsByTable)
{
    using T = CwLevelTable;
    const struct { const char *level; T table; const char *wpm; } cases[] = {
        {"0025", T::Modern, "010"}, {"0128", T::Modern, "027"}, {"0250", T::Modern, "048"},
        {"0026", T::Modern, ""},    {"0255", T::Modern, ""},    {"0020", T::Ic910, "010"},
        {"0021", T::Ic910, "010"},  {"0053", T::Ic910, "017"},  {"0160", T::Ic910, "040"},
        {"0025", T::Ic910, "011"},  {"0250", T::Ic910, ""},     {"0128", T::None, ""}};
    for (const auto &c : cases)
        EXPECT_EQ(cwSpeedForLevel(c.level, c.table), QString::fromLatin1(c.wpm)) << c.level;
}

TEST(CivPowerOn, PreambleRunByBaudRate)
{
    EXPECT_EQ(powerOnFrame(0xA2, 9600), QByteArray(9, char(0xFE)) + hex("FE FE A2 E0 18 01 FD"));
    for (const auto &[baud, run] : {std::pair{4800, 5}, {19200, 40}, {38400, 40}, {57600, 59}, {115200, 119}})
        EXPECT_EQ(powerOnFrame(0xA2, baud).size(), run + 7) << baud;
    EXPECT_TRUE(powerOnFrame(0xA2, 1200).isEmpty());
}

// The driver tests see the frames of good values; text that does not fit
// gives nothing to send.
TEST(CivText, MalformedValuesGiveNothingToSend)
{
    EXPECT_TRUE(modeBytes("123").isEmpty());
    EXPECT_TRUE(modeBytes("U").isEmpty());
    EXPECT_TRUE(ritOffsetBody("-120").isEmpty());
    EXPECT_TRUE(ritOffsetBody("12a0").isEmpty());
    EXPECT_EQ(toneCode("abc"), QString());
    EXPECT_EQ(toneCode("210.7"), "2107");
    EXPECT_TRUE(cwTextBytes("435").isEmpty());
    EXPECT_TRUE(cwTextBytes("4Z").isEmpty());
}
