#pragma once

#include "core/civil_date.h"
#include "core/colours.h"
#include "core/rotation_schemes.h"
#include "core/shift_calendar.h"

#include <array>

namespace shift {

// Everything the command line shows of one day under one scheme.
struct ScheduleDay {
    CivilDate date;
    DayCount dayCount = 0;
    int weekday = 0; // 0 (Monday) .. 6 (Sunday)
    int week = 0; // the ISO number of the date's week, computed from its Wednesday
    int holiday = 0; // 0, or a holiday number into the plant's holidayName
    Colour colour = kGray; // kGray (ordinary), kRed (Sunday, holiday) or kBlack (eve)
    bool productionStop = false;
    // Each team's letter in its rotation pattern: a cycle letter or ' ' (day off), before a
    // production stop replaces it; teams from the plant's teamCount() on stay ' '.
    std::array<char, kTeamCount> pattern {};
    // Each team's letter as the multi-month view draws it: a cycle letter, '*' (production
    // stop), or ' ' where it draws nothing (a day off; a team that works no shifts, such as
    // team E under the built-in scheme 0).
    std::array<char, kTeamCount> shown {};
};

// Walks the days of one scheme one after another, from a first date onward, classifying each
// with the core. Year and month figures (leap flag, Easter, days before the month) are worked
// out once each, so a long walk costs little more per day than the classification itself.
//
// Example: DaySequence days(0, civilDate(2001, 1, 1)); days.day().shown == {'N', ' ', 'F', 'E',
// ' '}, days.day().week == 1; after days.advance() the date is 2 January 2001.
class DaySequence {
public:
    DaySequence(int scheme, const CivilDate &first);

    const ScheduleDay &day() const { return m_day; }

    // Moves on to the next day. The date must stay within the 32-bit years.
    void advance();

private:
    void beginYear();
    void beginMonth();
    void computeWeekOfFirstDay();
    void computeWeekFromMonday();
    void classify();

    ShiftCalendar m_calendar;
    ScheduleDay m_day;
    const Rotation &m_rotation;
    int m_teamCount;
    int m_cycleLength;
    // The date as plain numbers, month 0..11, advanced by hand: cheaper than through sys_days.
    int m_year = 1;
    int m_month = 0;
    int m_dayOfMonth = 1;
    int m_easterDayOfYear = 0;
    int m_daysBeforeMonth = 0;
    int m_monthLength = 0;
    std::array<int, kTeamCount> m_position {}; // cycle position of each team, -1 outside it
};

} // namespace shift
