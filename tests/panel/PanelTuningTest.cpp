#include "PanelFixture.h"

#include "common/SettingKeys.h"

using namespace vm;
using namespace vm::test;

using PanelTuning = PanelFixture;

TEST_F(PanelTuning, SatelliteChangeLoadsRecordOffsetAndResetsAnUnknownOneLeavesTheScale)
{
    m_settings->file().set("SATinfo", "AO-07B-mode_offset", "250");
    report("OPPSANAO-07");
    EXPECT_EQ(takeSent(), (QStringList{"RCMDOP3", "RCMOFF250"}));
    EXPECT_EQ(m_core->offset(), 250);
    EXPECT_EQ(m_core->currentMode(), "B-mode");
    // The same name again is no change.
    report("OPPSANAO-07");
    EXPECT_TRUE(takeSent().isEmpty());
    // An unknown satellite leaves the scale alone.
    const double left = m_core->scaleLeftHz();
    report("OPPSANXW-9");
    EXPECT_EQ(m_core->currentRecord(), 0);
    EXPECT_EQ(m_core->scaleLeftHz(), left);
    m_core->scaleClick(145950000, true); // still works on the old geometry: no crash, commands as asked
    EXPECT_EQ(takeSent().last(), "RCMQSY145950000");
}

TEST_F(PanelTuning, ScaleSpansThePassbandAndAClickRetunesInSinglePrecision)
{
    report("OPPSANAO-07");
    takeSent();
    m_core->scaleClick(145950007.0, true); // floats near 145 MHz come in steps of 16 Hz
    EXPECT_EQ(takeSent().last(), "RCMQSY145950000");
    EXPECT_EQ(m_core->quickQsySide(), "1");
    EXPECT_EQ(m_core->scaleLeftHz(), 145925000.0);
    EXPECT_EQ(m_core->scaleWidthHz(), 50000.0);
    takeSent();
    m_core->scaleClick(m_core->scaleLeftHz() + m_core->scaleWidthHz() / 2, true);
    EXPECT_EQ(takeSent(), (QStringList{"RCMQSM1", "RCMQSY145950000"}));
    EXPECT_EQ(control("Line1").value, 145950000.0);
    m_core->scaleClick(145930000, false);
    EXPECT_EQ(takeSent(), QStringList{"RCMQSM1"});

    m_core->toggleQuickQsySide();
    EXPECT_EQ(takeSent(), QStringList{"RCMQSM0"});
    EXPECT_EQ(m_core->scaleLeftHz(), 432125000.0);
    EXPECT_EQ(m_core->scaleLeftHz() + m_core->scaleWidthHz(), 432175000.0);
}

TEST_F(PanelTuning, FmScaleIsCentredAndTheModeCannotChange)
{
    report("OPPSANSO-50");
    EXPECT_TRUE(m_core->isFm());
    // Width 100 kHz (empty): downlink 436795 kHz in the middle.
    EXPECT_EQ(m_core->scaleLeftHz(), (436795.0 - 50.0) * 1000.0);
    EXPECT_FALSE(control("Command1_0").enabled);
    EXPECT_FALSE(control("Command1_5").enabled);
    EXPECT_EQ(control("Label27").text, "67Hz");
    m_core->clickRxModeLabel(false);
    ASSERT_FALSE(m_prompter.shown.isEmpty());
    EXPECT_EQ(m_prompter.seconds.last(), 2);
    EXPECT_FALSE(control("Frame10").visible);
}

