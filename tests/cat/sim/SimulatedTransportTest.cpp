#include "rigsim/SimulatedTransport.h"
#include "rigsim/CivCodec.h"
#include "rigsim/IcomModel.h"
#include "rigsim/IcomRig.h"

#include "ManualClock.h"

#include <gtest/gtest.h>

using namespace vm::sim;

namespace {

using vm::sim::civ::bytes;

qint64 ceilDiv(qint64 a, qint64 b)
{
    return (a + b - 1) / b;
}

// Wire time of one byte in whole microseconds (rounded up): start bit, 8 data bits, stop bits.
qint64 byteUs(int baud, int stopBits = 1)
{
    return ceilDiv((1 + 8 + stopBits) * 1'000'000LL, baud);
}

class SimulatedTransportTest : public ::testing::Test {
protected:
    void openAt(int baud, int stopBits = 1)
    {
        vm::SerialSettings settings;
        settings.portName = "/dev/ttySIM0";
        settings.baudRate = baud;
        settings.stopBits = stopBits;
        ASSERT_TRUE(port.open(settings));
    }
    QByteArray frame(const QByteArray &body) const { return civ::frame(rig.address(), 0xE0, body); }

    IcomRig rig{*IcomModel::find("IC9700")};
    vm::test::ManualClock clock;
    SimulatedTransport port{rig, clock};
};

} // namespace

TEST_F(SimulatedTransportTest, WaitEndsWhenTheExpectedBytesHaveCrossedTheWire)
{
    openAt(19200);
    const QByteArray read = frame(bytes({0x03}));
    ASSERT_EQ(port.write(read), read.size());
    EXPECT_EQ(port.waitForBytes(17, 200), 17);
    // Echo of 6 bytes, 3 ms of rig processing, 11 bytes of answer.
    const qint64 bt = byteUs(19200);
    EXPECT_EQ(clock.nowMs(), ceilDiv(6 * bt + 3000 + 11 * bt, 1000));
    const QByteArray back = port.read(17, 200);
    EXPECT_EQ(back.left(6), read);
    EXPECT_EQ(back.mid(6, 5), bytes({0xFE, 0xFE, 0xE0, 0xA2, 0x03}));
}

