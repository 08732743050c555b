#include "cat/RigPort.h"
#include "CatRecorder.h"
#include "QtPrinters.h"
#include "ScriptedTransport.h"

#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;

namespace {

class RigPortTest : public ::testing::Test {
protected:
    ScriptedTransport transport;
    CatContext context;
    CatRecorder recorder;
    RigPort port{1, transport, context, recorder.hooks};

    void openAt(const QString &baud, const QString &model = "IC9700")
    {
        port.configure("/dev/ttyUSB0", baud, model);
        ASSERT_TRUE(port.openPort());
    }
};

} // namespace

TEST_F(RigPortTest, OpenConfiguresLineByModel)
{
    port.configure("/dev/ttyUSB1", "4800", "FT847");
    ASSERT_TRUE(port.openPort());
    EXPECT_EQ(transport.settings.portName, "/dev/ttyUSB1");
    EXPECT_EQ(transport.settings.baudRate, 4800);
    EXPECT_EQ(transport.settings.stopBits, 2);
    EXPECT_TRUE(port.isOpen());
    EXPECT_FALSE(port.failed());
    // Rig 1 purges everything at once.
    ASSERT_EQ(transport.purges.size(), 1);
    EXPECT_EQ(transport.purges[0], qMakePair(true, true));

    port.configure("/dev/ttyUSB1", "4800", "FT817");
    port.configure("/dev/ttyUSB1", "4800", "XYZ");
    EXPECT_EQ(port.stopBits(), 2);

    // A second rig purges each direction, then both.
    transport.purges.clear();
    RigPort rig2{2, transport, context, recorder.hooks};
    rig2.configure("/dev/ttyUSB1", "9600", "IC910");
    ASSERT_TRUE(rig2.openPort());
    ASSERT_EQ(transport.purges.size(), 3);
    EXPECT_EQ(transport.purges[0], qMakePair(true, false));
    EXPECT_EQ(transport.purges[1], qMakePair(false, true));
    EXPECT_EQ(transport.purges[2], qMakePair(true, true));
}

TEST_F(RigPortTest, NoPortOrFailedOpenStaysClosedAndSendsNothing)
{
    for (const QString &name : {QString(), QString("0"), QString("None")}) {
        port.configure(name, "9600", "IC9700");
        EXPECT_EQ(port.portName(), "None");
        EXPECT_FALSE(port.openPort());
    }
    EXPECT_EQ(transport.opens, 0);
    transport.openSucceeds = false;
    port.configure("/dev/ttyUSB9", "9600", "IC9700");
    EXPECT_FALSE(port.openPort());
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(recorder.reports.isEmpty());

    port.configure("/dev/ttyUSB0", "9600", "IC9700");
    port.sendBinary(QByteArray("\x01", 1), 17);
    port.sendText("FA;", 14);
    EXPECT_TRUE(transport.writes.isEmpty());
    EXPECT_EQ(port.pendingReplies(), 0);
}

// The reply wait by baud rate and model shows in the waits below and in
// ControllerStart.SettingsLoadAppliesDefaultsAndClamps (the IC821's doubled wait).
TEST_F(RigPortTest, WaitEndsWithTheExpectedReplyUnlessFixed)
{
    openAt("9600");
    port.sendBinary(QByteArray("\x03", 1), 17);
    port.sendBinary(QByteArray("\x07\xD0", 2), 0);
    port.setWaitMode(RigPort::WaitMode::Fixed);
    port.sendBinary(QByteArray("\x03", 1), 17);
    ASSERT_EQ(transport.waits.size(), 3);
    EXPECT_EQ(transport.waits[0].count, 17);
    EXPECT_EQ(transport.waits[1].count, -1); // nothing to wait for: the whole wait paces the rig
    EXPECT_EQ(transport.waits[2].count, -1);
    for (const auto &w : transport.waits)
        EXPECT_EQ(w.timeoutMs, 50);
}

TEST_F(RigPortTest, AnUnreadReplyEndsTheEarlyWaitWithoutCountingAsPending)
{
    openAt("19200");
    port.sendBinary(QByteArray("\x07\xD1", 2), 0, 13);
    EXPECT_EQ(port.pendingReplies(), 0);
    EXPECT_EQ(port.expectedReplyLength(), 0);
    EXPECT_FALSE(port.readReply().complete); // nothing is read for it
    // A write that reads its reply waits for that reply, not the unread length.
    port.sendBinary(QByteArray("\x03", 1), 17, 13);
    EXPECT_EQ(port.pendingReplies(), 1);
    port.setWaitMode(RigPort::WaitMode::Fixed);
    port.sendBinary(QByteArray("\x07\xD1", 2), 0, 13);
    ASSERT_EQ(transport.waits.size(), 3);
    EXPECT_EQ(transport.waits[0].count, 13);
    EXPECT_EQ(transport.waits[1].count, 17);
    EXPECT_EQ(transport.waits[2].count, -1); // the fixed wait ignores it
    for (const auto &w : transport.waits)
        EXPECT_EQ(w.timeoutMs, 40);
}

