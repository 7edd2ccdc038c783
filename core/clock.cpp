#include "core/clock.h"

#include <chrono>
#include <ctime>

namespace shift {

LocalDateTime localClock()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local {};
    localtime_r(&seconds, &local);
    return { local.tm_year + 1900,
        local.tm_mon + 1,
        local.tm_mday,
        local.tm_hour,
        local.tm_min,
        local.tm_sec,
        static_cast<int>(millis) };
}

ClockSource fixedClock(LocalDateTime fixed)
{
    return [fixed] { return fixed; };
}

} // namespace shift
