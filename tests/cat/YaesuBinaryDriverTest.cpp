// The Yaesu five-byte binary driver over a scripted port: frames compared
// byte for byte, the kept hertz digit and the FT817 clarifier.

#include "cat/YaesuBinaryDriver.h"
#include "CatRecorder.h"
#include "QtPrinters.h"
#include "ScriptedTransport.h"

#include <QHash>
#include <functional>
#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;

namespace {

class YaesuBinaryDriverTest : public ::testing::Test {
protected:
    ScriptedTransport transport;
    CatContext context;
    CatRecorder recorder;
    QHash<QByteArray, QByteArray> answers; // opcode frame -> answer
    std::unique_ptr<YaesuBinaryDriver> driver;

    void use(const char *model, int rig = 1, int state = 3)
    {
        context.dopplerState = state;
        driver = std::make_unique<YaesuBinaryDriver>(rig, transport, context, recorder.hooks);
        ASSERT_TRUE(driver->configure({"/dev/ttyUSB0", "9600", QString::fromLatin1(model), {}}));
        transport.responder = [this](const QByteArray &w) { return answers.value(w); };
        ASSERT_TRUE(driver->port().openPort());
    }
    std::string written()
    {
        QStringList out;
        for (const QByteArray &w : transport.writes)
            out << QString::fromLatin1(w.toHex(' ').toUpper());
        transport.writes.clear();
        return out.join(" | ").toStdString();
    }
};

} // namespace

TEST_F(YaesuBinaryDriverTest, FramesAndReportsPerModelAndState)
{
    const QHash<QByteArray, QByteArray> rig = {{hex("0000000003"), hex("435800000A")},
                                               {hex("0000000013"), hex("4358000001")},
                                               {hex("0000000023"), hex("1459000000")}};
    const struct {
        const char *model;
        int rig, state;
        std::function<void(YaesuBinaryDriver &)> action;
        const char *written, *reports;
    } cases[] = {
        // clang-format off
        {"FT817", 1, 0, [](auto &d) { d.pollFrequency(); }, "00 00 00 00 03", "OPPRXMDIG OPPRXS435800000"},
        {"FT817", 2, 0, [](auto &d) { d.pollFrequency(); }, "00 00 00 00 03", "OPPTXMDIG OPPTXS435800000"},
        {"FT847", 1, 3, [](auto &d) { d.pollFrequency(); }, "00 00 00 00 13 | 00 00 00 00 23",
         "OPPRXMUSB OPPRXS435800000 OPPTXMLSB OPPTXS145900000"},
        {"FT847", 1, 2, [](auto &d) { d.pollFrequency(); }, "00 00 00 00 23", "OPPTXMLSB OPPTXS145900000"},
        {"FT847", 1, 4, [](auto &d) { d.pollFrequency(); }, "", ""},
        // Which dial a set moves per state: ControllerYaesuBinary.Ft847FollowsTheSatelliteInEachDopplerState.
        {"FT847", 1, 9, [](auto &d) { d.setFrequency(Band::A, 435800000); }, "", ""},
        {"FT847", 1, 3, [](auto &d) { d.setMode(Band::B, "3"); }, "02 00 00 00 27 | 00 00 00 00 23",
         "OPPTXMLSB OPPTXS145900000"},
        {"FT847", 1, 3, [](auto &d) { d.toneOff(); }, "", ""}, // never switched on
        {"FT847", 1, 3, [](auto &d) { d.toneOn("67.0"); d.toneOff(); },
         "3F 00 00 00 2B | 4A 00 00 00 2A | 8A 00 00 00 2A", ""},
        {"FT817", 1, 6, [](auto &d) {
             d.setFrequencySameBand(Band::B, 435300000);
             d.setFrequencySameBand(Band::A, 435300123);
         },
         "43 53 00 00 01 | 00 00 00 00 05 | 00 00 00 12 F5", ""},
        {"FT817", 1, 6, [](auto &d) { d.setFrequencySameBand(Band::A, 435300000); }, // no transmit dial yet
         "00 00 00 00 05 | 00 00 09 99 F5", ""},
        {"FT817", 1, 3, [](auto &d) { d.setSameBandOperation(true); d.setSameBandOperation(false); },
         "01 00 00 00 07 | 00 00 00 00 05 | 00 00 00 00 F5 | 00 00 00 00 85", ""},
        // clang-format on
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.model) + " " + c.written);
        answers = rig;
        use(c.model, c.rig, c.state);
        recorder.reports.clear();
        c.action(*driver);
        EXPECT_EQ(written(), c.written);
        EXPECT_EQ(recorder.take(), c.reports);
    }
}

TEST_F(YaesuBinaryDriverTest, Ft817KeepsTheHertzDigitUntilAPollResetsIt)
{
    answers = {{hex("0000000003"), hex("4358000001")}};
    use("FT817", 1, 2);
    driver->setFrequency(Band::A, 435800005);
    EXPECT_EQ(written(), "43 58 00 00 01");
    driver->pollFrequency();
    context.dopplerState = 0;
    driver->pollFrequency();
    EXPECT_EQ(recorder.payloads("OPPRXS"), (QStringList{"435800005", "435800000"}));
    answers.clear(); // silent: nothing reported, the pending count grows
    driver->pollFrequency();
    EXPECT_EQ(recorder.payloads("OPPRXS").size(), 2);
    EXPECT_EQ(driver->port().pendingReplies(), 1);
}

TEST_F(YaesuBinaryDriverTest, Ft847OpensAndClosesItsSatelliteMode)
{
    use("FT847");
    driver->port().closePort();
    ASSERT_TRUE(driver->open());
    EXPECT_EQ(written(), "00 00 00 00 00 | 00 00 00 00 4E | 00 00 00 00 13 | 00 00 00 00 23");
    driver->close();
    EXPECT_EQ(written(),
              "0E 00 00 00 2B | 4A 00 00 00 2A | 8A 00 00 00 2A | 00 00 00 00 8E | 00 00 00 00 80");
    EXPECT_EQ(recorder.payloads("OPPOP1"), (QStringList{"1", "0"}));
}
