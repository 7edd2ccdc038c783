// The plant's clock against the C library, which reads the same zone file with code of its own:
// every quarter hour of three years, and the hours the clocks skip and repeat.
#include "core/plant_clock.h"

#include "core/civil_date.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace shift {

namespace {

// The C library's Stockholm wall clock at `instant`.
class StockholmCLibrary {
public:
    StockholmCLibrary()
    {
        const char *saved = std::getenv("TZ");
        m_saved = saved != nullptr ? std::optional<std::string>(saved) : std::nullopt;
        ::setenv("TZ", "Europe/Stockholm", 1);
        ::tzset();
    }
    ~StockholmCLibrary()
    {
        if (m_saved)
            ::setenv("TZ", m_saved->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

    LocalDateTime at(std::chrono::sys_seconds instant) const
    {
        const std::time_t seconds = instant.time_since_epoch().count();
        std::tm local {};
        ::localtime_r(&seconds, &local);
        return { local.tm_year + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            local.tm_sec,
            0 };
    }

private:
    std::optional<std::string> m_saved;
};

bool same(const LocalDateTime &a, const LocalDateTime &b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour
        && a.minute == b.minute && a.second == b.second;
}

TEST(PlantClock, AgreesWithTheCLibraryAndRoundTripsOverThreeYears)
{
    const StockholmCLibrary oracle;
    const std::chrono::sys_seconds last = std::chrono::sys_days(civilDate(2028, 1, 1));
    for (std::chrono::sys_seconds t = std::chrono::sys_days(civilDate(2025, 1, 1)); t < last;
         t += std::chrono::minutes(15)) {
        const PlantMoment moment = plantMomentAt(t);
        ASSERT_EQ(moment.instant, t);
        ASSERT_TRUE(same(moment.wallClock, oracle.at(t))) << t.time_since_epoch().count();
        // Back from the wall clock: the same instant, but for the second of two repeated ones.
        const PlantMoment back = plantMomentOf(moment.wallClock);
        ASSERT_TRUE(same(back.wallClock, moment.wallClock));
        if (back.instant != t) {
            ASSERT_EQ(back.instant, t - std::chrono::hours(1)) << t.time_since_epoch().count();
        }
    }
}

TEST(PlantClock, ASkippedTimeIsTheJumpAndARepeatedOneItsFirstInstant)
{
    const StockholmCLibrary oracle;
    // 2026-03-29 02:30 does not exist in Stockholm: the clocks go from 02:00 CET to 03:00 CEST
    // at 01:00 UTC.
    const PlantMoment skipped = plantMomentOf({ 2026, 3, 29, 2, 30, 0, 0 });
    EXPECT_EQ(
        skipped.instant, std::chrono::sys_days(civilDate(2026, 3, 29)) + std::chrono::hours(1));
    EXPECT_TRUE(same(skipped.wallClock, { 2026, 3, 29, 3, 0, 0, 0 }));
    EXPECT_TRUE(same(skipped.wallClock, oracle.at(skipped.instant)));
    // 2026-10-25 02:30 happens twice: first at 00:30 UTC (CEST), then at 01:30 UTC (CET).
    const PlantMoment repeated = plantMomentOf({ 2026, 10, 25, 2, 30, 0, 0 });
    EXPECT_EQ(repeated.instant,
        std::chrono::sys_days(civilDate(2026, 10, 25)) + std::chrono::minutes(30));
    EXPECT_TRUE(same(repeated.wallClock, { 2026, 10, 25, 2, 30, 0, 0 }));
}

} // namespace

} // namespace shift
