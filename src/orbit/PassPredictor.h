#pragma once

#include "orbit/Observer.h"
#include "orbit/Satellite.h"
#include "orbit/Sgp4.h"

#include <cstdint>
#include <vector>

namespace vm::orbit {

// One pass of a satellite over a station; times are Unix milliseconds on whole seconds.
struct Pass {
    int64_t aosMs = 0; // first second at or above the horizon
    int64_t maxMs = 0; // second of the highest elevation
    int64_t losMs = 0; // last second at or above the horizon
    double aosAzimuthDeg = 0.0;
    double maxAzimuthDeg = 0.0;
    double losAzimuthDeg = 0.0;
    double maxElevationDeg = 0.0;
    bool aosAtSpanStart = false; // already in progress at the start: AOS is the span start
    bool losAtSearchEnd = false; // still up at the end of the search: LOS is that end
};

struct PassOptions {
    int coarseStepSeconds = 30;
    // A pass that begins inside the span is followed past the span end to its
    // real LOS for at most this long.
    int64_t losLookAheadMs = 24LL * 3600 * 1000;
};

// An element set whose epoch lies further than this from the time asked about
// is not searched: its predictions are worthless by then, and a deep-space set
// integrates its resonance terms from the epoch, so a set decades old costs
// seconds per day of passes.
inline constexpr int64_t StaleEpochLimitMs = 365LL * 24 * 3600 * 1000;

// True when atMs lies more than StaleEpochLimitMs before or after the epoch.
bool epochIsStale(const Satellite &satellite, int64_t atMs);

struct PassSearchResult {
    std::vector<Pass> passes;
    // Set when the span lies more than StaleEpochLimitMs from the epoch: nothing was searched.
    bool staleEpoch = false;
    // Set when propagation failed (decayed or invalid elements); the search
    // stops there and keeps the passes found before.
    Sgp4Error error = Sgp4Error::None;
    int64_t errorAtMs = 0;
};

// Every pass with any part inside [fromMs, toMs]. The span is walked in coarse
// steps; horizon crossings are then bisected to one second, and a peak between
// samples is examined so that short grazing passes are not stepped over.
PassSearchResult findPasses(const Satellite &satellite, const Observer &observer, int64_t fromMs,
                            int64_t toMs, const PassOptions &options = {});

} // namespace vm::orbit
