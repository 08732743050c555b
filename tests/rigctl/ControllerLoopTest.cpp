// The Doppler control loop against the in-process IC-9700: each state's
// formula and reports, dial movement, the give-up of a silent rig (of each
// driver family) and the satellite change.

#include "ControllerFixture.h"
#include "rigctl/Doppler.h"

using namespace vm;
using namespace vm::test;
using Side = vm::sim::IcomRig::Side;

namespace {

class ControllerLoop : public ControllerFixture {
protected:
    Controller &onRs44()
    {
        Controller &c = started();
        track("RS-44");
        return c;
    }
    qint64 rxReported() { return channel.last("OPPRXS").toLongLong(); }
};

using ControllerLoopEcho = WithRigEcho<ControllerLoop>;
INSTANTIATE_TEST_SUITE_P(Line, ControllerLoopEcho, ::testing::Bool(), echoName);

} // namespace

TEST_P(ControllerLoopEcho, SatelliteChangeSetsTheRigToTheHomeFrequenciesAndReports)
{
    Controller &c = onRs44();
    EXPECT_EQ(c.selectedSatellite(), "RS-44");
    // OPPMLT empty: not one of the table's multi-mode entries.
    for (const auto &[code, payload] : {std::pair{"OPPSAN", "RS-44"}, {"OPPSTC", "3"}, {"OPPKAN", ""},
                                        {"OPPMLT", ""}, {"OPPPOB", "1234"}, {"OPPHOM", ""}})
        EXPECT_EQ(channel.payloads(code), QStringList{payload}) << code;
    EXPECT_EQ(channel.last("OPPRXM"), "USB1"); // IC9700: the receive filter digit follows the mode
    EXPECT_EQ(channel.last("OPPTXM"), "LSB");
    EXPECT_EQ(subHz(), qint64(Rs44Uplink));
    EXPECT_EQ(mainHz(), qint64(Rs44K - Rs44Uplink));
    EXPECT_EQ(rig1().dial(Side::Main).mode, 0x01); // USB down
    EXPECT_EQ(rig1().dial(Side::Sub).mode, 0x00);  // LSB up
    EXPECT_TRUE(c.timer1().running);
    // The OPPSAN comes before OPPSTC and OPPKAN, which the panel answers with its state button.
    const QStringList codes = channel.codes();
    EXPECT_LT(codes.indexOf("OPPSAN"), codes.indexOf("OPPSTC"));
    EXPECT_LT(codes.indexOf("OPPSTC"), codes.indexOf("OPPKAN"));
}

TEST_F(ControllerLoop, UnknownSatelliteIsReportedUndefinedAndDummyEndsTheLinkOnlyLoop)
{
    Controller &c = started();
    track("NOSUCH-1");
    EXPECT_EQ(channel.payloads("OPPSAN"), (QStringList{"NOSUCH-1", "未定義星"}));
    EXPECT_EQ(c.selectedSatellite(), Controller::UnknownSatellite);
    EXPECT_TRUE(c.timer1().running);
    track("DUMMY");
    EXPECT_EQ(channel.payloads("OPPTXF"), QStringList{"終了処理中"});
    EXPECT_EQ(channel.payloads("OPPRXF"), QStringList{""});
    EXPECT_EQ(channel.payloads("OPPSAN").size(), 2);
}

TEST_F(ControllerLoop, TuningCommandsMoveTheDialAtOnceWithoutPollingTheRig)
{
    Controller &c = onRs44();
    send("RCMDOP0");
    track("RS-44", 5200.0f);
    const double R = double(mainHz());
    const double T0 = double(subHz());
    rig1().clearCommands();
    channel.sent.clear();
    send("RCMOFF-80");
    // The new dial is on the rig before any tick, from the last range rate.
    const double expected = Rs44K - (R - doppler(5200, R)) - doppler(5200, T0) + 80;
    EXPECT_EQ(subHz(), qint64(expected));
    EXPECT_EQ(channel.payloads("OPPTXS"), QStringList{QString::number(qint64(expected))});
    for (const sim::ReceivedCommand &cmd : rig1().commands()) {
        EXPECT_NE(quint8(cmd.command.at(0)), 0x03) << cmd.describe().toStdString(); // no frequency poll
        EXPECT_NE(quint8(cmd.command.at(0)), 0x04) << cmd.describe().toStdString(); // no mode poll
    }

    // In state 2 the offset change resynchronises at once, through state 8.
    send("RCMDOP2");
    c.tick1();
    channel.sent.clear();
    send("RCMOFF40");
    EXPECT_EQ(channel.payloads("OPPDOP"), QStringList{"2"});
    EXPECT_EQ(c.dopplerState(), 2);
    const double R2 = double(mainHz());
    EXPECT_EQ(subHz(), qint64(Rs44K - (R2 - doppler(5200, R2)) - doppler(5200, expected) - 40));

    // Where no tick would control, a tuning command only stores its value.
    send("RCMDOP3");
    rig1().clearCommands();
    send("RCMOFF500");
    send("RCMTXP20");
    send("RCMSPT30S");
    EXPECT_TRUE(rig1().commands().isEmpty());
    EXPECT_EQ(c.offsetO(), 500);
}

