#include "PanelFixture.h"

using namespace vm;
using namespace vm::test;

using PanelReceiver = PanelFixture;

TEST_F(PanelReceiver, RigFrequencyShowsInThePatternAndGarbledOnesChangeNothing)
{
    report("OPPRXS435123456");
    EXPECT_EQ(control("Label2").text, " 435.123.456");
    report("OPPTXS1296123456");
    EXPECT_EQ(control("Label3").text, "1296.123.456");
    EXPECT_EQ(m_core->txHz(), 1296123456.0);

    report("OPPRXS145950000");
    report("OPPRXS14x5");
    EXPECT_EQ(m_core->rxHz(), 145950000.0);
    EXPECT_EQ(control("Label2").text, " 145.950.000");
}

TEST_F(PanelReceiver, OutOfPassbandMarkersCountTheEdgesAsInsideAndKeepToTheirDisplay)
{
    const auto shown = [this] {
        QString marks;
        for (int i = 0; i < 4; ++i)
            marks += control(QStringLiteral("Label13_%1").arg(i)).visible ? u'1' : u'0';
        return marks; // RX above, RX below, TX above, TX below
    };
    takeUp(QStringLiteral("AO-07")); // B-mode: downlink 145925 .. 145975 kHz
    report(QStringLiteral("OPPRXS145924999"));
    EXPECT_EQ(shown(), QStringLiteral("0100"));
    report(QStringLiteral("OPPRXS145925000"));
    EXPECT_EQ(shown(), QStringLiteral("0000"));
    report(QStringLiteral("OPPRXS145975001"));
    EXPECT_EQ(shown(), QStringLiteral("1000"));
    report(QStringLiteral("OPPTXS432175001")); // uplink 432125 .. 432175 kHz
    EXPECT_EQ(shown(), QStringLiteral("1010"));
    // The transmit side back inside leaves the receive side's mark.
    report(QStringLiteral("OPPTXS432150000"));
    EXPECT_EQ(shown(), QStringLiteral("1000"));
}

TEST_F(PanelReceiver, DisplaySourceFlagsChooseTheReports)
{
    takeUp("AO-07");
    report("OPPSRX145950000");
    EXPECT_NE(control("Label2").text, " 145.950.000"); // flag A is 0
    m_core->dopplerButton(1);                          // grey -> green
    m_core->dopplerButton(1);                          // green -> magenta: flag A
    EXPECT_TRUE(m_core->flagA());
    report("OPPSRX145950000");
    EXPECT_EQ(control("Label2").text, " 145.950.000");
    report("OPPRXS145940000"); // stored, not shown while flag A is 1
    EXPECT_EQ(m_core->rxHz(), 145940000.0);
    EXPECT_EQ(control("Label2").text, " 145.950.000");
    report("OPPHRX145960000"); // home reports need flag B
    EXPECT_EQ(control("Label2").text, " 145.950.000");
}

TEST_F(PanelReceiver, FreeTextAndTheControllersEnd)
{
    int unloads = 0;
    QObject::connect(m_core.get(), &PanelCore::unloadRequested, [&] { ++unloads; });
    report("OPPRXFCOM Closed");
    EXPECT_EQ(control("Label2").text, "COM Closed");
    report("OPPTXF");
    EXPECT_EQ(control("Label3").text, QString());
    EXPECT_EQ(unloads, 0);
    report("OPPTXF終了処理中");
    EXPECT_EQ(unloads, 1);
    report("OPPLNKOK");
    EXPECT_EQ(unloads, 1);
    report("OPPLNKNG");
    EXPECT_EQ(unloads, 2);
}

