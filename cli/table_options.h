#pragma once

#include "core/civil_date.h"

#include <span>
#include <string>
#include <string_view>

namespace shift {

enum class TableFormat { Csv, Json };

// `shiftcal table --from DATE --to DATE [--scheme S] [--format csv|json] [-o FILE]`.
struct TableOptions {
    CivilDate from;
    CivilDate to;
    int scheme = 0;
    TableFormat format = TableFormat::Csv;
    std::string output; // "" or "-" for standard output
    bool help = false;
};

// The options of `table` from the arguments after its name. Without --format the ending of -o
// (".csv" or ".json", any case) chooses the format, CSV on standard output and on a device,
// pipe or descriptor without either ending. Throws UsageError at the first argument it cannot
// accept (command_line.h), for a missing --from or --to, for --from after --to, and for any other
// ending of -o.
// Example: {"--from", "2016-01-01", "--to=2016-01-02", "-o", "days.JSON"} -> JSON into days.JSON.
TableOptions parseTableOptions(std::span<const std::string_view> args);

} // namespace shift
