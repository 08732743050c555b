// tunavox as a real process: simulated rigs on pseudo-terminals (rigsim), a
// stand-in tracking program (faketracker), and this test as the panel, owning
// the title "Velomira". The built-in orbit computation: SettingsFormE2eTest.

#include "PanelEndpoint.h"
#include "ProcessTools.h"
#include "SimulatedStation.h"
#include "TestPaths.h"
#include "common/RigReport.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "rigctl/Doppler.h"

#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace vm;

namespace {

using test::GenerousMs;
const QString ControllerTitle = "環境設定Tunavox";

// RS-44 as the test table has it: inverting, K from uplink + downlink + width.
constexpr double Rs44K = (145935.0 + 435610.0 + 60.0) * 1000;

class TunavoxProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(station.valid());
        ASSERT_TRUE(
            station.writeTable({"RS-44,145935,435610,60,435605,,,,,", "AO-07,432125,145925,50,145975,,,,,"}));
        ASSERT_TRUE(panel.open()) << panel.channel.errorString().toStdString();
    }

    void TearDown() override { test::stop(tunavox); }

    QString file(const QString &name) const { return station.file(name); }
    QString rig(const QString &line) { return station.rig(line); }
    qint64 dial(const char *side) { return station.dial(side); }

    // faketracker serving one satellite at a fixed elevation and range rate.
    void serve(const char *satellite, const char *revolution = "100")
    {
        ASSERT_TRUE(station.startTracker({"--program", "Kepral32", "--satellite", satellite, "--elevation",
                                          "20", "--range-rate", "0", "--revolution", revolution}));
    }

    void startTunavox() { ASSERT_TRUE(station.startTunavox(tunavox)); }
    bool waitFor(const std::function<bool()> &condition) { return panel.waitFor(condition); }

    // "RCMEND", and the process ends.
    bool end()
    {
        return send("RCMEND") &&
               waitFor([&] { return tunavox.state() == QProcess::NotRunning || tunavox.waitForFinished(10); });
    }

    QStringList payloads(const QString &code) const
    {
        QStringList out;
        for (const QString &r : panel.records) {
            if (r.startsWith(code))
                out << r.mid(6);
        }
        return out;
    }

    bool send(const QString &text) { return panel.channel.send(ControllerTitle, text); }

    test::SimulatedStation station;
    test::PanelEndpoint panel{station};
    QProcess tunavox;
};

} // namespace

TEST_F(TunavoxProcess, FollowsAPassOnTheSimulatedRigAndRestoresTheRigAtTheEnd)
{
    ASSERT_TRUE(station.startRig());
    // A pass as the outside tracking program serves it: the range rate
    // falls through zero in steps of two and a half seconds, long enough
    // for a slow start of the controller to leave several steps to follow.
    const QList<int> rates{4000, 3000, 2000, 1000, 0, -1000, -2000, -3000, -4000, -5000};
    QStringList script;
    for (int i = 0; i < rates.size(); ++i)
        script << QStringLiteral("%1 RS-44 %2 %3 4711").arg(i * 2.5).arg(20 + i).arg(rates[i]);
    ASSERT_TRUE(TextFile::writeLinesAtomic(file("pass.txt"), script));
    ASSERT_TRUE(station.startTracker({"--program", "Kepral32", "--script", file("pass.txt")}));

    startTunavox();
    ASSERT_TRUE(waitFor([&] { return !payloads("OPPKAN").isEmpty(); }));
    EXPECT_EQ(payloads("OPPLKM"), QStringList{"1"});
    EXPECT_EQ(payloads("OPPLNK"), QStringList{"OK"});
    EXPECT_EQ(payloads("OPPOP1"), QStringList{"1"});
    EXPECT_EQ(payloads("OPPRIG").value(0), QStringLiteral("IC9700:%1:0:None:None:0:0").arg(file("rig")));
    EXPECT_EQ(payloads("OPPSAN"), QStringList{"RS-44"});
    EXPECT_EQ(payloads("OPPSTC"), QStringList{"3"});
    EXPECT_TRUE(rig("status").contains("satellite=on"));

    // The panel answers OPPKAN with its state button: transmit follows receive.
    ASSERT_TRUE(send("RCMDOP0"));
    const qint64 R = dial("main");
    const auto expectedTx = [&](int rr) {
        // T = K - (R - dR) - dT, dT taken from the transmit dial itself
        const double t = Rs44K - (double(R) - doppler(rr, double(R)));
        return t - doppler(rr, t);
    };
    // Every transmit dial seen belongs to one of the pass's range rates, and
    // the dial follows the range rate through several of them.
    QSet<int> followed;
    ASSERT_TRUE(waitFor([&] {
        const qint64 tx = dial("sub");
        for (int rr : rates) {
            // Range rate 0 would also match the home dial set before the loop ran.
            if (rr != 0 && std::fabs(double(tx) - expectedTx(rr)) <= 1.0)
                followed.insert(rr);
        }
        return followed.size() >= 3;
    })) << "followed "
        << followed.size() << " range rates; sub dial " << dial("sub");
    EXPECT_EQ(dial("main"), R); // the receive dial stays where the operator put it

    // The tuning offset on the real controller and rig: PanelSystem.KeysOnThePanelMoveTheSimulatedRig...
    // Quick QSY on the transmit side: the loop pauses with the dial where it was put.
    // A record that comes while the controller waits on the tracking program
    // is taken after that tick, so the dial is awaited.
    ASSERT_TRUE(send("RCMQSY145970000"));
    ASSERT_TRUE(waitFor([&] { return dial("sub") == 145970000; })) << "sub " << dial("sub");
    ASSERT_TRUE(waitFor([&] { return payloads("OPPDOP").endsWith("0"); }));
    EXPECT_TRUE(payloads("OPPDOP").contains("3"));

    // The end: the rig leaves satellite mode, the process ends.
    ASSERT_TRUE(end());
    EXPECT_EQ(tunavox.exitCode(), 0);
    EXPECT_TRUE(rig("status").contains("satellite=off")) << rig("status").toStdString();
    EXPECT_EQ(payloads("OPPOP1").last(), "0");
}