TEST_F(PanelReceiver, RigReportFillsTheStatusBarAndCwControls)
{
    rig("IC9700:/dev/ttyUSB0:1:None:None:0:0");
    EXPECT_EQ(control("StatusBar1_2").text, "IC9700");
    EXPECT_EQ(control("StatusBar1_3").text, "/dev/ttyUSB0");
    EXPECT_EQ(control("StatusBar1_4").text, "Open");
    EXPECT_TRUE(control("Frame12").enabled);
    EXPECT_TRUE(control("Check3").enabled);
    EXPECT_TRUE(control("Check6").enabled);
    EXPECT_FALSE(control("StatusBar1_7").enabled); // rig 2 unused

    // A port path holding ":" comes encoded and is shown as it is.
    rig(QStringLiteral("IC9700:/dev/serial/by-path/pci-0000%3A00%3A14.0-usb-0%3A2:1:None:None:0:0"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_3")).text,
              QStringLiteral("/dev/serial/by-path/pci-0000:00:14.0-usb-0:2"));

    rig(QStringLiteral("IC910:COM3:0:FT991:COM4:1:3"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_4")).text, QStringLiteral("Can't Open"));
    EXPECT_EQ(control(QStringLiteral("StatusBar1_9")).text, QStringLiteral("Open"));
    EXPECT_TRUE(control(QStringLiteral("Frame12")).enabled); // rig 2 keys: FT991 can
    EXPECT_FALSE(control(QStringLiteral("Check3")).enabled);

    rig("IC910:COM3:1:None:None:0:0");
    EXPECT_FALSE(control("Frame12").enabled);
    rig("IC910:COM3:x:None"); // garbled: nothing changes
    EXPECT_EQ(control("StatusBar1_2").text, "IC910");
}

TEST_F(PanelReceiver, PortErrorMarksTheRigClosedAndARetryIsOffered)
{
    rig("IC9700:COM3:1:TS2000:COM5:1:3");
    report("OPPCERCOM9"); // neither rig's
    EXPECT_EQ(control("StatusBar1_4").text, "Open");
    report("OPPCERCOM3");
    EXPECT_EQ(control("StatusBar1_4").text, "Closed");
    EXPECT_EQ(control("StatusBar1_5").text, "COM Error");
    m_core->statusBarClick(8, true); // rig 2 is open: nothing
    EXPECT_TRUE(takeSent().isEmpty());
    m_core->statusBarClick(3, true);
    EXPECT_EQ(takeSent(), QStringList{"RCMRTR1"});
    report("OPPCERCOM5");
    m_core->statusBarClick(10, true);
    EXPECT_EQ(takeSent(), QStringList{"RCMRTR2"});
    report("OPPOP11");
    EXPECT_EQ(control("StatusBar1_4").text, "Open");
    EXPECT_EQ(control("StatusBar1_5").text, QString());
}

TEST_F(PanelReceiver, ControlStateForFmSatellite)
{
    report("OPPSANSO-50");
    report("OPPSTC5");
    report("OPPKAN");
    EXPECT_EQ(m_core->dopplerMode(), 1);
    report("OPPSANAO-07");
    report("OPPSTC");
    takeSent();
    report("OPPKAN");
    EXPECT_EQ(m_core->dopplerMode(), 3);
    EXPECT_EQ(takeSent().value(0), "RCMDOP3");
}

TEST_F(PanelReceiver, KanEnablesSettingsAndPressesTheControlButton)
{
    report("OPPSANAO-07");
    report("OPPSTC2");
    report("OPPICDA01");
    EXPECT_TRUE(control("Check6").checked);
    takeSent();
    report("OPPKAN");
    EXPECT_EQ(takeSent(), QStringList{"RCMDOP2"});
    EXPECT_EQ(control("Command1_2").backColor, PanelCore::Green);
    EXPECT_TRUE(control("SetRIG").enabled);
    EXPECT_TRUE(control("Command15").enabled);
    EXPECT_FALSE(control("Check6").checked);
}

TEST_F(PanelReceiver, DopplerReportPressesOnlyOnChange)
{
    takeUp("AO-07");
    report("OPPDOP0");
    EXPECT_TRUE(takeSent().isEmpty()); // already 0
    report("OPPDOP2");
    EXPECT_EQ(takeSent(), QStringList{"RCMDOP2"});
    report("OPPDOP4"); // no button of its own
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(m_core->dopplerMode(), 4);
    EXPECT_EQ(control("Command1_2").backColor, PanelCore::Green);
    report("OPPDOP8");
    report("OPPDOP0"); // after 8 only stored
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(m_core->dopplerMode(), 0);
    report("OPPDOP6");
    EXPECT_EQ(takeSent().value(0), "RCMDOP1");
}

TEST_F(PanelReceiver, ModesAndFilterDigit)
{
    report("OPPRXMUSB2");
    EXPECT_EQ(control("Label16").text, "USB");
    rig("IC9700:COM3:1:None:None:0:0");
    report("OPPRXMCW3");
    EXPECT_EQ(control("Label16").text, "CW");
    // The filter digit of the report is the one sent with the next RX mode.
    m_core->rxModeOption(0);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMMDM13")});
    report(QStringLiteral("OPPTXMCW"));
    EXPECT_EQ(control(QStringLiteral("Label17")).text, QStringLiteral("CW"));
    EXPECT_EQ(control(QStringLiteral("Label17")).toolTip,
              QStringLiteral("左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ、右ｸﾘｯｸでCW SPEED変更可"));
    // A rig on the CW route that takes no speed from the panel: no CW speed offered.
    rig(QStringLiteral("FT817:COM3:1:None:None:0:0"));
    report(QStringLiteral("OPPTXMCW"));
    EXPECT_EQ(control(QStringLiteral("Label17")).toolTip, QStringLiteral("左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ変更可"));
}

TEST_F(PanelReceiver, UuSatelliteShowsUsbAndPacket)
{
    takeUp("IO-117");
    report("OPPTXMLSB");
    EXPECT_EQ(control("Label17").text, "USB");
    report("OPPSANIO-117");
    EXPECT_EQ(control("Label5").text, "PKT");
    EXPECT_FALSE(control("Label10").enabled);
}

TEST_F(PanelReceiver, ElevationColoursTheNameAndHomeRaisesThePanel)
{
    report("OPPSANAO-07");
    report("OPPELE1");
    EXPECT_EQ(control("Label1").foreColor, PanelCore::Red);
    report("OPPELE0");
    EXPECT_EQ(control("Label1").foreColor, PanelCore::Blue);

    int raised = 0;
    QObject::connect(m_core.get(), &PanelCore::raiseRequested,
                     [&](bool activate) { raised += activate ? 1 : 0; });
    report("OPPHOM");
    EXPECT_EQ(raised, 1);
}

TEST_F(PanelReceiver, MultiModeListAndUndefinedSatellite)
{
    report("OPPSANAO-07");
    report("OPPMLT2");
    EXPECT_EQ(control("List3").items, (QStringList{"B-mode", "A-mode"}));
    EXPECT_EQ(control("List4").items, (QStringList{"2", "3"}));
    EXPECT_EQ(control("Label5").text, "B-mode");
    EXPECT_TRUE(control("Label5").visible);
    report("OPPSAN未定義星");
    EXPECT_FALSE(control("Label5").visible);
    EXPECT_TRUE(m_core->currentMode().isEmpty());
    EXPECT_EQ(control("Label1").text, "未定義星");
}

TEST_F(PanelReceiver, TrackingKindEnablesItsControls)
{
    report("OPPLKM3");
    EXPECT_TRUE(control("Check1").enabled);
    EXPECT_FALSE(control("Command13").enabled);
    report("OPPLKM2");
    EXPECT_FALSE(control("mkSKD").enabled);
}

TEST_F(PanelReceiver, WaterfallRecords)
{
    m_channel.titles.insert(PanelCore::waterfallTitle());
    takeUp("AO-07");
    report("OPPRXS145950000");
    report("OPPRXMLSB");
    takeSent();
    report("VLMzeroin   1234");
    EXPECT_EQ(takeSent(), (QStringList{"RCMPUS2", "RCMQSQ145948770"}));
    report("OPPRXMUSB");
    report("VLMzeroin   1235"); // 123.5 rounds to even: 124
    EXPECT_EQ(takeSent(), (QStringList{"RCMPUS2", "RCMQSQ145951240"}));
    report("OPPRXMFM");
    report("VLMzeroin   500");
    EXPECT_EQ(takeSent(), QStringList{"RCMPUS2"});

    report("VLMTXshif   -300");
    EXPECT_EQ(takeSent(), QStringList{"RCMTXP-300"});
    report("VLMoffset   200");
    EXPECT_EQ(takeSent(), (QStringList{"RCMTXP0", "RCMOFF-200"}));
    report("VLMoffset   99999"); // the offset stays in its range
    EXPECT_EQ(takeSent(), (QStringList{"RCMTXP0", "RCMOFF-30000"}));
    report("VLMreques");
    EXPECT_EQ(takeSent(), QStringList{"RCMREQ"});
    report("VLMwfclos");
    EXPECT_FALSE(control("Command10").visible);
    report("XYZanything"); // other families are ignored
    EXPECT_TRUE(takeSent().isEmpty());
}

TEST_F(PanelReceiver, TableReloadOnlyWithPayloadAndAnUnreadableOneKeepsTheTableInUse)
{
    writeTable({"Name,UpLink,DownLink,Width,Beacon,Tone,TXTRV,RXTRV,NonRev,MLTmode"});
    report("OPPHAI1");
    EXPECT_EQ(m_core->table().count(), 6);
    EXPECT_EQ(m_prompter.shown.last(), "SATdataが読めませんでした");
    report("OPPSANRS-44");
    EXPECT_EQ(m_core->currentRecord(), 6);

    writeTable(tableLines() << "AO-73,145950,435150,20,,,,,,");
    report("OPPHAI");
    EXPECT_EQ(m_core->table().count(), 6);
    report("OPPHAI7");
    EXPECT_EQ(m_core->table().count(), 7);
    EXPECT_GT(m_core->table().record(7).TransposeHz, 0.0); // derived
}

TEST_F(PanelReceiver, CallSignFromDigitalModeProgramsClipboard)
{
    m_core->clipboardChanged("MMVARI", " ja1abc ");
    EXPECT_EQ(control("Text1").text, QString()); // no satellite yet
    report("OPPSANAO-07");
    m_core->clipboardChanged("Editor", "ja1abc");
    EXPECT_EQ(control("Text1").text, QString());
    m_core->clipboardChanged("MMVARI", " ja1abc ");
    EXPECT_EQ(control("Text1").text, "JA1ABC");
    EXPECT_EQ(m_core->digitalMark(), ""); // MMVARI's mode box cannot be read
    m_core->setMmvariModeReader([] { return QStringLiteral("bpsk"); });
    m_core->clipboardChanged("MMVARI", "ja1abc");
    EXPECT_EQ(m_core->digitalMark(), "PSK31");
}
