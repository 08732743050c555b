#include "tracking/TrackingLink.h"
#include "ScriptedSource.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace vm;
using namespace vm::test;
using RR = TrackingSource::ReadResult;

namespace {

struct Harness {
    QStringList reports;
    QStringList labels;
    bool smoothingOn = false;
    QList<float> references;
    TrackingLink link{[this](const QString &c, const QString &p) { reports << c + p; },
                      TrackingLink::Smoothing{[this] { return smoothingOn; },
                                              [](float raw) { return raw + 1000.0f; },
                                              [this](float raw) { references << raw; }}};
    explicit Harness(QList<ScriptedSource::Step> steps)
    {
        // Opening the link reads once; that read finds nothing yet.
        steps.prepend({RR::NothingRead, {}});
        link.setLabelChanged([this](const QString &l) { labels << l; });
        EXPECT_TRUE(link.open(std::make_unique<ScriptedSource>(std::move(steps))));
        reports.clear();
    }
};

} // namespace

TEST(TrackingLink, HorizonIsMinusPointOneDegreesInclusiveAndTheScheduleFlagReportsEveryRead)
{
    Harness h({{RR::Ok, values("ao-07", "-0.1", 10)}, {RR::Ok, values("ao-07", "-0.11", 10)}});
    h.link.read();
    EXPECT_TRUE(h.link.aboveHorizon());
    EXPECT_EQ(h.reports, QStringList{"OPPELE1"});
    h.link.read();
    EXPECT_FALSE(h.link.aboveHorizon());
    EXPECT_EQ(h.reports, (QStringList{"OPPELE1", "OPPELE0"}));

    // The schedule flag reports on every read.
    Harness s({{RR::Ok, values("AO-07", "-5", 0)}});
    s.link.setScheduleFlag(true);
    s.link.read();
    s.link.read();
    EXPECT_EQ(s.reports, (QStringList{"OPPSCK", "OPPSCK"}));
}

TEST(TrackingLink, LabelIsTrimmedUpperCaseAndChangesOnlyOnce)
{
    Harness h({{RR::Ok, values("  ao-07 ", "10", 0)},
               {RR::Ok, values("AO-07", "11", 0)},
               {RR::Ok, values("fo-29", "12", 0)}});
    for (int i = 0; i < 3; ++i)
        h.link.read();
    EXPECT_EQ(h.labels, (QStringList{"AO-07", "FO-29"}));
}

TEST(TrackingLink, SmoothingAppliesOnlyAboveTheHorizonWhenSwitchedOn)
{
    Harness h({{RR::Ok, values("AO-07", "5", -2000)},
               {RR::Ok, values("AO-07", "5", -2000)},
               {RR::Ok, values("AO-07", "-5", -2100)}});
    h.link.read();
    EXPECT_FLOAT_EQ(h.link.rangeRate(), -2000);
    EXPECT_EQ(h.references, QList<float>{-2000});
    h.smoothingOn = true;
    h.link.read();
    EXPECT_FLOAT_EQ(h.link.rangeRate(), -1000); // smoothed value
    h.link.read();                              // below the horizon: raw, reference kept
    EXPECT_FLOAT_EQ(h.link.rangeRate(), -2100);
    EXPECT_EQ(h.references, (QList<float>{-2000, -2100}));
}

// A closed program reported on every tick:
// FakeTrackerE2e.RegistryMethodReadsWhatTheProgramWritesUntilItCloses.
TEST(TrackingLink, FailedReadEndsTheTick)
{
    Harness h({{RR::Ok, values("AO-07", "5", 100)}, {RR::Failed, values("", "", 200)}});
    h.link.read();
    h.reports.clear();
    h.link.read(); // failed: no horizon report, label unchanged
    EXPECT_TRUE(h.reports.isEmpty());
    EXPECT_EQ(h.link.label(), "AO-07");
}

TEST(TrackingLink, ElevationThatIsNotANumberOrEmptyEndsTheRead)
{
    for (const char *elevation : {"n/a", "", " "}) {
        SCOPED_TRACE(elevation);
        Harness h({{RR::Ok, values("AO-07", "10", 100)}, {RR::Ok, values("AO-08", elevation, 100)}});
        h.link.read();
        h.reports.clear();
        h.link.read();
        EXPECT_EQ(h.labels, QStringList{"AO-07"}); // the new name is not taken
        EXPECT_TRUE(h.reports.isEmpty());          // nor is the satellite taken as set
    }
}