TEST_F(PanelTuning, OffsetButtonRepeatsEvery200msAndStopsAtTheLimit)
{
    // From 29800 the right button reaches 30000 in two steps.
    m_settings->file().set("SATinfo", "AO-07B-mode_offset", "29800");
    report("OPPSANAO-07");
    ASSERT_EQ(m_core->offset(), 29800);
    takeSent();
    const auto after = [&](int ms) {
        m_clock.advance(ms);
        m_core->poll();
        return m_core->offset();
    };
    m_core->offsetButtonPress(+1, true);
    EXPECT_EQ(m_core->offset(), 29900);
    EXPECT_EQ(after(199), 29900);
    EXPECT_EQ(after(1), 30000);
    EXPECT_EQ(after(1000), 30000);
    m_core->offsetButtonRelease();
    EXPECT_EQ(takeSent(), (QStringList{"RCMOFF29900", "RCMOFF30000"}));

    m_core->offsetButtonPress(-1, false);
    after(400);
    m_core->offsetButtonRelease();
    EXPECT_EQ(after(1000), 29970);
}

TEST_F(PanelTuning, WheelOverTheOffsetClampsToTheLimitAndResetSavesZero)
{
    m_settings->file().set("SATinfo", "AO-07B-mode_offset", "29950");
    report("OPPSANAO-07");
    takeSent();
    m_core->wheel(120); // not over the offset
    EXPECT_EQ(m_core->offset(), 29950);
    m_core->setHover(PanelCore::Hover::Offset);
    m_core->wheel(120);
    EXPECT_EQ(m_core->offset(), 30000);
    m_core->wheel(240);
    EXPECT_EQ(m_core->offset(), 30000);
    EXPECT_EQ(takeSent(), QStringList{"RCMOFF30000"});
    m_core->wheel(-120);
    EXPECT_EQ(m_core->offset(), 29900);
    takeSent();
    m_core->resetOffset();
    EXPECT_EQ(takeSent(), (QStringList{"RCMTXP0", "RCMOFR0"}));
    EXPECT_EQ(m_settings->file().value("SATinfo", "AO-07B-mode_offset"), "0");
}

TEST_F(PanelTuning, HomeFrequencyStoreCheckAndRecall)
{
    report("OPPSANAO-07");
    m_core->openHomeEntry();
    EXPECT_TRUE(control("Frame15").visible);
    EXPECT_TRUE(control("Option3_0").checked);
    EXPECT_FALSE(m_core->storeHomeFrequency("146.000", 0));
    EXPECT_TRUE(control("Frame15").visible);
    EXPECT_TRUE(m_core->storeHomeFrequency("145.950", 0));
    EXPECT_EQ(m_settings->file().value("HomeFreq", "AO-07B-mode"), "RX145.950");
    EXPECT_FALSE(control("Frame15").visible);
    EXPECT_TRUE(m_core->storeHomeFrequency("145.925", 0)); // the edge is inside
    EXPECT_TRUE(m_core->storeHomeFrequency("432.175", 1));
    EXPECT_FALSE(m_core->storeHomeFrequency("432.175", 2));
    EXPECT_FALSE(m_core->storeHomeFrequency("abc", 0));

    EXPECT_TRUE(m_core->storeHomeFrequency("145.950", 0));
    takeSent();
    m_core->homeRecall();
    EXPECT_EQ(takeSent(), (QStringList{"RCMQSM1", "RCMDOP0", "RCMQSY145950000"}));
    EXPECT_TRUE(m_core->storeHomeFrequency("145.960", 2));
    m_core->homeRecall();
    EXPECT_EQ(takeSent(), (QStringList{"RCMDOP3", "RCMOFX1", "RCMSFX1", "RCMQFX145960000"}));
    EXPECT_TRUE(m_core->flagA());
    EXPECT_TRUE(m_core->flagB());
    EXPECT_EQ(m_core->pauseState(), 2);
    m_core->openHomeEntry();
    EXPECT_TRUE(control("Option3_2").checked);
    EXPECT_EQ(control("Text6").text, "145.960");
}

