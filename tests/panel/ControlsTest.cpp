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

// The window routes clicks by these; every other family is seen through the
// form names the component tests use.
TEST(Controls, ClickRoutingOfTheFamilies)
{
    EXPECT_EQ(controls::dopplerIndex(Control::PauseButton), 3);
    EXPECT_EQ(controls::dopplerIndex(Control::HomeButton), std::nullopt);
    EXPECT_EQ(controls::quickMemorySlot(Control::QuickMemory3), 3);
    EXPECT_EQ(controls::statusPanelNumber(Control::RrInpPanel), 11);
    EXPECT_EQ(controls::statusPanelNumber(Control::Xit), std::nullopt);
}
