#include "PanelFixture.h"

#include "common/SettingKeys.h"

using namespace vm;
using namespace vm::test;

using PanelTuning = PanelFixture;

TEST_F(PanelTuning, SatelliteChangeLoadsRecordOffsetAndResets)
{
    m_settings->file().set(QStringLiteral("SATinfo"), QStringLiteral("AO-07B-mode_offset"),
                           QStringLiteral("250"));
    report(QStringLiteral("OPPSANAO-07"));
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMDOP3"), QStringLiteral("RCMOFF250")}));
    EXPECT_EQ(m_core->offset(), 250);
    EXPECT_EQ(control(QStringLiteral("Label10")).text, QStringLiteral("250"));
    EXPECT_EQ(m_core->currentMode(), QStringLiteral("B-mode"));
    EXPECT_EQ(control(QStringLiteral("Label14")).text, QStringLiteral("AO-07"));
    EXPECT_EQ(control(QStringLiteral("Label1")).toolTip, QStringLiteral("AO-07 諸元はCLICK here"));
    // The same name again is no change.
    report(QStringLiteral("OPPSANAO-07"));
    EXPECT_TRUE(takeSent().isEmpty());
}

TEST_F(PanelTuning, UnknownSatelliteLeavesTheScaleAlone)
{
    report(QStringLiteral("OPPSANAO-07"));
    const double left = m_core->scaleLeftHz();
    report(QStringLiteral("OPPSANXW-9"));
    EXPECT_EQ(m_core->currentRecord(), 0);
    EXPECT_EQ(m_core->scaleLeftHz(), left);
    m_core->scaleClick(145950000, true); // still works on the old geometry: no crash, commands as asked
    EXPECT_EQ(takeSent().last(), QStringLiteral("RCMQSY145950000"));
}

TEST_F(PanelTuning, ScaleSpansThePassbandAndAClickRetunes)
{
    report(QStringLiteral("OPPSANAO-07"));
    EXPECT_EQ(m_core->quickQsySide(), QStringLiteral("1"));
    EXPECT_EQ(m_core->scaleLeftHz(), 145925000.0);
    EXPECT_EQ(m_core->scaleWidthHz(), 50000.0);
    takeSent();
    m_core->scaleClick(m_core->scaleLeftHz() + m_core->scaleWidthHz() / 2, true);
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMQSM1"), QStringLiteral("RCMQSY145950000")}));
    EXPECT_EQ(control(QStringLiteral("Line1")).value, 145950000.0);
    m_core->scaleClick(145930000, false);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMQSM1")});

    m_core->toggleQuickQsySide();
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMQSM0")});
    EXPECT_EQ(m_core->scaleLeftHz(), 432125000.0);
    EXPECT_EQ(m_core->scaleLeftHz() + m_core->scaleWidthHz(), 432175000.0);
    EXPECT_EQ(control(QStringLiteral("Label21")).text, QStringLiteral("QQTX"));
    EXPECT_EQ(control(QStringLiteral("Label21")).backColor, PanelCore::QqTxColor);
}

TEST_F(PanelTuning, ScalePositionsAreSinglePrecision)
{
    report(QStringLiteral("OPPSANAO-07"));
    takeSent();
    m_core->scaleClick(145950007.0, true); // floats near 145 MHz come in steps of 16 Hz
    EXPECT_EQ(takeSent().last(), QStringLiteral("RCMQSY145950000"));
}

TEST_F(PanelTuning, FmScaleIsCentredOnTheFrequency)
{
    report(QStringLiteral("OPPSANSO-50"));
    EXPECT_TRUE(m_core->isFm());
    // Width 100 kHz (empty): downlink 436795 kHz in the middle.
    EXPECT_EQ(m_core->scaleLeftHz(), (436795.0 - 50.0) * 1000.0);
    EXPECT_FALSE(control(QStringLiteral("Command1_0")).enabled);
    EXPECT_FALSE(control(QStringLiteral("Command1_5")).enabled);
    EXPECT_EQ(control(QStringLiteral("Label27")).text, QStringLiteral("67Hz"));
}

TEST_F(PanelTuning, OffsetButtonRepeatsEvery200msAndStopsAtTheLimit)
{
    // From 29800 the right button reaches 30000 in two steps.
    m_settings->file().set(QStringLiteral("SATinfo"), QStringLiteral("AO-07B-mode_offset"),
                           QStringLiteral("29800"));
    report(QStringLiteral("OPPSANAO-07"));
    ASSERT_EQ(m_core->offset(), 29800);
    takeSent();
    m_core->offsetButtonPress(+1, true);
    EXPECT_EQ(m_core->offset(), 29900);
    m_clock.advance(199);
    m_core->poll();
    EXPECT_EQ(m_core->offset(), 29900);
    m_clock.advance(1);
    m_core->poll();
    EXPECT_EQ(m_core->offset(), 30000);
    m_clock.advance(1000);
    m_core->poll();
    EXPECT_EQ(m_core->offset(), 30000);
    m_core->offsetButtonRelease();
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMOFF29900"), QStringLiteral("RCMOFF30000")}));

    m_core->offsetButtonPress(-1, false);
    m_clock.advance(400);
    m_core->poll();
    m_core->offsetButtonRelease();
    m_clock.advance(1000);
    m_core->poll();
    EXPECT_EQ(m_core->offset(), 29970);
}

