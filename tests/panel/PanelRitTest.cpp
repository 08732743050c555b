#include "PanelFixture.h"

using namespace vm;
using namespace vm::test;

using PanelRit = PanelFixture;

TEST_F(PanelRit, BarShowsKilohertzAndTheMarker)
{
    rig("IC9700:COM3:1:None:None:0:0");
    takeUp("SO-50");
    m_core->setRit(-1500);
    EXPECT_EQ(control("Label26").text, "-1.5");
    EXPECT_TRUE(control("Label28").visible);
    EXPECT_EQ(m_core->ritValue(), -1500);
    m_core->setRit(-20000);
    EXPECT_EQ(control("Label26").text, "-10.0");
    m_core->setRit(25000);
    EXPECT_EQ(control("Label26").text, "10.0");
    m_core->setRit(0);
    EXPECT_FALSE(control("Label28").visible);
    EXPECT_EQ(takeSent(), (QStringList{"RCMRIT-1500", "RCMRIT-10000", "RCMRIT10000", "RCMRIT0"}));
}

TEST_F(PanelRit, ClosedPortOnlyRemembersAndASatelliteNotHeldChangesTheDisplayOnly)
{
    takeUp("SO-50");
    m_core->setRit(300);
    EXPECT_EQ(m_core->ritValue(), 300);
    EXPECT_TRUE(takeSent().isEmpty());

    rig("IC9700:COM3:1:None:None:0:0");
    takeUp("XW-9"); // not in the table
    m_core->setRit(500);
    EXPECT_EQ(control("Label26").text, "0.5");
    EXPECT_EQ(m_core->ritValue(), 300); // unchanged
    EXPECT_TRUE(takeSent().isEmpty());
}

TEST_F(PanelRit, SetStoresPerSatelliteAndItComesBack)
{
    rig("IC9700:COM3:1:None:None:0:0");
    takeUp("SO-50");
    m_core->clickRxModeLabel(true);
    EXPECT_TRUE(control("Frame6").visible);
    m_core->setRit(-700);
    m_core->ritSet();
    EXPECT_FALSE(control("Frame6").visible);
    EXPECT_EQ(m_settings->file().value("SATinfo", "SO-50_RITfreq"), "-700");
    report("OPPSANAO-07");
    takeSent();
    report("OPPSANSO-50");
    EXPECT_EQ(control("HScroll1").value, -700);
    EXPECT_TRUE(takeSent().contains("RCMRIT-700"));
    m_core->ritReset();
    EXPECT_EQ(control("Label26").text, "0.0");
    EXPECT_EQ(takeSent(), QStringList{"RCMRIT0"});
}

TEST_F(PanelRit, PopupOnlyForFmSatellites)
{
    takeUp("AO-07");
    m_core->clickRxModeLabel(true);
    EXPECT_FALSE(control("Frame6").visible);
    // "Set" on a satellite without a complete FM record stores nothing but closes.
    m_core->view().setVisible(Control::RitFrame, true);
    m_core->ritSet();
    EXPECT_FALSE(control("Frame6").visible);
    EXPECT_TRUE(m_settings->file().keys("SATinfo").filter("_RITfreq").isEmpty());
}
