// The Icom driver against the in-process rig simulator: real CI-V answers,
// bus echo and wire timing on a manual clock.

#include "CatRecorder.h"
#include "ManualClock.h"
#include "QtPrinters.h"
#include "cat/IcomDriver.h"
#include "rigsim/IcomModel.h"
#include "rigsim/IcomRig.h"
#include "rigsim/SimulatedTransport.h"

#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;
using Side = vm::sim::IcomRig::Side;

namespace {

// Whether the rigs a test makes echo every frame (the CI-V jack) or not (the
// USB port of a rig with "CI-V USB echo back" off). The tests that matter on
// either line run both ways.
bool lineEchoes = true;

class SimulatedIcom {
public:
    // Rig 1 at 19200 baud, at the model's own address.
    explicit SimulatedIcom(const char *model)
        : rig(*sim::IcomModel::find(QString::fromLatin1(model))), transport(rig, clock),
          driver(1, transport, context, recorder.hooks)
    {
        rig.setEchoEnabled(lineEchoes);
        EXPECT_TRUE(driver.configure("/dev/ttyUSB0", "19200", QString::fromLatin1(model),
                                     QString::number(rig.address(), 16)));
    }

    QStringList commandTexts() const
    {
        QStringList out;
        for (const sim::ReceivedCommand &c : rig.commands())
            out << c.text();
        return out;
    }

    ManualClock clock;
    sim::IcomRig rig;
    sim::SimulatedTransport transport;
    CatContext context;
    CatRecorder recorder;
    IcomDriver driver;
};

// The band the driver calls "A" (receive): 07 D0, the rig's main band, except
// on the IC821, whose receive band is selected with 07 D1.
Side receiveSide(const char *model)
{
    return QLatin1String(model) == QLatin1String("IC821") ? Side::Sub : Side::Main;
}

class IcomSimulatorEcho : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { lineEchoes = GetParam(); }
    void TearDown() override { lineEchoes = true; }
};

INSTANTIATE_TEST_SUITE_P(Line, IcomSimulatorEcho, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "EchoOn" : "EchoOff";
                         });

} // namespace

TEST_P(IcomSimulatorEcho, OpeningAndClosingLeaveTheRigAsItWas)
{
    struct Case { const char *model; quint16 setting; };
    for (const Case &c : {Case{"IC9700", 0x0127}, Case{"IC9100", 0x0058}, Case{"IC705", 0x0131}}) {
        SimulatedIcom s(c.model);
        const QByteArray before = s.rig.setting(c.setting);
        ASSERT_TRUE(s.driver.open());
        EXPECT_EQ(s.rig.setting(c.setting), QByteArray(1, '\0')) << c.model;
        EXPECT_EQ(s.driver.savedRigSetting(), quint8(before.at(0))) << c.model;
        EXPECT_EQ(s.driver.echo(), GetParam() ? CivExchange::Echo::On : CivExchange::Echo::Off) << c.model;
        s.rig.clearCommands();
        s.driver.close();
        EXPECT_EQ(s.rig.setting(c.setting), before) << c.model << s.commandTexts().join(", ").toStdString();
        EXPECT_TRUE(s.rig.powered()) << c.model; // no AutoPowerOFF
        EXPECT_EQ(s.recorder.payloads("OPPOP1"), QStringList({"1", "0"}));
    }

    SimulatedIcom s("IC9700");
    s.rig.setPowered(false);
    s.context.autoPowerOff = true;
    ASSERT_TRUE(s.driver.open());
    EXPECT_TRUE(s.rig.powered()); // woken by the preamble frame
    EXPECT_TRUE(s.rig.satelliteMode());
    // The opening reads the keying speed, the noise controls and, last, the dials.
    EXPECT_EQ(s.recorder.settingsWritten.filter("CWspeed=").size(), 1);
    EXPECT_EQ(s.recorder.codes(), QStringList({"OPPNBF", "OPPNRF", "OPPOP1", "OPPRXS", "OPPTXS", "OPPRXM"}));
    EXPECT_EQ(s.recorder.payloads("OPPRXS"), QStringList{QString::number(s.rig.dial(Side::Main).hz)});
    s.driver.close();
    EXPECT_FALSE(s.rig.satelliteMode());
    EXPECT_FALSE(s.rig.powered()); // AutoPowerOFF
}

