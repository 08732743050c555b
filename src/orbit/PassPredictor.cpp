#include "orbit/PassPredictor.h"

#include "orbit/LookAngles.h"

#include <cmath>
#include <optional>

namespace vm::orbit {

namespace {

constexpr int64_t kSecond = 1000;

// Elevation as a function of whole seconds, remembering the first failure.
class ElevationFunction {
public:
    ElevationFunction(const Satellite &satellite, const Observer &observer)
        : m_satellite(satellite), m_observer(observer)
    {
    }

    std::optional<double> operator()(int64_t seconds)
    {
        const double el = elevationDeg(m_satellite, m_observer, seconds * kSecond);
        if (std::isnan(el)) {
            if (m_error == Sgp4Error::None) {
                m_error = m_satellite.stateAt(seconds * kSecond).error;
                m_errorAt = seconds * kSecond;
            }
            return std::nullopt;
        }
        return el;
    }

    Sgp4Error error() const { return m_error; }
    int64_t errorAt() const { return m_errorAt; }

private:
    const Satellite &m_satellite;
    const Observer &m_observer;
    Sgp4Error m_error = Sgp4Error::None;
    int64_t m_errorAt = 0;
};

// Bisects between a second below the horizon and one above it (in either
// order) to the pair of adjacent seconds; returns the one above.
std::optional<int64_t> bisectHorizon(ElevationFunction &el, int64_t below, int64_t above)
{
    while (std::llabs(above - below) > 1) {
        const int64_t mid = below + (above - below) / 2;
        const auto e = el(mid);
        if (!e)
            return std::nullopt;
        (*e >= 0.0 ? above : below) = mid;
    }
    return above;
}

// Highest elevation within [lo, hi] (whole seconds), assuming one peak there.
std::optional<std::pair<int64_t, double>> refineMaximum(ElevationFunction &el, int64_t lo, int64_t hi)
{
    while (hi - lo > 2) {
        const int64_t m1 = lo + (hi - lo) / 3;
        const int64_t m2 = hi - (hi - lo) / 3;
        const auto e1 = el(m1);
        const auto e2 = el(m2);
        if (!e1 || !e2)
            return std::nullopt;
        if (*e1 < *e2)
            lo = m1 + 1;
        else
            hi = m2 - 1;
    }
    std::pair<int64_t, double> best{lo, -1000.0};
    for (int64_t t = lo; t <= hi; ++t) {
        const auto e = el(t);
        if (!e)
            return std::nullopt;
        if (*e > best.second)
            best = {t, *e};
    }
    return best;
}

} // namespace

bool epochIsStale(const Satellite &satellite, int64_t atMs)
{
    const int64_t off = atMs - satellite.epochUnixMs();
    return off > StaleEpochLimitMs || off < -StaleEpochLimitMs;
}

PassSearchResult findPasses(const Satellite &satellite, const Observer &observer, int64_t fromMs,
                            int64_t toMs, const PassOptions &options)
{
    PassSearchResult result;
    if (epochIsStale(satellite, fromMs) || epochIsStale(satellite, toMs)) {
        result.staleEpoch = true;
        return result;
    }
    ElevationFunction el(satellite, observer);
    const auto fail = [&]() {
        result.error = el.error();
        result.errorAtMs = el.errorAt();
        return result;
    };

    // Whole seconds: the first second not before the span start, the last not after its end.
    const int64_t from = fromMs >= 0 ? (fromMs + kSecond - 1) / kSecond : -((-fromMs) / kSecond);
    const int64_t to = toMs >= 0 ? toMs / kSecond : -((-toMs + kSecond - 1) / kSecond);
    if (to < from)
        return result;
    const int64_t step = options.coarseStepSeconds > 0 ? options.coarseStepSeconds : 30;
    const int64_t searchEnd = to + options.losLookAheadMs / kSecond;

    std::optional<Pass> current;
    int64_t bestT = 0;
    double bestEl = -1000.0;
    const auto updateBest = [&](int64_t t, double e) {
        if (e > bestEl) {
            bestEl = e;
            bestT = t;
        }
    };
    // Closes the current pass with LOS at the given second.
    const auto finishPass = [&](int64_t los, bool atSearchEnd) -> bool {
        Pass p = *current;
        p.losMs = los * kSecond;
        p.losAtSearchEnd = atSearchEnd;
        const int64_t aos = p.aosMs / kSecond;
        const auto peak = refineMaximum(el, std::max(aos, bestT - step), std::min(los, bestT + step));
        if (!peak)
            return false;
        p.maxMs = peak->first * kSecond;
        p.maxElevationDeg = peak->second;
        const LookAngles atAos = lookAngles(satellite, observer, p.aosMs);
        const LookAngles atMax = lookAngles(satellite, observer, p.maxMs);
        const LookAngles atLos = lookAngles(satellite, observer, p.losMs);
        p.aosAzimuthDeg = atAos.azimuthDeg;
        p.maxAzimuthDeg = atMax.azimuthDeg;
        p.losAzimuthDeg = atLos.azimuthDeg;
        result.passes.push_back(p);
        current.reset();
        return true;
    };
    const auto startPass = [&](int64_t aos, bool atStart) {
        Pass p;
        p.aosMs = aos * kSecond;
        p.aosAtSpanStart = atStart;
        current = p;
        bestEl = -1000.0;
        bestT = aos;
    };

    auto first = el(from);
    if (!first)
        return fail();
    int64_t prevT = from;
    double prevEl = *first;
    double prevPrevEl = prevEl;
    if (prevEl >= 0.0) {
        startPass(from, true);
        updateBest(from, prevEl);
    }

    for (int64_t t = from; t < searchEnd;) {
        // Past the span end only a pass in progress is followed.
        if (t >= to && !current)
            break;
        t = std::min(t + step, searchEnd);
        const auto e = el(t);
        if (!e) {
            // The orbit ended (decay): a pass in progress is not reported with an invented LOS.
            return fail();
        }
        if (!current && prevEl < 0.0 && *e >= 0.0) {
            if (prevT >= to)
                break;
            const auto aos = bisectHorizon(el, prevT, t);
            if (!aos)
                return fail();
            if (*aos > to)
                break;
            startPass(*aos, false);
            updateBest(t, *e);
        } else if (current && *e < 0.0) {
            const auto above = bisectHorizon(el, t, prevT);
            if (!above || !finishPass(*above, false))
                return fail();
        } else if (current) {
            updateBest(t, *e);
        } else if (prevEl < 0.0 && *e < 0.0 && prevEl > prevPrevEl && prevEl > *e && prevT > from &&
                   prevEl > -5.0) {
            // A peak below the horizon at the samples: look between them for a short pass.
            const auto peak = refineMaximum(el, prevT - step, t);
            if (!peak)
                return fail();
            if (peak->second >= 0.0 && peak->first <= to) {
                const auto aos = bisectHorizon(el, prevT - step, peak->first);
                const auto los = bisectHorizon(el, t, peak->first);
                if (!aos || !los)
                    return fail();
                if (*aos <= to) {
                    startPass(*aos, false);
                    bestT = peak->first;
                    bestEl = peak->second;
                    if (!finishPass(*los, false))
                        return fail();
                }
            }
        }
        prevPrevEl = prevEl;
        prevEl = *e;
        prevT = t;
    }
    if (current && !finishPass(searchEnd, true))
        return fail();
    return result;
}

} // namespace vm::orbit
