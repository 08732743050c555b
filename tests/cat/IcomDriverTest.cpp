#include "cat/IcomDriver.h"
#include "CatRecorder.h"
#include "QtPrinters.h"
#include "ScriptedTransport.h"
#include "cat/CivProtocol.h"

#include <QHash>
#include <functional>
#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;

namespace {

QString hexText(const QByteArray &b)
{
    return QString::fromLatin1(b.toHex(' ').toUpper());
}

// A rig 1 (or 2) driver over a scripted port. `answers` maps a command body
// (hexadecimal text) to the answer body the rig gives, echo added by civRig.
class IcomDriverTest : public ::testing::Test {
protected:
    ScriptedTransport transport;
    CatContext context;
    CatRecorder recorder;
    QHash<QString, QByteArray> answers;
    std::unique_ptr<IcomDriver> driver;

    void make(const char *model, const char *address, int rig = 1, const char *baud = "9600")
    {
        driver = std::make_unique<IcomDriver>(rig, transport, context, recorder.hooks);
        ASSERT_TRUE(driver->configure("/dev/ttyUSB0", QString::fromLatin1(baud), QString::fromLatin1(model),
                                      QString::fromLatin1(address)));
        const quint8 addr = driver->address();
        transport.responder =
            civRig(addr, [this](const QByteArray &body) { return answers.value(hexText(body)); });
    }

    // Opens the port without any opening sequence traffic being of interest.
    void openQuietly()
    {
        ASSERT_TRUE(driver->port().openPort());
        transport.writes.clear();
    }
    void use(const char *model, const char *address, int rig = 1)
    {
        make(model, address, rig);
        openQuietly();
    }

    // The command bodies written since the last clear.
    QStringList bodies() const
    {
        QStringList out;
        for (const QByteArray &w : transport.writes)
            out << hexText(civBody(w));
        return out;
    }
};

} // namespace

TEST_F(IcomDriverTest, FrequencyAnswerIsReportedWithTheTransverterOffset)
{
    use("IC9700", "a2"); // a lower-case address in the settings is the same rig
    answers["03"] = hex("03 00 00 80 35 04");
    context.dopplerState = 0;
    driver->pollFrequency();
    EXPECT_EQ(bodies(), QStringList({"07 D0", "03"}));
    EXPECT_EQ(transport.writes.last(), hex("FE FE A2 E0 03 FD"));
    EXPECT_EQ(context.rxFrequency, 435800000.0);
    EXPECT_EQ(driver->receiveBandPrefix(), "04");

    context.rxTransverterOffset = 1000;
    driver->pollFrequency(); // already on "A": 03 alone
    EXPECT_EQ(bodies().mid(2), QStringList({"03"}));
    EXPECT_EQ(recorder.payloads("OPPRXS").last(), "435801000");
}

TEST_F(IcomDriverTest, ZeroNgOrGarbledAnswersAreNotReportedAndOnlyGarbageIsAMiss)
{
    use("IC9700", "A2");
    context.dopplerState = 0;
    answers["03"] = hex("03 00 00 00 00 00");
    driver->pollFrequency();
    answers["03"] = hex("FA"); // NG is shorter than 17 bytes: a short read
    driver->pollFrequency();
    EXPECT_TRUE(recorder.payloads("OPPRXS").isEmpty());
    EXPECT_EQ(driver->port().missCount(), 0);
    transport.responder = [](const QByteArray &w) { return w + QByteArray(11, '\x11'); };
    driver->pollFrequency();
    EXPECT_EQ(driver->port().missCount(), 1); // the wait it grows: RigPortTest.AdaptiveWaitGrowsOnMisses...
    EXPECT_EQ(driver->port().pendingReplies(), 3);
}

