// A worker's record applied to the roster, swept over random records against a reckoning day by
// day; and the rest breaches of random runs of shifts against an hour-by-hour reckoning.
#include "core/personal_days.h"

#include "core/civil_date.h"
#include "core/rest_breaches.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <tuple>

namespace {

using namespace shift;
using std::chrono::hours;

DayCount on(int year, int month, int day)
{
    return dayCountOf(civilDate(year, month, day));
}

PersonalRecord randomRecord(std::mt19937 &random, DayCount first, DayCount last)
{
    auto dayIn = [&](DayCount a, DayCount b) {
        return std::uniform_int_distribution<DayCount>(a, b)(random);
    };
    PersonalRecord record;
    for (int i = 0; i < 3; ++i)
        record.moves.push_back({ dayIn(first - 10, last),
            i % 2,
            static_cast<int>(dayIn(0, 4) == 4 ? 4 : dayIn(0, 3)) });
    static constexpr char kLetters[] = "FEN";
    for (std::int64_t id = 1; id <= 40; ++id) {
        DayEntry entry;
        entry.id = id;
        entry.kind = static_cast<DayKind>(dayIn(0, 4));
        entry.first = dayIn(first - 5, last);
        entry.last = entry.first + dayIn(0, 6);
        entry.letter
            = entry.kind == DayKind::Extra ? kLetters[static_cast<std::size_t>(dayIn(0, 2))] : ' ';
        record.entries.push_back(entry);
    }
    return record;
}

// What the record means, told day by day: the team of the latest move up to the day, its
// rostered letter unless an away entry covers the day, and every extra letter not already there.
std::set<std::tuple<DayCount, char, bool>> reckonedShifts(
    const PersonalRecord &record, DayCount first, DayCount last)
{
    std::set<std::tuple<DayCount, char, bool>> shifts;
    for (DayCount day = first; day <= last; ++day) {
        const TeamMove *move = nullptr;
        for (const TeamMove &m : record.moves) {
            if (m.from <= day && (move == nullptr || m.from > move->from))
                move = &m;
        }
        bool away = false;
        for (const DayEntry &e : record.entries)
            away = away || (e.kind != DayKind::Extra && e.first <= day && day <= e.last);
        std::set<char> rostered;
        if (move != nullptr) {
            forEachShift(move->scheme, move->team, day, day, [&](const TeamShift &s) {
                rostered.insert(s.letter);
                return true;
            });
        }
        if (!away) {
            for (const char letter : rostered)
                shifts.insert({ day, letter, false });
        }
        for (const DayEntry &e : record.entries) {
            if (e.kind == DayKind::Extra && e.first <= day && day <= e.last
                && !(rostered.count(e.letter) > 0 && !away))
                shifts.insert({ day, e.letter, true });
        }
    }
    return shifts;
}

TEST(PersonalDays, RandomRecordsGiveTheShiftsReckonedDayByDay)
{
    std::mt19937 random(21);
    const DayCount first = on(2026, 1, 1);
    const DayCount last = on(2026, 4, 30);
    for (int round = 0; round < 30; ++round) {
        const PersonalRecord record = randomRecord(random, first, last);
        const PersonalRoster roster(record);
        std::set<std::tuple<DayCount, char, bool>> found;
        std::chrono::sys_seconds previous;
        for (const WorkedShift &worked : roster.workedShifts(first, last)) {
            EXPECT_GE(worked.shift.interval.start, previous) << "sorted by start";
            previous = worked.shift.interval.start;
            EXPECT_TRUE(
                found
                    .insert(
                        { worked.shift.interval.day, worked.shift.letter, worked.extra != nullptr })
                    .second);
        }
        EXPECT_EQ(found, reckonedShifts(record, first, last)) << "round " << round;

        // What a schedule of one team shows: the entries of a day on the worker's team only.
        for (DayCount day = first; day <= last; day += 3) {
            const TeamMove *move = nullptr;
            for (const TeamMove &m : record.moves) {
                if (m.from <= day && (move == nullptr || m.from > move->from))
                    move = &m;
            }
            std::set<std::int64_t> covering;
            for (const DayEntry &e : record.entries) {
                if (e.first <= day && day <= e.last)
                    covering.insert(e.id);
            }
            for (int team = 0; team < 5; ++team) {
                std::set<std::int64_t> shown;
                for (const DayEntry *entry : roster.entriesShownOn(day, round % 2, team))
                    shown.insert(entry->id);
                const bool mine
                    = move != nullptr && move->scheme == round % 2 && move->team == team;
                EXPECT_EQ(shown, mine ? covering : std::set<std::int64_t>()) << day << " " << team;
            }
        }
    }
}

TEST(PersonalDays, ExtraShiftsTakeTheirDaysHoursAndTheClockChange)
{
    PersonalRecord record;
    record.moves.push_back({ on(2026, 1, 1), 1, 4 });
    record.entries.push_back({ 1, DayKind::Extra, on(2026, 3, 28), on(2026, 3, 28), 'N', "" });
    record.entries.push_back({ 2, DayKind::Extra, on(2026, 3, 27), on(2026, 3, 27), 'N', "" });
    const std::vector<WorkedShift> shifts
        = PersonalRoster(record).workedShifts(on(2026, 3, 27), on(2026, 3, 28));
    std::map<DayCount, ShiftInterval> extras;
    for (const WorkedShift &w : shifts) {
        if (w.extra != nullptr)
            extras[w.shift.interval.day] = w.shift.interval;
    }
    // A Friday night under norda is eight hours; its Saturday night twelve on the clock, eleven
    // real hours the night the clocks go forward.
    EXPECT_EQ(extras.at(on(2026, 3, 27)).times, (ShiftTimes { 22, 8 }));
    EXPECT_EQ(extras.at(on(2026, 3, 28)).times, (ShiftTimes { 18, 12 }));
    EXPECT_EQ(extras.at(on(2026, 3, 28)).length(), hours(11));
    EXPECT_FALSE(schemeHasShift(0, 'X'));
    EXPECT_TRUE(schemeHasShift(1, 'E'));
}

// The rules told hour by hour: which UTC hours are worked, then the runs of hours off.
std::vector<RestBreach> reckonedBreaches(const std::vector<ShiftInterval> &shifts,
    DayCount first,
    DayCount last,
    const RestLimits &limits)
{
    using std::chrono::sys_seconds;
    std::vector<RestBreach> breaches;
    for (std::size_t i = 1; i < shifts.size(); ++i) {
        sys_seconds until = shifts[0].end;
        for (std::size_t j = 1; j < i; ++j)
            until = std::max(until, shifts[j].end);
        const ShiftInterval &next = shifts[i];
        if (next.day < first || next.day > last)
            continue;
        const sys_seconds restStart = std::min(until, next.start);
        if (next.start - restStart < limits.dailyHours)
            breaches.push_back({ RestRule::Daily, restStart, next.start, 0 });
    }
    const TimeZone &zone = plantTimeZone();
    for (DayCount monday = first - weekdayOf(first); monday <= last; monday += 7) {
        const sys_seconds weekStart = zone.to_sys(localTimeOf(monday, 0), date::choose::earliest);
        const sys_seconds weekEnd = zone.to_sys(localTimeOf(monday + 7, 0), date::choose::earliest);
        sys_seconds bestFrom = weekStart;
        sys_seconds bestTo = weekStart;
        sys_seconds runFrom = weekStart;
        bool inRun = false;
        for (sys_seconds hour = weekStart; hour <= weekEnd; hour += hours(1)) {
            bool worked = hour == weekEnd;
            for (const ShiftInterval &s : shifts)
                worked = worked || (s.start <= hour && hour < s.end);
            if (!worked && !inRun) {
                runFrom = hour;
                inRun = true;
            } else if (worked && inRun) {
                if (hour - runFrom > bestTo - bestFrom) {
                    bestFrom = runFrom;
                    bestTo = hour;
                }
                inRun = false;
            }
        }
        if (bestTo - bestFrom < limits.weeklyHours)
            breaches.push_back({ RestRule::Weekly, bestFrom, bestTo, monday });
    }
    std::stable_sort(breaches.begin(),
        breaches.end(),
        [](const RestBreach &a, const RestBreach &b) { return a.start < b.start; });
    return breaches;
}

TEST(RestBreaches, RandomRunsOfShiftsBreakTheRulesAsReckonedHourByHour)
{
    std::mt19937 random(11);
    // Weeks around both clock changes of 2026.
    for (const DayCount start : { on(2026, 3, 9), on(2026, 10, 12) }) {
        for (int round = 0; round < 20; ++round) {
            PersonalRecord record = randomRecord(random, start, start + 34);
            const DayCount first = start + 8;
            const DayCount last = start + 26;
            const RestLimits limits { hours(8 + round % 6), hours(24 + round % 20) };
            std::vector<ShiftInterval> intervals;
            for (const WorkedShift &w : PersonalRoster(record).workedShifts(start, start + 34))
                intervals.push_back(w.shift.interval);
            EXPECT_EQ(findRestBreaches(intervals, first, last, limits),
                reckonedBreaches(intervals, first, last, limits))
                << "round " << round;
        }
    }
}

TEST(RestBreaches, AnEveningAfterAMorningIsEightHoursOfRest)
{
    const ShiftInterval morning = shiftIntervalOf(on(2026, 5, 5), { 6, 8 });
    const ShiftInterval night = shiftIntervalOf(on(2026, 5, 5), { 22, 8 });
    const std::vector<ShiftInterval> shifts { morning, night };
    const std::vector<RestBreach> breaches
        = findRestBreaches(shifts, on(2026, 5, 4), on(2026, 5, 10), RestLimits {});
    ASSERT_EQ(breaches.size(), 1u);
    EXPECT_EQ(breaches[0].rule, RestRule::Daily);
    EXPECT_EQ(breaches[0].length(), hours(8));
    EXPECT_EQ(breaches[0].start, morning.end);
}

} // namespace
