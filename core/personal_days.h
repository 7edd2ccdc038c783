#pragma once

#include "core/team_shifts.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A worker's own year: the team they work on from which day, and the days that differ from the
// rotation (vacation, sickness, leave, days off, extra shifts). The one home of how such a record
// changes the roster; the rotation itself stays in forEachShift and shiftTimesOf.
//
// - A day of a vacation, sick, leave or off entry drops the rostered shifts that belong to it
//   (a night belongs to the day it starts).
// - An extra entry adds its letter's shift of the scheme in force on its day, at that letter's
//   hours for the day, whether or not the team is rostered; an extra that repeats a rostered
//   shift of the same day and letter is that one shift, not two.
// - Before the first team move nothing is rostered.
//
// Example: team C of scheme 0 from 2026-01-01 and a vacation 2026-05-04..2026-05-10: the
// worked shifts of May 2026 are C's rostered shifts but those of 4 to 10 May.
//
// The members that give shifts as instants (forEachRosteredShift, workedShifts) are in
// personal_shifts.cpp, part of the time library shift_core_time; the rest is in shift_core, so
// that the window, which only shows the record, links no time-zone library.
namespace shift {

enum class DayKind { Vacation, Sick, Leave, Off, Extra };

// Whether a kind keeps the worker away from their rostered shifts: all but Extra.
constexpr bool isAwayKind(DayKind kind)
{
    return kind != DayKind::Extra;
}

struct DayEntry {
    std::int64_t id = 0; // the database's id, 1..
    DayKind kind = DayKind::Vacation;
    DayCount first = 0; // the first day
    DayCount last = 0; // the last day, >= first; equal for one day
    char letter = ' '; // the shift of an Extra entry: 'F', 'E' or 'N'; ' ' otherwise
    std::string note; // any text, kept as given

    friend bool operator==(const DayEntry &, const DayEntry &) = default;
};

// From day `from` on the worker is on `team` (0..4) under `scheme` (0..1).
struct TeamMove {
    DayCount from = 0;
    int scheme = 0;
    int team = 0;

    friend bool operator==(const TeamMove &, const TeamMove &) = default;
};

struct PersonalRecord {
    std::vector<TeamMove> moves; // any order; one per day
    std::vector<DayEntry> entries; // any order

    friend bool operator==(const PersonalRecord &, const PersonalRecord &) = default;
};

// A shift the worker actually works.
struct WorkedShift {
    TeamShift shift; // team: the worker's team that day
    int scheme = 0;
    const DayEntry *extra = nullptr; // the extra entry that adds it; null for a rostered shift
};

// What the worker's calendar and the window call a kind, in Swedish: "Semester", "Sjuk",
// "Tjänstledig", "Ledig", "Extra pass".
std::string_view personalDayName(DayKind kind);

// Whether `letter` is a shift of `scheme`'s pattern. Example: (0, 'N') -> true; (0, 'X') -> false.
bool schemeHasShift(int scheme, char letter);

// The record with its moves sorted, answering the questions the commands ask of it.
class PersonalRoster {
public:
    explicit PersonalRoster(PersonalRecord record);

    bool hasTeam() const { return !m_record.moves.empty(); }
    const PersonalRecord &record() const { return m_record; }

    // The move in force on `day`: the last one from `day` or before; null before the first.
    const TeamMove *teamOn(DayCount day) const;

    // The scheme for an extra shift on `day`: that of the move in force, or before the first
    // move that of the first. Needs hasTeam().
    int schemeOn(DayCount day) const;

    // Calls `visit` for every shift the rotation gives the worker's team on the days from
    // `first` to `last`, in order; personal entries play no part. `visit` returns false to stop.
    void forEachRosteredShift(DayCount first,
        DayCount last,
        const std::function<bool(const TeamShift &)> &visit,
        const TimeZone &zone = plantTimeZone()) const;

    // For each day from `first` to `last`, the first away entry that covers it, or null.
    std::vector<const DayEntry *> awayDays(DayCount first, DayCount last) const;

    // The entries that a schedule of `team` (0..4) under `scheme` shows on `day`: none unless
    // that is the worker's team and scheme on that day; else the away entries that cover the
    // day and the extra entries of the day, by id.
    // Example: team C of scheme 0 from 2026-01-01, a vacation 2026-05-04..2026-05-10 and an
    // extra N on 2026-05-08: 8 May, scheme 0, team 2 -> both; team 3 -> none.
    std::vector<const DayEntry *> entriesShownOn(DayCount day, int scheme, int team) const;

    // The shifts the worker works on the days from `first` to `last`, sorted by start.
    std::vector<WorkedShift> workedShifts(
        DayCount first, DayCount last, const TimeZone &zone = plantTimeZone()) const;

    // The last day on which anything of the record could still give a shift: the last extra's
    // day, or (when the last move's team works under its scheme) the end of the year 9999.
    DayCount lastPossibleShiftDay() const;

private:
    // The last day shiftcal and the window take.
    static constexpr DayCount kLastDay = dayCountOf(kLastYear, 11, 31);

    PersonalRecord m_record;
};

} // namespace shift
