// The velomira program as the operator starts it: it starts the real
// controller beside it, which takes up the simulated IC-9700 (rigsim) for the
// satellite the stand-in tracking program (faketracker) reports; closing the
// panel ends both programs with the rig restored.
#include "ProcessTools.h"
#include "SimulatedStation.h"
#include "TestPaths.h"
#include "common/TextFile.h"
#include "platform/LocalChannel.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace vm;
using test::GenerousMs;

namespace {

// RS-44 as the table below has it: uplink passband centre 145.965 MHz.
constexpr qint64 Rs44Uplink = (145935LL + 30LL) * 1000;

class VelomiraWithController : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(station.valid());
        ASSERT_TRUE(station.writeTable({"RS-44,145935,435610,60,435605,,,,,"}));
        ASSERT_TRUE(station.startRig("\n[Velomira]\nIM=7\n"));
        ASSERT_TRUE(TextFile::writeLinesAtomic(station.file("pass.txt"),
                                               {"0 RS-44 30 0 4711", "3600 RS-44 30 0 4711"}));
        ASSERT_TRUE(station.startTracker({"--program", "Kepral32", "--script", station.file("pass.txt")}));
    }
    void TearDown() override { test::stop(m_panel); }

    QString rig(const QString &line) { return station.rig(line); }
    qint64 dial(const char *side) { return station.dial(side); }

    test::SimulatedStation station;
    QProcess m_panel;
};

} // namespace

TEST_F(VelomiraWithController, StartsTheControllerWhichTakesUpTheRigAndClosingEndsBoth)
{
    m_panel.setProcessEnvironment(station.environment());
    m_panel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_panel.start(test::program("velomira"), {});
    ASSERT_TRUE(m_panel.waitForStarted(GenerousMs));

    LocalChannel channel(station.runtimeDir());
    ASSERT_TRUE(channel.open());
    // The controller comes up beside the panel and sets the rig for RS-44:
    // satellite mode on, the transmit side at the uplink passband centre.
    ASSERT_TRUE(test::waitUntil([&] { return channel.titleExists("環境設定Tunavox"); }));
    ASSERT_TRUE(test::waitUntil([&] {
        return rig("status").contains("satellite=on") && dial("sub") == Rs44Uplink;
    })) << rig("status").toStdString();

    // Closing the panel (as its close box does) ends the controller, which
    // takes the rig out of satellite mode.
    channel.postClose("Velomira");
    ASSERT_TRUE(m_panel.waitForFinished(GenerousMs));
    EXPECT_EQ(m_panel.exitCode(), 0);
    ASSERT_TRUE(test::waitUntil([&] { return !channel.titleExists("環境設定Tunavox"); }));
    ASSERT_TRUE(test::waitUntil([&] { return rig("status").contains("satellite=off"); }))
        << rig("status").toStdString();
}
