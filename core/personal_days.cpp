#include "core/personal_days.h"

#include "core/day_sequence.h"
#include "core/rotation_schemes.h"

#include <algorithm>
#include <set>

namespace shift {

namespace {

constexpr DayCount kLastDay = dayCountOf(9999, 11, 31);

} // namespace

std::string_view personalDayName(DayKind kind)
{
    switch (kind) {
    case DayKind::Vacation:
        return "Semester";
    case DayKind::Sick:
        return "Sjuk";
    case DayKind::Leave:
        return "Tjänstledig";
    case DayKind::Off:
        return "Ledig";
    case DayKind::Extra:
        return "Extra pass";
    }
    return {};
}

bool schemeHasShift(int scheme, char letter)
{
    if (!isWorkedShift(letter))
        return false;
    for (int position = 0; position < cycleLengthOf(scheme); ++position) {
        if (patternLetter(scheme, position) == letter)
            return true;
    }
    return false;
}

PersonalRoster::PersonalRoster(PersonalRecord record)
    : m_record(std::move(record))
{
    std::sort(m_record.moves.begin(),
        m_record.moves.end(),
        [](const TeamMove &a, const TeamMove &b) { return a.from < b.from; });
    // The first entry recorded is the one whose note a day shows. The database gives them in
    // that order already.
    const auto byId = [](const DayEntry &a, const DayEntry &b) { return a.id < b.id; };
    if (!std::is_sorted(m_record.entries.begin(), m_record.entries.end(), byId))
        std::sort(m_record.entries.begin(), m_record.entries.end(), byId);
}

const TeamMove *PersonalRoster::teamOn(DayCount day) const
{
    const auto after = std::upper_bound(
        m_record.moves.begin(), m_record.moves.end(), day, [](DayCount d, const TeamMove &move) {
            return d < move.from;
        });
    return after == m_record.moves.begin() ? nullptr : &*(after - 1);
}

int PersonalRoster::schemeOn(DayCount day) const
{
    const TeamMove *move = teamOn(day);
    return move != nullptr ? move->scheme : m_record.moves.front().scheme;
}

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

std::vector<const DayEntry *> PersonalRoster::awayDays(DayCount first, DayCount last) const
{
    std::vector<const DayEntry *> days(static_cast<std::size_t>(last - first + 1), nullptr);
    for (const DayEntry &entry : m_record.entries) {
        if (!isAwayKind(entry.kind) || entry.last < first || entry.first > last)
            continue;
        for (DayCount day = std::max(first, entry.first); day <= std::min(last, entry.last);
             ++day) {
            const DayEntry *&slot = days[static_cast<std::size_t>(day - first)];
            if (slot == nullptr || entry.id < slot->id)
                slot = &entry;
        }
    }
    return days;
}

std::vector<const DayEntry *> PersonalRoster::entriesShownOn(
    DayCount day, int scheme, int team) const
{
    std::vector<const DayEntry *> shown;
    const TeamMove *move = teamOn(day);
    if (move == nullptr || move->scheme != scheme || move->team != team)
        return shown;
    for (const DayEntry &entry : m_record.entries) {
        if (entry.first <= day && day <= entry.last)
            shown.push_back(&entry);
    }
    return shown;
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

DayCount PersonalRoster::lastPossibleShiftDay() const
{
    DayCount lastDay = 0;
    for (const DayEntry &entry : m_record.entries) {
        if (entry.kind == DayKind::Extra)
            lastDay = std::max(lastDay, entry.last);
    }
    if (hasTeam()) {
        const TeamMove &lastMove = m_record.moves.back();
        if (teamWorksUnder(lastMove.scheme, lastMove.team))
            return kLastDay;
        for (const TeamMove &move : m_record.moves) {
            if (teamWorksUnder(move.scheme, move.team))
                lastDay = std::max(lastDay, lastMove.from);
        }
    }
    return lastDay;
}

} // namespace shift
