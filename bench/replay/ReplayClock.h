#pragma once

#include "common/Clock.h"

#include <QtGlobal>

namespace vm::bench {

// The clock of a pass replay: it moves only when the controller waits (serial
// waits) or when the replay moves it to the next timer tick. UTC starts at a
// chosen moment so the orbit and the controller agree on "now".
class ReplayClock final : public Clock {
public:
    explicit ReplayClock(qint64 startUtcMs) : m_utcOrigin(startUtcMs) {}
    qint64 nowMs() const override { return m_now; }
    qint64 utcMs() const override { return m_utcOrigin + m_now; }
    void sleepMs(qint64 ms) override
    {
        if (ms > 0)
            m_now += ms;
    }
    void advanceTo(qint64 ms)
    {
        if (ms > m_now)
            m_now = ms;
    }
    qint64 utcOrigin() const { return m_utcOrigin; }

private:
    qint64 m_utcOrigin;
    qint64 m_now = 0;
};

} // namespace vm::bench
