#pragma once

#include <cstdint>

namespace shift {

// The one record of state of the whole program. It starts zero-filled; the main window's
// creation handler gives it its first values. Every core operation and both views read and
// write this single instance (owned by ShiftCalendar); the window handlers change its fields
// directly and then redraw.
//
// The last four fields are scratch results: each is meaningful only right after the
// operation that writes it (computeLeapYear, computeWeekNumber, classifyDay, the views).
struct ScheduleState {
    // Last clock reading (readClock); month is 1..12 here, unlike everywhere else.
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t msec = 0;

    // Displayed range: the first month shown, 0 = January .. 11 = December.
    std::int32_t startYear = 0;
    std::int32_t startMonth = 0;

    // Displayed teams, 0 = A .. 4 = E. One team is shown exactly when they are equal.
    std::int32_t firstTeam = 0;
    std::int32_t lastTeam = 0;

    std::int16_t scheme = 0; // rotation scheme, 0 or 1
    std::int32_t cycleLength = 0; // 8 under scheme 0, 35 under scheme 1
    std::int32_t normalHeight = 0; // outer height of the window in the multi-month view
    std::int16_t calendarView = 0; // 0: multi-month view, 1: month calendar view

    double today = 0.0; // clock date as whole days since 30 December 1899
    double now = 0.0; // clock time of day as a fraction of a day, [0, 1)

    std::int16_t leapYear = 0; // of the year last given to computeLeapYear
    std::int32_t weekNumber = 0; // of the last computeWeekNumber
    std::int32_t holiday = 0; // of the last classifyDay: 0, or 1..19 into kHolidayNames
    char shiftChar = 0; // letter of the day cell being drawn
};

} // namespace shift
