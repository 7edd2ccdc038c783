#include "core/holiday_rules.h"

#include "core/rotation_schemes.h"
#include "core/shift_calendar.h"

namespace shift {

namespace {

enum Month {
    January = 0,
    March = 2,
    April = 3,
    May = 4,
    June = 5,
    October = 9,
    November = 10,
    December = 11
};

// Distances from Easter Sunday of the movable feasts.
constexpr int kGoodFriday = -2;
constexpr int kEasterEve = -1;
constexpr int kEasterMonday = 1;
constexpr int kAscension = 39;
constexpr int kWhitsunEve = 48;
constexpr int kWhitSunday = 49;

} // namespace

Colour ShiftCalendar::classifyDay(
    int month, int dayOfMonth, int dayOfYear, int easterDayOfYear, int weekday)
{
    m_state.holiday = 0;
    Colour colour = kGray;
    // Later rules overwrite earlier ones: Ascension on 1 May stays Ascension, Whit Sunday on
    // 6 June becomes National Day.
    if (m_state.scheme != 0) {
        classifyNewYearFeasts(month, dayOfMonth, colour);
        if (month == May && dayOfMonth == 1)
            markHoliday(8, kRed, colour);
        if (easterDayOfYear != kNoEaster)
            classifyEasterFeasts(month, dayOfYear - easterDayOfYear, colour);
        classifyJuneFeasts(month, dayOfMonth, weekday, colour);
        classifyAllSaints(month, dayOfMonth, weekday, colour);
        classifyChristmasFeasts(month, dayOfMonth, colour);
    }
    if (weekday == kSunday)
        colour = kRed;
    return colour;
}

void ShiftCalendar::markHoliday(int holiday, Colour colour, Colour &result)
{
    m_state.holiday = holiday;
    result = colour;
}

void ShiftCalendar::classifyNewYearFeasts(int month, int dayOfMonth, Colour &colour)
{
    if (month != January)
        return;
    if (dayOfMonth == 1) {
        markHoliday(1, kRed, colour);
        m_state.shiftChar = kProductionStop;
    } else if (dayOfMonth == 5) {
        markHoliday(2, kBlack, colour);
    } else if (dayOfMonth == 6) {
        markHoliday(3, kRed, colour);
    }
}

void ShiftCalendar::classifyEasterFeasts(int month, int fromEaster, Colour &colour)
{
    if (month == March || month == April) {
        if (fromEaster == kEasterEve)
            markHoliday(5, kBlack, colour);
        if (fromEaster == kGoodFriday || fromEaster == 0 || fromEaster == kEasterMonday)
            markHoliday(fromEaster + 6, kRed, colour);
    }
    // Ascension reaches back to 30 April in the years whose Easter is 22 March.
    if ((month == April || month == May || month == June) && fromEaster == kAscension)
        markHoliday(9, kRed, colour);
    if (month == May || month == June) {
        if (fromEaster == kWhitsunEve)
            markHoliday(10, kBlack, colour);
        if (fromEaster == kWhitSunday)
            markHoliday(11, kRed, colour);
    }
}

void ShiftCalendar::classifyJuneFeasts(int month, int dayOfMonth, int weekday, Colour &colour)
{
    if (month != June)
        return;
    if (dayOfMonth == 6)
        markHoliday(12, kRed, colour);
    if (dayOfMonth >= 19 && dayOfMonth <= 25 && weekday == kFriday) {
        markHoliday(13, kBlack, colour);
        m_state.shiftChar = kProductionStop;
    }
    if (dayOfMonth >= 20 && dayOfMonth <= 26 && weekday == kSaturday) {
        markHoliday(14, kRed, colour);
        m_state.shiftChar = kProductionStop;
    }
    if (dayOfMonth >= 21 && dayOfMonth <= 27 && weekday == kSunday) {
        colour = kRed;
        m_state.shiftChar = kProductionStop;
    }
}

void ShiftCalendar::classifyAllSaints(int month, int dayOfMonth, int weekday, Colour &colour)
{
    const bool allSaintsRange
        = (month == October && dayOfMonth == 31) || (month == November && dayOfMonth <= 6);
    if (allSaintsRange && weekday == kSaturday)
        markHoliday(15, kRed, colour);
}

void ShiftCalendar::classifyChristmasFeasts(int month, int dayOfMonth, Colour &colour)
{
    if (month != December)
        return;
    if (dayOfMonth == 24) {
        markHoliday(16, kBlack, colour);
        m_state.shiftChar = kProductionStop;
    } else if (dayOfMonth == 25 || dayOfMonth == 26) {
        markHoliday(dayOfMonth - 8, kRed, colour);
        m_state.shiftChar = kProductionStop;
    } else if (dayOfMonth == 31) {
        markHoliday(19, kBlack, colour);
        m_state.shiftChar = kProductionStop;
    }
}

} // namespace shift
