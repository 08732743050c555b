// Start-up and settings load of the controller. The shutdown (the panel gone or
// "RCMEND"): SettingsFormE2e and TunavoxProcessEcho; the settings window:
// SettingsWindow.ShowsTheRigSetUpItsEndButtonClosesLikeTheFormTheCloseBoxOnlyHides.

#include "ControllerFixture.h"

#include <QFile>

using namespace vm;
using namespace vm::test;

namespace {

class ControllerStart : public ControllerFixture {};

} // namespace

TEST_F(ControllerStart, WithoutTheRunSwitchOrBesideARunningOneEndsAtOnceAndWritesNothing)
{
    const QByteArray before = TextFile::read(path("Velomira.ini"))->toUtf8();
    Controller &c = make();
    EXPECT_EQ(c.start({}), Controller::StartResult::Exit);
    EXPECT_EQ(c.start({"/x"}), Controller::StartResult::Exit);
    EXPECT_TRUE(channel.sent.isEmpty());
    EXPECT_FALSE(c.timer1().running);
    // Beside a running instance only the close switch asks it to close (which
    // it does: TunavoxProcess.SecondInstanceWithTheCloseSwitchMakesTheFirstSaveAndHide).
    channel.titles << Controller::OwnTitle;
    EXPECT_EQ(make().start({"-R"}), Controller::StartResult::Exit);
    EXPECT_TRUE(channel.closeRequests.isEmpty());
    controller->shutdown();
    EXPECT_EQ(TextFile::read(path("Velomira.ini"))->toUtf8(), before);
}

TEST_F(ControllerStart, NormalStartReportsRigsAndTrackingAndStartsTheLoop)
{
    Controller &c = started();
    // Reported before the rigs are opened.
    EXPECT_EQ(channel.payloads("OPPRIG"), QStringList{"IC9700:/dev/sim1:0:None:None:0:0"});
    EXPECT_EQ(channel.payloads("OPPOP1"), QStringList{"1"});
    // The rig was opened before the tracking kind was reported.
    EXPECT_LT(channel.codes().indexOf("OPPOP1"), channel.codes().indexOf("OPPLKM"));
    EXPECT_EQ(sources.created, QStringList{"4"});
    EXPECT_TRUE(c.timer1().running);
    EXPECT_EQ(c.timer1().intervalMs, 200);
    EXPECT_FALSE(c.timer2().running);
    EXPECT_EQ(c.dopplerState(), 3);
    for (const auto &[key, value] : {std::pair{"ME", "4242"}, {"RC", "001"}, {"TC", "40"}, {"TC2", "50"},
                                     {"FTC", "25"}})
        EXPECT_EQ(setting("VLMRC", key), value) << key;
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(c.smoother().profile(), 2);
}

TEST_F(ControllerStart, RigPortThatCannotBeOpenedIsExplainedAndItsSettingsStay)
{
    realPorts = true;
    const QString port = path("ttyUSB-unplugged");
    ini("[RIG_CON_CFG]\nRIG_TYPE=IC9700\nBAUD_RATE=19200\nICOM_RIGadrs=A2\nRIGCOMCONT=" + port + "\n");
    Controller &c = started();
    EXPECT_FALSE(c.rigOpen(1));
    EXPECT_TRUE(channel.payloads("OPPOP1").isEmpty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().startsWith("Velomira|" + port + " が見つかりません"))
        << messages.first().toStdString();
    EXPECT_EQ(setting("RIG_CON_CFG", "RIGCOMCONT"), port);
    EXPECT_EQ(setting("RIG_CON_CFG", "RIG_TYPE"), "IC9700");
    EXPECT_TRUE(c.timer1().running); // the controller runs on; "RCMRTR" tries again
}

TEST_F(ControllerStart, TrackingSourceThatCannotOpenIsExplainedAndTheControllerKeepsRunning)
{
    sources.state->openError = "TLEファイル nasabare.txt がありません";
    Controller &c = started();
    EXPECT_EQ(messages, QStringList{"Velomira|TLEファイル nasabare.txt がありません"});
    EXPECT_TRUE(c.timer1().running);
    c.tick1(); // no satellite: nothing to control, nothing breaks
    EXPECT_EQ(c.selectedSatellite(), QString());
}

TEST_F(ControllerStart, VersionTextPutsTheRevisionInHexadecimal)
{
    EXPECT_EQ(QStringList({Controller::versionText(8, 5, 10), Controller::versionText(8, 5, 0),
                           Controller::versionText(1, 12, 255)}),
              (QStringList{"805a", "805", "112ff"}));
}

