#include "PanelFixture.h"

using namespace vm;
using namespace vm::test;

using PanelReceiver = PanelFixture;

TEST_F(PanelReceiver, RigFrequencyShowsInThePatternRightAligned)
{
    report(QStringLiteral("OPPRXS435123456"));
    EXPECT_EQ(control(QStringLiteral("Label2")).text, QStringLiteral(" 435.123.456"));
    EXPECT_TRUE(control(QStringLiteral("Label2")).alignRight);
    EXPECT_EQ(control(QStringLiteral("Label2")).fontName, QStringLiteral("ＭＳ ゴシック"));
    report(QStringLiteral("OPPTXS1296123456"));
    EXPECT_EQ(control(QStringLiteral("Label3")).text, QStringLiteral("1296.123.456"));
    EXPECT_EQ(m_core->txHz(), 1296123456.0);
}

TEST_F(PanelReceiver, GarbledFrequencyChangesNothing)
{
    report(QStringLiteral("OPPRXS145950000"));
    report(QStringLiteral("OPPRXS14x5"));
    EXPECT_EQ(m_core->rxHz(), 145950000.0);
    EXPECT_EQ(control(QStringLiteral("Label2")).text, QStringLiteral(" 145.950.000"));
}

TEST_F(PanelReceiver, OutOfPassbandMarkersCountTheEdgesAsInside)
{
    takeUp(QStringLiteral("AO-07")); // B-mode: downlink 145925 .. 145975 kHz
    report(QStringLiteral("OPPRXS145924999"));
    EXPECT_TRUE(control(QStringLiteral("Label13_1")).visible);
    EXPECT_FALSE(control(QStringLiteral("Label13_0")).visible);
    EXPECT_EQ(control(QStringLiteral("Label13_1")).anchor, QStringLiteral("Label2"));
    report(QStringLiteral("OPPRXS145925000"));
    EXPECT_FALSE(control(QStringLiteral("Label13_1")).visible);
    EXPECT_FALSE(control(QStringLiteral("Label13_0")).visible);
    report(QStringLiteral("OPPRXS145975000"));
    EXPECT_FALSE(control(QStringLiteral("Label13_0")).visible);
    report(QStringLiteral("OPPTXS432175001")); // uplink 432125 .. 432175 kHz
    EXPECT_TRUE(control(QStringLiteral("Label13_0")).visible);
    EXPECT_EQ(control(QStringLiteral("Label13_0")).anchor, QStringLiteral("Label3"));
}

TEST_F(PanelReceiver, DisplaySourceFlagsChooseTheReports)
{
    takeUp(QStringLiteral("AO-07"));
    report(QStringLiteral("OPPSRX145950000"));
    EXPECT_NE(control(QStringLiteral("Label2")).text, QStringLiteral(" 145.950.000")); // flag A is 0
    m_core->dopplerButton(1);                                                          // grey -> green
    m_core->dopplerButton(1); // green -> magenta: flag A
    EXPECT_TRUE(m_core->flagA());
    EXPECT_EQ(control(QStringLiteral("Command1_1")).backColor, PanelCore::Magenta);
    report(QStringLiteral("OPPSRX145950000"));
    EXPECT_EQ(control(QStringLiteral("Label2")).text, QStringLiteral(" 145.950.000"));
    report(QStringLiteral("OPPRXS145940000")); // stored, not shown while flag A is 1
    EXPECT_EQ(m_core->rxHz(), 145940000.0);
    EXPECT_EQ(control(QStringLiteral("Label2")).text, QStringLiteral(" 145.950.000"));
    report(QStringLiteral("OPPHRX145960000")); // home reports need flag B
    EXPECT_EQ(control(QStringLiteral("Label2")).text, QStringLiteral(" 145.950.000"));
}

TEST_F(PanelReceiver, FreeTextAndTheControllersEnd)
{
    int unloads = 0;
    QObject::connect(m_core.get(), &PanelCore::unloadRequested, [&] { ++unloads; });
    report(QStringLiteral("OPPRXFCOM Closed"));
    EXPECT_EQ(control(QStringLiteral("Label2")).text, QStringLiteral("COM Closed"));
    EXPECT_EQ(control(QStringLiteral("Label2")).fontSize, 22);
    EXPECT_FALSE(control(QStringLiteral("Label2")).alignRight);
    report(QStringLiteral("OPPTXF"));
    EXPECT_EQ(control(QStringLiteral("Label3")).text, QString());
    EXPECT_EQ(unloads, 0);
    report(QStringLiteral("OPPTXF終了処理中"));
    EXPECT_EQ(unloads, 1);
    report(QStringLiteral("OPPLNKOK"));
    EXPECT_EQ(unloads, 1);
    report(QStringLiteral("OPPLNKNG"));
    EXPECT_EQ(unloads, 2);
}