TEST_F(PanelTuning, WheelOverTheOffsetClampsToTheLimit)
{
    m_settings->file().set(QStringLiteral("SATinfo"), QStringLiteral("AO-07B-mode_offset"),
                           QStringLiteral("29950"));
    report(QStringLiteral("OPPSANAO-07"));
    takeSent();
    m_core->wheel(120); // not over the offset
    EXPECT_EQ(m_core->offset(), 29950);
    m_core->setHover(PanelCore::Hover::Offset);
    m_core->wheel(120);
    EXPECT_EQ(m_core->offset(), 30000);
    m_core->wheel(240);
    EXPECT_EQ(m_core->offset(), 30000);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMOFF30000")});
    m_core->wheel(-120);
    EXPECT_EQ(m_core->offset(), 29900);
}

TEST_F(PanelTuning, OffsetResetAndSaveAtSatelliteChange)
{
    report(QStringLiteral("OPPSANAO-07"));
    m_core->handleKey(Qt::Key_PageUp, 0);
    takeSent();
    m_core->resetOffset();
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMTXP0"), QStringLiteral("RCMOFR0")}));
    EXPECT_EQ(m_settings->file().value(QStringLiteral("SATinfo"), QStringLiteral("AO-07B-mode_offset")),
              QStringLiteral("0"));
}

TEST_F(PanelTuning, HomeFrequencyStoreCheckAndRecall)
{
    report(QStringLiteral("OPPSANAO-07"));
    m_core->openHomeEntry();
    EXPECT_TRUE(control(QStringLiteral("Frame15")).visible);
    EXPECT_TRUE(control(QStringLiteral("Option3_0")).checked);
    EXPECT_FALSE(m_core->storeHomeFrequency(QStringLiteral("146.000"), 0));
    EXPECT_EQ(m_prompter.shown.last(), QStringLiteral("周波数不正です、バンド外では？"));
    EXPECT_TRUE(control(QStringLiteral("Frame15")).visible);
    EXPECT_TRUE(m_core->storeHomeFrequency(QStringLiteral("145.950"), 0));
    EXPECT_EQ(m_settings->file().value(QStringLiteral("HomeFreq"), QStringLiteral("AO-07B-mode")),
              QStringLiteral("RX145.950"));
    EXPECT_FALSE(control(QStringLiteral("Frame15")).visible);
    EXPECT_EQ(control(QStringLiteral("Command3")).toolTip, QStringLiteral("Goto RXFreq : 145.950MHz"));
    EXPECT_TRUE(m_core->storeHomeFrequency(QStringLiteral("145.925"), 0)); // the edge is inside
    EXPECT_TRUE(m_core->storeHomeFrequency(QStringLiteral("432.175"), 1));
    EXPECT_FALSE(m_core->storeHomeFrequency(QStringLiteral("432.175"), 2));
    EXPECT_FALSE(m_core->storeHomeFrequency(QStringLiteral("abc"), 0));

    EXPECT_TRUE(m_core->storeHomeFrequency(QStringLiteral("145.950"), 0));
    takeSent();
    m_core->homeRecall();
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMQSM1"), QStringLiteral("RCMDOP0"),
                                       QStringLiteral("RCMQSY145950000")}));
    EXPECT_TRUE(m_core->storeHomeFrequency(QStringLiteral("145.960"), 2));
    m_core->homeRecall();
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMDOP3"), QStringLiteral("RCMOFX1"),
                                       QStringLiteral("RCMSFX1"), QStringLiteral("RCMQFX145960000")}));
    EXPECT_TRUE(m_core->flagA());
    EXPECT_TRUE(m_core->flagB());
    EXPECT_EQ(m_core->pauseState(), 2);
    m_core->openHomeEntry();
    EXPECT_TRUE(control(QStringLiteral("Option3_2")).checked);
    EXPECT_EQ(control(QStringLiteral("Text6")).text, QStringLiteral("145.960"));
}

