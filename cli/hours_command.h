#pragma once

#include "cli/mine_options.h"
#include "cli/output_buffer.h"
#include "cli/report_options.h"
#include "core/civil_date.h"

#include <span>
#include <string_view>

namespace shift {

// `shiftcal hours --team T (--year YYYY | --from DATE --to DATE) [--scheme S]
//  [--format text|json|csv] [-o FILE]`: the hours a team works, month by month.
struct HoursOptions : ReportOptions {
    int team = 0; // 0..4
    CivilDate from;
    CivilDate to;
    MineOptions mine;
};

// Throws UsageError at the first argument it cannot accept, without --team or --mine, with neither
// or both of --year and --from/--to, and for --from after --to.
HoursOptions parseHoursOptions(std::span<const std::string_view> args);

// One row per calendar month from the month of `from` to that of `to`, then a total row, of
// the shifts that start from `from` to `to`:
//   month,shifts,hours,night_hours,weekend_hours,holiday_hours
//   2026-03,23,183,61,47,0
//   total,...
// hours are real elapsed hours; night_hours the part between 22:00 and 06:00 local time,
// weekend_hours the part on a local Saturday or Sunday, holiday_hours the part on a day with a
// holiday name under the scheme (none under sudra). CSV with that header, JSON an array of
// objects with those keys (month "YYYY-MM" or "total"), text the same columns aligned.
// With --mine the columns count the shifts the worker's record says they work, and three follow:
// rostered_shifts,rostered_hours (what the rotation gives their team, before any entry) and
// away_days (calendar days marked vacation, sick, leave or off).
void writeHoursReport(const HoursOptions &options, OutputBuffer &out);

} // namespace shift
