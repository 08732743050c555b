#include "PanelFixture.h"

using namespace vm;
using namespace vm::test;

using PanelRit = PanelFixture;

TEST_F(PanelRit, BarShowsKilohertzAndTheMarker)
{
    rig(QStringLiteral("IC9700:COM3:1:None:None:0:0"));
    takeUp(QStringLiteral("SO-50"));
    m_core->setRit(-1500);
    EXPECT_EQ(control(QStringLiteral("Label26")).text, QStringLiteral("-1.5"));
    EXPECT_TRUE(control(QStringLiteral("Label28")).visible);
    EXPECT_EQ(control(QStringLiteral("Label28")).toolTip, QStringLiteral("RIT=-1.5KHz"));
    EXPECT_EQ(m_core->ritValue(), -1500);
    m_core->setRit(-20000);
    EXPECT_EQ(control(QStringLiteral("Label26")).text, QStringLiteral("-10.0"));
    m_core->setRit(25000);
    EXPECT_EQ(control(QStringLiteral("Label26")).text, QStringLiteral("10.0"));
    m_core->setRit(0);
    EXPECT_FALSE(control(QStringLiteral("Label28")).visible);
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMRIT-1500"), QStringLiteral("RCMRIT-10000"),
                                       QStringLiteral("RCMRIT10000"), QStringLiteral("RCMRIT0")}));
}

TEST_F(PanelRit, ClosedPortOnlyRemembers)
{
    takeUp(QStringLiteral("SO-50"));
    m_core->setRit(300);
    EXPECT_EQ(m_core->ritValue(), 300);
    EXPECT_TRUE(takeSent().isEmpty());
}

TEST_F(PanelRit, SatelliteNotHeldByTheControllerChangesTheDisplayOnly)
{
    rig(QStringLiteral("IC9700:COM3:1:None:None:0:0"));
    takeUp(QStringLiteral("XW-9")); // not in the table
    m_core->setRit(500);
    EXPECT_EQ(control(QStringLiteral("Label26")).text, QStringLiteral("0.5"));
    EXPECT_EQ(m_core->ritValue(), 0);
    EXPECT_TRUE(takeSent().isEmpty());
}

TEST_F(PanelRit, SetStoresPerSatelliteAndItComesBack)
{
    rig(QStringLiteral("IC9700:COM3:1:None:None:0:0"));
    takeUp(QStringLiteral("SO-50"));
    m_core->clickRxModeLabel(true);
    EXPECT_TRUE(control(QStringLiteral("Frame6")).visible);
    m_core->setRit(-700);
    m_core->ritSet();
    EXPECT_FALSE(control(QStringLiteral("Frame6")).visible);
    EXPECT_EQ(m_settings->file().value(QStringLiteral("SATinfo"), QStringLiteral("SO-50_RITfreq")),
              QStringLiteral("-700"));
    report(QStringLiteral("OPPSANAO-07"));
    takeSent();
    report(QStringLiteral("OPPSANSO-50"));
    EXPECT_EQ(control(QStringLiteral("HScroll1")).value, -700);
    EXPECT_TRUE(takeSent().contains(QStringLiteral("RCMRIT-700")));
    m_core->ritReset();
    EXPECT_EQ(control(QStringLiteral("Label26")).text, QStringLiteral("0.0"));
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMRIT0")});
}

TEST_F(PanelRit, PopupOnlyForFmSatellites)
{
    takeUp(QStringLiteral("AO-07"));
    m_core->clickRxModeLabel(true);
    EXPECT_FALSE(control(QStringLiteral("Frame6")).visible);
    // "Set" on a satellite without a complete FM record stores nothing but closes.
    m_core->view().setVisible(Control::RitFrame, true);
    m_core->ritSet();
    EXPECT_FALSE(control(QStringLiteral("Frame6")).visible);
    EXPECT_TRUE(
        m_settings->file().keys(QStringLiteral("SATinfo")).filter(QStringLiteral("_RITfreq")).isEmpty());
}
