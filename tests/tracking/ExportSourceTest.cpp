// The export-endpoint source against an item handler on a real channel in
// this process, the source factory, and detection over channel titles.

#include "tracking/ExportSource.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "platform/LocalChannel.h"
#include "tracking/RegistrySource.h"
#include "tracking/TrackingDetection.h"
#include "tracking/TrackingSourceFactory.h"
#include "tracking/WineRegistry.h"

#include "ManualClock.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QHash>
#include <QTemporaryDir>

using namespace vm;
using RR = TrackingSource::ReadResult;

namespace {

class ExportSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(channel.open()) << channel.errorString().toStdString();
    }

    // Serves `items` on the export endpoint of `kind`, recording every request.
    void serve(TrackingKind kind)
    {
        const QString title = trackingProgram(kind).exportTitle();
        ASSERT_TRUE(channel.registerTitle(title));
        channel.setItemHandler(title, [this](const QString &item) -> std::optional<QString> {
            requests << item;
            if (!items.contains(item))
                return std::nullopt;
            return items.value(item);
        });
    }

    TrackingValues oldValues() const
    {
        TrackingValues v;
        v.satellite = "OLD";
        v.elevation = "-5";
        v.revolution = "1";
        v.rangeRate = 42;
        return v;
    }

    QTemporaryDir m_dir;
    LocalChannel channel{m_dir.path()};
    QHash<QString, QString> items{{"txtSatellite", " ao-07 "},
                                  {"txtElevation", "12.5"},
                                  {"txtRevolution", "23456"},
                                  {"txtRangeRate", "-1234.5"}};
    QStringList requests;
};

} // namespace

// The range rate is asked first, then satellite, elevation and revolution; a
// value that is missing or not a number ends the read, and what was not
// reached keeps its old contents.
TEST_F(ExportSourceTest, ReadsRangeRateFirstAndStopsAtTheFirstBadItem)
{
    const QStringList all{"txtRangeRate", "txtSatellite", "txtElevation", "txtRevolution"};
    const QHash<QString, QString> ornik{
        {"TEXT1", "FO-29"}, {"TEXT3", "3.25"}, {"TEXT5", "1000"}, {"TEXT7", "99"}};
    const struct {
        TrackingKind kind;
        QHash<QString, QString> changes; // a value "-" removes the item
        RR result;
        QStringList requests;
        float rangeRate;
        const char *satellite, *elevation, *revolution;
    } cases[] = {
        // clang-format off
        {TrackingKind::Ornik, ornik, RR::Ok, {"TEXT7", "TEXT1", "TEXT3", "TEXT5"}, 99, "FO-29", "3.25", "1000"},
        {TrackingKind::Kepral99, {{"txtElevation", "-"}}, RR::Failed, all.mid(0, 3), -1234.5f, "ao-07", "-5", "1"},
        {TrackingKind::Kepral99, {{"txtElevation", ""}}, RR::Failed, all.mid(0, 3), -1234.5f, "ao-07", "-5", "1"},
        {TrackingKind::Kepral32, {{"txtRangeRate", ""}}, RR::Failed, all.mid(0, 1), 42, "OLD", "-5", "1"},
        {TrackingKind::Kepral32, {{"txtRangeRate", "12,5"}}, RR::Failed, all.mid(0, 1), 42, "OLD", "-5", "1"},
        {TrackingKind::Kepral32, {{"txtRangeRate", " 17.5\r\n"}}, RR::Ok, all, 17.5f, "ao-07", "12.5", "23456"},
        // clang-format on
    };
    const QHash<QString, QString> standard = items;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.requests.join(u' ').toStdString() + " " + c.changes.values().join(u' ').toStdString());
        items = c.kind == TrackingKind::Ornik ? QHash<QString, QString>{} : standard;
        for (auto it = c.changes.begin(); it != c.changes.end(); ++it) {
            if (it.value() == u"-")
                items.remove(it.key());
            else
                items[it.key()] = it.value();
        }
        requests.clear();
        serve(c.kind);
        ExportSource source(trackingProgram(c.kind), channel);
        QString note;
        ASSERT_TRUE(source.open(&note));
        EXPECT_TRUE(note.isEmpty());
        TrackingValues v = oldValues();
        EXPECT_EQ(source.read(v), c.result);
        EXPECT_EQ(requests, c.requests);
        EXPECT_FLOAT_EQ(v.rangeRate, c.rangeRate);
        EXPECT_EQ(v.satellite, c.satellite);
        EXPECT_EQ(v.elevation, c.elevation);
        EXPECT_EQ(v.revolution, c.revolution);
        if (c.changes.value("txtElevation") == u"-") {
            EXPECT_TRUE(source.lastError().contains("txtElevation"));
        }
        channel.unregisterTitle(trackingProgram(c.kind).exportTitle());
    }
}

