// The members of PersonalRoster that give shifts as instants in the plant's zone: apart from
// the rest of the record (personal_days.cpp) so that a program that only shows the record, the
// window, links no time-zone library.
#include "core/day_sequence.h"
#include "core/personal_days.h"
#include "core/rotation_schemes.h"

#include <algorithm>
#include <set>

namespace shift {

void PersonalRoster::forEachRosteredShift(DayCount first,
    DayCount last,
    const std::function<bool(const TeamShift &)> &visit,
    const TimeZone &zone) const
{
    const std::vector<TeamMove> &moves = m_record.moves;
    bool going = true;
    for (std::size_t i = 0; i < moves.size() && going; ++i) {
        // Each move rules from its day to the day before the next one.
        const DayCount from = std::max(first, moves[i].from);
        const DayCount to = std::min(last, i + 1 < moves.size() ? moves[i + 1].from - 1 : kLastDay);
        if (from > to || !teamWorksUnder(moves[i].scheme, moves[i].team))
            continue;
        forEachShift(
            moves[i].scheme,
            moves[i].team,
            from,
            to,
            [&](const TeamShift &shift) { return going = visit(shift); },
            zone);
    }
}

std::vector<WorkedShift> PersonalRoster::workedShifts(
    DayCount first, DayCount last, const TimeZone &zone) const
{
    std::vector<WorkedShift> shifts;
    if (!hasTeam() || first > last)
        return shifts;
    const std::vector<const DayEntry *> away = awayDays(first, last);
    forEachRosteredShift(
        first,
        last,
        [&](const TeamShift &shift) {
            if (away[static_cast<std::size_t>(shift.interval.day - first)] == nullptr)
                shifts.push_back({ shift, teamOn(shift.interval.day)->scheme, nullptr });
            return true;
        },
        zone);

    LocalTimeConverter clock(zone);
    // Two entries may name the same shift (a second note, an overlapping range): one shift.
    std::set<std::pair<DayCount, char>> taken;
    for (const WorkedShift &worked : shifts)
        taken.insert({ worked.shift.interval.day, worked.shift.letter });
    for (const DayEntry &entry : m_record.entries) {
        if (entry.kind != DayKind::Extra || entry.last < first || entry.first > last)
            continue;
        for (DayCount day = std::max(first, entry.first); day <= std::min(last, entry.last);
             ++day) {
            const int scheme = schemeOn(day);
            const int weekday = weekdayOf(day);
            const std::optional<ShiftTimes> times = shiftTimesOf(scheme, weekday, entry.letter);
            if (!times || !taken.insert({ day, entry.letter }).second)
                continue;
            // The holiday flags weigh the hours as they do for the rotation's own shifts.
            DaySequence days(scheme, civilDateOf(day));
            const bool holiday = days.day().holiday != 0;
            days.advance();
            const TeamMove *move = teamOn(day);
            TeamShift shift;
            shift.team = move != nullptr ? move->team : m_record.moves.front().team;
            shift.letter = entry.letter;
            shift.weekday = weekday;
            shift.holiday = holiday;
            shift.holidayNextDay = days.day().holiday != 0;
            shift.interval = shiftIntervalOf(day, *times, clock);
            shifts.push_back({ shift, scheme, &entry });
        }
    }
    std::stable_sort(shifts.begin(), shifts.end(), [](const WorkedShift &a, const WorkedShift &b) {
        return a.shift.interval.start < b.shift.interval.start;
    });
    return shifts;
}

} // namespace shift