// Frames written and reports made, per model, rig and Doppler state, each
// case on a freshly opened port; `answers` maps a command body to the rig's
// answer body.
TEST_F(IcomDriverTest, FramesAndReportsPerModelAndState)
{
    using Action = std::function<void(IcomDriver &, CatContext &)>;
    const QString f = "05 00 00 95 45 01"; // 145.950 MHz
    const auto setFreq = [](Band b, qint64 hz) -> Action {
        return [b, hz](IcomDriver &d, CatContext &) { d.setFrequency(b, hz); };
    };
    const auto setMode = [](Band b, const char *code, bool data = false) -> Action {
        return [b, code, data](IcomDriver &d, CatContext &c) {
            c.dataOperation = data;
            d.setMode(b, code);
        };
    };
    const Action cwSpeed = [](IcomDriver &d, CatContext &) {
        d.setCwSpeed("0128", "27");
        d.setCwSpeed("12x4", "27"); // not a level: nothing
    };
    const QString cq45 = "17" + QString(" 45").repeated(30);
    struct Case {
        const char *model;
        int rig, state;
        Action action;
        QHash<QString, QByteArray> answers;
        QStringList bodies;
        const char *reports;
    };
    // clang-format off
    const Case cases[] = {
        // The frame shapes of a frequency set per band arrangement (which
        // state sets which band: IcomSimulatorEcho.EveryDopplerStateOnBothBandArrangements).
        {"IC9700", 1, 0, setFreq(Band::B, 145950000), {}, {"07 D1", f, "07 D0"}, ""},
        {"IC9700", 1, 2, setFreq(Band::A, 145950000), {}, {"07 D0", f}, ""},
        {"IC821", 1, 0, setFreq(Band::B, 145950000), {}, {"07 D0", f, "07 D1"}, ""},
        {"IC705", 1, 0, setFreq(Band::B, 145950000), {}, {"07 00", f}, ""},
        {"ICOM", 1, 2, setFreq(Band::A, 145950000), {}, {"07 00", f}, ""},
        {"IC905", 1, 0, setFreq(Band::B, 145950000), {}, {}, ""},
        // A frequency that does not fit is not sent.
        {"IC9700", 1, 2, setFreq(Band::A, -5), {}, {}, ""},
        // Same-band operation (the IC9700's two VFOs: ControllerLoop.SameBandSatelliteNeedsARigThatCanDoIt).
        {"IC910", 1, 3, [](IcomDriver &d, CatContext &) { d.setFrequencySameBand(Band::A, 435800000); }, {}, {}, ""},
        // The beacon state polls both modes, named as a twin-band rig names them.
        {"IC9100", 1, 5, [](IcomDriver &d, CatContext &) { d.pollMode(); }, {{"04", hex("04 04 01")}},
         {"07 D0", "04", "07 D1", "04", "07 D0"}, "OPPRXMRTY OPPTXMRTY"},
        // Mode frames per model, with data mode and filter on the IC9700.
        {"IC9700", 1, 3, setMode(Band::A, "11"), {}, {"07 D0", "06 01 01", "1A 06 00 00", "07 D0"}, ""},
        {"IC9700", 1, 3, setMode(Band::B, "12", true), {}, {"07 D1", "06 01 02", "1A 06 01 02", "07 D0"}, ""},
        {"IC910", 1, 3, setMode(Band::B, "0"), {}, {"07 D1", "06 00", "07 D0"}, ""},
        {"IC821", 1, 3, setMode(Band::A, "1"), {}, {"07 D1", "06 01", "07 D1"}, ""},
        {"IC7100", 1, 3, setMode(Band::A, "3"), {{"04", hex("04 03 01")}}, {"06 03", "04"}, "OPPRXMCW"},
        {"IC7100", 1, 3, setMode(Band::A, "bad"), {}, {}, ""},
        // The keying speed goes only to rigs that take it.
        {"IC705", 1, 3, cwSpeed, {}, {}, ""},
        {"IC7100", 2, 3, cwSpeed, {}, {"14 0C 01 28"}, ""},
        // Data mode of both bands, noise blanker and reduction.
        {"IC9700", 1, 3, [](IcomDriver &d, CatContext &) {
             d.readDataMode();
             d.readNoiseBlanker();
             d.readNoiseReduction();
         }, {{"1A 06", hex("1A 06 01 01")}, {"16 22", hex("16 22 01")}, {"16 40", hex("16 40 00")}},
         {"07 D0", "1A 06", "07 D1", "1A 06", "07 D0", "16 22", "16 40"}, "OPPICDA0101 OPPICDB0101 OPPNBF1 OPPNRF0"},
        // Tone, RIT and CW keying (RIT on, its offset and the keying of the
        // IC9700: ControllerCommandsEcho.ModeCwRitNoiseAndKeyingSpeedCommandsGoToRigOne).
        {"IC9700", 1, 3, [](IcomDriver &d, CatContext &) {
             d.toneOff(); // never switched on: nothing
             d.toneOn("88.5");
             d.toneOff();
             d.setRit(false);
         }, {}, {"07 D1", "16 42 01", "1B 00 08 85", "07 D1", "16 42 00", "21 01 00"}, ""},
        {"IC7100", 2, 3, [](IcomDriver &d, CatContext &) {
             d.toneOn("88.5");
             d.toneOff();
             d.sendCw("43");
             d.setRit(true); // rig 1 only
             d.sendCw(QString("45").repeated(31)); // 30 characters to a frame
         }, {}, {"16 42 01", "1B 00 00 08 85", "16 42 00", "17 43", cq45, "17 45"}, ""},
        {"IC705", 1, 3, [](IcomDriver &d, CatContext &) { // no tone or CW keying as rig 1
             d.toneOn("88.5");
             d.sendCw("43");
         }, {}, {}, ""},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.model) + " rig " + std::to_string(c.rig) + " state " +
                     std::to_string(c.state) + ": " + c.bodies.join(u',').toStdString());
        context = CatContext();
        context.dopplerState = c.state;
        answers = c.answers;
        use(c.model, "10", c.rig);
        c.action(*driver, context);
        EXPECT_EQ(bodies(), c.bodies);
        EXPECT_EQ(recorder.take(), c.reports);
    }
}