TEST_F(PanelReceiver, RigReportFillsTheStatusBarAndCwControls)
{
    rig(QStringLiteral("IC9700:/dev/ttyUSB0:1:None:None:0:0"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_2")).text, QStringLiteral("IC9700"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_3")).text, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_4")).text, QStringLiteral("Open"));
    EXPECT_TRUE(control(QStringLiteral("Frame12")).enabled);
    EXPECT_TRUE(control(QStringLiteral("Check3")).enabled);
    EXPECT_TRUE(control(QStringLiteral("Check6")).enabled);
    EXPECT_FALSE(control(QStringLiteral("StatusBar1_7")).enabled); // rig 2 unused
    EXPECT_EQ(control(QStringLiteral("StatusBar1_7")).text, QString());

    // A port path holding ":" comes encoded and is shown as it is.
    rig(QStringLiteral("IC9700:/dev/serial/by-path/pci-0000%3A00%3A14.0-usb-0%3A2:1:None:None:0:0"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_3")).text,
              QStringLiteral("/dev/serial/by-path/pci-0000:00:14.0-usb-0:2"));

    rig(QStringLiteral("IC910:COM3:0:FT991:COM4:1:3"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_4")).text, QStringLiteral("Can't Open"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_9")).text, QStringLiteral("Open"));
    EXPECT_TRUE(control(QStringLiteral("Frame12")).enabled); // rig 2 keys: FT991 can
    EXPECT_FALSE(control(QStringLiteral("Check3")).enabled);

    rig(QStringLiteral("IC910:COM3:1:None:None:0:0"));
    EXPECT_FALSE(control(QStringLiteral("Frame12")).enabled);
    rig(QStringLiteral("IC910:COM3:x:None")); // garbled: nothing changes
    EXPECT_EQ(control(QStringLiteral("StatusBar1_2")).text, QStringLiteral("IC910"));
}

TEST_F(PanelReceiver, PortErrorMarksTheRigClosedAndARetryIsOffered)
{
    rig(QStringLiteral("IC9700:COM3:1:TS2000:COM5:1:3"));
    report(QStringLiteral("OPPCERCOM9")); // neither rig's
    EXPECT_EQ(control(QStringLiteral("StatusBar1_4")).text, QStringLiteral("Open"));
    report(QStringLiteral("OPPCERCOM3"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_4")).text, QStringLiteral("Closed"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_5")).text, QStringLiteral("COM Error"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_3")).toolTip,
              QStringLiteral("ここをﾀﾞﾌﾞﾙｸﾘｯｸすると Open にﾘﾄﾗｲします"));
    m_core->statusBarClick(8, true); // rig 2 is open: nothing
    EXPECT_TRUE(takeSent().isEmpty());
    m_core->statusBarClick(3, true);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMRTR1")});
    report(QStringLiteral("OPPCERCOM5"));
    m_core->statusBarClick(10, true);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMRTR2")});
    report(QStringLiteral("OPPOP11"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_4")).text, QStringLiteral("Open"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_5")).text, QString());
}

TEST_F(PanelReceiver, ControlStateForFmSatellite)
{
    report(QStringLiteral("OPPSANSO-50"));
    report(QStringLiteral("OPPSTC5"));
    report(QStringLiteral("OPPKAN"));
    EXPECT_EQ(control(QStringLiteral("Command1_1")).backColor, PanelCore::Green);
    EXPECT_EQ(m_core->dopplerMode(), 1);
    report(QStringLiteral("OPPSANAO-07"));
    report(QStringLiteral("OPPSTC"));
    takeSent();
    report(QStringLiteral("OPPKAN"));
    EXPECT_EQ(m_core->dopplerMode(), 3);
    EXPECT_EQ(takeSent().value(0), QStringLiteral("RCMDOP3"));
}

TEST_F(PanelReceiver, KanEnablesSettingsAndPressesTheControlButton)
{
    report(QStringLiteral("OPPSANAO-07"));
    report(QStringLiteral("OPPSTC2"));
    report(QStringLiteral("OPPICDA01"));
    EXPECT_TRUE(control(QStringLiteral("Check6")).checked);
    takeSent();
    report(QStringLiteral("OPPKAN"));
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMDOP2")});
    EXPECT_EQ(control(QStringLiteral("Command1_2")).backColor, PanelCore::Green);
    EXPECT_EQ(control(QStringLiteral("Command1_0")).backColor, PanelCore::Grey);
    EXPECT_TRUE(control(QStringLiteral("SetRIG")).enabled);
    EXPECT_TRUE(control(QStringLiteral("Command15")).enabled);
    EXPECT_FALSE(control(QStringLiteral("Check6")).checked);
}

TEST_F(PanelReceiver, DopplerReportPressesOnlyOnChange)
{
    takeUp(QStringLiteral("AO-07"));
    report(QStringLiteral("OPPDOP0"));
    EXPECT_TRUE(takeSent().isEmpty()); // already 0
    report(QStringLiteral("OPPDOP2"));
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMDOP2")});
    report(QStringLiteral("OPPDOP4")); // no button of its own
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(m_core->dopplerMode(), 4);
    EXPECT_EQ(control(QStringLiteral("Command1_2")).backColor, PanelCore::Green);
    report(QStringLiteral("OPPDOP8"));
    report(QStringLiteral("OPPDOP0")); // after 8 only stored
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(m_core->dopplerMode(), 0);
    report(QStringLiteral("OPPDOP6"));
    EXPECT_EQ(takeSent().value(0), QStringLiteral("RCMDOP1"));
}

TEST_F(PanelReceiver, ModesAndFilterDigit)
{
    report(QStringLiteral("OPPRXMUSB2"));
    EXPECT_EQ(control(QStringLiteral("Label16")).text, QStringLiteral("USB"));
    rig(QStringLiteral("IC9700:COM3:1:None:None:0:0"));
    report(QStringLiteral("OPPRXMCW3"));
    EXPECT_EQ(control(QStringLiteral("Label16")).text, QStringLiteral("CW"));
    // The filter digit of the report is the one sent with the next RX mode.
    m_core->rxModeOption(0);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMMDM13")});
    report(QStringLiteral("OPPTXMCW"));
    EXPECT_EQ(control(QStringLiteral("Label17")).text, QStringLiteral("CW"));
    EXPECT_EQ(control(QStringLiteral("Label17")).toolTip,
              QStringLiteral("左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ、右ｸﾘｯｸでCW SPEED変更可"));
}

TEST_F(PanelReceiver, UuSatelliteShowsUsbAndPacket)
{
    takeUp(QStringLiteral("IO-117"));
    report(QStringLiteral("OPPTXMLSB"));
    EXPECT_EQ(control(QStringLiteral("Label17")).text, QStringLiteral("USB"));
    report(QStringLiteral("OPPSANIO-117"));
    EXPECT_EQ(control(QStringLiteral("Label5")).text, QStringLiteral("PKT"));
    EXPECT_FALSE(control(QStringLiteral("Label10")).enabled);
}

TEST_F(PanelReceiver, ElevationColoursTheName)
{
    report(QStringLiteral("OPPSANAO-07"));
    report(QStringLiteral("OPPELE1"));
    EXPECT_EQ(control(QStringLiteral("Label1")).foreColor, PanelCore::Red);
    report(QStringLiteral("OPPELE0"));
    EXPECT_EQ(control(QStringLiteral("Label1")).foreColor, PanelCore::Blue);
}

TEST_F(PanelReceiver, MultiModeListAndUndefinedSatellite)
{
    report(QStringLiteral("OPPSANAO-07"));
    report(QStringLiteral("OPPMLT2"));
    EXPECT_EQ(control(QStringLiteral("List3")).items,
              (QStringList{QStringLiteral("B-mode"), QStringLiteral("A-mode")}));
    EXPECT_EQ(control(QStringLiteral("List4")).items,
              (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_EQ(control(QStringLiteral("Label5")).text, QStringLiteral("B-mode"));
    EXPECT_TRUE(control(QStringLiteral("Label5")).visible);
    report(QStringLiteral("OPPSAN未定義星"));
    EXPECT_FALSE(control(QStringLiteral("Label5")).visible);
    EXPECT_TRUE(m_core->currentMode().isEmpty());
    EXPECT_EQ(control(QStringLiteral("Label1")).text, QStringLiteral("未定義星"));
}

TEST_F(PanelReceiver, TrackingKindCaptions)
{
    report(QStringLiteral("OPPLKM3"));
    EXPECT_EQ(control(QStringLiteral("Frame1")).text, QStringLiteral("Kepral99 Information ( DDE方式 )"));
    EXPECT_TRUE(control(QStringLiteral("Check1")).enabled);
    EXPECT_FALSE(control(QStringLiteral("Command13")).enabled);
    report(QStringLiteral("OPPLKM2"));
    EXPECT_EQ(control(QStringLiteral("Frame1")).text, QStringLiteral("Ornik Information"));
    EXPECT_FALSE(control(QStringLiteral("mkSKD")).enabled);
    report(QStringLiteral("OPPLKM4"));
    EXPECT_EQ(control(QStringLiteral("Frame1")).text, QStringLiteral("内蔵軌道計算 Information"));
}

TEST_F(PanelReceiver, HomeReportRaisesThePanel)
{
    int raised = 0;
    QObject::connect(m_core.get(), &PanelCore::raiseRequested,
                     [&](bool activate) { raised += activate ? 1 : 0; });
    report(QStringLiteral("OPPHOM"));
    EXPECT_EQ(raised, 1);
}

TEST_F(PanelReceiver, WaterfallRecords)
{
    m_channel.titles.insert(PanelCore::waterfallTitle());
    takeUp(QStringLiteral("AO-07"));
    report(QStringLiteral("OPPRXS145950000"));
    report(QStringLiteral("OPPRXMLSB"));
    takeSent();
    report(QStringLiteral("VLMzeroin   1234"));
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMPUS2"), QStringLiteral("RCMQSQ145948770")}));
    report(QStringLiteral("OPPRXMUSB"));
    report(QStringLiteral("VLMzeroin   1235")); // 123.5 rounds to even: 124
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMPUS2"), QStringLiteral("RCMQSQ145951240")}));
    report(QStringLiteral("OPPRXMFM"));
    report(QStringLiteral("VLMzeroin   500"));
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMPUS2")});

    report(QStringLiteral("VLMTXshif   -300"));
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMTXP-300")});
    EXPECT_EQ(control(QStringLiteral("Command10")).backColor, PanelCore::Red);
    report(QStringLiteral("VLMoffset   200"));
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMTXP0"), QStringLiteral("RCMOFF-200")}));
    report(QStringLiteral("VLMoffset   99999")); // the offset stays in its range
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMTXP0"), QStringLiteral("RCMOFF-30000")}));
    EXPECT_EQ(control(QStringLiteral("Command10")).backColor, PanelCore::Grey);
    report(QStringLiteral("VLMreques"));
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMREQ")});
    report(QStringLiteral("VLMwfclos"));
    EXPECT_FALSE(control(QStringLiteral("Command10")).visible);
    report(QStringLiteral("XYZanything")); // other families are ignored
    EXPECT_TRUE(takeSent().isEmpty());
}

TEST_F(PanelReceiver, TableReloadOnlyWithPayload)
{
    writeTable(tableLines() << QStringLiteral("AO-73,145950,435150,20,,,,,,"));
    report(QStringLiteral("OPPHAI"));
    EXPECT_EQ(m_core->table().count(), 6);
    report(QStringLiteral("OPPHAI7"));
    EXPECT_EQ(m_core->table().count(), 7);
    EXPECT_GT(m_core->table().record(7).TransposeHz, 0.0); // derived
}

TEST_F(PanelReceiver, UnreadableTableOnReloadKeepsTheOneInUse)
{
    writeTable({QStringLiteral("Name,UpLink,DownLink,Width,Beacon,Tone,TXTRV,RXTRV,NonRev,MLTmode")});
    report(QStringLiteral("OPPHAI1"));
    EXPECT_EQ(m_core->table().count(), 6);
    EXPECT_EQ(m_prompter.shown.last(), QStringLiteral("SATdataが読めませんでした"));
    report(QStringLiteral("OPPSANRS-44"));
    EXPECT_EQ(m_core->currentRecord(), 6);
}

TEST_F(PanelReceiver, CallSignFromDigitalModeProgramsClipboard)
{
    m_core->clipboardChanged(QStringLiteral("MMVARI"), QStringLiteral(" ja1abc "));
    EXPECT_EQ(control(QStringLiteral("Text1")).text, QString()); // no satellite yet
    report(QStringLiteral("OPPSANAO-07"));
    m_core->clipboardChanged(QStringLiteral("Editor"), QStringLiteral("ja1abc"));
    EXPECT_EQ(control(QStringLiteral("Text1")).text, QString());
    m_core->clipboardChanged(QStringLiteral("MMVARI"), QStringLiteral(" ja1abc "));
    EXPECT_EQ(control(QStringLiteral("Text1")).text, QStringLiteral("JA1ABC"));
}