TEST_F(SimulatedTransportTest, SlowerLinesAndLongerProcessingTakeLonger)
{
    openAt(1200);
    port.setProcessingMs(10);
    port.write(frame(bytes({0x03})));
    EXPECT_EQ(port.waitForBytes(17, 1000), 17);
    EXPECT_EQ(clock.nowMs(), ceilDiv(17 * byteUs(1200) + 10'000, 1000));
}

TEST_F(SimulatedTransportTest, TwoStopBitsCostElevenBitsPerByte)
{
    openAt(4800, 2);
    port.write(frame(bytes({0x07, 0xD1}))); // 7 bytes, echo only expected
    EXPECT_EQ(port.waitForBytes(7, 200), 7);
    EXPECT_EQ(clock.nowMs(), ceilDiv(7 * byteUs(4800, 2), 1000));
}

TEST_F(SimulatedTransportTest, SilentRigCostsTheWholeTimeout)
{
    openAt(19200);
    rig.setFailureMode(FailureMode::Silent);
    port.write(frame(bytes({0x03})));
    EXPECT_EQ(port.waitForBytes(17, 200), 0);
    EXPECT_EQ(clock.nowMs(), 200);
    EXPECT_TRUE(port.read(17, 200).isEmpty());
    EXPECT_EQ(clock.nowMs(), 400);
}

TEST_F(SimulatedTransportTest, ShortAnswerIsReadShortAfterTheTimeout)
{
    openAt(19200);
    rig.setFailureMode(FailureMode::Short);
    port.write(frame(bytes({0x03})));
    const QByteArray back = port.read(17, 200);
    EXPECT_EQ(back.size(), 16);
    EXPECT_EQ(clock.nowMs(), 200);
}

TEST_F(SimulatedTransportTest, NegativeCountIsAFixedWait)
{
    openAt(19200);
    port.write(frame(bytes({0x03})));
    EXPECT_EQ(port.waitForBytes(-1, 40), 17);
    EXPECT_EQ(clock.nowMs(), 40);
}

TEST_F(SimulatedTransportTest, ReceivePurgeDropsOnlyWhatHasArrived)
{
    openAt(9600);
    port.write(frame(bytes({0x03})));
    // Half-way through the echo: the first bytes are in, the rest still on the way.
    clock.advance(ceilDiv(3 * byteUs(9600), 1000));
    EXPECT_GT(port.waitForBytes(0, 0), 0);
    port.purge(false, true);
    EXPECT_EQ(port.waitForBytes(0, 0), 0);
    const qint64 later = port.waitForBytes(17, 200);
    EXPECT_GT(later, 0);
    EXPECT_LT(later, 17);
    const QByteArray tail = port.read(later, 0);
    EXPECT_EQ(tail.right(1), QByteArray(1, char(0xFD)));
    // Frequency read still reached the rig in full.
    ASSERT_EQ(rig.commands().size(), 1);
    EXPECT_EQ(rig.commands().first().text(), "03");
}

TEST_F(SimulatedTransportTest, TransmitPurgeStopsWhatHasNotGoneOut)
{
    openAt(1200);
    port.write(frame(bytes({0x05}) + civ::encodeFrequency(145'800'000)));
    port.purge(true, true);
    EXPECT_EQ(port.waitForBytes(1, 500), 0);
    EXPECT_TRUE(rig.commands().isEmpty());
    EXPECT_NE(rig.dial(IcomRig::Side::Main).hz, 145'800'000);
}

TEST_F(SimulatedTransportTest, UnsolicitedBytesArePurgedBeforeTheNextCommand)
{
    openAt(19200);
    port.write(frame(bytes({0x07, 0xD1}))); // echo 7 bytes + OK 6 bytes, controller reads 7
    EXPECT_EQ(port.read(7, 200).size(), 7);
    clock.advance(50); // the OK arrives meanwhile
    port.purge(false, true);
    port.write(frame(bytes({0x03})));
    const QByteArray back = port.read(17, 200);
    EXPECT_EQ(back.left(6), frame(bytes({0x03})));
    EXPECT_EQ(back.size(), 17);
}

TEST_F(SimulatedTransportTest, CountsBytesAndWireTime)
{
    openAt(19200);
    port.write(frame(bytes({0x03})));
    port.read(17, 200);
    port.write(frame(bytes({0x07, 0xD0})));
    port.read(7, 200);
    clock.advance(100);
    port.waitForBytes(0, 0);
    EXPECT_EQ(port.bytesWritten(), 13);
    EXPECT_EQ(port.bytesRead(), 24);
    EXPECT_EQ(port.writeCount(), 2);
    // 13 out, 13 echoed, 11 + 6 answered.
    EXPECT_EQ(port.wireTimeUs(), (13 + 13 + 11 + 6) * byteUs(19200));
}

TEST_F(SimulatedTransportTest, ClosedPortRefusesTraffic)
{
    EXPECT_EQ(port.write(frame(bytes({0x03}))), -1);
    EXPECT_EQ(port.waitForBytes(17, 100), 0);
    openAt(9600);
    vm::SerialSettings again;
    EXPECT_FALSE(port.open(again)); // already open
    port.close();
    EXPECT_FALSE(port.isOpen());
    port.setOpenFails(true);
    EXPECT_FALSE(port.open(again));
}

TEST_F(SimulatedTransportTest, ReadLeavesTheRestBuffered)
{
    openAt(19200);
    port.write(frame(bytes({0x03})));
    EXPECT_EQ(port.read(6, 200), frame(bytes({0x03})));
    const QByteArray answer = port.read(11, 200);
    EXPECT_EQ(answer.left(4), bytes({0xFE, 0xFE, 0xE0, 0xA2}));
    EXPECT_EQ(civ::decodeFrequency(answer.mid(5, 5)), rig.dial(IcomRig::Side::Main).hz);
}