TEST_F(IcomDriverTest, ModeIsReportedOnlyWhenItChanges)
{
    use("IC705", "A4");
    answers["04"] = hex("04 01 01");
    driver->pollMode();
    driver->pollMode();
    answers["04"] = hex("04 03 01");
    driver->pollMode();
    answers["04"] = hex("04 33 01"); // unknown: a single-band rig keeps the previous mode
    driver->pollMode();
    EXPECT_EQ(recorder.payloads("OPPRXM"), QStringList({"USB", "CW"}));
    EXPECT_EQ(driver->receiveMode(), "CW");
    EXPECT_EQ(driver->port().pendingReplies(), 0);
}

TEST_F(IcomDriverTest, CwSpeedLevelsWriteTheSettingByTheRigsTable)
{
    use("IC9700", "A2");
    answers["14 0C"] = hex("14 0C 01 28");
    driver->readCwSpeed();
    answers["14 0C"] = hex("14 0C 00 26"); // not in the table
    driver->readCwSpeed();
    EXPECT_EQ(recorder.settingsWritten, QStringList{"RIG_CON_CFG/CWspeed=027"});
    EXPECT_EQ(driver->port().pendingReplies(), 0);

    // The IC910 has a table of its own and reads the level after its echo.
    use("IC910", "60");
    driver->readCwSpeed();
    EXPECT_EQ(recorder.settingsWritten.last(), "RIG_CON_CFG/CWspeed=011");
    transport.responder = [](const QByteArray &) { // something other than the echo first: a miss
        return hex("00 FE FE 60 E0 14 0C FD FE FE E0 60 14 0C 00");
    };
    driver->readCwSpeed();
    EXPECT_EQ(recorder.settingsWritten.size(), 2);
    EXPECT_EQ(driver->port().missCount(), 1);
}

// The IC9700's opening (wake-up, saved setting, satellite mode, the reads that
// follow): IcomSimulatorEcho.OpeningAndClosingLeaveTheRigAsItWas.
TEST_F(IcomDriverTest, OpeningSequencesOfTheOtherRig1Models)
{
    struct Case { const char *model; const char *address; QStringList start; };
    const QList<Case> cases = {
        {"IC705", "A4", {"1A 05 01 31", "1A 05 01 31 00", "14 0C", "07", "16 22", "16 40"}},
        {"IC910", "60", {"14 0C", "1A 07 01"}},
        {"IC821", "4C", {"07 D1", "04", "07 D0", "04", "07 D1"}},
        {"IC7100", "88", {}},
    };
    context.dopplerState = 4; // no poll after the opening
    for (const Case &c : cases) {
        recorder.reports.clear();
        make(c.model, c.address);
        transport.writes.clear();
        ASSERT_TRUE(driver->open()) << c.model;
        EXPECT_EQ(bodies(), c.start) << c.model;
        EXPECT_EQ(recorder.payloads("OPPOP1"), QStringList{"1"}) << c.model;
    }
    // The IC905 has no opening sequence and is not reported.
    recorder.reports.clear();
    make("IC905", "AC");
    transport.writes.clear();
    EXPECT_TRUE(driver->open());
    EXPECT_TRUE(transport.writes.isEmpty());
    EXPECT_TRUE(recorder.payloads("OPPOP1").isEmpty());

    // Opening an open rig closes it first.
    make("IC910", "60");
    ASSERT_TRUE(driver->open());
    transport.writes.clear();
    recorder.reports.clear();
    ASSERT_TRUE(driver->open());
    EXPECT_EQ(bodies().first(), "1A 07 00");
    EXPECT_EQ(recorder.payloads("OPPOP1"), QStringList({"0", "1"}));
}

TEST_F(IcomDriverTest, OpeningSequencesOfRig2)
{
    struct Case { const char *model; QStringList frames; };
    answers["04"] = hex("04 00 01");
    answers["03"] = hex("03 00 00 95 45 01");
    const QList<Case> cases = {
        {"IC9100", {"16 5A 00", "04", "14 0C"}},
        {"IC910", {"1A 07 00", "03", "14 0C"}},
        {"IC7100", {}},
    };
    for (const Case &c : cases) {
        recorder.reports.clear();
        make(c.model, "10", 2);
        transport.writes.clear();
        ASSERT_TRUE(driver->open());
        EXPECT_EQ(bodies(), c.frames) << c.model;
        EXPECT_EQ(recorder.payloads("OPPOP2"), QStringList{"1"}) << c.model;
    }
    // What rig 2 reads belongs to the transmit side.
    EXPECT_TRUE(recorder.payloads("OPPRXS").isEmpty());
    make("IC910", "10", 2);
    recorder.reports.clear();
    driver->open();
    EXPECT_EQ(recorder.payloads("OPPTXS"), QStringList{"145950000"});
}

