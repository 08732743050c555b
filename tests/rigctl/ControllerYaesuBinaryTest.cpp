// The controller driving simulated Yaesu binary rigs: the FT847 as the
// satellite rig in each Doppler state it polls, an FT817 as the second rig
// and the FT817's same-band clarifier. A silent rig: ControllerLoopTest.

#include "ControllerFixture.h"
#include "rigctl/Doppler.h"

using namespace vm;
using namespace vm::test;
using sim::RigSide;

namespace {

class ControllerYaesuBinary : public ControllerFixture {
protected:
    sim::YaesuBinaryRig &rig(const char *model, const char *extra = "RigContType=0\n")
    {
        ini(QStringLiteral(
                "[RIG_CON_CFG]\nRIG_TYPE=%1\nRIGCOMCONT=/dev/yaesu\nBAUD_RATE=9600\nPoll_Time=200\n%2")
                .arg(model, extra));
        return binaryRig("/dev/yaesu", model);
    }
};

} // namespace

TEST_F(ControllerYaesuBinary, Ft847FollowsTheSatelliteInEachDopplerState)
{
    sim::YaesuBinaryRig &ft = rig("FT847");
    started();
    EXPECT_TRUE(ft.catOn());
    EXPECT_TRUE(ft.satelliteMode());
    track("RS-44");
    EXPECT_EQ(ft.hz(RigSide::Main), qint64(Rs44K - Rs44Uplink) / 10 * 10);
    EXPECT_EQ(ft.hz(RigSide::Sub), qint64(Rs44Uplink));
    EXPECT_EQ(ft.mode(RigSide::Main), 0x01);
    EXPECT_EQ(ft.mode(RigSide::Sub), 0x00);
    expectDialsMoveInEachState([&ft](bool main) { return ft.hz(main ? RigSide::Main : RigSide::Sub); }, 3000);
    send("RCMEND");
    EXPECT_FALSE(ft.satelliteMode());
    EXPECT_FALSE(ft.catOn());
}

TEST_F(ControllerYaesuBinary, Ft817TransmitsAsTheSecondRigWithItsTone)
{
    rig("FT847", "RigContType=3\nRIG_TYPE2=FT817\nRIGCOMCONT2=/dev/ft817\nBAUD_RATE2=9600\n");
    sim::YaesuBinaryRig &second = binaryRig("/dev/ft817", "FT817");
    Controller &c = started();
    EXPECT_EQ(channel.payloads("OPPOP2"), QStringList{"1"});
    track("SO-50");
    EXPECT_EQ(second.hz(RigSide::Main), 145850000);
    EXPECT_EQ(second.mode(RigSide::Main), 0x08);
    EXPECT_EQ(second.tone(), "0670");
    EXPECT_TRUE(second.toneOn());
    send("RCMDOP1");
    sources.state->rangeRate = -4000;
    c.tick1();
    EXPECT_EQ(second.hz(RigSide::Main), qint64(145850000 - doppler(-4000, 145850000)) / 10 * 10);
    send("RCMEND");
    EXPECT_FALSE(second.toneOn());
}

TEST_F(ControllerYaesuBinary, Ft817SameBandSatelliteListensThroughTheClarifier)
{
    sim::YaesuBinaryRig &ft = rig("FT817");
    Controller &c = started();
    track("IO-117");
    EXPECT_TRUE(ft.clarifierOn());
    sources.state->rangeRate = 3000;
    c.tick1();
    const double F = 435310000;
    EXPECT_EQ(ft.hz(RigSide::Main), qint64(F - doppler(3000, F)) / 10 * 10);
    EXPECT_EQ(ft.clarifierOffset(), std::clamp(2 * doppler(3000, F), -9999, 9999) / 10);
}
