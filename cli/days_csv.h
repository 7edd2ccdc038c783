#pragma once

#include <string>
#include <string_view>
#include <vector>

// The CSV of the days commands: `days list --format csv` and `days export` write it, `days import`
// reads it. One header line, then one record per entry:
//   id,kind,date,to,shift,note
//   7,extra,2026-05-02,2026-05-02,N,"Anna's night, swapped"
// Fields are quoted when they hold a comma, a quote or a line break (quotes doubled), so a note
// keeps every byte it has, line breaks included.
namespace shift {

inline constexpr std::string_view kDaysCsvHeader = "id,kind,date,to,shift,note";

// A record of the file and the line it starts on (1 for the header).
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// The records of `text` as RFC 4180 has them, the header included; a line break inside quotes
// is part of the field, and CR LF ends a record as LF does. Throws UsageError "NAME:LINE: ..."
// for a quote that is never closed or text after a closing quote.
// Example: "a,\"b\nc\"\n" -> one record {"a", "b\nc"} on line 1.
std::vector<CsvRecord> readCsvRecords(std::string_view text, const std::string &name);

} // namespace shift
