// The export-endpoint source against an item handler on a real channel in
// this process, the source factory, and detection over channel titles.

#include "tracking/ExportSource.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "platform/LocalChannel.h"
#include "tracking/BuiltinSource.h"
#include "tracking/RegistrySource.h"
#include "tracking/TrackingDetection.h"
#include "tracking/TrackingLink.h"
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

TEST_F(ExportSourceTest, ReadsRangeRateFirstThenSatelliteElevationRevolution)
{
    serve(TrackingKind::Kepral32);
    ExportSource source(trackingProgram(TrackingKind::Kepral32), channel);
    QString note;
    ASSERT_TRUE(source.open(&note));
    EXPECT_TRUE(note.isEmpty());
    TrackingValues v = oldValues();
    EXPECT_EQ(source.read(v), RR::Ok);
    EXPECT_EQ(requests, (QStringList{"txtRangeRate", "txtSatellite", "txtElevation", "txtRevolution"}));
    EXPECT_FLOAT_EQ(v.rangeRate, -1234.5f);
    EXPECT_EQ(v.satellite, "ao-07"); // trimmed
    EXPECT_EQ(v.elevation, "12.5");
    EXPECT_EQ(v.revolution, "23456");
}

TEST_F(ExportSourceTest, OrnikIsAskedForItsOwnItemNames)
{
    items = {{"TEXT1", "FO-29"}, {"TEXT3", "3.25"}, {"TEXT5", "1000"}, {"TEXT7", "99"}};
    serve(TrackingKind::Ornik);
    ExportSource source(trackingProgram(TrackingKind::Ornik), channel);
    ASSERT_TRUE(source.open(nullptr));
    TrackingValues v;
    EXPECT_EQ(source.read(v), RR::Ok);
    EXPECT_EQ(requests, (QStringList{"TEXT7", "TEXT1", "TEXT3", "TEXT5"}));
    EXPECT_EQ(v.satellite, "FO-29");
    EXPECT_EQ(v.elevation, "3.25");
    EXPECT_EQ(v.revolution, "1000");
    EXPECT_FLOAT_EQ(v.rangeRate, 99.0f);
}

TEST_F(ExportSourceTest, UnknownItemEndsTheReadAndLaterValuesKeepTheirContents)
{
    items.remove("txtElevation");
    serve(TrackingKind::Kepral99);
    ExportSource source(trackingProgram(TrackingKind::Kepral99), channel);
    ASSERT_TRUE(source.open(nullptr));
    TrackingValues v = oldValues();
    EXPECT_EQ(source.read(v), RR::Failed);
    EXPECT_EQ(requests, (QStringList{"txtRangeRate", "txtSatellite", "txtElevation"}));
    EXPECT_FLOAT_EQ(v.rangeRate, -1234.5f); // refreshed before the failure
    EXPECT_EQ(v.satellite, "ao-07");
    EXPECT_EQ(v.elevation, "-5"); // not reached
    EXPECT_EQ(v.revolution, "1");
    EXPECT_TRUE(source.lastError().contains("txtElevation"));
}

TEST_F(ExportSourceTest, ElevationThatIsNotANumberEndsTheReadBeforeTheRevolution)
{
    items["txtElevation"] = "";
    serve(TrackingKind::Kepral99);
    ExportSource source(trackingProgram(TrackingKind::Kepral99), channel);
    ASSERT_TRUE(source.open(nullptr));
    TrackingValues v = oldValues();
    EXPECT_EQ(source.read(v), RR::Failed);
    EXPECT_EQ(requests, (QStringList{"txtRangeRate", "txtSatellite", "txtElevation"}));
    EXPECT_EQ(v.elevation, "-5");
    EXPECT_EQ(v.revolution, "1");
}

TEST_F(ExportSourceTest, RangeRateThatIsNotANumberChangesNothing)
{
    for (const QString garbage : {"", "abc", "12,5", "1.2.3"}) {
        items["txtRangeRate"] = garbage;
        requests.clear();
        serve(TrackingKind::Kepral32);
        ExportSource source(trackingProgram(TrackingKind::Kepral32), channel);
        ASSERT_TRUE(source.open(nullptr));
        TrackingValues v = oldValues();
        EXPECT_EQ(source.read(v), RR::Failed) << garbage.toStdString();
        EXPECT_EQ(requests, QStringList{"txtRangeRate"});
        EXPECT_FLOAT_EQ(v.rangeRate, 42.0f);
        EXPECT_EQ(v.satellite, "OLD");
        channel.unregisterTitle(trackingProgram(TrackingKind::Kepral32).exportTitle());
    }
    // Blanks around a number are accepted.
    items["txtRangeRate"] = " 17.5\r\n";
    serve(TrackingKind::Kepral32);
    ExportSource source(trackingProgram(TrackingKind::Kepral32), channel);
    ASSERT_TRUE(source.open(nullptr));
    TrackingValues v;
    EXPECT_EQ(source.read(v), RR::Ok);
    EXPECT_FLOAT_EQ(v.rangeRate, 17.5f);
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

TEST_F(ExportSourceTest, LinkShowsTheLabelAndHorizonFromTheEndpoint)
{
    serve(TrackingKind::Kepral32);
    QStringList reports;
    QStringList labels;
    TrackingLink link([&](const QString &c, const QString &p) { reports << c + p; }, {});
    link.setLabelChanged([&](const QString &l) { labels << l; });
    ASSERT_TRUE(link.open(std::make_unique<ExportSource>(trackingProgram(TrackingKind::Kepral32), channel)));
    link.read();
    EXPECT_EQ(link.label(), "AO-07");
    EXPECT_TRUE(link.aboveHorizon());
    EXPECT_FLOAT_EQ(link.rangeRate(), -1234.5f);
    items["txtElevation"] = "-0.11";
    link.read();
    EXPECT_FALSE(link.aboveHorizon());
    EXPECT_EQ(reports, (QStringList{"OPPLNKOK", "OPPELE1", "OPPELE0"}));
    EXPECT_EQ(labels, QStringList{"AO-07"});
}

TEST_F(ExportSourceTest, FactoryBuildsTheSourceForKindAndMethod)
{
    Settings settings(m_dir.filePath("Velomira.ini"));
    test::ManualClock clock;
    TrackingSourceContext ctx{settings, channel, clock, {"AO-07"}};

    auto k32 = makeTrackingSource(TrackingKind::Kepral32, ctx);
    EXPECT_NE(dynamic_cast<ExportSource *>(k32.get()), nullptr); // use_DDE defaults to DDE
    EXPECT_NE(dynamic_cast<BuiltinSource *>(makeTrackingSource(TrackingKind::Builtin, ctx).get()), nullptr);

    ASSERT_TRUE(settings.setValue(keys::UseDde, "0"));
    EXPECT_NE(dynamic_cast<RegistrySource *>(makeTrackingSource(TrackingKind::Kepral99, ctx).get()), nullptr);
    EXPECT_EQ(settings.value(keys::UseDde), "0");

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
