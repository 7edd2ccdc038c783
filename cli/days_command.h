#pragma once

#include "cli/process_clock.h"

#include <span>
#include <string_view>

namespace shift {

// `shiftcal days SUBCOMMAND ...`: the worker's own record of team and days, in the days
// database (core/days_database.h), one transaction per command.
//
//   days team T [--scheme S] [--from DATE]           the team from DATE (default today)
//   days add KIND DATE [--to DATE] [--shift L] [--note TEXT]    prints the new entry's id
//   days list [--from DATE] [--to DATE] [--format text|csv|json] [-o FILE]
//   days remove ID
//   days export -o FILE.csv
//   days import FILE.csv                             merges: a second import adds nothing
//
// Every subcommand takes --db FILE. Bad input is refused with UsageError before the database
// is opened, and nothing is written. `days add` of an entry that breaks the rest rules still
// records it, and warns on standard error with one line per new breach.
// Example: `shiftcal days add vacation 2026-07-06 --to 2026-07-26 --note Crete` prints "1".
int runDaysCommand(std::span<const std::string_view> args, ProcessClock &clock);

} // namespace shift
