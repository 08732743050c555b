#include "panel/SatelliteChooser.h"
#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "orbit/LookAngles.h"
#include "orbit/Satellite.h"
#include "orbit/Tle.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;

namespace {

const char *IssLine1 = "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
const char *IssLine2 = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";

QString tleText(const QString &name)
{
    return name + u'\n' + QString::fromLatin1(IssLine1) + u'\n' + QString::fromLatin1(IssLine2) + u'\n';
}

qint64 epochMs()
{
    return QDateTime(QDate(2008, 9, 20), QTime(12, 25, 40), Qt::UTC).toMSecsSinceEpoch();
}

} // namespace

TEST(SatelliteChooser, NamesMatchWithoutCaseBlanksOrDashes)
{
    for (const auto &[a, b] : {std::pair{"AO-07", "AO-07"}, {"AO-07", "ao 07"}, {"ISS", "ISS (ZARYA)"},
                               {"AO-7", "OSCAR 7 (AO-7)"}})
        EXPECT_TRUE(SatelliteChooser::sameSatellite(a, b)) << a << " " << b;
    for (const auto &[a, b] : {std::pair{"AO-07", "OSCAR 7 (AO-7)"}, {"SO-50", "SO-500"}, {"", "X"}})
        EXPECT_FALSE(SatelliteChooser::sameSatellite(a, b)) << a << " " << b;
}

TEST(SatelliteChooser, StationFromCoordinatesElseLocatorAndTheTleFile)
{
    QTemporaryDir dir;
    Settings settings(dir.filePath("Velomira.ini"));
    EXPECT_FALSE(SatelliteChooser::station(settings).has_value());
    settings.setValue(keys::Locator, "PM95");
    auto s = SatelliteChooser::station(settings);
    ASSERT_TRUE(s.has_value());
    EXPECT_NEAR(s->latitudeDeg, 35.5, 0.01);
    EXPECT_NEAR(s->longitudeDeg, 139.0, 0.01);
    settings.setValue(keys::Latitude, "43.06");
    settings.setValue(keys::Longitude, "141.35");
    settings.setValue(keys::Height, "20");
    s = SatelliteChooser::station(settings);
    ASSERT_TRUE(s.has_value());
    EXPECT_DOUBLE_EQ(s->latitudeDeg, 43.06);
    EXPECT_DOUBLE_EQ(s->heightM, 20.0);
    settings.setValue(keys::Latitude, "north");
    EXPECT_NEAR(SatelliteChooser::station(settings)->latitudeDeg, 35.5, 0.01); // falls back to the locator

    // The element file: in the data folder, or where an absolute path says.
    EXPECT_EQ(SatelliteChooser::tleFile(settings, "/data"), "/data/nasabare.txt");
    settings.setValue(keys::TleFile, "/srv/tle/amateur.txt");
    EXPECT_EQ(SatelliteChooser::tleFile(settings, "/data"), "/srv/tle/amateur.txt");
}

TEST(SatelliteChooser, ListsTableSatellitesWithATleTheirNextRiseAndStaleElements)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("SATdata.txt");
    ASSERT_TRUE(TextFile::writeLinesAtomic(
        path, {SatelliteTable::headerLine(), "AO-07,432125,145925,50,145975,,,,,B-mode",
               "ISS,145990,437800,,,67.0,,,,", "ISS,145825,145825,,,,,,,APRS"}));
    SatelliteTable table;
    ASSERT_EQ(table.load(path), 4);
    const orbit::Observer tokyo{35.68, 139.77, 0.0};
    const qint64 now = epochMs();
    const QList<SatelliteChooser::Entry> list =
        SatelliteChooser::entries(table, tleText("ISS (ZARYA)"), tokyo, now);
    ASSERT_EQ(list.size(), 1); // AO-07 has no element set; ISS is listed once
    const SatelliteChooser::Entry &iss = list.first();
    EXPECT_EQ(iss.name, "ISS");
    EXPECT_EQ(iss.up, iss.elevationDeg >= 0);
    EXPECT_FALSE(iss.staleEpoch);
    EXPECT_TRUE(SatelliteChooser::staleMessage(list).isEmpty());
    ASSERT_GT(iss.nextAosMs, now);
    EXPECT_LT(iss.nextAosMs, now + 24LL * 3600 * 1000);
    // At the rise the satellite stands on the horizon.
    orbit::Tle tle;
    std::string error;
    ASSERT_TRUE(orbit::parseTleLines("ISS", IssLine1, IssLine2, tle, error));
    const orbit::Satellite sat(tle);
    EXPECT_NEAR(orbit::elevationDeg(sat, tokyo, iss.nextAosMs), 0.0, 0.5);
    EXPECT_LT(orbit::elevationDeg(sat, tokyo, iss.nextAosMs - 60000), 0.0);

    // Three years on the element set is flagged and named, with no rise computed.
    const qint64 yearsLater = now + 3 * 365LL * 24 * 3600 * 1000;
    const QList<SatelliteChooser::Entry> stale =
        SatelliteChooser::entries(table, tleText("ISS (ZARYA)"), tokyo, yearsLater);
    ASSERT_EQ(stale.size(), 1);
    EXPECT_TRUE(stale.first().staleEpoch);
    EXPECT_EQ(stale.first().nextAosMs, 0);
    EXPECT_TRUE(SatelliteChooser::staleMessage(stale).endsWith(": ISS"));
    // A garbled element file lists nothing.
    EXPECT_TRUE(SatelliteChooser::entries(table, "ISS\nnot a tle\n", tokyo, now).isEmpty());
}
