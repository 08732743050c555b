// The built-in source on a manual clock, against vm_orbit's own look angles
// and pass search for the same instants.

#include "tracking/BuiltinSource.h"
#include "TleFixtures.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "orbit/LookAngles.h"
#include "orbit/Maidenhead.h"
#include "orbit/PassPredictor.h"
#include "tracking/OrbitValues.h"
#include "tracking/TrackingLink.h"

#include "ManualClock.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <functional>

using namespace vm;
using namespace vm::test;
using RR = TrackingSource::ReadResult;

namespace {

constexpr double kTokyoLat = 35.68;
constexpr double kTokyoLon = 139.77;
constexpr double kTokyoHeight = 40.0;

class BuiltinSourceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    void writeTle(const QString &text, const QString &name = "nasabare.txt")
    {
        ASSERT_TRUE(writeFile(path(name), text.toUtf8()));
    }

    void setStation(double lat, double lon, double height = 0)
    {
        settings.setValue(keys::Latitude, QString::number(lat, 'f', 6));
        settings.setValue(keys::Longitude, QString::number(lon, 'f', 6));
        settings.setValue(keys::Height, QString::number(height));
        station = {lat, lon, height};
    }

    std::unique_ptr<BuiltinSource> openSource(const QStringList &names, QString *error = nullptr)
    {
        auto s = std::make_unique<BuiltinSource>(settings, names, clock);
        QString why;
        const bool ok = s->open(&why);
        if (error)
            *error = why;
        EXPECT_TRUE(ok || error) << why.toStdString();
        return s;
    }

    // A source on these sets in the default file, for a station in Tokyo.
    std::unique_ptr<BuiltinSource> tokyoSource(std::initializer_list<TleSet> sets, const QStringList &names)
    {
        writeTle(tleText(sets));
        setStation(kTokyoLat, kTokyoLon, kTokyoHeight);
        return openSource(names);
    }

    // Moves the clock to the first whole step at or after its time where `pred` holds.
    bool advanceUntil(const std::function<bool(int64_t utc)> &pred, int64_t stepMs,
                      int64_t limitMs = 2LL * 86400 * 1000)
    {
        for (int64_t waited = 0; waited <= limitMs; waited += stepMs) {
            if (pred(clock.utcMs()))
                return true;
            clock.advance(stepMs);
        }
        return false;
    }

    double el(const orbit::Satellite &sat, int64_t utc) const
    {
        return orbit::elevationDeg(sat, station, utc);
    }

    // Independent oracle for "next to rise": the earliest AOS of a pass still to come or in progress.
    std::optional<int64_t> nextAos(const orbit::Satellite &sat, int64_t utc) const
    {
        for (const orbit::Pass &p : orbit::findPasses(sat, station, utc, utc + 86400000LL).passes) {
            if (p.losMs >= utc)
                return p.aosMs;
        }
        return std::nullopt;
    }

    void expectValuesMatch(const TrackingValues &v, const orbit::Satellite &sat, int64_t utc)
    {
        const orbit::LookAngles look = orbit::lookAngles(sat, station, utc);
        ASSERT_TRUE(look.ok());
        EXPECT_NEAR(v.elevation.toDouble(), look.elevationDeg, 0.0051) << v.elevation.toStdString();
        EXPECT_NEAR(v.rangeRate, look.rangeRateMs, 1e-3 * std::max(1.0, std::abs(look.rangeRateMs)));
        EXPECT_EQ(v.revolution, QString::number(look.revolution));
    }

    QTemporaryDir m_dir;
    Settings settings{m_dir.filePath("Velomira.ini")};
    ManualClock clock{kEpochMs};
    orbit::Observer station;
    const orbit::Satellite iss{parsedSet(kIss)};
    const orbit::Satellite ao7{parsedSet(kAo7)};
    const orbit::Satellite geoA{parsedSet(kGeoA)};
    const orbit::Satellite geoB{parsedSet(kGeoB)};
};

} // namespace

