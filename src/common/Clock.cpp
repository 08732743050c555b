#include "common/Clock.h"

#include <chrono>
#include <thread>

namespace vm {

qint64 SteadyClock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

qint64 SteadyClock::utcMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void SteadyClock::sleepMs(qint64 ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

SteadyClock &SteadyClock::instance()
{
    static SteadyClock clock;
    return clock;
}

} // namespace vm