TEST_F(ControllerLoop, ATickThatSetsADialTellsTheSourceHowLongAfterItsRead)
{
    Controller &c = onRs44();
    send("RCMDOP0");
    sources.dialDelays.clear();
    const qint64 start = clock.nowMs();
    track("RS-44", 3000.0f);
    const qint64 tick = clock.nowMs() - start;
    ASSERT_EQ(sources.dialDelays.size(), 1);
    EXPECT_GT(sources.dialDelays[0], 0); // the polls go out before the transmit dial
    EXPECT_LE(sources.dialDelays[0], tick);
    // The immediate step of a tuning command and a tick without control tell nothing.
    send("RCMOFF50");
    send("RCMDOP3");
    c.tick1();
    EXPECT_EQ(sources.dialDelays.size(), 1);
}

TEST_F(ControllerLoop, DialTurnedByTheOperatorIsFollowedOnceItRests)
{
    // The transmit dial turned in state 2: 9, then 8 and back to 2.
    Controller &c = onRs44();
    send("RCMDOP2");
    track("RS-44", 3000.0f);
    channel.sent.clear();
    ASSERT_TRUE(rig1().turnDial(Side::Sub, subHz() + 2000));
    c.tick1();
    EXPECT_EQ(c.dopplerState(), 9);
    EXPECT_EQ(channel.payloads("OPPDOP"), QStringList{"9"});
    c.tick1(); // the receive dial is still: resynchronise
    EXPECT_EQ(channel.payloads("OPPDOP"), (QStringList{"9", "8", "2"}));
    EXPECT_EQ(c.dopplerState(), 2);

    // The receive dial turned in state 0: the tick is skipped.
    send("RCMDOP0");
    track("RS-44", 2000.0f);
    const qint64 t = subHz();
    ASSERT_TRUE(rig1().turnDial(Side::Main, mainHz() + 5000));
    sources.state->rangeRate = 1000;
    channel.sent.clear();
    c.tick1();
    EXPECT_EQ(subHz(), t); // not moved while the operator turns
    EXPECT_TRUE(channel.payloads("OPPTXS").isEmpty());
    c.tick1();
    EXPECT_NE(subHz(), t); // the dial rests: the transmit dial follows again
}

TEST_F(ControllerLoop, StateOneKeepsTheHeardDownlinkAndReportsTheSatelliteSideOnBothKinds)
{
    Controller &c = onRs44();
    send("RCMDOP1");
    track("RS-44", 5000.0f);
    const double heard = double(mainHz()) - doppler(5000, double(mainHz()));
    EXPECT_EQ(channel.last("OPPSTX").toLongLong(), qint64(Rs44K - heard));
    for (float rr : {4000.0f, 2500.0f, 0.0f, -3000.0f, -6000.0f}) {
        sources.state->rangeRate = rr;
        c.tick1();
        const double R = double(mainHz());
        EXPECT_NEAR(R - doppler(rr, R), heard, 1.0) << rr;
        EXPECT_NEAR(channel.last("OPPSRX").toDouble(), heard, 1.0) << rr;
        EXPECT_EQ(rxReported(), qint64(R));
    }

    // A single-channel satellite in state 1 has both dials corrected.
    track("SO-50");
    send("RCMRIT-300");
    send("RCMDOP1");
    sources.state->rangeRate = -5500;
    c.tick1();
    const double U = 145850000, F = 436795000;
    EXPECT_EQ(subHz(), qint64(U - doppler(-5500, U)));
    EXPECT_EQ(mainHz(), qint64(F + doppler(-5500, F) - 300));
    EXPECT_EQ(channel.last("OPPSTX"), "145850000");
    EXPECT_EQ(channel.last("OPPSRX"), "436795000");
    EXPECT_EQ(rig1().dial(Side::Main).mode, 0x05); // FM
    EXPECT_EQ(rig1().toneTenthsHz(Side::Sub), 670);
}

