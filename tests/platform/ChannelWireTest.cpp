#include "platform/ChannelWire.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

namespace wire = vm::ChannelWire;

// Titles are percent-encoded; Japanese ones as their UTF-8 bytes in upper-case hexadecimal.
TEST(ChannelWireTest, SocketNamesPercentEncodeTheTitle)
{
    EXPECT_EQ(wire::socketFileName("DDE:Kepral32|Export"), "DDE%3AKepral32%7CExport.sock");
    EXPECT_EQ(wire::socketFileName("WaterFall for Velomira"), "WaterFall%20for%20Velomira.sock");
    EXPECT_EQ(wire::socketFileName("a-b.c_d~e/f%"), "a-b.c_d~e%2Ff%25.sock");
    const QRegularExpression allowed("^([A-Za-z0-9._~-]|%[0-9A-F]{2})+\\.sock$");
    for (const QString title : {"環境設定Tunavox", "AJA/JCC/JCG 進捗状況"}) {
        const QString name = wire::socketFileName(title);
        EXPECT_TRUE(allowed.match(name).hasMatch()) << qPrintable(name);
        EXPECT_EQ(QString::fromUtf8(QByteArray::fromPercentEncoding(name.chopped(5).toLatin1())), title);
    }
    EXPECT_TRUE(wire::socketFileName("環境設定Tunavox").startsWith("%E7%92%B0"));
}

TEST(ChannelWireTest, RequestAndReplyFramesAreLittleEndianHeadersThenBytes)
{
    const QByteArray request = wire::request(wire::WmCopyData, 0, QByteArray("RCMEND"));
    EXPECT_EQ(request, QByteArray::fromHex("4a000000 00000000 06000000") + "RCMEND");
    const QByteArray item = wire::request(wire::WmDdeRequest, 0x01020304, QByteArray("Elev"));
    EXPECT_EQ(item.left(8), QByteArray::fromHex("e6030000 04030201"));
    EXPECT_EQ(wire::reply(1, QByteArray("12.5")), QByteArray::fromHex("01000000 04000000") + "12.5");
}

TEST(ChannelWireTest, RequestParserWaitsForTheWholeFrameAndIgnoresWhatFollows)
{
    const QByteArray frame = wire::request(wire::WmCopyData, 7, QByteArray("OPPRXS145900000"));
    wire::Request parsed;
    for (qsizetype n = 0; n < frame.size(); ++n)
        EXPECT_EQ(wire::parseRequest(frame.left(n), &parsed), wire::ParseState::NeedMore) << n;
    ASSERT_EQ(wire::parseRequest(frame + QByteArray("junk"), &parsed), wire::ParseState::Complete);
    EXPECT_EQ(parsed.msg, wire::WmCopyData);
    EXPECT_EQ(parsed.dwData, 7u);
    EXPECT_EQ(parsed.data, QByteArray("OPPRXS145900000"));
}

// An oversized request: LocalChannelTest.MalformedTrafficIsDroppedAndServiceGoesOn.
TEST(ChannelWireTest, OversizedRepliesAreRefusedFromTheHeaderAlone)
{
    QByteArray reply = wire::reply(0, QByteArray());
    reply[6] = '\x10'; // cbData 0x100000, above the limit
    wire::Reply parsedReply;
    EXPECT_EQ(wire::parseReply(reply, &parsedReply), wire::ParseState::Invalid);

    const QByteArray atLimit = wire::reply(3, QByteArray(int(wire::MaxDataSize), 'v'));
    ASSERT_EQ(wire::parseReply(atLimit, &parsedReply), wire::ParseState::Complete);
    EXPECT_EQ(parsedReply.result, 3u);
    EXPECT_EQ(parsedReply.data.size(), qsizetype(wire::MaxDataSize));
    EXPECT_EQ(wire::parseReply(atLimit.chopped(1), &parsedReply), wire::ParseState::NeedMore);
}