TEST_F(PanelTuning, ModeCodesWithDataAndFilter)
{
    report(QStringLiteral("OPPSANAO-07"));
    rig(QStringLiteral("IC9700:COM3:1:None:None:0:0"));
    report(QStringLiteral("OPPRXMUSB2"));
    takeSent();
    m_core->view().setChecked(Control::RxData, true);
    m_core->rxModeOption(1);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMMDM82")});
    EXPECT_EQ(m_settings->value(keys::RxFilter), QStringLiteral("2"));
    m_core->rxModeOption(0);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMMDM12")});
    m_core->filterOption(3);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMMDM13")});
    m_core->view().setChecked(Control::TxData, true);
    m_core->txModeOption(2);
    m_core->view().setChecked(Control::TxData, false);
    m_core->txModeOption(3);
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMMDS9"), QStringLiteral("RCMMDS2")}));
}

TEST_F(PanelTuning, EveryDopplerButtonOnUuSendsSix)
{
    report(QStringLiteral("OPPSANIO-117"));
    for (int i : {0, 1, 2, 3, 5}) {
        takeSent();
        m_core->dopplerButton(i);
        EXPECT_EQ(takeSent().value(0), QStringLiteral("RCMDOP6")) << i;
    }
}

TEST_F(PanelTuning, PauseButtonToggles)
{
    takeUp(QStringLiteral("AO-07"));
    m_core->dopplerButton(3);
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMDOP3"), QStringLiteral("RCMPUS1")}));
    m_core->dopplerButton(3);
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMDOP3"), QStringLiteral("RCMPUS2")}));
    EXPECT_EQ(control(QStringLiteral("Command1_3")).text, QStringLiteral("制御停止(&P)"));
    m_core->dopplerButton(0);
    EXPECT_EQ(control(QStringLiteral("Command1_3")).text, QStringLiteral("追従停止(&P)"));
}

TEST_F(PanelTuning, BeaconReferenceRoundTrip)
{
    m_settings->file().set(QStringLiteral("SATinfo"), QStringLiteral("AO-07B-mode_offset"),
                           QStringLiteral("1000"));
    takeUp(QStringLiteral("AO-07"));
    m_core->dopplerButton(5);
    const QStringList sent = takeSent();
    EXPECT_EQ(sent.value(0), QStringLiteral("RCMDOP5"));
    EXPECT_EQ(sent.value(1), QStringLiteral("RCMBCF145975000"));
    EXPECT_EQ(sent.value(2), QStringLiteral("RCMOFK") + QStringLiteral("K"));
    EXPECT_TRUE(m_core->beaconReference());
    // 1000 Hz of the transponder is 1000 / 578100000 * 145975000 at the beacon.
    EXPECT_EQ(m_core->offset(), 253);
    m_core->dopplerButton(0);
    EXPECT_FALSE(m_core->beaconReference());
    EXPECT_NEAR(m_core->offset(), 1000, 3);
    EXPECT_EQ(control(QStringLiteral("Command1_0")).backColor, PanelCore::Green);
}

TEST_F(PanelTuning, BeaconListFromTheBeaconFile)
{
    ASSERT_TRUE(
        TextFile::writeLinesAtomic(path(QStringLiteral("BeaconFreq.txt")),
                                   {QStringLiteral("AO-07,CW,145972.5"), QStringLiteral("FO-29,CW,435795")}));
    takeUp(QStringLiteral("AO-07"));
    m_core->dopplerButtonRelease(5, true, 0); // beacon mode not active yet
    EXPECT_FALSE(control(QStringLiteral("Frame8")).visible);
    m_core->dopplerButton(5);
    m_core->dopplerButtonRelease(5, true, KeyTable::Shift);
    EXPECT_FALSE(control(QStringLiteral("Frame8")).visible);
    m_core->dopplerButtonRelease(5, true, 0);
    EXPECT_TRUE(control(QStringLiteral("Frame8")).visible);
    EXPECT_EQ(control(QStringLiteral("List2")).items, QStringList{QStringLiteral("AO-07 CW 145972.5")});
    takeSent();
    m_core->chooseBeacon(0);
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMPUS0"), QStringLiteral("RCMBCF145972500"),
                                       QStringLiteral("RCMSTP0")}));
    m_core->dopplerButtonRelease(1, false, 0);
    EXPECT_FALSE(control(QStringLiteral("Frame8")).visible);
}