TEST_F(ControllerLoop, BeaconStateTunesTheBeaconAndLeavingItRestoresTheReceiveDial)
{
    Controller &c = onRs44();
    send("RCMDOP5");
    c.tick1();
    EXPECT_TRUE(channel.payloads("OPPBCS").isEmpty()); // no beacon base yet: nothing sent
    send("RCMDOP0");
    c.tick1();
    const qint64 before = mainHz();
    send("RCMBCF435605000");
    send("RCMDOP5");
    sources.state->rangeRate = 4200;
    c.tick1();
    const double b0 = 435605000;
    EXPECT_EQ(channel.last("OPPBCS").toLongLong(), qint64(b0 + doppler(4200, b0)));
    EXPECT_EQ(mainHz(), qint64(b0 + doppler(4200, b0)));
    send("RCMDOP0");
    EXPECT_EQ(mainHz(), before);
}

// Each driver family counts the polls its rig leaves unanswered (the open and
// closed reports of each family: its driver and controller tests).
TEST_P(ControllerLoopEcho, SilentRigIsGivenUpAndReconnectedOnRequest)
{
    const struct {
        const char *model, *port, *state;
    } rigs[] = {{"IC9700", "/dev/sim1", "RCMDOP0"}, {"TS2000", "/dev/ts", "RCMDOP0"}, {"FT847", "/dev/ft", "RCMDOP3"}};
    for (const auto &r : rigs) {
        SCOPED_TRACE(r.model);
        ini(QStringLiteral("[RIG_CON_CFG]\nRIG_TYPE=%1\nRIGCOMCONT=%2\nBAUD_RATE=19200\nICOM_RIGadrs=A2\n"
                           "Poll_Time=200\nRigContType=0\n")
                .arg(r.model, r.port));
        sim::ConsoleRig &rig = [&]() -> sim::ConsoleRig & {
            if (r.model[0] == 'I')
                return rig1();
            if (r.model[0] == 'T')
                return textRig(r.port, r.model);
            return binaryRig(r.port, r.model);
        }();
        Controller &c = onRs44();
        send(r.state);
        rig.setFailureMode(sim::FailureMode::Silent);
        for (int i = 0; i < 60 && channel.payloads("OPPCER").isEmpty(); ++i) {
            c.tick1();
            c.tick2();
        }
        EXPECT_EQ(channel.payloads("OPPCER"), QStringList{r.port});
        EXPECT_FALSE(c.rigOpen(1));
        EXPECT_FALSE(c.timer1().running);
        EXPECT_TRUE(c.timer2().running);
        EXPECT_EQ(c.timer2().intervalMs, 200);

        rig.setFailureMode(sim::FailureMode::None);
        send("RCMRTR1");
        EXPECT_TRUE(c.rigOpen(1));
        EXPECT_TRUE(c.timer1().running);
        EXPECT_FALSE(c.timer2().running);
        EXPECT_EQ(c.dopplerState(), r.state[6] - '0'); // the state it was given up in
        controller.reset();
        channel.sent.clear();
    }
}

TEST_F(ControllerLoop, MultiModeListPositionIsReportedAndTheModeCommandSwitchesEntries)
{
    Controller &c = started();
    track("AO-07");
    // The multi-mode list: IO-117 UU, AO-07 B-mode, AO-07 A-mode.
    EXPECT_EQ(channel.payloads("OPPMLT"), QStringList{"2"});
    EXPECT_EQ(c.currentMode(), "B-mode");
    send("RCMMLT8"); // each mode's offset: PanelSystemMultiMode.SwitchingTheModeKeepsEachModesOffset
    EXPECT_EQ(c.currentMode(), "A-mode");
    EXPECT_EQ(channel.payloads("OPPMLT"), QStringList{"2"}); // the panel chose it: no report back
    EXPECT_EQ(c.transponder().type(), Transponder::Type::TxHigh);
    EXPECT_EQ(channel.payloads("OPPSTC").size(), 2);
    send("RCMMLT");
    EXPECT_EQ(c.currentMode(), "");
}

