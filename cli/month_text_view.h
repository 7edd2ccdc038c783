#pragma once

#include "cli/month_options.h"
#include "cli/output_buffer.h"
#include "core/clock.h"

namespace shift {

// The terminal view of `options.months` months from (options.year, options.month): per month
// a title line ("October 2016  Sudra") and a line of team letters, then one row per day
//   "WW DD L  F E N *  name"
// with the week number WW on Mondays and on the month's first row, the day of the month DD, the
// weekday letter L of "MTwTFSS", each shown team's letter as the multi-month view draws it
// (all teams: A-E, or A-D under scheme 0, where team E has no shifts) and the holiday name under
// scheme 1; a rule of '-' under each Sunday and a blank line between months.
//
// With `colour`, ANSI colours as the program's: red for Sundays and holidays, gray for the
// letters of ordinary days, green week numbers, and blue for today's weekday letter and for the
// shift working at `now`. Lines carry no trailing blanks.
void writeMonthView(
    const MonthOptions &options, const LocalDateTime &now, bool colour, OutputBuffer &out);

} // namespace shift
