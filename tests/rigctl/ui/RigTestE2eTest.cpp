// The settings form's rig test against the rigsim program on a pseudo-terminal.

#include "../ControllerFixture.h"
#include "ProcessTools.h"
#include "SimulatedStation.h"
#include "rigctl/ui/RigSettingsWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace vm;
using namespace vm::test;

namespace {

class SettingsWindowRigTest : public ControllerFixture {
protected:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "rigctl_ui_e2e_tests";
        static char *argv[] = {name, nullptr};
        static QApplication *app =
            new QApplication(argc, argv); // never destroyed, as in the other window tests
        (void)app;
        realPorts = true;
        ControllerFixture::SetUp();
    }
};

} // namespace

TEST_F(SettingsWindowRigTest, ShowsTheRigsAnswersOrTheOpeningErrorAndReopensTheControllersPort)
{
    SimulatedStation station;
    ASSERT_TRUE(station.startRigsim());
    Controller &c = started();
    RigSettingsWindow window(c);

    // The controller's connection is closed for the test and opened again
    // after it, on the port now set.
    const struct {
        QString port;
        const char *shown;
        bool reopened;
    } rows[] = {
        {station.rigLink, "echo on", true},
        {path("no-such-port"), "no-such-port", false},
    };
    for (const auto &row : rows) {
        c.editSettings([&](ControllerSettings &s) { s.rigs.rig1.port = row.port; });
        window.findChild<QPushButton *>("Rig1Test")->click();
        const QString result = window.findChild<QLabel *>("RigTestResult")->text();
        EXPECT_TRUE(result.contains(row.shown)) << result.toStdString();
        EXPECT_EQ(c.rigOpen(1), row.reopened) << row.shown;
    }
}