TEST_F(PanelTuning, ModeCodesWithDataAndFilter)
{
    report("OPPSANAO-07");
    rig("IC9700:COM3:1:None:None:0:0");
    report("OPPRXMUSB2");
    takeSent();
    m_core->view().setChecked(Control::RxData, true);
    m_core->rxModeOption(1);
    EXPECT_EQ(takeSent(), QStringList{"RCMMDM82"});
    EXPECT_EQ(m_settings->value(keys::RxFilter), "2");
    m_core->rxModeOption(0);
    EXPECT_EQ(takeSent(), QStringList{"RCMMDM12"});
    m_core->filterOption(3);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMMDM13")});
    m_core->view().setChecked(Control::TxData, true);
    m_core->txModeOption(2);
    m_core->view().setChecked(Control::TxData, false);
    m_core->txModeOption(3);
    EXPECT_EQ(takeSent(), (QStringList{"RCMMDS9", "RCMMDS2"}));
}

TEST_F(PanelTuning, PauseButtonTogglesAndEveryButtonOnUuSendsSix)
{
    takeUp("AO-07");
    m_core->dopplerButton(3);
    EXPECT_EQ(takeSent(), (QStringList{"RCMDOP3", "RCMPUS1"}));
    m_core->dopplerButton(3);
    EXPECT_EQ(takeSent(), (QStringList{"RCMDOP3", "RCMPUS2"}));
    EXPECT_EQ(m_core->pauseState(), 2);
    report("OPPSANIO-117");
    for (int i : {0, 1, 2, 3, 5}) {
        takeSent();
        m_core->dopplerButton(i);
        EXPECT_EQ(takeSent().value(0), "RCMDOP6") << i;
    }
}

// The beacon reference shows the offset at the beacon; a satellite change and
// an unload save it in transponder terms.
TEST_F(PanelTuning, BeaconReferenceRoundTripAndSave)
{
    m_settings->file().set("SATinfo", "AO-07B-mode_offset", "1000");
    takeUp("AO-07");
    m_core->dopplerButton(5);
    const QStringList sent = takeSent();
    EXPECT_EQ(sent.value(0), "RCMDOP5");
    EXPECT_EQ(sent.value(1), "RCMBCF145975000");
    EXPECT_EQ(sent.value(2), QStringLiteral("RCMOFK") + QStringLiteral("K"));
    EXPECT_TRUE(m_core->beaconReference());
    // 1000 Hz of the transponder is 1000 / 578100000 * 145975000 at the beacon.
    EXPECT_EQ(m_core->offset(), 253);
    m_core->dopplerButton(0);
    EXPECT_FALSE(m_core->beaconReference());
    EXPECT_NEAR(m_core->offset(), 1000, 3);

    m_core->dopplerButton(5);
    takeSent();
    report("OPPSANRS-44");
    EXPECT_EQ(takeSent().value(0), QStringLiteral("RCMOFK") + QStringLiteral("C"));
    EXPECT_FALSE(m_core->beaconReference());
    const auto saved = [&] {
        return m_settings->file().value("SATinfo", "AO-07B-mode_offset").value_or("").toInt();
    };
    EXPECT_NEAR(saved(), 1000, 3);
    EXPECT_EQ(m_core->offset(), 0); // RS-44 has no stored offset

    m_settings->file().set("SATinfo", "AO-07B-mode_offset", "1000");
    takeUp("AO-07");
    m_core->dopplerButton(5);
    ASSERT_TRUE(m_core->beaconReference());
    EXPECT_TRUE(m_core->unload());
    EXPECT_NEAR(saved(), 1000, 3);
}