TEST_P(ControllerLoopEcho, SatelliteChangeKeepsTheOldOffsetAndLoadsTheNewOne)
{
    iniWith("[SATinfo]\nSO-50_offset=55\n");
    Controller &c = started();
    track("RS-44");
    send("RCMOFF321");
    track("SO-50");
    EXPECT_EQ(setting("SATinfo", "RS-44_offset"), "321");
    EXPECT_EQ(c.offsetO(), 55);
    send("RCMOFKK");
    send("RCMOFF999");
    track("RS-44");
    EXPECT_EQ(setting("SATinfo", "SO-50_offset"), "55"); // single-channel and "K": not kept
    EXPECT_EQ(rig1().function(0x42, Side::Sub), 0);      // SO-50's tone is off again
    EXPECT_EQ(c.offsetO(), 321);
}

TEST_F(ControllerLoop, SameBandSatelliteNeedsARigThatCanDoIt)
{
    Controller &c = started();
    track("IO-117");
    EXPECT_EQ(c.dopplerState(), 6);
    EXPECT_TRUE(rig1().split());
    EXPECT_EQ(channel.payloads("OPPSTC"), QStringList{"1"});
    EXPECT_EQ(channel.payloads("OPPDOP"), QStringList{"6"});
    sources.state->rangeRate = -3000;
    c.tick1();
    const double F = 435310000;
    EXPECT_EQ(channel.last("OPPSTX").toLongLong(), qint64(F - doppler(-3000, F)));
    EXPECT_EQ(channel.last("OPPSRX").toLongLong(), qint64(F + doppler(-3000, F)));
    // Both VFOs of the 435 MHz main band: the two dials, USB with data mode.
    const sim::VfoState vfoA = rig1().vfo(Side::Main, 0), vfoB = rig1().vfo(Side::Main, 1);
    EXPECT_EQ(QList<qint64>({vfoA.hz, vfoB.hz}),
              QList<qint64>({qint64(F + doppler(-3000, F)), qint64(F - doppler(-3000, F))}));
    for (const sim::VfoState &v : {vfoA, vfoB})
        EXPECT_EQ(QList<int>({v.mode, v.dataMode, v.filter}), QList<int>({0x01, 1, 1}));
    // Leaving for a cross-band satellite switches the arrangement off again.
    track("RS-44");
    EXPECT_FALSE(rig1().split());
    EXPECT_EQ(c.dopplerState(), 3);
    EXPECT_EQ(mainHz(), qint64(Rs44K - Rs44Uplink));
    controller.reset();

    ini("[RIG_CON_CFG]\nRIG_TYPE=IC910\nRIGCOMCONT=/dev/sim910\nBAUD_RATE=19200\nICOM_RIGadrs=60\n");
    simRig("/dev/sim910", "IC910");
    messages.clear();
    Controller &d = started();
    track("IO-117");
    EXPECT_EQ(messages, QStringList{"Velomira|申し訳ございません、IC910は対応していません。"});
    EXPECT_FALSE(d.timer1().running);
}

TEST_F(ControllerLoop, RigCombinationIsAppliedForItsSatelliteAndRestoredAfterwards)
{
    RigCombination combo;
    combo.fields = {"SO-50 ", "IC9100", "/dev/sim2", "19200", "7C", "1",   "0", "None",
                    "None",   "9600",   "00",        "1",     "0",  "300", "0", ""};
    ASSERT_TRUE(RigCombinationTable::save(path("RigCombi.txt"), {combo}));
    simRig("/dev/sim2", "IC9100");
    Controller &c = started();
    track("SO-50");
    EXPECT_TRUE(c.rigSetInForce());
    EXPECT_EQ(channel.payloads("OPP2RI"), QStringList{"0"});
    EXPECT_EQ(channel.last("OPPRIG"), "IC9100:/dev/sim2:1:None:None:0:0");
    EXPECT_TRUE(c.rigOpen(1));
    EXPECT_EQ(c.rig(1)->model().id, "IC9100");
    EXPECT_EQ(c.timer1().intervalMs, 300);
    EXPECT_EQ(simRig("/dev/sim2").rig.dial(Side::Sub).hz, 145850000);

    track("RS-44");
    EXPECT_FALSE(c.rigSetInForce());
    EXPECT_EQ(channel.payloads("OPP2RI"), (QStringList{"0", "0"}));
    EXPECT_EQ(channel.last("OPPRIG"), "IC9700:/dev/sim1:1:None:None:0:0");
    EXPECT_EQ(c.rig(1)->model().id, "IC9700");
    EXPECT_EQ(c.timer1().intervalMs, 200);
    // Without a combination for either, the arrangement is left alone.
    track("RXH-1");
    EXPECT_EQ(channel.payloads("OPP2RI").size(), 2);
    EXPECT_EQ(channel.last("OPPRIG"), "IC9700:/dev/sim1:1:None:None:0:0");
}

