// The Kenwood / Yaesu text-command driver over a scripted port: commands
// compared character for character, answers parsed by length and name.

#include "cat/TextDriver.h"
#include "CatRecorder.h"
#include "QtPrinters.h"
#include "ScriptedTransport.h"
#include "cat/TextProtocol.h"

#include <QHash>
#include <functional>
#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;

namespace {

class TextDriverTest : public ::testing::Test {
protected:
    ScriptedTransport transport;
    CatContext context;
    CatRecorder recorder;
    QHash<QString, QString> answers; // command -> answer
    QHash<QString, QString> ini;
    std::unique_ptr<TextDriver> driver;

    void use(const char *model, int rig = 1, int state = 3)
    {
        context.dopplerState = state;
        recorder.hooks.readSetting = [this](const QString &, const QString &key) { return ini.value(key); };
        driver = std::make_unique<TextDriver>(rig, transport, context, recorder.hooks);
        ASSERT_TRUE(driver->configure({"/dev/ttyUSB0", "9600", QString::fromLatin1(model), {}}));
        transport.responder = [this](const QByteArray &w) {
            return answers.value(QString::fromLatin1(w)).toLatin1();
        };
        ASSERT_TRUE(driver->port().openPort());
    }
    std::string written()
    {
        QString out;
        for (const QByteArray &w : transport.writes)
            out += QString::fromLatin1(w);
        transport.writes.clear();
        return out.toStdString();
    }
};

struct Case {
    const char *model;
    int rig;
    int state;
    std::function<void(TextDriver &)> action;
    QHash<QString, QString> answers;
    const char *written;
    const char *reports;
};

} // namespace

TEST_F(TextDriverTest, CommandsAndAnswersPerModelAndState)
{
    const auto poll = [](TextDriver &d) {
        d.pollFrequency();
        d.pollMode();
    };
    const auto setFreq = [](Band b, qint64 hz) { return [b, hz](TextDriver &d) { d.setFrequency(b, hz); }; };
    const auto toneOnOff = [](const char *hz) {
        return [hz](TextDriver &d) {
            d.toneOn(hz);
            d.toneOff();
        };
    };
    const QString fa = "FA00435800000;", fb = "FB00145900000;";
    // clang-format off
    const Case cases[] = {
        // TS2000 polls by state; the "SA" answer names the side of the "MD" answer.
        {"TS2000", 1, 3, poll, {{"FA;", fa}, {"FB;", fb}, {"SA;", "SA1011010;"}, {"MD;", "MD8;"}}, "FA;FB;SA;MD;",
         "OPPRXS435800000 OPPTXS145900000 OPPTXMOTR"},
        {"TS2000", 1, 1, poll, {{"FA;", fa}}, "FA;", "OPPRXS435800000"},
        {"TS2000", 1, 2, poll, {{"FB;", fb}, {"SA;", "SA1010010;"}, {"MD;", "MD2;"}}, "FB;SA;MD;",
         "OPPTXS145900000 OPPRXMUSB"},
        {"TS2000", 1, 4, poll, {}, "", ""},
        // Which dial a set moves per state: ControllerTextRig.Ts2000FollowsTheSatelliteInEachDopplerState.
        {"TS2000", 1, 9, setFreq(Band::A, 435800000), {}, "", ""},
        {"TS2000", 1, 3, [](TextDriver &d) { d.setMode(Band::B, "0"); }, {{"MD;", "MD1;"}},
         "SA1011010;MD1;MD;SA1010010;", "OPPTXMLSB"},
        {"TS2000", 1, 3, [](TextDriver &d) { d.toneOff(); }, {}, "", ""}, // never switched on
        {"TS2000", 1, 3, toneOnOff("67.0"), {}, "TN01;TO1;TO0;", ""},
        {"TS2000", 1, 3, [](TextDriver &d) { d.stopCw(); d.setCwSpeed("0080", "18"); }, {}, "PB3;PB0;KS018;", ""},
        {"TS2000", 2, 0, setFreq(Band::B, 145900000), {}, "FA00145900000;", ""}, // a plain second rig
        // A garbled answer changes nothing; a short one neither.
        {"TS590", 1, 0, poll, {{"FA;", "FA0043580000X;"}, {"MD;", "MD"}}, "FA;MD;", ""},
        {"TS590", 1, 0, poll, {{"FA;", fa}, {"MD;", "MD3;"}}, "FA;MD;", "OPPRXS435800000 OPPRXMCW"},
        {"TS590", 2, 0, poll, {{"FA;", fa}, {"MD;", "MD4;"}}, "FA;MD;", "OPPTXS435800000 OPPTXMFM"},
        {"TS990", 1, 0, poll, {{"FA;", fa}, {"OM0;", "OM05;"}}, "FA;OM0;", "OPPRXS435800000 OPPRXMAM"},
        {"TS990", 2, 0, [](TextDriver &d) { d.toneOn("88.5"); d.toneOff(); d.stopCw(); }, {},
         "TN008;TO01;TO00;KY0;", ""},
        {"FT991", 1, 0, poll, {{"IF;", "IF001435800000+000000200000;"}}, "IF;", "OPPRXS435800000 OPPRXMUSB"},
        {"FT2000", 1, 0, poll, {{"IF;", "IF00114250000+000000300000;"}}, "IF;", "OPPRXS14250000 OPPRXMCW"},
        {"FT991", 1, 0, setFreq(Band::B, 435800000), {}, "FA435800000;", ""},
        {"FT991", 2, 0, [](TextDriver &d) { d.setMode(Band::B, "5"); }, {{"MD0;", "MD04;"}}, "MD04;MD0;", "OPPTXMFM"},
        {"FT991", 2, 0, toneOnOff("67"), {}, "CN001;CT02;CN008;CT00;", ""},
        {"FT991", 2, 0, [](TextDriver &d) { d.sendCw("B4KM1B4;"); d.sendCw("MC1"); }, {}, "KM1;KY6;", ""},
        {"FT2000", 2, 0, [](TextDriver &d) { d.sendCw("KY hello;"); }, {}, "", ""}, // no CW on the FT2000
        {"TS590", 2, 0, [](TextDriver &d) { d.sendCw("KY CQ  "); }, {}, "KY CQ  ;", ""},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.model) + " " + c.written);
        recorder.reports.clear();
        answers = c.answers;
        use(c.model, c.rig, c.state);
        c.action(*driver);
        EXPECT_EQ(written(), c.written);
        EXPECT_EQ(recorder.take(), c.reports);
    }
}

