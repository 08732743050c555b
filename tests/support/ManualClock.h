#pragma once

#include "common/Clock.h"

namespace vm::test {

// A clock that moves only when told to; sleepMs advances it.
class ManualClock final : public Clock {
public:
    explicit ManualClock(qint64 startUtcMs = 1'700'000'000'000) : m_utcOrigin(startUtcMs) {}
    qint64 nowMs() const override { return m_now; }
    qint64 utcMs() const override { return m_utcOrigin + m_now; }
    void sleepMs(qint64 ms) override { if (ms > 0) m_now += ms; }
    void advance(qint64 ms) { m_now += ms; }

private:
    qint64 m_utcOrigin;
    qint64 m_now = 0;
};

} // namespace vm::test
