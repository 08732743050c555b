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

TEST(ChannelCodecTest, RecordsSplitIntoFamilyCommandAndPayload)
{
    struct Case { const char *sent, *text, *family, *command, *payload; };
    const Case cases[] = {
        {"RCMOFF100   ", "RCMOFF100", "RCM", "OFF", "100"},
        {"OPPSAN      ", "OPPSAN", "OPP", "SAN", ""},        // a payload of spaces is empty
        {"OPPSANAO 7 ", "OPPSANAO 7", "OPP", "SAN", "AO 7"}, // spaces inside stay
        // A count of the trimmed text applied to the untrimmed field would
        // lose as many characters at the end as there are spaces in front.
        {"  RCMOFF12345", "RCMOFF12345", "RCM", "OFF", "12345"},
        // The payload loses every copy of its own code, not other codes.
        {"RCMSPTabcRCMSPTdef", "RCMSPTabcRCMSPTdef", "RCM", "SPT", "abcdef"},
        {"RCMSPTRCMOFFRCM", "RCMSPTRCMOFFRCM", "RCM", "SPT", "RCMOFFRCM"},
        {"OPPSAN環境設定", "OPPSAN環境設定", "OPP", "SAN", "環境設定"},
        {"RCM", "RCM", "RCM", "", ""},
        {"", "", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sent);
        const ChannelRecord r = roundTrip(QString::fromUtf8(c.sent));
        EXPECT_EQ(r.text, QString::fromUtf8(c.text));
        EXPECT_EQ(r.family, QString::fromUtf8(c.family));
        EXPECT_EQ(r.command, QString::fromUtf8(c.command));
        EXPECT_EQ(r.payload, QString::fromUtf8(c.payload));
    }
    // cbData counts the trimmed text only, in UTF-8 bytes.
    EXPECT_EQ(ChannelCodec::encode("RCMOFF100   ").size(), 9);
    EXPECT_EQ(ChannelCodec::encode("OPPSAN環境設定").size(), 6 + 4 * 3);
    // Only spaces are trimmed, not other whitespace.
    EXPECT_EQ(ChannelCodec::trimSpaces("  a\tb\n  "), "a\tb\n");
}

TEST(ChannelCodecTest, NulCharactersAndShiftJisFromWindowsProgramsAreRead)
{
    const ChannelRecord withNul = ChannelCodec::decode(QByteArray("OPPSAN\0AO-\0" "7\0\0", 14));
    EXPECT_EQ(withNul.text, "OPPSANAO-7");
    EXPECT_EQ(withNul.payload, "AO-7");
    // "OPPSAN" followed by 環境 in Shift_JIS: not valid UTF-8.
    const ChannelRecord sjis = ChannelCodec::decode(QByteArray("OPPSAN\x8a\xc2\x8b\xab  "));
    EXPECT_EQ(sjis.text, "OPPSAN環境");
    EXPECT_EQ(sjis.payload, "環境");
}

TEST(ChannelCodecTest, FieldIsCutAndPaddedToTheFixedWidth)
{
    const QString shortField = ChannelCodec::field("RCMOFF-120");
    EXPECT_EQ(shortField.size(), ChannelCodec::FieldChars);
    EXPECT_EQ(shortField.trimmed(), "RCMOFF-120");

    const QString longText = "OPPMSG" + QString(400, QLatin1Char('x'));
    EXPECT_EQ(ChannelCodec::field(longText), longText.left(ChannelCodec::FieldChars));
    EXPECT_EQ(roundTrip(longText).text, longText.left(ChannelCodec::FieldChars));

    // 255 characters, then one that takes two UTF-16 units across the cut:
    // the cut never splits it.
    const QString text =
        QString(ChannelCodec::FieldChars - 1, QLatin1Char('A')) + QStringLiteral("\U0001F4E1tail");
    const QString field = ChannelCodec::field(text);
    EXPECT_EQ(field.size(), ChannelCodec::FieldChars);
    EXPECT_FALSE(field.at(ChannelCodec::FieldChars - 1).isSurrogate());
    EXPECT_EQ(QString::fromUtf8(ChannelCodec::encode(text)), text.left(ChannelCodec::FieldChars - 1));
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
    EXPECT_EQ(ChannelCodec::decode(bytes).text, text.trimmed());
}
