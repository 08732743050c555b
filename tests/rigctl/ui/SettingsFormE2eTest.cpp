// The settings form's rig test and the rig memory writer against the rigsim
// program on a pseudo-terminal.

#include "../ControllerFixture.h"
#include "ProcessTools.h"
#include "SimulatedStation.h"
#include "cat/QSerialPortTransport.h"
#include "common/TextFile.h"
#include "rigctl/RigMemories.h"
#include "rigctl/ui/RigSettingsWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace vm;
using namespace vm::test;

namespace {

class SettingsFormE2e : public ControllerFixture {
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

TEST_F(SettingsFormE2e, ShowsTheRigsAnswersOrTheOpeningErrorAndReopensTheControllersPort)
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

TEST_F(SettingsFormE2e, MemoryWriterPutsTheFirst99AcceptedSatellitesIntoTheRigAndListsTheRefusedOnes)
{
    SimulatedStation station;
    ASSERT_TRUE(station.startRigsim());
    // Every tenth satellite has a 10 m downlink, which the IC-9700 does not have.
    QStringList lines{QStringLiteral("Name,UP,DOWN,Width,Beacon,Tone,TXTRV,RXTRV,NonRev,MLTmode")};
    for (int i = 1; i <= 120; ++i)
        lines << QStringLiteral("SAT-%1,145900,%2,20,,,,,,")
                     .arg(i, 3, 10, QLatin1Char('0'))
                     .arg(i % 10 ? 435800 : 29400);
    ASSERT_TRUE(TextFile::writeAtomic(path("SATdata.txt"), lines.join(u'\n') + u'\n'));
    Controller &c = started();
    c.editSettings([&](ControllerSettings &s) { s.rigs.rig1.port = station.rigLink; });

    QSerialPortTransport transport;
    QStringList captions;
    const rigMemories::Outcome written = rigMemories::run(
        c, transport, rigMemories::Operation::Write, [&](const QString &caption) { captions << caption; });
    EXPECT_EQ(written.result.written, 99);
    EXPECT_TRUE(written.result.limitReached);
    QStringList refused;
    for (int i = 10; i <= 100; i += 10)
        refused << QStringLiteral("SAT-%1").arg(i, 3, 10, QLatin1Char('0'));
    EXPECT_EQ(written.result.refused, refused);
    EXPECT_TRUE(written.message.contains("SAT-100")) << written.message.toStdString();
    EXPECT_EQ(captions.size(), 109); // the refused numbers were tried again by the next satellite
    EXPECT_EQ(station.rig("memory 10"), "OK 435810000 145910000 SAT-011");
    EXPECT_EQ(station.rig("memory 99"), "OK 435810000 145910000 SAT-109");
    EXPECT_TRUE(c.rigOpen(1)); // the controller has its own connection again

    EXPECT_EQ(rigMemories::run(c, transport, rigMemories::Operation::Erase, {}).result.written, 0);
    for (const char *channel : {"memory 1", "memory 99"})
        EXPECT_EQ(station.rig(channel), "OK empty");
}
