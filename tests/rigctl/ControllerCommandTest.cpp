// The command dispatcher and quick QSY.

#include "../sound/FakeAudio.h"
#include "../sound/WavCheck.h"
#include "ControllerFixture.h"
#include "common/ScheduleFile.h"
#include "sound/FileSound.h"

#include "rigctl/Doppler.h"
#include <QDateTime>
#include <QFile>
#include <algorithm>

using namespace vm;
using namespace vm::test;
using Side = vm::sim::IcomRig::Side;

namespace {

class ControllerCommands : public ControllerFixture {
protected:
    Controller &onSatellite(const char *name, float rr = 0)
    {
        Controller &c = started();
        track(QString::fromLatin1(name), rr);
        return c;
    }
};

using ControllerCommandsEcho = WithRigEcho<ControllerCommands>;
INSTANTIATE_TEST_SUITE_P(Line, ControllerCommandsEcho, ::testing::Bool(), echoName);

} // namespace

TEST_F(ControllerCommands, PayloadRulesAndNumbersThatAreNotNumbers)
{
    Controller &c = started();
    send("RCMSPT120S");
    EXPECT_EQ(c.splitS(), 120);
    send("RCMSPT120");
    EXPECT_EQ(c.splitS(), 0);
    send("RCMOFF250");
    send("RCMOFFabc");
    EXPECT_EQ(c.offsetO(), 250); // the handler ends; the value stays
    send("RCMOFR");
    EXPECT_EQ(c.offsetO(), 0);
    send("RCMTXP-40");
    EXPECT_EQ(c.shiftX(), -40);
    send("RCMTXP");
    EXPECT_EQ(c.shiftX(), -40);
    send("RCMRIT85");
    EXPECT_EQ(c.rit(), 85);
    send("RCMRITxyz");
    EXPECT_EQ(c.rit(), 0); // RIT alone turns a non-number into 0
    // Surrounding blanks are trimmed; records of another family are ignored.
    send("  RCMOFF77  ");
    EXPECT_EQ(c.offsetO(), 77);
    send("OPPOFF99");
    send("RCMXYZ1");
    EXPECT_EQ(c.offsetO(), 77);
}

// Leaving the beacon state puts the receive dial back:
// ControllerLoop.BeaconStateTunesTheBeaconAndLeavingItRestoresTheReceiveDial.
TEST_F(ControllerCommands, DopplerStateUsesTheLastCharacterAndOnlyBeaconReturnResynchronises)
{
    Controller &c = onSatellite("RS-44");
    send("RCMDOP0");
    EXPECT_EQ(c.dopplerState(), 0);
    rig1().clearCommands();
    send("RCMDOP2");
    EXPECT_TRUE(rig1().commands().isEmpty()); // no beacon before: nothing sent
    send("RCMDOPx");
    EXPECT_EQ(c.dopplerState(), 2);
}

TEST_F(ControllerCommands, StopAndPauseSwitchTheControlLoop)
{
    Controller &c = started();
    send("RCMSTP1");
    EXPECT_FALSE(c.timer1().running);
    send("RCMSTP0");
    EXPECT_TRUE(c.timer1().running);
    send("RCMPUS2");
    EXPECT_FALSE(c.timer1().running);
    EXPECT_EQ(c.rigControlMode(), 2);
    send("RCMSTP0"); // paused: stays stopped
    EXPECT_FALSE(c.timer1().running);
    send("RCMPUS1");
    EXPECT_TRUE(c.timer1().running);
    // Closing while paused puts an IC-9700 back on its main band first.
    send("RCMPUS2");
    rig1().clearCommands();
    send("RCMEND");
    const QByteArray selectMain("\x07\xD0", 2);
    EXPECT_TRUE(std::any_of(rig1().commands().begin(), rig1().commands().end(),
                            [&](const sim::ReceivedCommand &cmd) { return cmd.command == selectMain; }));
}

TEST_F(ControllerCommands, RevolutionScheduleAndWaterfallRecords)
{
    Controller &c = onSatellite("RS-44");
    channel.titles << Controller::WaterfallTitle;
    send("RCMGOB");
    EXPECT_EQ(channel.last("OPPPOB"), "1234");
    send("RCMREQ"); // waterfall link off: nothing
    EXPECT_TRUE(channel.payloads("MWF", Controller::WaterfallTitle).isEmpty());
    send("RCMWFF1");
    EXPECT_EQ(channel.payloads("MWFDOP", Controller::WaterfallTitle), QStringList{"3"});
    EXPECT_EQ(channel.payloads("MWFSNA", Controller::WaterfallTitle), QStringList{"RS-44"});
    EXPECT_EQ(channel.payloads("MWFSRV", Controller::WaterfallTitle), QStringList{"1234"});
    send("RCMDOP2");
    send("RCMREQ");
    EXPECT_EQ(channel.payloads("MWFDOP", Controller::WaterfallTitle), (QStringList{"3", "2"}));
    EXPECT_EQ(channel.payloads("MWFREQ", Controller::WaterfallTitle), QStringList{"2"});
    send("RCMSKD1");
    channel.sent.clear();
    c.tick1();
    EXPECT_EQ(channel.payloads("OPPSCK"), QStringList{""});
    send("RCMSKD0");
    channel.sent.clear();
    c.tick1();
    EXPECT_TRUE(channel.payloads("OPPSCK").isEmpty());
}

