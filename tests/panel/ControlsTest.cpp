#include "panel/Controls.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace vm;

TEST(Controls, EveryControlHasItsOwnFormName)
{
    QSet<QString> seen;
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const Control c = controlAt(i);
        const QString name = formName(c);
        EXPECT_FALSE(name.isEmpty()) << i;
        EXPECT_FALSE(seen.contains(name)) << name.toStdString();
        seen.insert(name);
        EXPECT_EQ(controlNamed(name), c) << name.toStdString();
    }
    EXPECT_EQ(controlNamed(u"Label99"), std::nullopt);
}

TEST(Controls, FamiliesMapToTheirFormNames)
{
    EXPECT_EQ(formName(Control::HoverFrequency), QStringLiteral("Label12"));
    EXPECT_EQ(formName(controls::dopplerButton(5)), QStringLiteral("Command1_5"));
    EXPECT_EQ(controls::dopplerIndex(Control::PauseButton), 3);
    EXPECT_EQ(controls::dopplerIndex(Control::HomeButton), std::nullopt);
    EXPECT_EQ(formName(controls::aboveMarker(false)), QStringLiteral("Label13_2"));
    EXPECT_EQ(formName(controls::belowMarker(true)), QStringLiteral("Label13_1"));
    EXPECT_EQ(formName(controls::quickMemoryLabel(4)), QStringLiteral("Label4_4"));
    EXPECT_EQ(formName(controls::quickMemoryLine(1)), QStringLiteral("Line2_1"));
    EXPECT_EQ(controls::quickMemorySlot(Control::QuickMemory3), 3);
    EXPECT_EQ(formName(controls::cwMessage(0)), QStringLiteral("Label30_0"));
    EXPECT_EQ(formName(controls::txModeOption(3)), QStringLiteral("Option1_3"));
    EXPECT_EQ(formName(controls::rxModeOption(1)), QStringLiteral("Option2_1"));
    EXPECT_EQ(formName(controls::homeOption(2)), QStringLiteral("Option3_2"));
    EXPECT_EQ(formName(controls::filterOption(0)), QStringLiteral("Option4_0"));
    EXPECT_EQ(formName(controls::statusPanel(16)), QStringLiteral("StatusBar1_16"));
    EXPECT_EQ(controls::statusPanelNumber(Control::RrInpPanel), 11);
    EXPECT_EQ(controls::statusPanelNumber(Control::Xit), std::nullopt);
}