TEST_F(ExportSourceTest, MissingEndpointFailsEachReadUntilTheProgramAppears)
{
    ExportSource source(trackingProgram(TrackingKind::Kepral32), channel);
    QString note;
    EXPECT_TRUE(source.open(&note));
    EXPECT_TRUE(note.contains("Kepral32|Export")) << note.toStdString();
    TrackingValues v = oldValues();
    EXPECT_EQ(source.read(v), RR::Failed);
    EXPECT_EQ(v.satellite, "OLD");
    serve(TrackingKind::Kepral32);
    EXPECT_EQ(source.read(v), RR::Ok);
    EXPECT_EQ(v.satellite, "ao-07");
    source.close();
    EXPECT_EQ(source.read(v), RR::NothingRead);
}

TEST_F(ExportSourceTest, FactoryGivesOrnikTheExportEndpointWhateverTheMethod)
{
    Settings settings(m_dir.filePath("Velomira.ini"));
    test::ManualClock clock;
    TrackingSourceContext ctx{settings, channel, clock, {"AO-07"}};

    // The other kinds' sources are seen at work: the export endpoint by default in
    // TunavoxProcessEcho, the built-in one in SettingsFormE2e, the registry in
    // RegistryMethodSeesAProgramWindowThatIsNoChannelEndpoint.
    ASSERT_TRUE(settings.setValue(keys::UseDde, "0"));
    // Ornik has no registry values: its link goes back to the export endpoint.
    auto ornik = makeTrackingSource(TrackingKind::Ornik, ctx);
    auto *exportSource = dynamic_cast<ExportSource *>(ornik.get());
    ASSERT_NE(exportSource, nullptr);
    EXPECT_EQ(exportSource->program().kind, TrackingKind::Ornik);
    EXPECT_EQ(Settings(settings.path()).value(keys::UseDde), "1");
}

TEST_F(ExportSourceTest, RegistryMethodSeesAProgramWindowThatIsNoChannelEndpoint)
{
    // Kepral32 under Wine: an X11 window and its registry values, no endpoint.
    Settings settings(m_dir.filePath("Velomira.ini"));
    ASSERT_TRUE(settings.setValue(keys::UseDde, "0"));
    const QString reg = m_dir.filePath("user.reg");
    ASSERT_TRUE(settings.setValue(keys::RegFile, reg));
    ASSERT_TRUE(wineRegistry::writeKey(
        reg, RegistrySource::keyPath("Kepral32"),
        {{"RangeRate", "-100"}, {"Satellite", "AO-07"}, {"Elevation", "3"}, {"Revolution", "7"}}));
    test::ManualClock clock;
    bool windowShown = true;
    TrackingSourceContext ctx{
        settings,  channel, clock,
        {"AO-07"}, {},      [&](const QString &title) { return windowShown && title == "Kepral32"; }};
    auto source = makeTrackingSource(TrackingKind::Kepral32, ctx);
    TrackingValues v;
    EXPECT_EQ(source->read(v), RR::Ok);
    EXPECT_EQ(v.satellite, "AO-07");
    windowShown = false;
    EXPECT_EQ(source->read(v), RR::ProgramClosed);
}

TEST_F(ExportSourceTest, RegistryFilePathExpandsTheHomeFolder)
{
    Settings settings(m_dir.filePath("Velomira.ini"));
    EXPECT_EQ(registryFilePath(settings), QDir::homePath() + "/.wine/user.reg");
    settings.setValue(keys::RegFile, "/srv/wine/user.reg");
    EXPECT_EQ(registryFilePath(settings), "/srv/wine/user.reg");
}
