// Cost of the orbit computations the tracking source and the panel run
// every tick: SGP4/SDP4 propagation, full look angles, and a day of passes.

#include "orbit/LookAngles.h"
#include "orbit/PassPredictor.h"
#include "orbit/Satellite.h"
#include "orbit/Sgp4.h"
#include "orbit/Tle.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

namespace {

using namespace vm::orbit;

const char *const kIss1 = "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
const char *const kIss2 = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";
// A 12-hour Molniya orbit (deep space with half-day resonance).
const char *const kMolniya1 = "1 08195U 75081A   06176.33215444  .00000099  00000-0  11873-3 0   813";
const char *const kMolniya2 = "2 08195  64.1586 279.0717 6877146 264.7651  20.2257  2.00491383225656";
constexpr long long kIssEpochMs = 1221913540000LL;

Tle tle(const char *l1, const char *l2)
{
    Tle t;
    std::string error;
    TleParseOptions options;
    options.verifyChecksums = false;
    if (!parseTleLines("", l1, l2, t, error, options))
        throw std::runtime_error(error);
    return t;
}

void propagateNearEarth(benchmark::State &state)
{
    const Sgp4 model(tle(kIss1, kIss2));
    double t = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.propagate(t));
        t += 1.0;
    }
}
BENCHMARK(propagateNearEarth);

void propagateDeepSpaceResonant(benchmark::State &state)
{
    const Sgp4 model(tle(kMolniya1, kMolniya2));
    const double t = static_cast<double>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(model.propagate(t));
}
// The resonance integration walks from epoch in 720-minute steps.
BENCHMARK(propagateDeepSpaceResonant)->Arg(0)->Arg(1440)->Arg(30 * 1440);

void lookAnglesOneTick(benchmark::State &state)
{
    const Satellite iss(tle(kIss1, kIss2));
    const Observer station{35.68, 139.77, 40.0};
    long long t = kIssEpochMs;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lookAngles(iss, station, t));
        t += 1000;
    }
}
BENCHMARK(lookAnglesOneTick);

void passesOfOneDay(benchmark::State &state)
{
    const Satellite iss(tle(kIss1, kIss2));
    const Observer station{35.68, 139.77, 40.0};
    for (auto _ : state)
        benchmark::DoNotOptimize(findPasses(iss, station, kIssEpochMs, kIssEpochMs + 86400000LL));
}
BENCHMARK(passesOfOneDay)->Unit(benchmark::kMillisecond);

} // namespace
