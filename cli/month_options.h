#pragma once

#include "cli/option_values.h"
#include "core/clock.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace shift {

enum class ColorMode { Auto, Always, Never };

// `shiftcal month [YYYY-MM] [--months N] [--team T|all] [--scheme S] [--color WHEN]`.
struct MonthOptions {
    std::int32_t year = 1; // of the first month shown
    int month = 1; // 1..12
    int months = 1; // 1..kMaxMonths
    int team = kAllTeams; // 0..4 or kAllTeams
    int scheme = 0; // 0 (sudra) or 1 (norda)
    ColorMode color = ColorMode::Auto;
    bool help = false;
};

// The options of `month` from the arguments after its name (all of them when it runs as the
// default command). With no YYYY-MM the first month is that of now(), which is called only
// then, and not when help is asked. Throws UsageError at the first argument it cannot accept
// (command_line.h), or when the months run past the year 9999.
// Example: {"2017-02", "--team=b", "--months", "3"} -> February to April 2017, team B (1).
MonthOptions parseMonthOptions(std::span<const std::string_view> args, const ClockSource &now);
MonthOptions parseMonthOptions(std::span<const std::string_view> args, const LocalDateTime &now);

} // namespace shift
