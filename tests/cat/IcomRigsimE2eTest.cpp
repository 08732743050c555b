// The whole rig path as it runs for real: the Icom driver on QSerialPort,
// talking to the rigsim program through a pseudo-terminal.

#include "CatRecorder.h"
#include "ProcessTools.h"
#include "QtPrinters.h"
#include "SimulatedStation.h"
#include "cat/IcomDriver.h"
#include "cat/QSerialPortTransport.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;

namespace {

// Asks rigsim's console until its answer holds `text` or the generous
// time-out has passed.
bool rigSays(SimulatedStation &station, const QString &line, const QString &text)
{
    return waitUntil([&] { return station.rig(line).contains(text); });
}

} // namespace

TEST(IcomRigsimE2e, OpenSetPollAndCloseAnIc9700OnAPty)
{
    ensureApplication();
    SimulatedStation station;
    ASSERT_TRUE(station.startRig());
    const QString path = station.file("rig");

    QSerialPortTransport transport;
    CatContext context;
    CatRecorder recorder;
    IcomDriver driver(1, transport, context, recorder.hooks);
    ASSERT_TRUE(driver.configure(path, "19200", "IC9700", "A2"));

    // Opening: satellite mode on, the receive dial reported.
    context.dopplerState = 3;
    ASSERT_TRUE(driver.open());
    EXPECT_EQ(recorder.payloads("OPPOP1"), QStringList{"1"});
    EXPECT_EQ(recorder.payloads("OPPCER"), QStringList());
    const qint64 mainHz = station.dial("main");
    ASSERT_FALSE(recorder.payloads("OPPRXS").isEmpty());
    EXPECT_EQ(recorder.payloads("OPPRXS").first(), QString::number(mainHz));
    EXPECT_TRUE(rigSays(station, "status", "satellite=on"));
    EXPECT_EQ(recorder.settingsWritten.size(), 1); // CWspeed

    // A satellite: downlink to main, uplink to sub.
    SatelliteSetup setup;
    setup.downlinkHz = 435'800'000;
    setup.uplinkHz = 145'900'000;
    driver.setUpSatellite(setup);
    EXPECT_TRUE(rigSays(station, "dial main", "OK 435800000 USB"));
    EXPECT_TRUE(rigSays(station, "dial sub", "OK 145900000 LSB"));

    // State 0: the transmit dial follows.
    context.dopplerState = 0;
    driver.setFrequency(Band::B, 145'901'230);
    EXPECT_TRUE(rigSays(station, "dial sub", "OK 145901230"));

    // The operator turns the receive dial; the next poll reports it.
    ASSERT_TRUE(station.rig("dial main 435801000").startsWith("OK 435801000"));
    recorder.reports.clear();
    context.dopplerState = 1;
    driver.pollFrequency();
    EXPECT_EQ(recorder.payloads("OPPRXS"), QStringList{"435801000"});
    context.dopplerState = 2;
    driver.pollFrequency();
    EXPECT_EQ(recorder.payloads("OPPTXS"), QStringList{"145901230"});
    EXPECT_EQ(driver.port().missCount(), 0);

    // Closing: satellite mode off and, with AutoPowerOFF, the rig off.
    context.autoPowerOff = true;
    driver.close();
    EXPECT_EQ(recorder.payloads("OPPOP1"), QStringList{"0"});
    EXPECT_FALSE(transport.isOpen());
    EXPECT_TRUE(rigSays(station, "power", "OK off"));
    EXPECT_TRUE(rigSays(station, "status", "satellite=off"));
}