TEST_F(ControllerStart, SettingsLoadAppliesDefaultsAndClamps)
{
    struct Case {
        const char *pollTime;
        int interval;
    };
    for (const Case &k : {Case{"20", 50}, Case{"abc", 1000}, Case{"50", 50}, Case{"1500", 1500}}) {
        ini(QStringLiteral("[RIG_CON_CFG]\nRIG_TYPE=IC821\nRIGCOMCONT=None\nBAUD_RATE=1200\nPoll_Time=%1\n"
                           "[VLMRC]\nFTC=fast\n")
                .arg(QString::fromLatin1(k.pollTime)));
        Controller &c = started();
        EXPECT_EQ(c.timer1().intervalMs, k.interval) << k.pollTime;
        EXPECT_EQ(setting("VLMRC", "FTC"), "25");
        // IC821 waits twice the baud-rate wait.
        EXPECT_EQ(setting("VLMRC", "TC"), "400");
        EXPECT_EQ(c.settings().rigs.rig2.type, "None");
        EXPECT_EQ(c.settings().rigs.rig2.port, "None");
        EXPECT_EQ(c.settings().rigs.rig1.civAddress, "00");
        EXPECT_EQ(c.settings().modeOffsetHz, 700);
        EXPECT_EQ(c.settings().startUpMode, "SSB");
        controller.reset();
    }
    // The two-rig flag gives the rig usage when it is missing; FM is no start-up mode.
    ini("[RIG_CON_CFG]\nUSE_2Rig=Yes\n");
    EXPECT_EQ(started().settings().rigs.rigUsage, 3);
    controller.reset();
    ini("[RIG_CON_CFG]\nUSE_2Rig=No\nStartUpMODE=FM\n");
    Controller &c = started();
    EXPECT_EQ(c.settings().rigs.rigUsage, 0);
    EXPECT_EQ(c.settings().startUpMode, "SSB");
}

// Ornik wins over Kepral99, and the DDE method it forces is kept through the save.
TEST_F(ControllerStart, SeveralTrackingProgramsPreferOrnikOverKepral99AndSaySo)
{
    iniWith("[VLMRC]\nuse_DDE=0\n");
    sources.running = {"Kepral99", "ornik"};
    Controller &c = started();
    EXPECT_EQ(c.calcType(), "2");
    EXPECT_EQ(messages.size(), 1); // its wording: TrackingDetection.RunningProgramsByWeight
    EXPECT_EQ(channel.payloads("OPPLKM"), QStringList{"2"});
    EXPECT_TRUE(c.settings().useDde);
    send("RCMEND");
    EXPECT_EQ(setting("VLMRC", "use_DDE"), "1");
}

TEST_F(ControllerStart, SatelliteTableIsFoundWhateverTheCaseOfItsName)
{
    ASSERT_TRUE(QFile::rename(path("SATdata.txt"), path("Satdata.txt")));
    started();
    track("RS-44");
    EXPECT_TRUE(channel.payloads("OPPSAN").contains("RS-44"))
        << channel.payloads("OPPSAN").join(u' ').toStdString();
}

TEST_F(ControllerStart, ConfiguredProgramThatDoesNotRunGivesWayToTheBuiltInComputation)
{
    // What the built-in computation lacks, whether someone can answer a
    // question, and how many questions are asked: the controller runs on with
    // the built-in source either way and keeps the operator's Calc_Type.
    const struct {
        const char *lacks;
        bool canAsk;
        int questions;
    } cases[] = {{"", true, 0},
                 {"TLEファイル nasabare.txt がありません", true, 1},
                 {"TLEファイル nasabare.txt がありません", false, 0}};
    for (const auto &t : cases) {
        SCOPED_TRACE(t.lacks);
        controller.reset();
        questions.clear();
        channel.sent.clear();
        sources.created.clear();
        ini("[RIG_CON_CFG]\nCalc_Type=1\nRIG_TYPE=IC9700\nRIGCOMCONT=/dev/sim1\n");
        sources.builtinLacks = QString::fromUtf8(t.lacks);
        canAsk = t.canAsk;
        Controller &c = make();
        EXPECT_EQ(c.start({QStringLiteral("-R")}), Controller::StartResult::Running);
        EXPECT_EQ(questions.size(), t.questions);
        EXPECT_EQ(c.calcType(), "4");
        EXPECT_EQ(sources.created, QStringList{"4"});
        EXPECT_EQ(channel.payloads("OPPLKM"), QStringList{"4"});
        EXPECT_TRUE(c.trackingNote().contains("Kepral32")) << c.trackingNote().toStdString();
        EXPECT_TRUE(c.timer1().running);
        send("RCMEND");
        EXPECT_EQ(setting("RIG_CON_CFG", "Calc_Type"), "1");
    }
}