TEST_P(ControllerCommandsEcho, ModeCwRitNoiseAndKeyingSpeedCommandsGoToRigOne)
{
    onSatellite("RS-44");
    send("RCMMDM12"); // CW, filter 2
    EXPECT_EQ(rig1().dial(Side::Main).mode, 0x03);
    EXPECT_EQ(rig1().dial(Side::Main).filter, 2);
    send("RCMMDM82"); // USB with data
    EXPECT_EQ(rig1().dial(Side::Main).mode, 0x01);
    EXPECT_EQ(rig1().dial(Side::Main).dataMode, 1);
    send("RCMMDS1");
    EXPECT_EQ(rig1().dial(Side::Sub).mode, 0x03);
    send("RCMMDS4");
    EXPECT_EQ(rig1().dial(Side::Sub).mode, 0x00);
    // The panel sends the keying text as hexadecimal character codes.
    send("RCMCWM4351204445;L=5");
    send("RCMCSPL=1");
    EXPECT_EQ(rig1().cwSent(), (QStringList{"CQ DE", "<stop>"}));
    send("RCMCSPL=0"); // empty text and "0": nothing
    EXPECT_EQ(rig1().cwSent().size(), 2);
    send("RCMRCN1");
    EXPECT_TRUE(rig1().ritOn());
    send("RCMRFQ-0120");
    EXPECT_EQ(rig1().ritOffsetHz(), -120);
    send("RCMNBF1");
    EXPECT_EQ(rig1().function(0x22), 1);
    send("RCMNRFz"); // not a hexadecimal digit
    send("RCMCWS0128");
    EXPECT_EQ(rig1().keyerLevel(), 128);
}

TEST_F(ControllerCommands, SoundCommandsGoToTheSoundSeam)
{
    started();
    for (const char *cmd : {"RCMSSP", "RCMSPL", "RCMSND1", "RCMSND0", "RCMPLY1", "RCMPLY0"})
        send(cmd);
    EXPECT_EQ(sound.requests(), 6);
    // A recording played to its end is reported to the panel while the controller lives.
    ASSERT_TRUE(sound.playbackEnded);
    sound.playbackEnded();
    EXPECT_EQ(channel.payloads("OPPPLY"), QStringList{"0"});
    controller.reset();
    EXPECT_FALSE(sound.playbackEnded);
}

TEST_F(ControllerCommands, RecordingStartedAndStoppedByCommandsLeavesAValidWav)
{
    FakeInput in;
    FakeOutput out;
    FileSound fileSound(in, out, [] { return 11025; });
    soundPlayer = &fileSound;
    started();
    const QString path = dir.filePath(QStringLiteral("AO-91_202612070600.wav"));
    send("RCMSND" + path);
    in.push(5000);
    send("RCMSND0");
    in.push(5000); // after the stop: not recorded
    const WavCheck wav = WavCheck::of(path);
    EXPECT_TRUE(wav.valid);
    EXPECT_EQ(wav.rate, 11025u);
    EXPECT_EQ(wav.dataBytes, 10000u);
    send("RCMPLY" + path);
    send("RCMSSP");
    EXPECT_EQ(out.log, (QStringList{"play " + path, "stop"}));
    controller.reset(); // the sound it was given must outlive it
}

TEST_F(ControllerCommands, ActiveScheduleSwitchesTheSatelliteAtAosWithTodaysFileOnly)
{
    Controller &c = started();
    send("RCMSKD1");
    ASSERT_TRUE(c.timer1().running || c.timer2().running);
    for (int age : {1, 0}) {
        const QDateTime now = QDateTime::fromMSecsSinceEpoch(clock.utcMs());
        const ScheduleFile file(dir.path());
        ASSERT_TRUE(file.save({now.addSecs(120).toString("hh:mm") + "/AO-91"}));
        QFile f(file.path());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(now.addDays(-age), QFileDevice::FileModificationTime));
        f.close();
        sources.selected.clear();
        for (int i = 0; i < 8; ++i, clock.advance(30'000)) {
            c.tick1(); // whichever timer runs reads the tracking source
            c.tick2();
        }
        EXPECT_EQ(sources.selected, age ? QStringList() : QStringList{"AO-91"}) << age;
    }
}

TEST_F(ControllerCommands, SatelliteChoiceIsKeptAndPassedToTheSource)
{
    started();
    send("RCMSATRS-44");
    send("RCMSAT");
    EXPECT_EQ(sources.selected, (QStringList{"", "RS-44", ""})); // the first is the start-up choice
    EXPECT_EQ(setting("TRACK", "Satellite"), "");
    send("RCMSATSO-50");
    EXPECT_EQ(setting("TRACK", "Satellite"), "SO-50");
}

// ---- quick QSY ----------------------------------------------------------------------