TEST_F(TextDriverTest, FtModeDigitOutsideTheTableKeepsTheModeAndDigit7DependsOnTheFamily)
{
    answers = {{"IF;", "IF001435800000+000000200000;"}};
    use("FT991");
    driver->pollFrequency();
    answers = {{"IF;", "IF001435800000+000000500000;"}}; // AM
    driver->pollFrequency();
    EXPECT_EQ(recorder.payloads("OPPRXM"), QStringList{"USB"});
    EXPECT_EQ(textcat::modeName('7', false), QString("CW"));
    EXPECT_EQ(textcat::modeName('7', true), QString("CWR"));
}

TEST_F(TextDriverTest, Ts2000OpensWithItsStateSavedOnceAndRestoresItAtClose)
{
    // clang-format off
    answers = {{"RM;", "RM30000;"}, {"AI;", "AI2;"}, {"SA;", "SA0010000MEMNAME1;"}, {"EX0120000;", "EX01200001;"},
               {"FT;", "FT1;"}, {"FR;", "FR1;"}, {"KS;", "KS022;"}, {"FA;", "FA00435800000;"},
               {"FB;", "FB00145900000;"}, {"MD;", "MD2;"}};
    // clang-format on
    ini = {{"KWPon", "2"}};
    use("TS2000");
    driver->port().closePort();
    ASSERT_TRUE(driver->open());
    EXPECT_EQ(written(), "PS1;PS1;RM;AI0;AI;AI0;SA;EX0120000;FT;FR;KS;FR0;FT0;EX01200000;SA1010010;"
                         "AI0;FA;FB;SA;MD;");
    EXPECT_TRUE(driver->startUpFlag());
    EXPECT_EQ(recorder.settingsWritten,
              (QStringList{"RIG_CON_CFG/KWPon=2", "RIG_CON_CFG/TSV=1", "RIG_CON_CFG/CWspeed=22"}));
    answers = {{"RM;", "RM10000;"}, {"AI;", "AI0;"}, {"KS;", "KS022;"}};
    ASSERT_TRUE(driver->open()); // closes first; the values of the first opening stay
    context.autoPowerOff = true;
    written();
    driver->close();
    EXPECT_EQ(written(), "EX01200000;TN08;TO0;SA0010000;EX01200001;FT1;FR1;AI2;RM3;PS0;");
}

TEST_F(TextDriverTest, SecondRigOpeningsAndTheFt991KeyerMemories)
{
    answers = {{"KS;", "KS020;"}, {"MD;", "MD2;"}};
    ini = {{"CW Message-1", "CQ SAT"}, {"CW Message-3", QString(50, 'E')}};
    const std::pair<const char *, const char *> cases[] = {
        {"TS2000", "SA0010010;AI0;MD;KS;"}, {"TS990", "AI0;OM0;KS;"}, {"FT2000", "AI0;KS;"},
        {"FT991", "AI0;KS;KM1CQ SAT};"}};
    for (const auto &[model, expected] : cases) {
        use(model, 2);
        driver->port().closePort();
        ASSERT_TRUE(driver->open());
        EXPECT_EQ(written(), expected) << model;
    }
    EXPECT_EQ(recorder.payloads("OPPOP2").size(), 4);
}

TEST_F(TextDriverTest, SameBandAndSatelliteSetUpSequences)
{
    use("TS2000", 1, 3);
    context.rigUsage = 0;
    answers = {{"MD;", "MD2;"}};
    driver->setUpSatellite({.downlinkHz = 436795000, .uplinkHz = 145850000, .startUpMode = "SSB", .toneHz = "67.0"});
    EXPECT_EQ(written(), "SA1010010;FA00436795000;FB00145850000;SA1010010;MD4;MD;SA1011010;MD4;MD;SA1010010;"
                         "TN01;TO1;");
    EXPECT_TRUE(driver->setSameBandOperation(true));
    EXPECT_EQ(context.dopplerState, 6);
    EXPECT_EQ(written(), "SA0010010;FT1;FR0;MD2;TS1;MD2;TS0;");
    use("TS590");
    EXPECT_FALSE(driver->setSameBandOperation(true));
    EXPECT_EQ(recorder.messages, QStringList{"申し訳ございません、TS590は対応していません。"});
}