TEST_F(PanelTuning, BeaconListFromTheBeaconFile)
{
    ASSERT_TRUE(TextFile::writeLinesAtomic(path("BeaconFreq.txt"), {"AO-07,CW,145972.5", "FO-29,CW,435795"}));
    takeUp("AO-07");
    m_core->dopplerButtonRelease(5, true, 0); // beacon mode not active yet
    EXPECT_FALSE(control("Frame8").visible);
    m_core->dopplerButton(5);
    m_core->dopplerButtonRelease(5, true, KeyTable::Shift);
    EXPECT_FALSE(control("Frame8").visible);
    m_core->dopplerButtonRelease(5, true, 0);
    EXPECT_TRUE(control("Frame8").visible);
    EXPECT_EQ(control("List2").items, QStringList{"AO-07 CW 145972.5"});
    takeSent();
    m_core->chooseBeacon(0);
    EXPECT_EQ(takeSent(), (QStringList{"RCMPUS0", "RCMBCF145972500", "RCMSTP0"}));
    m_core->dopplerButtonRelease(1, false, 0);
    EXPECT_FALSE(control("Frame8").visible);
}

TEST_F(PanelTuning, MultiModeChoiceSavesAndSwitches)
{
    m_settings->file().set("SATinfo", "AO-07A-mode_offset", "-40");
    report("OPPSANAO-07");
    report("OPPMLT2");
    m_core->handleKey(Qt::Key_PageUp, 0);
    takeSent();
    m_core->chooseMode(1);
    const QStringList sent = takeSent();
    EXPECT_EQ(sent.value(0), "RCMDOP3");
    // The controller saves the old mode's offset when it switches: the new
    // mode's offset comes after the switch.
    EXPECT_EQ(sent.mid(sent.indexOf("RCMMLT3")), (QStringList{"RCMMLT3", "RCMOFF-40"}));
    EXPECT_EQ(m_settings->file().value("SATinfo", "AO-07B-mode_offset"), "100");
    EXPECT_EQ(m_core->currentMode(), "A-mode");
    EXPECT_EQ(m_core->scaleLeftHz(), 29400000.0);
}

TEST_F(PanelTuning, SatelliteDataText)
{
    report("OPPSANAO-07");
    m_core->clickSatelliteName();
    EXPECT_TRUE(control("Frame14").visible);
    EXPECT_EQ(control("Text7").text, QStringLiteral("衛星名    : AO-07  Mode : B-mode\n"
                                                    "UP Link   : 432.125MHz - 432.175MHz\n"
                                                    "DOWN Link : 145.925MHz - 145.975MHz\n"
                                                    "BEACON    : 145.975MHz"));
    m_core->clickSatelliteName();
    EXPECT_FALSE(control("Frame14").visible);
    report("OPPSANRS-44");
    m_core->clickSatelliteName();
    EXPECT_TRUE(control("Text7").text.endsWith("BEACON    : -"));
}

TEST_F(PanelTuning, SplitAndXit)
{
    m_core->setSplit(120);
    EXPECT_EQ(takeSent(), QStringList{"RCMSPT120"});
    m_core->setXit(true);
    EXPECT_EQ(takeSent(), QStringList{"RCMSPT120S"});
    EXPECT_EQ(control("StatusBar1_16").text, "XIT +120Hz");
    m_core->setSplit(-300);
    EXPECT_EQ(takeSent(), QStringList{"RCMSPT-300S"});
    EXPECT_EQ(m_settings->value(keys::SplitF), "-300");
    // A satellite change clears the XIT box.
    report("OPPSANAO-07");
    EXPECT_EQ(takeSent().value(0), "RCMSPT-300");
    EXPECT_EQ(control("StatusBar1_16").text, "XIT -OFF");
    EXPECT_FALSE(control("Label40").visible);
}

TEST_F(PanelTuning, BuiltInTrackerChooser)
{
    int asked = 0;
    QObject::connect(m_core.get(), &PanelCore::satelliteChooserRequested, [&] { ++asked; });
    m_core->clickTrackedName();
    EXPECT_EQ(asked, 0);
    report("OPPLKM4");
    m_core->clickTrackedName();
    EXPECT_EQ(asked, 1);
    m_core->chooseTrackedSatellite("AO-07");
    m_core->chooseTrackedSatellite(QString());
    EXPECT_EQ(takeSent(), (QStringList{"RCMSATAO-07", "RCMSAT"}));
}

