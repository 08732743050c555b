#pragma once

#include <QtGlobal>

namespace vm {

// Time as the core sees it. The controller paces its serial traffic by this
// clock, so tests and the pass replay swap in a manual one.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale (origin unspecified).
    virtual qint64 nowMs() const = 0;
    // Wall-clock time in milliseconds since 1970-01-01 UTC (orbit computation).
    virtual qint64 utcMs() const = 0;
    // Blocks for the given time; a manual clock just advances.
    virtual void sleepMs(qint64 ms) = 0;
};

// The real clock: steady clock for intervals, system clock for UTC.
class SteadyClock final : public Clock {
public:
    qint64 nowMs() const override;
    qint64 utcMs() const override;
    void sleepMs(qint64 ms) override;
    static SteadyClock &instance();
};

} // namespace vm
