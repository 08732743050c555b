// The stand-in tracking program as a real process, read by the tracking link
// through the export endpoint and the Wine registry file.

#include "ProcessTools.h"
#include "TestPaths.h"
#include "TleFixtures.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "orbit/LookAngles.h"
#include "orbit/PassPredictor.h"
#include "platform/LocalChannel.h"
#include "tracking/ExportSource.h"
#include "tracking/RegistrySource.h"
#include "tracking/TrackingDetection.h"
#include "tracking/TrackingLink.h"
#include "tracking/TrackingSourceFactory.h"

#include "ManualClock.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>

using namespace vm;
using namespace vm::test;
using RR = TrackingSource::ReadResult;

namespace {

constexpr int Generous = vm::test::GenerousMs;
using vm::test::waitUntil;

class FakeTrackerE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(channel.open());
    }

    void TearDown() override
    {
        for (auto &p : m_processes) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(Generous);
            }
        }
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    void writeFile(const QString &name, const QString &text)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }

    QProcess *start(const QStringList &args)
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELOMIRA_RUNTIME_DIR", m_dir.path());
        p->setProcessEnvironment(env);
        p->start(program("faketracker"), args);
        EXPECT_TRUE(p->waitForStarted(Generous));
        m_processes.push_back(std::move(p));
        return m_processes.back().get();
    }

    // Starts faketracker and waits until its export endpoint is served and
    // its window is there (it takes the two titles one after the other).
    QProcess *startServing(const QStringList &args, TrackingKind kind)
    {
        QProcess *p = start(args);
        const QString title = trackingProgram(kind).exportTitle();
        const QString window = trackingProgram(kind).windowTitle;
        const auto up = [&] { return channel.titleExists(title) && channel.titleExists(window); };
        EXPECT_TRUE(waitUntil([&] { return up() || p->state() == QProcess::NotRunning; }));
        EXPECT_TRUE(up()) << p->readAllStandardError().toStdString();
        return p;
    }

    // Sends a console command and waits for the answer line that starts with `answer`.
    bool command(QProcess *p, const QString &line, const QString &answer)
    {
        p->write((line + "\n").toUtf8());
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < Generous) {
            while (p->canReadLine()) {
                const QString got = QString::fromUtf8(p->readLine()).trimmed();
                if (got.startsWith(answer))
                    return true;
            }
            p->waitForReadyRead(1000);
        }
        return false;
    }

    struct Run {
        int exitCode = -1;
        QString err;
    };
    Run runToEnd(const QStringList &args)
    {
        QProcess *p = start(args);
        p->closeWriteChannel();
        p->waitForFinished(Generous);
        return {p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1,
                QString::fromUtf8(p->readAllStandardError())};
    }

    bool titleExists(const QString &t) { return channel.titleExists(t); }

    QTemporaryDir m_dir;
    LocalChannel channel{m_dir.path()};
    std::vector<std::unique_ptr<QProcess>> m_processes;
    QStringList reports;
    TrackingLink link{[this](const QString &c, const QString &p) { reports << c + p; }, {}};
};

} // namespace

TEST_F(FakeTrackerE2e, FixedValuesAreReadByTheLinkAndTheProgramIsDetected)
{
    startServing({"--program", "Kepral99", "--satellite", " rs-44 ", "--elevation", "23.4", "--range-rate",
                  "-2345.6", "--revolution", "1234"},
                 TrackingKind::Kepral99);
    const TrackingDetection d =
        trackingDetection::detect([this](const QString &t) { return titleExists(t); });
    EXPECT_EQ(d.weight, 100);
    ASSERT_EQ(d.kind, TrackingKind::Kepral99);

    ASSERT_TRUE(link.open(std::make_unique<ExportSource>(trackingProgram(d.kind), channel)));
    link.read();
    EXPECT_EQ(link.satellite(), "rs-44");
    EXPECT_EQ(link.label(), "RS-44");
    EXPECT_EQ(link.values().elevation, "23.4");
    EXPECT_EQ(link.values().revolution, "1234");
    EXPECT_FLOAT_EQ(link.rangeRate(), -2345.6f);
    EXPECT_TRUE(link.aboveHorizon());
    EXPECT_EQ(reports, (QStringList{"OPPLNKOK", "OPPELE1"}));
}

