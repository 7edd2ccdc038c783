#pragma once

#include <array>
#include <string_view>

namespace shift {

// Texts that both views draw.
inline constexpr std::string_view kViewTitle = "ShiftSchedule Tervialund ";
inline constexpr std::array<std::string_view, 12> kFullMonthNames = { "January",
    "February",
    "March",
    "April",
    "May",
    "June",
    "July",
    "August",
    "September",
    "October",
    "November",
    "December" };
inline constexpr std::array<std::string_view, 12> kShortMonthNames
    = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };

} // namespace shift
