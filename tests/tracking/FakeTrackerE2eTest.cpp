// The stand-in tracking program as a real process, read by the tracking link
// through the export endpoint and the Wine registry file.

#include "ProcessTools.h"
#include "TestPaths.h"
#include "platform/LocalChannel.h"
#include "tracking/ExportSource.h"
#include "tracking/RegistrySource.h"
#include "tracking/TrackingDetection.h"
#include "tracking/TrackingLink.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

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

    // Starts faketracker and waits until its export endpoint is served and
    // its window is there (it takes the two titles one after the other).
    QProcess *startServing(const QStringList &args, TrackingKind kind)
    {
        QProcess *p = m_processes.emplace_back(std::make_unique<QProcess>()).get();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELOMIRA_RUNTIME_DIR", m_dir.path());
        p->setProcessEnvironment(env);
        p->start(program("faketracker"), args);
        EXPECT_TRUE(p->waitForStarted(Generous));
        const QString title = trackingProgram(kind).exportTitle();
        const QString window = trackingProgram(kind).windowTitle;
        const auto up = [&] { return channel.titleExists(title) && channel.titleExists(window); };
        EXPECT_TRUE(waitUntil([&] { return up() || p->state() == QProcess::NotRunning; }));
        EXPECT_TRUE(up()) << p->readAllStandardError().toStdString();
        return p;
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
