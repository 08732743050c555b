// vmbridge.exe under Wine against stand-ins of the operator's Windows programs
// (a DDE tracking program, a "TThwin" logging window): tunavox tracks the DDE
// server through the bridge, and a logged contact arrives in the logging
// window field by field in Shift_JIS. One Wine prefix and one X display
// (Xvfb unless DISPLAY is set) serve every test of this program; the tests
// skip themselves, saying why, without wine, Xvfb or the cross-compiled exes.

#include "ProcessTools.h"
#include "SimulatedStation.h"
#include "TestPaths.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "logbook/ContactLogger.h"
#include "logbook/HamlogLink.h"
#include "platform/LocalChannel.h"
#include "platform/WineBridge.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace vm;

namespace {

using test::GenerousMs;

// The Wine session every test shares, set in this process's environment so
// that every program started inherits it.
struct Wine {
    QString skip; // why the tests cannot run; empty when they can
    QString wine = QStandardPaths::findExecutable("wine");
    QTemporaryDir prefix;
    QProcess xvfb;

    void start()
    {
        if (wine.isEmpty())
            return void(skip = "wine is not installed");
        for (const char *exe : {"vmbridge", "vmddeserver", "vmtthwin"}) {
            if (!QFile::exists(test::program(QString(exe) + ".exe")))
                return void(skip = QString("%1.exe was not built (no mingw-w64 cross compiler)").arg(exe));
        }
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            xvfb.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp"});
            const QString display = test::readLine(xvfb);
            if (display.isEmpty())
                return void(skip = "no X display and no Xvfb");
            qputenv("DISPLAY", (":" + display).toLocal8Bit());
        }
        qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
        qputenv("WINEDEBUG", "-all");
        qputenv("WINEDLLOVERRIDES", "mscoree,mshtml="); // no Mono or Gecko install prompts
        if (!run({"wineboot", "--init"}, 300000))
            skip = "wineboot could not create a Wine prefix";
    }

    bool run(const QStringList &arguments, int ms = GenerousMs)
    {
        QProcess p;
        p.start(wine, arguments);
        return p.waitForFinished(ms) && p.exitCode() == 0;
    }

    // A Wine path for a Linux file.
    static QString path(const QString &linuxPath) { return "Z:" + linuxPath; }
};

Wine *g_wine = nullptr;

class WineBridgeProcess : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        test::ensureApplication();
        g_wine = new Wine;
        g_wine->start();
    }
    static void TearDownTestSuite()
    {
        if (g_wine->skip.isEmpty())
            g_wine->run({"wineboot", "--kill"});
        test::stop(g_wine->xvfb);
        delete g_wine;
    }

    void SetUp() override
    {
        if (!g_wine->skip.isEmpty())
            GTEST_SKIP() << g_wine->skip.toStdString();
        ASSERT_TRUE(station.valid());
        bridge = std::make_unique<WineBridge>(g_wine->wine, test::program("vmbridge.exe"));
    }

    void TearDown() override
    {
        bridge.reset();
        test::stop(tunavox);
        test::stop(standIn);
        // No window of a stopped stand-in is left for the next test's lookups.
        if (g_wine->skip.isEmpty())
            g_wine->run({"wineboot", "--kill"});
    }

    // A stand-in exe under Wine; true once its window is there.
    bool startStandIn(const QString &exe, const QStringList &arguments, const QString &window, bool byClass)
    {
        standIn.start(g_wine->wine, QStringList{test::program(exe)} + arguments);
        return standIn.waitForStarted(GenerousMs) &&
               test::waitUntil([&] { return bridge->findWindow(window, byClass).has_value(); }, 120000);
    }

    test::SimulatedStation station;
    std::unique_ptr<WineBridge> bridge;
    QProcess standIn;
    QProcess tunavox;
};

} // namespace

