#include "core/personal_days.h"

#include "core/rotation_schemes.h"

#include <algorithm>

namespace shift {

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
