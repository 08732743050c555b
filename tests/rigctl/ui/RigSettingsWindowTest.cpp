// The controller's settings window: its end button and close box.

#include "rigctl/ui/RigSettingsWindow.h"
#include "../ControllerFixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace vm;
using namespace vm::test;

namespace {

QApplication &app()
{
    static int argc = 1;
    static char name[] = "rigctl_ui_tests";
    static char *argv[] = {name, nullptr};
    static QApplication instance(argc, argv);
    return instance;
}

class SettingsWindow : public ControllerFixture {
protected:
    void SetUp() override
    {
        app();
        ControllerFixture::SetUp();
    }
};

} // namespace

TEST_F(SettingsWindow, ShowsTheRigSetUpAndItsEndButtonClosesLikeTheForm)
{
    Controller &c = started();
    RigSettingsWindow window(c);
    EXPECT_EQ(window.objectName(), "RigCFG");
    EXPECT_EQ(window.windowTitle(), "環境設定Tunavox");
    auto *summary = window.findChild<QLabel *>("RigSummary");
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->text().contains("IC9700")) << summary->text().toStdString();
    EXPECT_TRUE(summary->text().contains("/dev/sim1"));

    send("RCMSHW");
    window.show();
    EXPECT_FALSE(c.rigOpen(1));
    auto *end = window.findChild<QPushButton *>("CFGEND");
    ASSERT_NE(end, nullptr);
    end->click();
    EXPECT_FALSE(c.settingsOpen());
    EXPECT_TRUE(c.rigOpen(1));
    EXPECT_TRUE(c.dispatcherAttached());
    EXPECT_EQ(setting("VLMRC", "CFO"), "0");
    EXPECT_FALSE(windowShown);
}

TEST_F(SettingsWindow, CloseBoxSavesAndHidesWithoutEndingTheController)
{
    Controller &c = started();
    RigSettingsWindow window(c);
    window.show();
    EXPECT_FALSE(window.close()); // refused: the controller hides it instead
    EXPECT_FALSE(c.closing());
    EXPECT_EQ(setting("RIG_CON_CFG", "RIG_TYPE"), "IC9700");
    EXPECT_EQ(setting("VLMRC", "CFO"), "0");
}