// Every Doppler state on every twin-band rig (the IC821 with its reversed band
// bytes): which dial a set moves and which sides a poll reports.
TEST_P(IcomSimulatorEcho, EveryDopplerStateOnBothBandArrangements)
{
    // Whether a set of band A (receive) and of band B (transmit) moves a
    // dial, and whether a poll reports the receive and the transmit side.
    struct Expect { bool setMovesReceive, setMovesTransmit, pollsReceive, pollsTransmit; };
    const Expect byState[10] = {
        {false, true, true, false},   // 0: only the transmit side is set (B, then back to A)
        {true, true, true, false},    // 1: each side on its own band
        {true, false, false, true},   // 2: set goes to A; poll reads B
        {true, true, true, true},     // 3
        {false, false, false, false}, // 4: nothing, no poll
        {true, false, false, false},  // 5: beacon set on A, no frequency poll
        {false, false, false, false}, // 6: same band uses other frames
        {false, false, false, false}, // 7
        {false, true, false, false},  // 8: as 0, no poll
        {false, false, true, false},  // 9: poll only
    };
    for (const char *model : {"IC9700", "IC9100", "IC910", "IC911", "IC821"}) {
        for (int state = 0; state < 10; ++state) {
            SCOPED_TRACE(std::string(model) + " state " + std::to_string(state));
            SimulatedIcom s(model);
            s.context.dopplerState = 3;
            ASSERT_TRUE(s.driver.open());
            const Side rx = receiveSide(model);
            const Side tx = rx == Side::Main ? Side::Sub : Side::Main;
            const qint64 rxHz = s.rig.dial(rx).hz;
            const qint64 txHz = s.rig.dial(tx).hz;
            s.recorder.reports.clear();
            s.context.dopplerState = state;
            // A set of band A goes first in state 1/3 because that is the
            // order the loop uses (receive, then transmit).
            s.driver.setFrequency(Band::A, rxHz + 100);
            s.driver.setFrequency(Band::B, txHz + 200);
            const Expect &e = byState[state];
            // In states 0 and 8 both calls go to band B: the last one wins.
            EXPECT_EQ(s.rig.dial(rx).hz != rxHz, e.setMovesReceive);
            EXPECT_EQ(s.rig.dial(tx).hz != txHz, e.setMovesTransmit);
            s.driver.pollFrequency();
            EXPECT_EQ(!s.recorder.payloads("OPPRXS").isEmpty(), e.pollsReceive);
            EXPECT_EQ(!s.recorder.payloads("OPPTXS").isEmpty(), e.pollsTransmit);
            if (e.pollsReceive) {
                EXPECT_EQ(s.recorder.payloads("OPPRXS").last(), QString::number(s.rig.dial(rx).hz));
            }
            if (e.pollsTransmit) {
                EXPECT_EQ(s.recorder.payloads("OPPTXS").last(), QString::number(s.rig.dial(tx).hz));
            }
        }
    }
}

// Both ways of waiting give the same conversation; the early-ending wait ends
// commands whose answers are not read with their echo and acknowledgement.
TEST(IcomSimulator, FixedAndEarlyEndingWaitsGiveTheSameConversation)
{
    QList<QStringList> logs, reports;
    qint64 elapsed[2] = {0, 0};
    for (RigPort::WaitMode mode : {RigPort::WaitMode::Fixed, RigPort::WaitMode::UntilReply}) {
        SimulatedIcom s("IC9700");
        s.driver.port().setWaitMode(mode);
        s.context.dopplerState = 3;
        ASSERT_TRUE(s.driver.open());
        s.context.dopplerState = 0;
        // Band B, frequency, band A: three commands whose answers are not read.
        const qint64 target = s.rig.dial(Side::Sub).hz + 12'340;
        const qint64 before = s.clock.nowMs();
        const qint64 wireBefore = s.transport.wireTimeUs();
        s.driver.setFrequency(Band::B, target);
        elapsed[logs.size()] = s.clock.nowMs() - before;
        EXPECT_EQ(s.rig.dial(Side::Sub).hz, target);
        EXPECT_EQ(s.driver.port().pendingReplies(), 0);
        if (mode == RigPort::WaitMode::UntilReply) {
            // Each wait ends on the last acknowledgement byte, rounded up to
            // the clock's millisecond, after the rig's processing time.
            const qint64 wireMs = (s.transport.wireTimeUs() - wireBefore + 999) / 1000;
            EXPECT_LE(elapsed[1], wireMs + 3 * (3 + 1));
        }
        s.driver.pollFrequency();
        s.driver.pollMode();
        logs << s.commandTexts();
        reports << s.recorder.codes();
    }
    EXPECT_EQ(logs[0], logs[1]);
    EXPECT_EQ(reports[0], reports[1]);
    EXPECT_EQ(elapsed[0], 3 * 40); // three full reply waits at 19200 baud
    EXPECT_LT(elapsed[1], elapsed[0]);
}

// The IC9700's same-band arrangement: ControllerLoop.SameBandSatelliteNeedsARigThatCanDoIt.
TEST_P(IcomSimulatorEcho, SameBandOperationOnTheSingleBandModels)
{
    for (const char *model : {"IC705", "IC7100", "IC905"}) {
        SimulatedIcom single(model);
        single.driver.open(); // the IC905 opens without a sequence
        ASSERT_TRUE(single.driver.port().isOpen()) << model;
        ASSERT_TRUE(single.driver.setSameBandOperation(true)) << model;
        EXPECT_TRUE(single.rig.split()) << model;
        single.driver.setFrequencySameBand(Band::B, 435'810'000);
        EXPECT_EQ(single.rig.dial(Side::Sub).hz, 435'810'000) << model;
        EXPECT_EQ(single.recorder.payloads("OPPCER"), QStringList()) << model;
    }
}

TEST_P(IcomSimulatorEcho, EchoSwitchedDuringASessionIsFoundAgain)
{
    SimulatedIcom s("IC9700");
    s.context.dopplerState = 3;
    ASSERT_TRUE(s.driver.open());
    s.context.dopplerState = 0;
    s.rig.setEchoEnabled(!GetParam());
    s.recorder.reports.clear();
    const qint64 hz = s.rig.dial(Side::Main).hz + 500;
    ASSERT_TRUE(s.rig.turnDial(Side::Main, hz));
    s.driver.pollFrequency();
    EXPECT_EQ(s.recorder.payloads("OPPRXS").size(), GetParam() ? 0 : 1);
    s.driver.pollFrequency();
    EXPECT_EQ(s.recorder.payloads("OPPRXS").last(), QString::number(hz));
    EXPECT_EQ(s.driver.echo(), GetParam() ? CivExchange::Echo::Off : CivExchange::Echo::On);
    EXPECT_EQ(s.driver.port().pendingReplies(), 0);
    EXPECT_EQ(s.driver.port().missCount(), 0);
    // Commands whose answers are not read follow the line too.
    const qint64 subHz = s.rig.dial(Side::Sub).hz + 1000;
    s.driver.setFrequency(Band::B, subHz);
    EXPECT_EQ(s.rig.dial(Side::Sub).hz, subHz);
}
