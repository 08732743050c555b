// The controller driving simulated Kenwood / Yaesu text-command rigs: the
// TS2000 as the satellite rig in each Doppler state, the one-VFO models as
// receiver and transmitter in each state (and alone only on the downlink), a
// TS2000 receiving with an FT991 transmitting and a same-band satellite. A
// silent rig: ControllerLoopTest.

#include "ControllerFixture.h"
#include "rigctl/Doppler.h"

using namespace vm;
using namespace vm::test;
using sim::RigSide;

namespace {

class ControllerTextRig : public ControllerFixture {
protected:
    sim::TextRig &ts2000(const char *usage = "0", const char *extra = "")
    {
        ini(QStringLiteral(
                "[RIG_CON_CFG]\nRIG_TYPE=TS2000\nRIGCOMCONT=/dev/ts\nBAUD_RATE=9600\nRigContType=%1\n"
                "Poll_Time=200\nKWPon=1\n%2")
                .arg(usage, extra));
        return textRig("/dev/ts", "TS2000");
    }
};

} // namespace

TEST_F(ControllerTextRig, Ts2000FollowsTheSatelliteInEachDopplerState)
{
    sim::TextRig &rig = ts2000();
    started();
    EXPECT_EQ(channel.payloads("OPPOP1"), QStringList{"1"});
    track("RS-44");
    EXPECT_EQ(rig.hz(RigSide::Main), qint64(Rs44K - Rs44Uplink));
    EXPECT_EQ(rig.hz(RigSide::Sub), qint64(Rs44Uplink));
    EXPECT_EQ(rig.modeDigit(RigSide::Main), '2'); // USB down
    EXPECT_EQ(rig.modeDigit(RigSide::Sub), '1');  // LSB up
    EXPECT_EQ(rig.value("SA"), "1010010");
    EXPECT_EQ(channel.last("OPPTXM"), "LSB");

    // Which dial the loop moves in each state when the satellite approaches.
    const auto hz = [&rig](bool main) { return rig.hz(main ? RigSide::Main : RigSide::Sub); };
    expectDialsMoveInEachState(hz, 1500, [&](qint64 sub, float rr) {
        const double R = double(rig.hz(RigSide::Main));
        EXPECT_NEAR(double(rig.hz(RigSide::Sub)), Rs44K - (R - doppler(rr, R)) - doppler(rr, double(sub)),
                    1.0);
    });
    EXPECT_TRUE(rig.commands().contains("AI0;")); // each poll switches auto-information off first
    send("RCMEND");
    EXPECT_EQ(rig.value("SA"), "0010010"); // given back as it was found
    EXPECT_EQ(channel.last("OPPOP1"), "0");
}

// The one-VFO models as receiver (rig 1) and transmitter (rig 2) of an HF
// satellite: each model takes each role once.
class ControllerOneVfoRigs : public ControllerTextRig,
                             public ::testing::WithParamInterface<std::pair<const char *, const char *>> {};

TEST_P(ControllerOneVfoRigs, ReceiverAndTransmitterFollowTheSatelliteInEachDopplerState)
{
    const auto [receiver, transmitter] = GetParam();
    writeTable(testTable() << "RS-12,21210,29410,40,29408,,,,Y,");
    ini(QStringLiteral("[RIG_CON_CFG]\nRIG_TYPE=%1\nRIGCOMCONT=/dev/rx\nBAUD_RATE=9600\nRIG_TYPE2=%2\n"
                       "RIGCOMCONT2=/dev/tx\nBAUD_RATE2=9600\nRigContType=3\nPoll_Time=200\n")
            .arg(receiver, transmitter));
    sim::TextRig &rx = textRig("/dev/rx", receiver);
    sim::TextRig &tx = textRig("/dev/tx", transmitter);
    started();
    EXPECT_EQ(channel.payloads("OPPOP1"), QStringList{"1"});
    EXPECT_EQ(channel.payloads("OPPOP2"), QStringList{"1"});
    track("RS-12");
    EXPECT_EQ(rx.hz(RigSide::Main), 29430000); // the passband centres
    EXPECT_EQ(tx.hz(RigSide::Main), 21230000);
    EXPECT_EQ(rx.modeDigit(RigSide::Main), '2'); // USB down
    EXPECT_EQ(tx.modeDigit(RigSide::Main), '1'); // LSB up
    expectDialsMoveInEachState([&](bool main) { return (main ? rx : tx).hz(RigSide::Main); }, 1500);
    send("RCMEND");
    EXPECT_EQ(channel.last("OPPOP2"), "0");
}