TEST_F(TunavoxProcess, SecondInstanceWithTheCloseSwitchMakesTheFirstSaveAndHide)
{
    ASSERT_TRUE(TextFile::writeAtomic(file("Velomira.ini"), "[RIG_CON_CFG]\nPoll_Time=300\n"));
    startTunavox();
    ASSERT_TRUE(waitFor([&] { return !payloads("OPPLKM").isEmpty(); }));
    const auto stored = [this](const char *section, const char *key) {
        return Settings(file("Velomira.ini")).file().value(section, key).value_or(QString());
    };
    EXPECT_EQ(stored("VLMRC", "ME"), QString::number(tunavox.processId()));
    EXPECT_EQ(stored("VLMRC", "CFO"), "");

    QProcess second;
    second.setProcessEnvironment(station.environment());
    second.start(test::program("tunavox"), {"/z"});
    ASSERT_TRUE(waitFor([&] { return second.waitForFinished(10); }));
    EXPECT_EQ(second.exitCode(), 0);
    // The running controller saved its settings and hid its window, and runs on.
    ASSERT_TRUE(waitFor([&] { return stored("VLMRC", "CFO") == "0"; }));
    EXPECT_EQ(stored("RIG_CON_CFG", "Poll_Time"), "300");
    EXPECT_EQ(stored("RIG_CON_CFG", "RIG_TYPE"), "None");
    EXPECT_EQ(tunavox.state(), QProcess::Running);

    // A second instance without the switch leaves it alone.
    second.start(test::program("tunavox"), {"-R"});
    ASSERT_TRUE(waitFor([&] { return second.waitForFinished(10); }));
    EXPECT_EQ(tunavox.state(), QProcess::Running);

    ASSERT_TRUE(end());
    EXPECT_EQ(tunavox.exitCode(), 0);
}

TEST_F(TunavoxProcess, PortPathWithColonsReachesThePanelWhole)
{
    // As /dev/serial/by-path names a USB adapter.
    station.rigLink = file("pci-0000:00:14.0-usb-0:2:1.0-port0");
    ASSERT_TRUE(station.startRig());
    startTunavox();
    ASSERT_TRUE(waitFor([&] { return payloads("OPPOP1").contains("1"); }));
    ASSERT_TRUE(send("RCMRTR1")); // reopens and reports the rigs again, open
    ASSERT_TRUE(waitFor([&] { return payloads("OPPRIG").size() >= 2; }));
    for (const QString &report : payloads("OPPRIG")) {
        const QStringList fields = report.split(u':');
        ASSERT_EQ(fields.size(), 7) << report.toStdString();
        EXPECT_EQ(rigReport::decodePort(fields[1]), station.rigLink);
    }
    EXPECT_EQ(payloads("OPPRIG").last().split(u':').value(2), "1");
    EXPECT_TRUE(rig("status").contains("satellite=on"));
    ASSERT_TRUE(end());
    EXPECT_EQ(Settings(file("Velomira.ini")).file().value("RIG_CON_CFG", "RIGCOMCONT").value_or(QString()),
              station.rigLink);
}

TEST_F(TunavoxProcess, RigUnpluggedDuringAPassIsGivenUpAndReopenedWhenItIsBack)
{
    ASSERT_TRUE(station.startRig());
    serve("RS-44");
    startTunavox();
    ASSERT_TRUE(waitFor([&] { return payloads("OPPKAN").size() == 1; }));
    ASSERT_TRUE(send("RCMDOP0"));

    // The adapter goes: its device and the link to it disappear.
    test::stop(station.rigsim);
    ASSERT_TRUE(waitFor([&] { return !payloads("OPPCER").isEmpty(); }));
    EXPECT_EQ(payloads("OPPCER"), QStringList{station.rigLink});
    EXPECT_EQ(payloads("OPPOP1").last(), "0");
    ASSERT_TRUE(send("RCMRTR1")); // not back yet: stays closed
    EXPECT_EQ(payloads("OPPOP1").last(), "0");

    // Plugged in again under the same name.
    ASSERT_TRUE(station.startRigsim());
    ASSERT_TRUE(send("RCMRTR1"));
    ASSERT_TRUE(waitFor([&] { return payloads("OPPOP1").last() == "1"; }));
    EXPECT_TRUE(rig("status").contains("satellite=on"));
    // The satellite's set-up is redone on the rig that came back.
    ASSERT_TRUE(waitFor([&] { return dial("sub") == 145965000; })) << dial("sub");
    ASSERT_TRUE(end());
    EXPECT_EQ(Settings(file("Velomira.ini")).file().value("RIG_CON_CFG", "RIGCOMCONT").value_or(QString()),
              station.rigLink);
}
