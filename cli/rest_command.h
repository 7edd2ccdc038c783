#pragma once

#include "cli/mine_options.h"
#include "cli/output_buffer.h"
#include "cli/report_options.h"
#include "core/civil_date.h"
#include "core/clock.h"
#include "core/rest_breaches.h"

#include <span>
#include <string_view>

namespace shift {

// `shiftcal rest --mine [--from DATE --to DATE] [--format text|csv|json] [--db FILE] [-o FILE]`:
// where the worker's actual shifts break the rest rules (core/rest_breaches.h).
struct RestOptions : ReportOptions {
    MineOptions mine;
    CivilDate from; // default: 1 January of this year
    CivilDate to; // default: 31 December of this year
};

// Throws UsageError at the first argument it cannot accept, without --mine, with only one of
// --from and --to, and for --from after --to. `today` gives the default year.
RestOptions parseRestOptions(std::span<const std::string_view> args, const ClockSource &today);

// The breaches on the worker's shifts on days from `first` to `last`.
std::vector<RestBreach> restBreachesOf(
    const PersonalRoster &roster, DayCount first, DayCount last, const RestLimits &limits);

// One breach in words, as `rest` prints it and `days add` warns of it:
//   "less than 11 hours of rest: 2026-05-02 14:00 to 2026-05-02 22:00, 8 h (daily rest)"
//   "less than 36 hours of rest in the week of 2026-04-27: the longest is 2026-05-02 06:00 to
//    2026-05-03 06:00, 24 h (weekly rest)"
std::string breachSentence(const RestBreach &breach, const RestLimits &limits);

// JSON: an array of {"rule":"daily"|"weekly","start","end","hours"}, start and end ISO 8601
// with offset; CSV: rule,start,end,hours; text: one breachSentence a line, or one line saying
// there is none.
void writeRestReport(const RestOptions &options, OutputBuffer &out);

} // namespace shift
