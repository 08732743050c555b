#include "common/ChannelCodec.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

using vm::ChannelCodec;
using vm::ChannelRecord;

namespace {

// What the receiving window procedure makes of what the sender puts on the wire.
ChannelRecord roundTrip(const QString &text)
{
    return ChannelCodec::decode(ChannelCodec::encode(text));
}

} // namespace

TEST(ChannelCodecTest, FieldIsCutAndPaddedToTheFixedWidth)
{
    const QString shortField = ChannelCodec::field("RCMOFF-120");
    EXPECT_EQ(shortField.size(), ChannelCodec::FieldChars);
    EXPECT_TRUE(shortField.startsWith("RCMOFF-120 "));
    EXPECT_EQ(shortField.trimmed(), "RCMOFF-120");

    const QString longText = "OPPMSG" + QString(400, QLatin1Char('x'));
    const QString longField = ChannelCodec::field(longText);
    EXPECT_EQ(longField, longText.left(ChannelCodec::FieldChars));

    // A long record arrives cut at 256 characters.
    EXPECT_EQ(roundTrip(longText).text, longText.left(ChannelCodec::FieldChars));
}

TEST(ChannelCodecTest, CutNeverSplitsACharacterOutsideTheBasicPlane)
{
    // 255 characters, then one that takes two UTF-16 units across the cut.
    const QString text = QString(ChannelCodec::FieldChars - 1, QLatin1Char('A')) + "\U0001F4E1tail";
    const QString field = ChannelCodec::field(text);
    EXPECT_EQ(field.size(), ChannelCodec::FieldChars);
    EXPECT_FALSE(field.at(ChannelCodec::FieldChars - 1).isSurrogate());
    const QByteArray bytes = ChannelCodec::encode(text);
    EXPECT_EQ(QString::fromUtf8(bytes), text.left(ChannelCodec::FieldChars - 1));
}

TEST(ChannelCodecTest, TrailingSpacesAndSpaceOnlyPayloads)
{
    const ChannelRecord padded = roundTrip("RCMOFF100   ");
    EXPECT_EQ(padded.text, "RCMOFF100");
    EXPECT_EQ(padded.payload, "100");

    const ChannelRecord blank = roundTrip("OPPSAN      ");
    EXPECT_EQ(blank.family, "OPP");
    EXPECT_EQ(blank.command, "SAN");
    EXPECT_TRUE(blank.payload.isEmpty());

    // cbData counts the trimmed text only.
    EXPECT_EQ(ChannelCodec::encode("RCMOFF100   ").size(), QByteArray("RCMOFF100").size());

    // Spaces inside the payload stay.
    EXPECT_EQ(roundTrip("OPPSANAO 7 ").payload, "AO 7");
}

TEST(ChannelCodecTest, LeadingSpacesDoNotCutTheEndOfTheRecord)
{
    // A count of the trimmed text applied to the untrimmed field would lose
    // as many characters at the end as there are spaces in front.
    const ChannelRecord r = roundTrip("  RCMOFF12345");
    EXPECT_EQ(r.text, "RCMOFF12345");
    EXPECT_EQ(r.payload, "12345");
}

TEST(ChannelCodecTest, NulCharactersAreRemovedOnReceipt)
{
    const QByteArray bytes("OPPSAN\0AO-\0"
                           "7\0\0",
                           14);
    const ChannelRecord r = ChannelCodec::decode(bytes);
    EXPECT_EQ(r.text, "OPPSANAO-7");
    EXPECT_EQ(r.payload, "AO-7");
}

TEST(ChannelCodecTest, PayloadLosesEveryCopyOfItsOwnCode)
{
    EXPECT_EQ(roundTrip("RCMSPTabcRCMSPTdef").payload, "abcdef");
    EXPECT_EQ(roundTrip("RCMSPTRCMSPT").payload, QString());
    // Other codes and the family alone are payload.
    EXPECT_EQ(roundTrip("RCMSPTRCMOFFRCM").payload, "RCMOFFRCM");
}

TEST(ChannelCodecTest, JapaneseTextCountsItsBytesAndArrivesUnchanged)
{
    const QString name = "環境設定";
    const QString text = "OPPSAN" + name;
    const QByteArray bytes = ChannelCodec::encode(text);
    // Each of these characters takes three UTF-8 bytes.
    EXPECT_EQ(bytes.size(), 6 + name.size() * 3);
    const ChannelRecord r = ChannelCodec::decode(bytes);
    EXPECT_EQ(r.text, text);
    EXPECT_EQ(r.payload, name);
}

TEST(ChannelCodecTest, ShiftJisBytesFromWindowsProgramsAreRead)
{
    // "OPPSAN" followed by 環境 in Shift_JIS: not valid UTF-8.
    const QByteArray bytes("OPPSAN\x8a\xc2\x8b\xab  ");
    const ChannelRecord r = ChannelCodec::decode(bytes);
    EXPECT_EQ(r.text, "OPPSAN環境");
    EXPECT_EQ(r.payload, "環境");
}

TEST(ChannelCodecTest, ShortAndEmptyTextsSplitWithoutSurprises)
{
    const ChannelRecord empty = ChannelCodec::decode(QByteArray());
    EXPECT_TRUE(empty.text.isEmpty());
    EXPECT_TRUE(empty.family.isEmpty());
    EXPECT_TRUE(empty.command.isEmpty());
    EXPECT_TRUE(empty.payload.isEmpty());

    const ChannelRecord familyOnly = ChannelCodec::decode("RCM");
    EXPECT_EQ(familyOnly.family, "RCM");
    EXPECT_TRUE(familyOnly.command.isEmpty());
    EXPECT_TRUE(familyOnly.payload.isEmpty());

    const ChannelRecord codeOnly = ChannelCodec::decode("RCMEND");
    EXPECT_EQ(codeOnly.command, "END");
    EXPECT_TRUE(codeOnly.payload.isEmpty());
}

TEST(ChannelCodecTest, OnlySpacesAreTrimmedNotOtherWhitespace)
{
    EXPECT_EQ(ChannelCodec::trimSpaces("  a\tb\n  "), "a\tb\n");
    EXPECT_EQ(ChannelCodec::trimSpaces("    "), QString());
}

TEST(ChannelCodecTest, AwardRecordCoversTheWholePaddedField)
{
    const std::array<QString, ChannelCodec::AwardFields> fields = {
        "JA1ZZZ", "1001", "100101", QString(), "QM05", "2024-05-01", "12:00", "AO-7", "東京都"};
    const QString text = ChannelCodec::awardText(fields);
    EXPECT_EQ(text.size(), ChannelCodec::FieldChars);
    EXPECT_TRUE(text.startsWith("Miravel+JA1ZZZ+1001+100101++QM05+2024-05-01+12:00+AO-7+東京都 "));

    const QByteArray bytes = ChannelCodec::encodeAward(fields);
    // Not trimmed: the trailing padding is part of the record.
    EXPECT_EQ(bytes, text.toUtf8());
    EXPECT_TRUE(bytes.endsWith(' '));
    EXPECT_EQ(ChannelCodec::decode(bytes).text, text.trimmed());
}