TEST_F(RigPortTest, EachWriteThrowsAwayUnsolicitedInput)
{
    openAt("9600");
    transport.responder = [](const QByteArray &) { return QByteArray("noise"); };
    port.sendBinary(QByteArray("\x07\xD0", 2), 0);
    transport.responder = [](const QByteArray &) { return QByteArray("12345"); };
    port.sendBinary(QByteArray("\x03", 1), 5);
    const RigPort::Reply r = port.readReply();
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.bytes, QByteArray("12345"));
    port.replyParsed();
    // A short reply is no miss: IcomDriverTest.ZeroNgOrGarbledAnswersAreNotReportedAndOnlyGarbageIsAMiss.
}

// A silent rig: the 21st write expecting a reply gives the port up, the 20th not.
TEST_F(RigPortTest, TwentyFirstUnansweredWriteGivesThePortUp)
{
    openAt("9600");
    int handlerCalls = 0;
    port.setGiveUpHandler([&] {
        ++handlerCalls;
        EXPECT_FALSE(port.isOpen()); // the closing sequence's writes are skipped
        port.closePort();
    });
    for (int i = 1; i <= 20; ++i)
        port.sendBinary(QByteArray("\x03", 1), 17);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.pendingReplies(), 20);
    EXPECT_TRUE(recorder.reports.isEmpty());
    EXPECT_EQ(recorder.linkTimerStarts, 0);

    port.sendBinary(QByteArray("\x03", 1), 17);
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(port.failed());
    EXPECT_EQ(handlerCalls, 1);
    EXPECT_EQ(port.pendingReplies(), 0);
    EXPECT_EQ(recorder.payloads("OPPCER"), QStringList{"/dev/ttyUSB0"});
    EXPECT_EQ(recorder.linkTimerStarts, 1);
    EXPECT_FALSE(transport.isOpen());

    // Later writes are skipped; a new open clears the failure.
    const auto writes = transport.writes.size();
    port.sendBinary(QByteArray("\x03", 1), 17);
    EXPECT_EQ(transport.writes.size(), writes);
    ASSERT_TRUE(port.openPort());
    EXPECT_FALSE(port.failed());
}

TEST_F(RigPortTest, ParsedReplyStartsTheCountAgainAndShutdownSkipsTheWait)
{
    openAt("9600");
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 20; ++i)
            port.sendBinary(QByteArray("\x03", 1), 17);
        port.replyParsed();
    }
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(recorder.reports.isEmpty());

    // Shutting down: written without a wait.
    context.shuttingDown = true;
    transport.waits.clear();
    const auto writes = transport.writes.size();
    port.sendBinary(QByteArray("\x03", 1), 17);
    EXPECT_EQ(transport.writes.size(), writes + 1);
    EXPECT_TRUE(transport.waits.isEmpty());
}

TEST_F(RigPortTest, AdaptiveWaitGrowsOnMissesAndStopsAtOneHundred)
{
    openAt("4800");         // 60 ms
    port.adjustReplyWait(); // no new miss: no change
    EXPECT_EQ(port.replyWaitMs(), 60);
    port.countMiss();
    EXPECT_EQ(port.replyWaitMs(), 61);
    for (int i = 0; i < 100; ++i)
        port.countMiss();
    EXPECT_EQ(port.replyWaitMs(), 100);
    EXPECT_EQ(port.adaptiveWaitMs(), 100);

    // A new satellite keeps the grown wait and restarts the adaptation.
    port.newSatelliteWaits();
    EXPECT_EQ(port.replyWaitMs(), 100);
    EXPECT_EQ(port.adaptiveWaitMs(), 60);
    EXPECT_EQ(port.missCount(), 0);
    port.countMiss();
    EXPECT_EQ(port.replyWaitMs(), 61);
    port.restoreNormalWaits();
    EXPECT_EQ(port.replyWaitMs(), 60);

    // A slow line's wait is never shortened by adaptation.
    openAt("1200");
    port.countMiss();
    EXPECT_EQ(port.replyWaitMs(), 200);
    // The IC821's doubled wait is its starting point too.
    port.configure("/dev/ttyUSB0", "9600", "IC821");
    port.countMiss();
    EXPECT_EQ(port.replyWaitMs(), 100);
}
