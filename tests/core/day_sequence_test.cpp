// The walk over days that every table, calendar and terminal view of the command line uses.
#include "core/day_sequence.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>

namespace {

using namespace shift;
namespace chr = std::chrono;

int isoWeekByChrono(const CivilDate &date)
{
    const chr::sys_days d { date };
    const chr::sys_days thursday
        = d + chr::days { 4 - static_cast<int>(chr::weekday { d }.iso_encoding()) };
    const chr::sys_days first { chr::year_month_day { thursday }.year() / chr::January / 1 };
    return static_cast<int>((thursday - first).count() / 7 + 1);
}

TEST(DaySequence, StartsWithTheIsoWeekOnAnyDayAroundTheTurnOfTheYear)
{
    for (int year = 2000; year <= 2040; ++year) {
        for (DayCount count = dayCountOf(civilDate(year, 12, 24));
             count <= dayCountOf(civilDate(year + 1, 1, 8));
             ++count) {
            const CivilDate first = civilDateOf(count);
            DaySequence days(1, first);
            ASSERT_EQ(days.day().week, isoWeekByChrono(first)) << count;
            for (int i = 0; i < 10; ++i) {
                days.advance();
                ASSERT_EQ(days.day().week, isoWeekByChrono(days.day().date));
                ASSERT_EQ(days.day().date, civilDateOf(days.day().dayCount));
            }
        }
    }
}

TEST(DaySequence, ShowsWhatTheMultiMonthViewDraws)
{
    DaySequence sudra(0, civilDate(2001, 1, 1));
    EXPECT_EQ(sudra.day().shown, (std::array<char, 5> { 'N', ' ', 'F', 'E', ' ' }));
    EXPECT_EQ(sudra.day().pattern[4], 'N') << "team E keeps its pattern letter under sudra";

    DaySequence norda(1, civilDate(2016, 12, 24));
    EXPECT_TRUE(norda.day().productionStop);
    EXPECT_EQ(norda.day().shown, (std::array<char, 5> { '*', '*', '*', '*', '*' }));
    EXPECT_EQ(norda.day().holiday, 16);
    norda.advance();
    norda.advance();
    norda.advance();
    EXPECT_EQ(norda.day().date, civilDate(2016, 12, 27));
    EXPECT_FALSE(norda.day().productionStop);
}

} // namespace