TEST_F(FakeTrackerE2e, GarbledRangeRateEndsEveryRead)
{
    startServing({"--satellite", "AO-07", "--elevation", "10", "--range-rate", "n/a"},
                 TrackingKind::Kepral32);
    ExportSource source(trackingProgram(TrackingKind::Kepral32), channel);
    ASSERT_TRUE(source.open(nullptr));
    TrackingValues v;
    v.satellite = "KEEP";
    EXPECT_EQ(source.read(v), RR::Failed);
    EXPECT_EQ(v.satellite, "KEEP");
    EXPECT_TRUE(source.lastError().contains("n/a")) << source.lastError().toStdString();
}

TEST_F(FakeTrackerE2e, ServesAPassThatTheLinkReadsBack)
{
    writeFile("ao7.tle", tleText({kAo7, kIss}));
    const orbit::Observer station{35.68, 139.77, 40};
    const orbit::Satellite ao7(parsedSet(kAo7));
    const std::vector<orbit::Pass> passes =
        orbit::findPasses(ao7, station, kEpochMs, kEpochMs + 86400000LL).passes;
    ASSERT_FALSE(passes.empty());
    const orbit::Pass &pass = passes.front().aosAtSpanStart && passes.size() > 1 ? passes[1] : passes.front();

    QProcess *p = startServing({"--tle", path("ao7.tle"), "--sat", "AO-07", "--name", "AO-07", "--lat",
                                "35.68", "--lon", "139.77", "--height", "40", "--time",
                                QString::number(kEpochMs), "--speed", "0"},
                               TrackingKind::Kepral32);
    ASSERT_TRUE(link.open(std::make_unique<ExportSource>(trackingProgram(TrackingKind::Kepral32), channel)));
    reports.clear();

    const int64_t span = pass.losMs - pass.aosMs;
    const std::vector<int64_t> moments{pass.aosMs - 120'000, pass.aosMs + 1000,     pass.aosMs + span / 4,
                                       pass.maxMs,           pass.losMs - span / 4, pass.losMs - 1000,
                                       pass.losMs + 120'000};
    for (const int64_t t : moments) {
        ASSERT_TRUE(command(p, "at " + QString::number(t), "at " + QString::number(t)));
        link.read();
        const orbit::LookAngles look = orbit::lookAngles(ao7, station, t);
        EXPECT_EQ(link.label(), "AO-07");
        EXPECT_NEAR(link.values().elevation.toDouble(), look.elevationDeg, 0.0051) << t;
        EXPECT_NEAR(link.rangeRate(), look.rangeRateMs, 0.0051) << t;
        EXPECT_EQ(link.values().revolution, QString::number(look.revolution));
        EXPECT_EQ(link.aboveHorizon(), look.elevationDeg >= -0.1) << t;
    }
    EXPECT_EQ(reports, (QStringList{"OPPELE1", "OPPELE0"}));
}

TEST_F(FakeTrackerE2e, OrnikIsDetectedAndItsRegistryChoiceGoesBackToTheEndpoint)
{
    startServing({"--program", "ornik", "--satellite", "FO-29", "--elevation", "-3", "--range-rate", "120",
                  "--revolution", "7"},
                 TrackingKind::Ornik);
    EXPECT_TRUE(titleExists("ornik"));
    const TrackingDetection d =
        trackingDetection::detect([this](const QString &t) { return titleExists(t); });
    EXPECT_EQ(d.weight, 10);
    ASSERT_EQ(d.kind, TrackingKind::Ornik);

    Settings settings(path("Velomira.ini"));
    settings.setValue(keys::UseDde, "0");
    ManualClock clock;
    ASSERT_TRUE(link.open(makeTrackingSource(d.kind, {settings, channel, clock, {}})));
    link.read();
    EXPECT_EQ(link.label(), "FO-29");
    EXPECT_FALSE(link.aboveHorizon());
    EXPECT_FLOAT_EQ(link.rangeRate(), 120.0f);
    EXPECT_EQ(Settings(settings.path()).value(keys::UseDde), "1");
}

TEST_F(FakeTrackerE2e, ScriptedValuesFollowTheProgramsClock)
{
    writeFile("pass.txt", "# seconds satellite elevation rangerate revolution\n"
                          "0 \"OSCAR 7\" -2.0 -5000 100\n"
                          "\n"
                          "30 AO-07 20.5 0 100\n"
                          "10 AO-07 1.5 -4000 100\n");
    const int64_t t0 = kEpochMs;
    QProcess *p = startServing({"--script", path("pass.txt"), "--time", QString::number(t0), "--speed", "0"},
                               TrackingKind::Kepral32);
    ExportSource source(trackingProgram(TrackingKind::Kepral32), channel);
    ASSERT_TRUE(source.open(nullptr));
    TrackingValues v;
    ASSERT_EQ(source.read(v), RR::Ok);
    EXPECT_EQ(v.satellite, "OSCAR 7");
    EXPECT_FLOAT_EQ(v.rangeRate, -5000.0f);

    ASSERT_TRUE(command(p, "at " + QString::number(t0 + 10'000), "at "));
    ASSERT_EQ(source.read(v), RR::Ok);
    EXPECT_EQ(v.satellite, "AO-07");
    EXPECT_EQ(v.elevation, "1.5");
    ASSERT_TRUE(command(p, "at " + QString::number(t0 + 29'999), "at "));
    ASSERT_EQ(source.read(v), RR::Ok);
    EXPECT_EQ(v.elevation, "1.5");
    ASSERT_TRUE(command(p, "at 2024-01-01 12:05:00", "at "));
    ASSERT_EQ(source.read(v), RR::Ok);
    EXPECT_EQ(v.elevation, "20.5");
    EXPECT_FLOAT_EQ(v.rangeRate, 0.0f);
    EXPECT_TRUE(command(p, "at yesterday", "error: not a time"));
}

TEST_F(FakeTrackerE2e, RegistryMethodReadsWhatTheProgramWritesUntilItCloses)
{
    const QString reg = path("user.reg");
    QProcess *p = startServing({"--program", "Kepral32", "--satellite", "AO-07", "--elevation", "5.5",
                                "--range-rate", "-100.25", "--revolution", "42", "--registry", reg},
                               TrackingKind::Kepral32);
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(reg); }));

    ASSERT_TRUE(link.open(std::make_unique<RegistrySource>(
        reg, "Kepral32", [this](const QString &t) { return titleExists(t); })));
    link.read();
    EXPECT_EQ(link.label(), "AO-07");
    EXPECT_EQ(link.values().elevation, "5.5");
    EXPECT_EQ(link.values().revolution, "42");
    EXPECT_FLOAT_EQ(link.rangeRate(), -100.25f);

    // A close request ends the program; the link then reports it gone on every tick.
    channel.postClose("Kepral32");
    ASSERT_TRUE(p->waitForFinished(Generous));
    EXPECT_EQ(p->exitCode(), 0);
    EXPECT_FALSE(titleExists("Kepral32"));
    reports.clear();
    link.read();
    link.read();
    EXPECT_EQ(reports, (QStringList{"OPPRXFKEPRAL Closed", "OPPTXF終了処理中", "OPPRXFKEPRAL Closed",
                                    "OPPTXF終了処理中"}));
    EXPECT_EQ(link.label(), "AO-07"); // the last values stay
}

TEST_F(FakeTrackerE2e, BadInputEndsWithAClearMessage)
{
    writeFile("bad.txt", "0 AO-07 10 -100 1\n5 AO-07 high -100 1\n");
    Run r = runToEnd({"--script", path("bad.txt")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("bad.txt:2: elevation is not a number: high")) << r.err.toStdString();

    r = runToEnd({"--program", "ornik", "--satellite", "X", "--registry", path("user.reg")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("Ornik has no registry method")) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("user.reg")));

    r = runToEnd({"--program", "Kepral64"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("Kepral64"));

    r = runToEnd({"--tle", path("missing.tle"), "--locator", "PM95"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("missing.tle"));

    writeFile("one.tle", tleText({kAo7}));
    r = runToEnd({"--tle", path("one.tle")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("station")) << r.err.toStdString();

    // A second stand-in for the same program cannot take its titles.
    startServing({"--satellite", "AO-07"}, TrackingKind::Kepral32);
    r = runToEnd({"--satellite", "FO-29"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("DDE:Kepral32|Export")) << r.err.toStdString();
}

TEST_F(FakeTrackerE2e, HelpDocumentsTheItemsAndTheConsole)
{
    QProcess *p = start({"--help"});
    ASSERT_TRUE(p->waitForFinished(Generous));
    const QString out = QString::fromUtf8(p->readAllStandardOutput());
    for (const char *word :
         {"txtRangeRate", "TEXT7", "--script", "--tle", "--registry", "at TIME", "--speed"})
        EXPECT_TRUE(out.contains(word)) << word;
}