TEST_F(PanelTuning, MultiModeChoiceSavesAndSwitches)
{
    m_settings->file().set(QStringLiteral("SATinfo"), QStringLiteral("AO-07A-mode_offset"),
                           QStringLiteral("-40"));
    report(QStringLiteral("OPPSANAO-07"));
    report(QStringLiteral("OPPMLT2"));
    m_core->handleKey(Qt::Key_PageUp, 0);
    takeSent();
    m_core->chooseMode(1);
    const QStringList sent = takeSent();
    EXPECT_EQ(sent.value(0), QStringLiteral("RCMDOP3"));
    // The controller saves the old mode's offset when it switches: the new
    // mode's offset comes after the switch.
    EXPECT_EQ(sent.mid(sent.indexOf(QStringLiteral("RCMMLT3"))),
              (QStringList{QStringLiteral("RCMMLT3"), QStringLiteral("RCMOFF-40")}));
    EXPECT_EQ(m_settings->file().value(QStringLiteral("SATinfo"), QStringLiteral("AO-07B-mode_offset")),
              QStringLiteral("100"));
    EXPECT_EQ(m_core->currentMode(), QStringLiteral("A-mode"));
    EXPECT_EQ(control(QStringLiteral("Label5")).text, QStringLiteral("A-mode"));
    EXPECT_EQ(m_core->scaleLeftHz(), 29400000.0);
}

TEST_F(PanelTuning, SatelliteDataText)
{
    report(QStringLiteral("OPPSANAO-07"));
    m_core->clickSatelliteName();
    EXPECT_TRUE(control(QStringLiteral("Frame14")).visible);
    EXPECT_EQ(control(QStringLiteral("Text7")).text, QStringLiteral("衛星名    : AO-07  Mode : B-mode\n"
                                                                    "UP Link   : 432.125MHz - 432.175MHz\n"
                                                                    "DOWN Link : 145.925MHz - 145.975MHz\n"
                                                                    "BEACON    : 145.975MHz"));
    m_core->clickSatelliteName();
    EXPECT_FALSE(control(QStringLiteral("Frame14")).visible);
    report(QStringLiteral("OPPSANRS-44"));
    m_core->clickSatelliteName();
    EXPECT_TRUE(control(QStringLiteral("Text7")).text.endsWith(QStringLiteral("BEACON    : -")));
}

TEST_F(PanelTuning, SplitAndXit)
{
    m_core->setSplit(120);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMSPT120")});
    EXPECT_EQ(control(QStringLiteral("Label24")).text, QStringLiteral("+120Hz"));
    m_core->setXit(true);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMSPT120S")});
    EXPECT_EQ(control(QStringLiteral("Label40")).text, QStringLiteral("XIT +120Hz"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_16")).text, QStringLiteral("XIT +120Hz"));
    m_core->setSplit(-300);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMSPT-300S")});
    EXPECT_EQ(m_settings->value(keys::SplitF), QStringLiteral("-300"));
    // A satellite change clears the XIT box.
    report(QStringLiteral("OPPSANAO-07"));
    EXPECT_EQ(takeSent().value(0), QStringLiteral("RCMSPT-300"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_16")).text, QStringLiteral("XIT -OFF"));
    EXPECT_FALSE(control(QStringLiteral("Label40")).visible);
}

TEST_F(PanelTuning, FmSatelliteRefusesModeChange)
{
    report(QStringLiteral("OPPSANSO-50"));
    m_core->clickRxModeLabel(false);
    ASSERT_FALSE(m_prompter.shown.isEmpty());
    EXPECT_EQ(m_prompter.shown.last(), QStringLiteral("FM衛星です、モード変更は出来ません"));
    EXPECT_EQ(m_prompter.seconds.last(), 2);
    EXPECT_FALSE(control(QStringLiteral("Frame10")).visible);
}

TEST_F(PanelTuning, BuiltInTrackerChooser)
{
    int asked = 0;
    QObject::connect(m_core.get(), &PanelCore::satelliteChooserRequested, [&] { ++asked; });
    m_core->clickTrackedName();
    EXPECT_EQ(asked, 0);
    report(QStringLiteral("OPPLKM4"));
    m_core->clickTrackedName();
    EXPECT_EQ(asked, 1);
    m_core->chooseTrackedSatellite(QStringLiteral("AO-07"));
    m_core->chooseTrackedSatellite(QString());
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMSATAO-07"), QStringLiteral("RCMSAT")}));
}

TEST_F(PanelTuning, BeaconReferenceGoesHomeAtASatelliteChange)
{
    m_settings->file().set(QStringLiteral("SATinfo"), QStringLiteral("AO-07B-mode_offset"),
                           QStringLiteral("1000"));
    takeUp(QStringLiteral("AO-07"));
    m_core->dopplerButton(5);
    ASSERT_TRUE(m_core->beaconReference());
    takeSent();
    report(QStringLiteral("OPPSANRS-44"));
    const QStringList sent = takeSent();
    EXPECT_EQ(sent.value(0), QStringLiteral("RCMOFK") + QStringLiteral("C"));
    EXPECT_FALSE(m_core->beaconReference());
    const int saved = m_settings->file()
                          .value(QStringLiteral("SATinfo"), QStringLiteral("AO-07B-mode_offset"))
                          .value_or("")
                          .toInt();
    EXPECT_NEAR(saved, 1000, 3);
    EXPECT_EQ(m_core->offset(), 0); // RS-44 has no stored offset
}
