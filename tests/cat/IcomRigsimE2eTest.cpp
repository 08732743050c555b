// The whole rig path as it runs for real: the Icom driver on QSerialPort,
// talking to the rigsim program through a pseudo-terminal.

#include "CatRecorder.h"
#include "ProcessTools.h"
#include "QtPrinters.h"
#include "TestPaths.h"
#include "cat/IcomDriver.h"
#include "cat/QSerialPortTransport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

using namespace vm;
using namespace vm::test;

namespace {

constexpr int GenerousMs = 10'000;

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "cat_e2e_tests";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// rigsim as a process; its console on standard input and output.
class Rigsim {
public:
    explicit Rigsim(const QStringList &arguments)
    {
        m_process.setProgram(program("rigsim"));
        m_process.setArguments(arguments);
        m_process.start();
    }
    ~Rigsim()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.write("quit\n");
        if (!m_process.waitForFinished(GenerousMs)) {
            m_process.kill();
            m_process.waitForFinished(GenerousMs);
        }
    }

    QString readLine() { return test::readLine(m_process, GenerousMs); }
    QString command(const QString &line) { return test::consoleCommand(m_process, line, GenerousMs); }

    // Asks the console until the answer satisfies `done` or the generous
    // time-out has passed; returns the last answer.
    template <typename Pred> QString waitFor(const QString &line, Pred done)
    {
        QDeadlineTimer deadline(GenerousMs);
        QString answer = command(line);
        while (!done(answer) && !deadline.hasExpired()) {
            QThread::msleep(20);
            answer = command(line);
        }
        return answer;
    }

    // The dial frequency of "main" or "sub" ("OK HZ MODE FILTER DATA").
    qint64 dialHz(const char *side)
    {
        const QStringList parts = command("dial " + QLatin1String(side)).split(QLatin1Char(' '));
        return parts.size() >= 2 ? parts[1].toLongLong() : -1;
    }

private:
    QProcess m_process;
};

} // namespace

TEST(IcomRigsimE2e, OpenSetPollAndCloseAnIc9700OnAPty)
{
    ensureApplication();
    Rigsim sim({"--model", "IC9700", "--baud", "19200"});
    const QString path = sim.readLine();
    ASSERT_TRUE(path.startsWith(QLatin1String("/dev/"))) << path.toStdString();

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
    const qint64 mainHz = sim.dialHz("main");
    ASSERT_FALSE(recorder.payloads("OPPRXS").isEmpty());
    EXPECT_EQ(recorder.payloads("OPPRXS").first(), QString::number(mainHz));
    EXPECT_TRUE(sim.waitFor("status", [](const QString &a) { return a.contains("satellite=on"); })
                    .contains("satellite=on"));
    EXPECT_EQ(recorder.settingsWritten.size(), 1); // CWspeed

    // A satellite: downlink to main, uplink to sub.
    SatelliteSetup setup;
    setup.downlinkHz = 435'800'000;
    setup.uplinkHz = 145'900'000;
    driver.setUpSatellite(setup);
    EXPECT_TRUE(sim.waitFor("dial main", [](const QString &a) { return a.startsWith("OK 435800000 USB"); })
                    .startsWith("OK 435800000 USB"));
    EXPECT_TRUE(sim.waitFor("dial sub", [](const QString &a) { return a.startsWith("OK 145900000 LSB"); })
                    .startsWith("OK 145900000 LSB"));

    // State 0: the transmit dial follows.
    context.dopplerState = 0;
    driver.setFrequency(Band::B, 145'901'230);
    EXPECT_TRUE(sim.waitFor("dial sub", [](const QString &a) { return a.startsWith("OK 145901230"); })
                    .startsWith("OK 145901230"));

    // The operator turns the receive dial; the next poll reports it.
    ASSERT_TRUE(sim.command("dial main 435801000").startsWith("OK 435801000"));
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
    EXPECT_TRUE(sim.waitFor("power", [](const QString &a) { return a == "OK off"; }) == "OK off");
    EXPECT_TRUE(sim.waitFor("status", [](const QString &a) { return a.contains("satellite=off"); })
                    .contains("satellite=off"));
}
