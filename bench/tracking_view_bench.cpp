// Cost of the panel's tracking window through one overhead pass: each second
// the model's update, the window's texts and a full repaint of the window
// (polar plot included) into an image, as the screen would get it. The pass
// search of a fresh model is part of the figure, spread over the pass.
//
// Run: QT_QPA_PLATFORM=offscreen build/bin/tracking_view_bench

#include "common/Clock.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "orbit/OverheadOrbit.h"
#include "panel/TrackingViewModel.h"
#include "panel/ui/PolarPlot.h"
#include "panel/ui/TrackingWindow.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace vm;

constexpr qint64 Start = 1'790'000'000'000;

class BenchClock final : public Clock {
public:
    qint64 nowMs() const override { return m_now; }
    qint64 utcMs() const override { return Start + m_now; }
    void sleepMs(qint64 ms) override { m_now += ms; }

private:
    qint64 m_now = 0;
};

struct Station {
    QTemporaryDir dir;
    Settings settings{dir.filePath("Velomira.ini")};

    Station()
    {
        settings.setValue(keys::Latitude, "35.68");
        settings.setValue(keys::Longitude, "139.77");
        orbit::OverheadOrbitRequest r;
        r.name = "RS-44";
        r.station = {35.68, 139.77, 0};
        r.epochUnixMs = Start;
        r.culminationUnixMs = Start + 10 * 60'000;
        const orbit::Tle t = orbit::designOverheadOrbit(r);
        TextFile::writeLinesAtomic(dir.filePath("nasabare.txt"), {"RS-44", QString::fromStdString(t.line1),
                                                                  QString::fromStdString(t.line2)});
    }
};

// One iteration: a whole pass, a tick a second, with `paint` deciding what is drawn.
template <typename Paint> void runPass(benchmark::State &state, Paint paint)
{
    Station station;
    qint64 ticks = 0;
    for (auto _ : state) {
        BenchClock clock;
        TrackingViewModel model(station.settings, clock, station.dir.path());
        model.setSatellite("RS-44");
        const qint64 los = model.update().pass->losMs;
        clock.sleepMs(model.snapshot().pass->aosMs - clock.utcMs());
        for (; clock.utcMs() <= los; clock.sleepMs(1000), ++ticks)
            paint(model.update());
    }
    state.counters["per_tick"] =
        benchmark::Counter(double(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void modelOnly(benchmark::State &state)
{
    runPass(state, [](const TrackingViewModel::Snapshot &s) { benchmark::DoNotOptimize(s.look); });
}
BENCHMARK(modelOnly)->Unit(benchmark::kMillisecond);

void modelAndPlot(benchmark::State &state)
{
    QImage image(500, 500, QImage::Format_RGB32);
    runPass(state, [&](const TrackingViewModel::Snapshot &s) {
        QPainter p(&image);
        PolarPlot::paint(p, image.rect(), s);
    });
}
BENCHMARK(modelAndPlot)->Unit(benchmark::kMillisecond);

void modelAndWholeWindow(benchmark::State &state)
{
    TrackingWindow window;
    window.resize(820, 560);
    QImage image(window.size(), QImage::Format_RGB32);
    runPass(state, [&](const TrackingViewModel::Snapshot &s) {
        window.showSnapshot(s);
        window.render(&image);
    });
}
BENCHMARK(modelAndWholeWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
