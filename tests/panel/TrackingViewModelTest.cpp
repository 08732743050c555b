// The tracking window's model on a manual clock, against the designed
// overhead orbit: the culmination where the orbit was made to put it, the
// track's ends on the horizon.
#include "panel/TrackingViewModel.h"

#include "ManualClock.h"
#include "common/SatelliteRecord.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "orbit/OverheadOrbit.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace vm;

namespace {

constexpr qint64 Start = 1'790'000'000'000; // 2026-09-21
constexpr qint64 Minute = 60'000;
constexpr qint64 Day = 86'400'000;

class TrackingViewModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings = std::make_unique<Settings>(m_dir.filePath("Velomira.ini"));
        m_settings->setValue(keys::Latitude, "35.68");
        m_settings->setValue(keys::Longitude, "139.77");
        writeTle("RS-44", Start);
    }

    // An element set of `name` whose satellite stands overhead 10 minutes after Start.
    void writeTle(const char *name, qint64 epochMs)
    {
        orbit::OverheadOrbitRequest r;
        r.name = name;
        r.station = {35.68, 139.77, 0};
        r.epochUnixMs = epochMs;
        r.culminationUnixMs = Start + 10 * Minute;
        const orbit::Tle t = orbit::designOverheadOrbit(r);
        ASSERT_TRUE(TextFile::writeLinesAtomic(
            m_dir.filePath("nasabare.txt"), {QString::fromStdString(t.name), QString::fromStdString(t.line1),
                                             QString::fromStdString(t.line2)}));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Settings> m_settings;
    test::ManualClock m_clock{Start};
};

TEST_F(TrackingViewModelTest, PicksThePassAndCountsDownAcrossAosAndLos)
{
    SatelliteRecord rs44;
    rs44.Name = "RS-44";
    rs44.UpLink = "145935";
    rs44.DownLink = "435610";
    rs44.Width = "60";
    TrackingViewModel model(*m_settings, m_clock, m_dir.path());
    model.setSatellite("RS-44", &rs44);
    const TrackingViewModel::Snapshot first = model.update();
    ASSERT_EQ(first.status, TrackingViewModel::Status::Ok) << first.message.toStdString();
    ASSERT_TRUE(first.pass);
    const orbit::Pass pass = *first.pass;
    EXPECT_GT(pass.maxElevationDeg, 80);
    EXPECT_NEAR(pass.maxMs, Start + 10 * Minute, 2000);
    EXPECT_EQ(first.downlinkHz, 435'640'000);
    EXPECT_FALSE(first.staleElements);

    struct Step {
        qint64 at;
        bool up;
        qint64 countdown;
        const char *info;
    };
    const Step steps[] = {{pass.aosMs - 1000, false, 1000, "AOS 0:01"},
                          {pass.aosMs, true, pass.losMs - pass.aosMs, "LOS"},
                          {pass.losMs, true, 0, "LOS 0:00"}};
    for (const Step &s : steps) {
        m_clock.advance(s.at - m_clock.utcMs());
        const TrackingViewModel::Snapshot &now = model.update();
        SCOPED_TRACE(now.utcMs);
        EXPECT_EQ(now.pass->aosMs, pass.aosMs);
        EXPECT_EQ(now.up, s.up);
        EXPECT_EQ(now.countdownMs, s.countdown);
        EXPECT_TRUE(model.infoText().contains(s.info)) << model.infoText().toStdString();
    }
    // Approaching before the culmination: the downlink arrives higher.
    m_clock.advance(pass.maxMs - 60'000 - m_clock.utcMs());
    EXPECT_GT(model.update().downlinkShiftHz, 5000);

    // One second after LOS the next pass is on show, counted down to its AOS.
    m_clock.advance(pass.losMs + 1000 - m_clock.utcMs());
    const TrackingViewModel::Snapshot &after = model.update();
    ASSERT_TRUE(after.pass);
    EXPECT_GT(after.pass->aosMs, pass.losMs);
    EXPECT_FALSE(after.up);
    EXPECT_EQ(after.countdownMs, after.pass->aosMs - after.utcMs);
    EXPECT_GE(after.passes.size(), 3u); // a 500 km orbit rises several times a day
}

TEST_F(TrackingViewModelTest, TrackEndsOnTheHorizonAtTheAosAndLosAzimuths)
{
    const QPointF c(200, 200);
    const struct {
        double az, el;
        QPointF want;
    } directions[] = {{0, 0, {200, 100}},   {90, 0, {300, 200}}, {180, 45, {200, 250}},
                      {270, 0, {100, 200}}, {123, 90, c},        {0, -5, {200, 100}}};
    for (const auto &d : directions) {
        const QPointF p = TrackingViewModel::plotPoint(d.az, d.el, c, 100);
        EXPECT_NEAR(p.x(), d.want.x(), 1e-9);
        EXPECT_NEAR(p.y(), d.want.y(), 1e-9);
    }

    TrackingViewModel model(*m_settings, m_clock, m_dir.path());
    model.setSatellite("RS-44");
    const TrackingViewModel::Snapshot &s = model.update();
    ASSERT_GE(s.track.size(), 2u);
    const struct {
        TrackingViewModel::TrackPoint end;
        double azimuth;
    } ends[] = {{s.track.front(), s.pass->aosAzimuthDeg}, {s.track.back(), s.pass->losAzimuthDeg}};
    for (const auto &e : ends) {
        const QPointF p = TrackingViewModel::plotPoint(e.end.azimuthDeg, e.end.elevationDeg, c, 100);
        EXPECT_NEAR(std::hypot(p.x() - c.x(), p.y() - c.y()), 100, 1.0);
        const QPointF want = TrackingViewModel::plotPoint(e.azimuth, 0, c, 100);
        EXPECT_NEAR(p.x(), want.x(), 1.0);
        EXPECT_NEAR(p.y(), want.y(), 1.0);
    }
}

TEST_F(TrackingViewModelTest, SaysPlainlyWhatIsMissingAndWarnsOfOldElements)
{
    TrackingViewModel model(*m_settings, m_clock, m_dir.path());
    model.setSatellite("SO-50");
    EXPECT_EQ(model.update().status, TrackingViewModel::Status::NotInTleFile);
    EXPECT_TRUE(model.snapshot().message.contains("SO-50"));
    EXPECT_TRUE(model.infoText().isEmpty());

    // The file gains the satellite, with elements three weeks old: found at the next look.
    writeTle("SO-50", Start - 21 * Day);
    QFile file(m_dir.filePath("nasabare.txt")); // a new time even within the same millisecond
    ASSERT_TRUE(
        file.open(QIODevice::ReadWrite) &&
        file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(60), QFileDevice::FileModificationTime));
    m_clock.advance(TrackingViewModel::ReloadCheckMs);
    EXPECT_EQ(model.update().status, TrackingViewModel::Status::Ok);
    EXPECT_TRUE(model.snapshot().staleElements);
    EXPECT_TRUE(TrackingViewModel::staleText(model.snapshot()).contains("21 日前"));

    m_settings->setValue(keys::TleFile, "missing.txt");
    m_clock.advance(TrackingViewModel::ReloadCheckMs);
    EXPECT_EQ(model.update().status, TrackingViewModel::Status::NoTleFile);

    const Settings empty(m_dir.filePath("other.ini"));
    TrackingViewModel noStation(empty, m_clock, m_dir.path());
    noStation.setSatellite("RS-44");
    EXPECT_EQ(noStation.update().status, TrackingViewModel::Status::NoStation);
}

} // namespace
