#pragma once

#include "cli/command_line.h"

#include <string>

namespace shift {

// The options that the commands reporting on shifts (now, next, hours, compare) share:
// --scheme, --format and -o.
enum class ReportFormat { Text, Json, Csv };

struct ReportOptions {
    int scheme = 0; // 0 (sudra) or 1 (norda)
    ReportFormat format = ReportFormat::Text;
    std::string output; // "" or "-" for standard output
    bool help = false;
};

// Declares --scheme, --format (text or json, and csv when `withCsv`) and -o on `line`.
void addReportOptions(CommandLine &line, ReportOptions &options, bool withCsv);

// After parsing: without --format, a file named by -o ending in .json (or .csv, when `withCsv`)
// takes that format; any other name and standard output take text.
// Example: -o hours.CSV with withCsv -> ReportFormat::Csv.
void settleReportFormat(const CommandLine &line, ReportOptions &options, bool withCsv);

} // namespace shift
