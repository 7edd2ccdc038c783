#pragma once

#include "cli/mine_options.h"
#include "cli/reminder_duration.h"
#include "core/civil_date.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shift {

// `shiftcal ics --team T --from DATE --to DATE [--scheme S] [--remind D]... [-o FILE]`.
struct IcsOptions {
    int team = 0; // 0..4
    CivilDate from;
    CivilDate to;
    int scheme = 0;
    std::vector<ReminderDuration> reminders; // in the order given, repeats included
    std::string output; // "" or "-" for standard output
    bool help = false;
    MineOptions mine; // --mine instead of --team and --scheme
};

// The options of `ics` from the arguments after its name. Throws UsageError at the first
// argument it cannot accept (command_line.h), for a missing --team (without --mine), --from or
// --to, for --from after --to, and for a file that does not end in ".ics" (any case) unless it
// is a device, a pipe or a descriptor (output_file.h writesInPlace()).
// Every --remind adds one reminder.
// Example: {"--team", "c", "--from", "2016-12-19", "--to", "2017-01-08"} -> team C (2).
IcsOptions parseIcsOptions(std::span<const std::string_view> args);

} // namespace shift
