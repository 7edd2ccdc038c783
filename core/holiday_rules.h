#pragma once

#include <array>
#include <string_view>

namespace shift {

// Names of the Swedish public holidays and eves that classifyDay recognises, indexed by the
// value it leaves in ScheduleState::holiday; index 0 is the ordinary day. UTF-8.
inline constexpr int kHolidayCount = 20;
inline constexpr std::array<std::string_view, kHolidayCount> kHolidayNames = {
    "", // 0  ordinary day
    "Nyårsdagen", // 1  1 January
    "13dags afton", // 2  5 January
    "13dag Jul", // 3  6 January
    "Långfredag", // 4  Easter - 2
    "Påskafton", // 5  Easter - 1
    "Påskdagen", // 6  Easter Sunday
    "Ann. Påsk", // 7  Easter + 1
    "1a Maj", // 8  1 May
    "Kr.H.F. dag", // 9  Easter + 39
    "Pingstafton", // 10 Easter + 48
    "Pingstdagen", // 11 Easter + 49
    "Nationaldagen", // 12 6 June
    "Mids. afton", // 13 Friday 19-25 June
    "Mids. dagen", // 14 Saturday 20-26 June
    "All helgona", // 15 Saturday 31 October - 6 November
    "Julafton", // 16 24 December
    "Juldagen", // 17 25 December
    "Annan. Jul", // 18 26 December
    "Nyårsafton", // 19 31 December
};

// Easter day of the year that stands for "no Easter known" (years outside 1583..2599):
// no real Easter falls on day 0, so no Easter-relative rule can match it.
inline constexpr int kNoEaster = 0;

} // namespace shift