TEST_F(BuiltinSourceTest, ValuesAgreeWithLookAnglesAndCarryTheTableName)
{
    auto source = tokyoSource({kIss, kAo7}, {"ISS", "AO-07"});
    ASSERT_TRUE(source->selectSatellite("ao-07"));
    for (int i = 0; i < 40; ++i) {
        TrackingValues v;
        ASSERT_EQ(source->read(v), RR::Ok);
        EXPECT_EQ(v.satellite, "AO-07");
        expectValuesMatch(v, ao7, clock.utcMs());
        ASSERT_TRUE(source->rangeRateAt(clock.utcMs() + 2500).has_value());
        EXPECT_NEAR(*source->rangeRateAt(clock.utcMs() + 2500),
                    orbit::lookAngles(ao7, station, clock.utcMs() + 2500).rangeRateMs, 1e-9);
        clock.advance(97'000);
    }
}

TEST_F(BuiltinSourceTest, RangeRateLeadLooksAheadByHalfTheReadPeriodPlusTheDialDelay)
{
    auto source = tokyoSource({kIss}, {"ISS"});
    ASSERT_TRUE(source->selectSatellite("ISS"));
    source->setRangeRateLead(true, 30);
    const auto rangeRateIn = [&](qint64 aheadMs) {
        return orbit::lookAngles(iss, station, clock.utcMs() + aheadMs).rangeRateMs;
    };
    const auto expectRead = [&](qint64 leadMs) {
        TrackingValues v;
        ASSERT_EQ(source->read(v), RR::Ok);
        EXPECT_EQ(source->lastLeadMs(), leadMs);
        EXPECT_NEAR(v.rangeRate, rangeRateIn(leadMs), 1e-3 * std::max(1.0, std::abs(rangeRateIn(leadMs))));
        // Only the range rate looks ahead.
        const orbit::LookAngles now = orbit::lookAngles(iss, station, clock.utcMs());
        EXPECT_EQ(v.elevation, orbitValues::elevationText(now.elevationDeg));
    };
    expectRead(30); // no previous read: the dial delay only
    for (qint64 period : {100, 100, 250, 50}) {
        clock.advance(period);
        expectRead(period / 2 + 30);
    }
    clock.advance(60'000); // a pause (settings window): the period counts at most MaxLeadPeriodMs
    expectRead(BuiltinSource::MaxLeadPeriodMs / 2 + 30);
    source->setDialDelayMs(55); // as the loop measured it
    clock.advance(100);
    expectRead(50 + 55);

    source->setRangeRateLead(false);
    clock.advance(100);
    expectRead(0);
}

TEST_F(BuiltinSourceTest, LocatorAndHeightGiveTheStation)
{
    writeTle(tleText({kAo7}));
    settings.setValue(keys::Latitude, "35.0"); // longitude missing: the locator counts
    settings.setValue(keys::Locator, "PM95vq");
    settings.setValue(keys::Height, "1200");
    auto source = openSource({"AO-07"});
    const auto centre = orbit::locatorToLatLon("PM95vq");
    ASSERT_TRUE(centre);
    station = {centre->latitudeDeg, centre->longitudeDeg, 1200};
    EXPECT_DOUBLE_EQ(source->station().latitudeDeg, station.latitudeDeg);
    EXPECT_DOUBLE_EQ(source->station().heightM, 1200);
    TrackingValues v;
    ASSERT_EQ(source->read(v), RR::Ok);
    expectValuesMatch(v, ao7, clock.utcMs());
    // An element-set file outside the data folder: SettingsFormE2e.FromAnEmptyDataFolder...
}

TEST_F(BuiltinSourceTest, MissingStationOrUnusableFileGivesAClearError)
{
    writeTle(tleText({kAo7}));
    QString error;
    auto noStation = openSource({"AO-07"}, &error);
    EXPECT_TRUE(error.contains("[QTH]")) << error.toStdString();
    TrackingValues v;
    EXPECT_EQ(noStation->read(v), RR::NothingRead);

    const auto expectError = [&](const QStringList &names, const char *says) {
        openSource(names, &error);
        EXPECT_TRUE(error.contains(says)) << error.toStdString();
    };
    settings.setValue(keys::Locator, "ZZ99");
    expectError({"AO-07"}, "ZZ99");
    setStation(kTokyoLat, kTokyoLon);
    settings.setValue(keys::Latitude, "95");
    expectError({"AO-07"}, "95");
    setStation(kTokyoLat, kTokyoLon);
    expectError({"RS-44", "SO-50"}, "nasabare.txt"); // the file has none of them
    writeTle("garbage\nmore garbage\n");
    expectError({"AO-07"}, "nasabare.txt");
}

TEST_F(BuiltinSourceTest, LinkKeepsASourceWaitingForItsTleFile)
{
    setStation(kTokyoLat, kTokyoLon);
    settings.setValue(keys::TleFile, "amateur.txt");
    QStringList reports;
    TrackingLink link([&](const QString &c, const QString &p) { reports << c + p; }, {});
    QString error;
    EXPECT_FALSE(link.open(std::make_unique<BuiltinSource>(settings, QStringList{"AO-07"}, clock), &error));
    EXPECT_TRUE(error.contains("amateur.txt")) << error.toStdString();
    EXPECT_TRUE(link.isOpen());
    link.read();
    EXPECT_TRUE(link.label().isEmpty());

    // Found without regard to case, once the next check comes round.
    writeTle(tleText({kAo7}), "Amateur.TXT");
    clock.advance(BuiltinSource::ReloadCheckMs - 1);
    link.read();
    EXPECT_TRUE(link.label().isEmpty());
    clock.advance(1);
    link.read();
    EXPECT_EQ(link.label(), "AO-07");

    // Without a station nothing can come of it: the link lets the source go.
    settings.removeValue(keys::Latitude);
    EXPECT_FALSE(link.open(std::make_unique<BuiltinSource>(settings, QStringList{"AO-07"}, clock)));
    EXPECT_FALSE(link.isOpen());
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(BuiltinSourceTest, AutomaticChoiceTakesTheHighestSatelliteUp)
{
    // A station under GEO-A sees both geostationary satellites, GEO-A higher.
    const orbit::LookAngles sub = orbit::lookAngles(geoA, orbit::Observer{}, kEpochMs);
    station = {35.0, sub.subSatellite.longitudeDeg, 0};
    setStation(station.latitudeDeg, station.longitudeDeg);
    ASSERT_GT(el(geoB, kEpochMs), 0.0);
    ASSERT_GT(el(geoA, kEpochMs), el(geoB, kEpochMs));
    writeTle(tleText({kGeoB, kAo7, kGeoA}));
    auto source = openSource({"GEO-B", "AO-07", "GEO-A"});
    EXPECT_TRUE(source->isAutomatic());
    TrackingValues v;
    ASSERT_EQ(source->read(v), RR::Ok);
    const orbit::Satellite *highest = &geoA;
    if (el(ao7, clock.utcMs()) > el(geoA, clock.utcMs()))
        highest = &ao7;
    EXPECT_EQ(v.satellite, highest == &geoA ? "GEO-A" : "AO-07");
}

TEST_F(BuiltinSourceTest, AutomaticChoiceTakesTheNextToRiseWhenNoneIsUp)
{
    setStation(kTokyoLat, kTokyoLon);
    ASSERT_TRUE(advanceUntil([&](int64_t t) { return el(iss, t) < -5 && el(ao7, t) < -5; }, 60'000));
    writeTle(tleText({kIss, kAo7}));
    auto source = openSource({"ISS", "AO-07"});
    const int64_t now = clock.utcMs();
    const auto issAos = nextAos(iss, now);
    const auto ao7Aos = nextAos(ao7, now);
    ASSERT_TRUE(issAos && ao7Aos);
    TrackingValues v;
    ASSERT_EQ(source->read(v), RR::Ok);
    EXPECT_EQ(v.satellite, *issAos < *ao7Aos ? "ISS" : "AO-07");
    EXPECT_LT(v.elevation.toDouble(), 0.0);

    // The chooser's list shows the same next passes.
    const QList<BuiltinSource::Candidate> list = source->candidates();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].name, "ISS");
    EXPECT_EQ(list[0].tleName, "ISS (ZARYA)");
    EXPECT_EQ(list[0].aosMs, issAos);
    EXPECT_EQ(list[1].name, "AO-07");
    EXPECT_EQ(list[1].aosMs, ao7Aos);
    EXPECT_FALSE(list[0].up);
    EXPECT_NEAR(list[1].elevationDeg, el(ao7, now), 1e-9);
}

TEST_F(BuiltinSourceTest, AutomaticSatelliteStaysWhileUpAndIsReplacedWhenItSets)
{
    setStation(kTokyoLat, kTokyoLon);
    ASSERT_TRUE(advanceUntil([&](int64_t t) { return el(iss, t) > 5 && el(ao7, t) < 0; }, 30'000));
    writeTle(tleText({kIss, kAo7}));
    auto source = openSource({"AO-07", "ISS"});
    TrackingValues v;
    ASSERT_EQ(source->read(v), RR::Ok);
    EXPECT_EQ(v.satellite, "ISS");

    // Tick once a second until the ISS has set (by the orbit library's own reckoning).
    while (el(iss, clock.utcMs()) >= -0.01) {
        clock.advance(1000);
        ASSERT_EQ(source->read(v), RR::Ok);
        if (el(iss, clock.utcMs()) >= 0.01) {
            EXPECT_EQ(v.satellite, "ISS"); // kept even when AO-07 climbs higher
        }
    }
    const int64_t now = clock.utcMs();
    // Set: the replacement is chosen on this very tick.
    QString expected;
    if (el(ao7, now) >= 0)
        expected = "AO-07";
    else
        expected = *nextAos(ao7, now) < *nextAos(iss, now) ? "AO-07" : "ISS";
    EXPECT_EQ(v.satellite, expected);
    expectValuesMatch(v, expected == "ISS" ? iss : ao7, now);
}

TEST_F(BuiltinSourceTest, SelectionIsValidatedAndKeptInTheSettings)
{
    auto source = tokyoSource({kIss, kAo7}, {"ISS", "AO-07", "RS-44"});
    QString error;
    EXPECT_FALSE(source->selectSatellite("RS-44", &error)); // in the table, no element set
    EXPECT_TRUE(error.contains("RS-44"));
    EXPECT_FALSE(source->selectSatellite("XYZ"));
    EXPECT_TRUE(source->isAutomatic());
    EXPECT_EQ(settings.value(keys::TrackSatellite), "");

    ASSERT_TRUE(source->selectSatellite(" iss "));
    EXPECT_EQ(Settings(settings.path()).value(keys::TrackSatellite), "ISS");
    TrackingValues v;
    ASSERT_EQ(source->read(v), RR::Ok);
    EXPECT_EQ(v.satellite, "ISS");

    // A new source (a restart) starts with the stored choice.
    auto again = openSource({"ISS", "AO-07"});
    EXPECT_FALSE(again->isAutomatic());
    EXPECT_EQ(again->currentSatellite(), "ISS");

    // A stored choice that no longer has an element set falls back to automatic.
    auto without = openSource({"AO-07"});
    EXPECT_TRUE(without->isAutomatic());

    ASSERT_TRUE(again->selectSatellite(""));
    EXPECT_TRUE(again->isAutomatic());
    EXPECT_EQ(Settings(settings.path()).value(keys::TrackSatellite), "");
}

TEST_F(BuiltinSourceTest, ChangedTleFileIsReloadedAndABrokenOneKeepsTheOldSets)
{
    auto source = tokyoSource({kAo7}, {"AO-07"});
    TrackingValues v;
    ASSERT_EQ(source->read(v), RR::Ok);

    // New elements for the same satellite, half an orbit further on.
    TleSet moved = kAo7;
    std::string line2 = kAo7.line2;
    line2.replace(43, 8, "340.0000");
    moved.line2 = line2.c_str();
    writeTle(tleText({moved}));
    QFile(path("nasabare.txt"))
        .setFileTime(QDateTime::currentDateTimeUtc().addSecs(10), QFileDevice::FileModificationTime);
    const orbit::Satellite movedSat(parsedSet(moved));

    clock.advance(1000); // not yet looked at again
    ASSERT_EQ(source->read(v), RR::Ok);
    expectValuesMatch(v, ao7, clock.utcMs());
    clock.advance(BuiltinSource::ReloadCheckMs);
    ASSERT_EQ(source->read(v), RR::Ok);
    expectValuesMatch(v, movedSat, clock.utcMs());
    EXPECT_TRUE(source->lastError().isEmpty());

    writeTle("1 broken\n");
    QFile(path("nasabare.txt"))
        .setFileTime(QDateTime::currentDateTimeUtc().addSecs(20), QFileDevice::FileModificationTime);
    clock.advance(BuiltinSource::ReloadCheckMs);
    ASSERT_EQ(source->read(v), RR::Ok);
    expectValuesMatch(v, movedSat, clock.utcMs());
    EXPECT_TRUE(source->lastError().contains("nasabare.txt")) << source->lastError().toStdString();
}

TEST_F(BuiltinSourceTest, TableChangesAreMatchedAgain)
{
    auto source = tokyoSource({kIss, kAo7}, {"AO-07"});
    ASSERT_TRUE(source->selectSatellite("AO-07"));
    source->setTableNames({"ISS"});
    EXPECT_EQ(source->candidates().size(), 1);
    // The chosen satellite left the table: the automatic choice takes over.
    EXPECT_TRUE(source->isAutomatic());
    TrackingValues v;
    ASSERT_EQ(source->read(v), RR::Ok);
    EXPECT_EQ(v.satellite, "ISS");

    // The sets of a file that matched nothing serve once the table gains their satellite.
    writeTle(tleText({kFo29}));
    QString error;
    auto unmatched = openSource({"AO-07"}, &error);
    EXPECT_FALSE(error.isEmpty());
    unmatched->setTableNames({"AO-07", "FO-29"});
    ASSERT_EQ(unmatched->read(v), RR::Ok);
    EXPECT_EQ(v.satellite, "FO-29");
}