TEST_P(ControllerCommandsEcho, QuickQsySetsOnlyTheDialItNames)
{
    Controller &c = onSatellite("RS-44", 3000);
    send("RCMDOP0");
    send("RCMQSM0");
    const qint64 tx = subHz();
    send("RCMQSQ435630000");
    EXPECT_EQ(mainHz(), 435630000);
    EXPECT_EQ(subHz(), tx); // state 0: the transmit side is left to the loop
    EXPECT_EQ(channel.payloads("OPPDOP").mid(0), (QStringList{"3", "0"}));
    EXPECT_EQ(c.dopplerState(), 0);
    EXPECT_EQ(c.rigControlMode(), 2);
    EXPECT_FALSE(c.timer1().running);

    // On the transmit side in state 2 only the transmit dial is set.
    send("RCMPUS1");
    send("RCMDOP2");
    const qint64 rx = mainHz();
    send("RCMQSY145950000");
    EXPECT_EQ(subHz(), 145950000);
    EXPECT_EQ(mainHz(), rx);
    EXPECT_EQ(c.dopplerState(), 2);
}

TEST_F(ControllerCommands, QuickQsyFromTheBeaconReturnsToTheStartCommandState)
{
    for (const auto &[mode, state] : {std::pair{"3", 3}, {"abc", 0}}) {
        iniWith(QStringLiteral("[Velomira]\nStartCmdMode=%1\n").arg(mode));
        Controller &c = onSatellite("RS-44");
        send("RCMDOP5");
        send("RCMQSY145950000");
        EXPECT_EQ(c.dopplerState(), state) << mode;
        controller.reset();
    }
}

TEST_F(ControllerCommands, ReceiveOnlyRigNeverGetsTheTransmitDialButItIsReported)
{
    iniWith("RigContType=1\n");
    onSatellite("RS-44");
    send("RCMDOP0");
    const qint64 tx = subHz();
    send("RCMQSM0");
    send("RCMQSY145950000");
    EXPECT_EQ(subHz(), tx);
    EXPECT_EQ(channel.last("OPPTXS"), "145950000");
}

TEST_F(ControllerCommands, QuickQsyWithoutANumberDoesNothing)
{
    Controller &c = onSatellite("RS-44");
    send("RCMDOP0");
    channel.sent.clear();
    send("RCMQSY");
    send("RCMQSQ14x");
    EXPECT_TRUE(channel.sent.isEmpty());
    EXPECT_EQ(c.rigControlMode(), 1);
}

TEST_F(ControllerCommands, DirectSetPutsBothDialsOnTheDownlinkAndGoesToStateOne)
{
    for (const char *sat : {"RS-44", "TXH-1", "RXH-1"}) {
        Controller &c = onSatellite(sat, 4500);
        send("RCMOFF100");
        const Transponder tp = c.transponder();
        const double F = tp.downlinkFor(tp.uplinkFor(double(mainHz())) + 2000); // a point in the passband
        channel.sent.clear();
        send(QStringLiteral("RCMQFX%1").arg(qint64(F)));
        EXPECT_EQ(channel.last("OPPHRX").toLongLong(), qint64(F)) << sat;
        EXPECT_EQ(channel.last("OPPHTX").toLongLong(), qint64(tp.uplinkFor(F))) << sat;
        EXPECT_EQ(mainHz(), qint64(F + doppler(4500, F))) << sat;
        EXPECT_EQ(c.dopplerState(), 1) << sat;
        EXPECT_EQ(channel.payloads("OPPDOP"), QStringList{"1"}) << sat;
        // The loop's next tick keeps the dials where the direct set put them.
        const qint64 rx = mainHz(), tx = subHz();
        send("RCMPUS1");
        c.tick1();
        EXPECT_NEAR(double(mainHz()), double(rx), 1.0) << sat;
        EXPECT_NEAR(double(subHz()), double(tx), 1.0) << sat;
        controller.reset();
    }
}

TEST_F(ControllerCommands, SmoothingProfileFollowsStateAndTheFt4WaitFromTheNextSelectionOn)
{
    iniWith("Poll_Time=50\n");
    Controller &c = started();
    send("RCMDOP0");
    EXPECT_EQ(c.smoother().profile(), 4); // 19200 baud, 50 ms, wait 40 ms, state 0
    send("RCMDOP1");
    EXPECT_EQ(c.smoother().profile(), 3);
    EXPECT_EQ(c.rig(1)->port().replyWaitMs(), 40);
    send("RCMFT41"); // still selected with the wait in force before the command
    EXPECT_EQ(c.smoother().profile(), 3);
    EXPECT_EQ(c.rig(1)->port().replyWaitMs(), 25); // FTC for the rig from now on
    send("RCMDOP0");                               // now with the FT4 wait of 25 ms
    EXPECT_EQ(c.smoother().profile(), 5);
    EXPECT_EQ(c.rig(1)->port().replyWaitMs(), 25); // a resynchronisation keeps it
    send("RCMFT40");
    EXPECT_EQ(c.rig(1)->port().replyWaitMs(), 40);
    send("RCMDOP5");
    EXPECT_EQ(c.smoother().profile(), 6);
}