TEST_F(WineBridgeProcess, TunavoxTracksTheDdeStandInThroughTheBridge)
{
    const QString values = station.file("values.txt");
    const auto serve = [&](const QString &satellite) {
        return TextFile::writeLinesAtomic(values, {"txtSatellite= " + satellite + " ", "txtElevation=12.5",
                                                   "txtRevolution=1234", "txtRangeRate=-3.25"});
    };
    ASSERT_TRUE(serve("ao-07"));
    ASSERT_TRUE(
        station.writeTable({"RS-44,145935,435610,60,435605,,,,,", "AO-07,432125,145925,50,145975,,,,,"}));
    ASSERT_TRUE(station.startRig());
    ASSERT_TRUE(startStandIn("vmddeserver.exe", {"Kepral32", "Export", "Kepral32", Wine::path(values)},
                             "Kepral32", false));
    // The window's owner, as the detection and the raises ask for it.
    const std::optional<WineBridge::WindowOwner> owner = bridge->findWindow("Kepral32");
    ASSERT_TRUE(owner);
    EXPECT_TRUE(owner->path.endsWith("vmddeserver.exe", Qt::CaseInsensitive)) << owner->path.toStdString();

    LocalChannel panel(station.runtimeDir());
    ASSERT_TRUE(panel.open());
    ASSERT_TRUE(panel.registerTitle("Velomira"));
    QStringList received;
    panel.setRecordHandler("Velomira", [&](const ChannelRecord &r) {
        received << r.text;
        return quint32(0);
    });
    tunavox.setProcessEnvironment(station.environment());
    tunavox.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tunavox.start(test::program("tunavox"), {"-R"});
    ASSERT_TRUE(tunavox.waitForStarted(GenerousMs));
    const auto got = [&](const QString &record) {
        return test::waitUntil([&] { return panel.processPending(50) >= 0 && received.contains(record); },
                               120000);
    };
    const auto seen = [&] { return QStringList(received.mid(0, 20)).join(" | ").toStdString(); };
    EXPECT_TRUE(got("OPPLKM1")) << seen();
    EXPECT_TRUE(got("OPPSANao-07")) << seen(); // trimmed, as the program serves it
    EXPECT_TRUE(got("OPPPOB1234")) << seen();
    // The values change in the program: the next reads follow them.
    ASSERT_TRUE(serve("RS-44"));
    EXPECT_TRUE(got("OPPSANRS-44")) << seen();
}

TEST_F(WineBridgeProcess, LoggedContactArrivesFieldByFieldInShiftJis)
{
    const QString log = station.file("copydata.txt");
    ASSERT_TRUE(startStandIn("vmtthwin.exe", {Wine::path(log)}, "TThwin", true));
    HamlogLink link(*bridge);
    ASSERT_TRUE(link.check());
    EXPECT_EQ(link.linkState(), hamlog::Ready);
    EXPECT_EQ(link.version(), "4.9.1.0");
    EXPECT_TRUE(link.programPath().endsWith("vmtthwin.exe", Qt::CaseInsensitive));

    Settings settings(station.file("Velomira.ini"));
    settings.setValue(keys::LogToHamlog, "1");
    settings.setValue(keys::LogToAdif, "0");
    settings.setValue(keys::AdifMk, "1");
    ContactLogger::setWindowsLogger(&link);
    Qso qso;
    qso.call = " JA1ABC/3 ";
    qso.qthCode = "2501";
    qso.mode = "LSB";
    qso.txHz = 145950000;
    qso.rxHz = 435600000;
    qso.satName = "RS-44";
    qso.comment = "東京 via RS-44";
    const LogResult result =
        ContactLogger(settings, station.homeDir()).log(qso, QDateTime::currentDateTimeUtc());
    ContactLogger::setWindowsLogger(nullptr);
    EXPECT_EQ(result.taken, QStringList{"Turbo HAMLOG/Win"}) << result.message().toStdString();

    // dwData and the bytes as the window got them ("東京" is 93 8C 8B 9E in Shift_JIS).
    const QStringList expected = {
        "00000010 ",
        "00010001 " + QByteArray("JA1ABC/3").toHex(),
        "00010006 " + QByteArray("145/435").toHex(),
        "00010007 " + QByteArray("SSB").toHex(),
        "00010008 " + QByteArray("2501").toHex(),
        "0001000d 938c8b9e" + QByteArray(" via RS-44").toHex(),
        "0001000e " + QByteArray("<SAT_NAME:5>RS-44 <SAT_MODE:2>VU").toHex(),
    };
    EXPECT_EQ(TextFile::read(log).value_or(QString()).split('\n', Qt::SkipEmptyParts), expected);

    // Bad input loses nothing and gets a clear reply.
    struct Case {
        BridgeWire::Op op;
        QByteArray bytes;
        BridgeWire::Status status;
    };
    const Case cases[] = {
        {BridgeWire::Op::CopyData, QByteArrayLiteral("TThwin\0x\xF0\x9F\x98\x80"),
         BridgeWire::Status::Unencodable},
        {BridgeWire::Op::CopyData, QByteArrayLiteral("NoSuchClass\0x"), BridgeWire::Status::NotFound},
        {BridgeWire::Op::CopyData, "no fields", BridgeWire::Status::BadRecord},
        {BridgeWire::Op(99), "", BridgeWire::Status::BadRecord},
        {BridgeWire::Op::DdeRequest, QByteArrayLiteral("NoSuchService\0Export\0txtSatellite"),
         BridgeWire::Status::NotFound},
    };
    for (const Case &c : cases) {
        const WineBridge::Reply reply = bridge->request(c.op, 1, c.bytes);
        EXPECT_EQ(reply.status, c.status) << c.bytes.toStdString() << ": " << reply.bytes.toStdString();
    }
    EXPECT_EQ(TextFile::read(log).value_or(QString()).split('\n', Qt::SkipEmptyParts).size(),
              expected.size());
}
