#include "core/clock.h"

#include "core/calendar_arithmetic.h"

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

namespace {

// The value of exactly `digits` decimal digits at the front of `text`, which it consumes;
// -1 when they are not there.
int takeDigits(std::string_view &text, std::size_t digits)
{
    if (text.size() < digits)
        return -1;
    int value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    text.remove_prefix(digits);
    return value;
}

bool take(std::string_view &text, std::string_view characters)
{
    if (text.empty() || characters.find(text.front()) == std::string_view::npos)
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

std::optional<LocalDateTime> parseLocalDateTime(std::string_view text)
{
    LocalDateTime t;
    t.year = takeDigits(text, 4);
    if (!take(text, "-"))
        return std::nullopt;
    t.month = takeDigits(text, 2);
    if (!take(text, "-"))
        return std::nullopt;
    t.day = takeDigits(text, 2);
    if (!take(text, " T"))
        return std::nullopt;
    t.hour = takeDigits(text, 2);
    if (!take(text, ":"))
        return std::nullopt;
    t.minute = takeDigits(text, 2);
    if (take(text, ":"))
        t.second = takeDigits(text, 2);
    if (!text.empty() || t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1
        || t.day > monthLengthOf(t.year, t.month - 1) || t.hour < 0 || t.hour > 23 || t.minute < 0
        || t.minute > 59 || t.second < 0 || t.second > 59)
        return std::nullopt;
    return t;
}

} // namespace shift