TEST_F(IcomDriverTest, ClosingIc9700RestoresAndPowersOffUnderConditions)
{
    use("IC9700", "A2");
    context.autoPowerOff = true;
    driver->close();
    const QStringList expected = {"16 5A 00", "07 D1",    "16 42 01",       "1B 00 08 85",
                                  "16 42 00", "07 D2 00", "1A 05 01 27 00", "18 00"};
    EXPECT_EQ(bodies(), expected);
    EXPECT_EQ(recorder.payloads("OPPOP1"), QStringList{"0"});
    EXPECT_EQ(recorder.controlTimerStops, 1);
    EXPECT_FALSE(transport.isOpen());

    // No power-off while same-band operation is on, the settings window is
    // open or a per-satellite rig arrangement is in force.
    for (int which = 0; which < 3; ++which) {
        context.sameBand = which == 0;
        context.settingsOpen = which == 1;
        context.rigSetInForce = which == 2;
        openQuietly();
        driver->close();
        EXPECT_FALSE(bodies().contains("18 00")) << which;
    }

    // With rig control paused the IC9700 is put back on band "A" first.
    context.rigControlMode = 2;
    openQuietly();
    driver->close();
    EXPECT_EQ(bodies().mid(0, 2), QStringList({"07 D0", "16 5A 00"}));
}

TEST_F(IcomDriverTest, ClosingSequencesOfTheOtherModels)
{
    struct Case { const char *model; int rig; QStringList frames; };
    context.autoPowerOff = true;
    const QList<Case> cases = {
        {"IC910", 1, {"1A 07 00", "07 D1", "16 42 01", "1B 00 08 85", "07 D1", "16 42 00", "07 D0"}},
        {"IC821", 1, {"07 D1"}},
        {"IC705", 1, {"1A 05 01 31 00", "18 00"}},
        {"IC7100", 1, {}},
        {"IC9100", 2, {"16 42 00"}},
    };
    for (const Case &c : cases) {
        recorder.reports.clear();
        use(c.model, "10", c.rig);
        driver->close();
        EXPECT_EQ(bodies(), c.frames) << c.model;
        EXPECT_EQ(recorder.payloads(c.rig == 1 ? "OPPOP1" : "OPPOP2"), QStringList{"0"}) << c.model;
    }
}

// A single-band rig goes back to its normal arrangement without being switched
// off. The IC9700's arrangement and a model's refusal: ControllerLoop.SameBandSatelliteNeedsARigThatCanDoIt.
TEST_F(IcomDriverTest, SameBandOperationOnAndOff)
{
    use("IC705", "A4");
    context.autoPowerOff = true;
    ASSERT_TRUE(driver->setSameBandOperation(true));
    EXPECT_EQ(bodies(), QStringList({"26 00 01 01 01", "26 01 01 01 01", "07 00", "0F 01"}));
    transport.writes.clear();
    recorder.reports.clear();
    context.dopplerState = 4;
    ASSERT_TRUE(driver->setSameBandOperation(false));
    // Off, then closed (no power-off while same-band is still on) and opened again.
    EXPECT_EQ(bodies().mid(0, 5), QStringList({"0F 00", "07 00", "1A 06 00 00", "07 A0", "1A 05 01 31 00"}));
    EXPECT_FALSE(bodies().contains("18 00"));
    EXPECT_EQ(recorder.payloads("OPPOP1"), QStringList({"0", "1"}));
    EXPECT_FALSE(context.sameBand);
}

TEST_F(IcomDriverTest, SatelliteSetUpTakesTheTransverterOffsetsOff)
{
    use("IC9100", "7C");
    context.rxTransverterOffset = 1'000'000'000; // 10 GHz downlink through a converter
    context.txTransverterOffset = 0;
    driver->setUpSatellite(
        {.downlinkHz = 1'435'800'000, .uplinkHz = 145'900'000, .startUpMode = "UC", .toneHz = {}});
    const QStringList b = bodies();
    EXPECT_EQ(b.mid(0, 4), QStringList({"07 D0", "05 00 00 80 35 04", "07 D1", "05 00 00 90 45 01"}));
    EXPECT_TRUE(b.contains("06 01"));
    EXPECT_TRUE(b.contains("06 03"));
    // A second rig's set-up (the uplink): ControllerLoop.TwoRigsReceiveOnTheFirstAndTransmitOnTheSecond.
}