INSTANTIATE_TEST_SUITE_P(Models, ControllerOneVfoRigs,
                         ::testing::Values(std::pair{"TS590", "TS990"}, std::pair{"TS990", "FT2000"},
                                           std::pair{"FT2000", "TS590"}),
                         [](const auto &info) {
                             return std::string(info.param.first) + "Receives" + info.param.second +
                                    "Transmits";
                         });

TEST_F(ControllerTextRig, Ts2000ReceivesAndFt991TransmitsWithItsTone)
{
    ts2000("3", "RIG_TYPE2=FT991\nRIGCOMCONT2=/dev/ft\nBAUD_RATE2=38400\nCW Message-1=CQ SAT\n");
    sim::TextRig &ft = textRig("/dev/ft", "FT991");
    Controller &c = started();
    EXPECT_EQ(channel.payloads("OPPOP2"), QStringList{"1"});
    EXPECT_EQ(ft.value("KM1"), "CQ SAT");
    track("SO-50");
    EXPECT_EQ(ft.hz(RigSide::Main), 145850000);
    EXPECT_EQ(ft.modeDigit(RigSide::Main), '4'); // FM
    EXPECT_EQ(ft.value("CN"), "001");            // 67 Hz
    EXPECT_EQ(ft.value("CT"), "02");
    EXPECT_EQ(textRig("/dev/ts", "TS2000").hz(RigSide::Main), 436795000);
    send("RCMDOP1");
    sources.state->rangeRate = -4000;
    c.tick1();
    EXPECT_EQ(ft.hz(RigSide::Main), qint64(145850000 - doppler(-4000, 145850000)));
    send("RCMCWMB4KM2QRZ};L=5"); // stored in keyer memory 2, then played
    send("RCMCWMKM2QRZ};L=5");
    EXPECT_EQ(ft.value("KM2"), "QRZ");
    EXPECT_EQ(ft.cwSent(), QStringList{"7"});
}

TEST_F(ControllerTextRig, SameBandSatelliteUsesBothVfos)
{
    sim::TextRig &rig = ts2000();
    Controller &c = started();
    track("IO-117");
    EXPECT_EQ(c.dopplerState(), 6);
    EXPECT_EQ(QStringList({rig.value("SA"), rig.value("FR"), rig.value("FT")}),
              QStringList({"0010010", "0", "1"}));
    sources.state->rangeRate = 3000;
    c.tick1();
    const double F = 435310000;
    EXPECT_EQ(rig.hz(RigSide::Main), qint64(F + doppler(3000, F)));
    EXPECT_EQ(rig.hz(RigSide::Sub), qint64(F - doppler(3000, F)));
}

TEST_F(ControllerTextRig, OneVfoRigAloneStaysOnTheDownlink)
{
    writeTable(testTable() << "RS-12,21210,29410,40,29408,,,,Y,");
    ini("[RIG_CON_CFG]\nRIG_TYPE=TS590\nRIGCOMCONT=/dev/rx\nBAUD_RATE=9600\nRigContType=0\nPoll_Time=200\n");
    sim::TextRig &rig = textRig("/dev/rx", "TS590");
    Controller &c = started();
    track("RS-12");
    send("RCMDOP0"); // the transmit side follows, but there is no dial for it
    for (float rr : {-1500.f, -3000.f, -4500.f}) {
        sources.state->rangeRate = rr;
        c.tick1();
        EXPECT_EQ(rig.hz(RigSide::Main), 29430000);
    }
    EXPECT_FALSE(rig.commands().contains("FA00021230000;"));
}