TEST_F(ControllerLoop, ModeOffsetCountsTheModeConstantWhenTransmittingCw)
{
    iniWith("StartUpMODE=UC\n[SATinfo]\nMODEoffset=650\n");
    Controller &c = started();
    track("RS-44");
    send("RCMDOP0");
    send("RCMOFF40");
    send("RCMSPT25S");
    c.tick1();
    EXPECT_EQ(c.modeOffset(), 650 + 40 + 25); // receive USB, transmit CW: Cm + O + X + S
    send("RCMMDM41");                         // receive LSB
    c.tick1();
    EXPECT_EQ(c.modeOffset(), 40 - 650 - 25);
    send("RCMMDS3"); // transmit USB
    c.tick1();
    EXPECT_EQ(c.modeOffset(), 40);
    const double R = double(mainHz());
    EXPECT_NEAR(double(subHz()), Rs44K - R - 40, 1.0); // range rate 0
}

TEST_F(ControllerLoop, TwoRigsReceiveOnTheFirstAndTransmitOnTheSecond)
{
    // A model that cannot be the second rig is not opened as one.
    ini("[RIG_CON_CFG]\nRIG_TYPE2=IC821\nRIGCOMCONT2=/dev/sim821\nRigContType=2\n");
    simRig("/dev/sim821", "IC821");
    EXPECT_FALSE(started().rigOpen(2));
    EXPECT_TRUE(channel.payloads("OPPOP2").isEmpty());
    controller.reset();

    iniWith("RIG_TYPE2=IC7100\nRIGCOMCONT2=/dev/sim2\nBAUD_RATE2=19200\nICOM_RIGadrs2=88\nRigContType=3\n");
    sim::IcomRig &second = simRig("/dev/sim2", "IC7100").rig;
    Controller &c = started();
    EXPECT_EQ(channel.payloads("OPPOP2"), QStringList{"1"});
    track("RS-44");
    EXPECT_EQ(second.dial(Side::Main).hz, qint64(Rs44Uplink));
    EXPECT_EQ(second.dial(Side::Main).mode, 0x00); // LSB up
    send("RCMDOP0");
    const double R = double(mainHz());
    const double T0 = double(second.dial(Side::Main).hz);
    sources.state->rangeRate = -2500;
    c.tick1();
    EXPECT_NEAR(double(second.dial(Side::Main).hz), Rs44K - (R - doppler(-2500, R)) - doppler(-2500, T0),
                1.0);
    EXPECT_EQ(mainHz(), qint64(R));
    send("RCMEND");
    EXPECT_EQ(channel.last("OPPOP2"), "0");
}

// The channel serves the controller's own title while a tracking read or a
// report waits for its reply, so records can arrive in the middle of a step.
TEST_F(ControllerLoop, RecordsArrivingInTheMiddleOfAStepAreTakenAfterItInOrder)
{
    Controller &c = onRs44();
    qint32 offsetDuringRead = -1;
    int closeRequestsSeenDuringRead = -1;
    sources.state->duringRead = [&] {
        sources.state->duringRead = nullptr;
        send("RCMOFF200");
        send("RCMOFF300");
        c.closeRequestedFromOutside();
        offsetDuringRead = c.offsetO();
        closeRequestsSeenDuringRead = windowShown ? 1 : 0;
    };
    windowShown = true;
    c.tick1();
    EXPECT_EQ(offsetDuringRead, 0);
    EXPECT_EQ(closeRequestsSeenDuringRead, 1); // not hidden yet: the close request waited too
    EXPECT_EQ(c.offsetO(), 300);
    EXPECT_FALSE(windowShown);
    EXPECT_FALSE(c.closing());

    // A report on its way is a wait of the same kind.
    int offsetWhileReporting = -1;
    channel.whileSending = [&](const QString &) {
        channel.whileSending = nullptr;
        send("RCMOFF400");
        offsetWhileReporting = c.offsetO();
    };
    track("RS-44", -2500);
    EXPECT_EQ(offsetWhileReporting, 300);
    EXPECT_EQ(c.offsetO(), 400);

    // An end in the middle of a read shuts down only after the tick.
    sources.state->duringRead = [this] { send("RCMEND"); };
    c.tick1();
    EXPECT_FALSE(sources.state->readOutlivedItsSource);
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(c.closing());
    EXPECT_FALSE(c.rigOpen(1));
    EXPECT_FALSE(rig1().satelliteMode());
}
