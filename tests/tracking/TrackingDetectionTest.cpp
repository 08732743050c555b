#include "tracking/TrackingDetection.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace vm;
namespace td = vm::trackingDetection;

namespace {

TrackingDetection detectWith(QSet<QString> running, std::optional<QString> configured = std::nullopt)
{
    return td::detect([&](const QString &t) { return running.contains(t); }, configured);
}

} // namespace

// Each running program adds its weight; with several, Kepral32 wins, then
// Ornik, and the operator is told which one was taken.
TEST(TrackingDetection, RunningProgramsByWeight)
{
    struct Case {
        QSet<QString> running;
        int weight;
        TrackingKind kind;
        const char *calcType;
        const char *told; // part of the notice; nullptr: no notice
    };
    const Case cases[] = {
        {{"Kepral32"}, 1, TrackingKind::Kepral32, "1", nullptr},
        {{"ornik"}, 10, TrackingKind::Ornik, "2", nullptr},
        {{"Kepral99"}, 100, TrackingKind::Kepral99, "3", nullptr},
        {{"Kepral32", "ornik"}, 11, TrackingKind::Kepral32, "1", "(Kepral32 & Ornik)"},
        {{"Kepral32", "Kepral99"}, 101, TrackingKind::Kepral32, "1", "Kepral32 を採用"},
        {{"Kepral99", "ornik"}, 110, TrackingKind::Ornik, "2", "Ornik を採用"},
        {{"Kepral99", "ornik", "Kepral32"}, 111, TrackingKind::Kepral32, "1",
         "３つ(Kepral32 & Ornik & Kepral99)"},
        // Titles must match exactly: "Ornik" is not the window title "ornik".
        {{"Ornik", "kepral32", "Kepral32 - AO-07"}, 0, TrackingKind::Builtin, "4", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.weight);
        const TrackingDetection d = detectWith(c.running);
        EXPECT_EQ(d.weight, c.weight);
        EXPECT_EQ(d.kind, c.kind);
        EXPECT_EQ(d.calcType(), c.calcType);
        if (c.told)
            EXPECT_TRUE(d.message.contains(QString::fromUtf8(c.told))) << d.message.toStdString();
        else
            EXPECT_TRUE(d.message.isEmpty()) << d.message.toStdString();
    }
}

TEST(TrackingDetection, NoneRunningFallsBackToBuiltinAndFlagsOnlyAConfiguredOutsideProgram)
{
    EXPECT_FALSE(detectWith({}).found());
    EXPECT_FALSE(detectWith({}).configuredProgramMissing);
    for (const auto &[calcType, missing] : {std::pair{"3", true}, {" 2 ", true}, {"4", false}, {"x", false}})
        EXPECT_EQ(detectWith({}, QString(calcType)).configuredProgramMissing, missing) << calcType;
    // A running program is never "missing", whatever the settings say.
    EXPECT_FALSE(detectWith({"ornik"}, QString("1")).configuredProgramMissing);
    EXPECT_EQ(kindFromCalcType("4"), TrackingKind::Builtin);
    EXPECT_FALSE(kindFromCalcType("5").has_value());
}
