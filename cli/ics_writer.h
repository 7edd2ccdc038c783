#pragma once

#include "cli/command_options.h"
#include "cli/output_buffer.h"

#include <string>
#include <string_view>

namespace shift {

// A moment in UTC, for the DTSTAMP of every event: when the export was made.
struct UtcDateTime {
    int year = 1970; // 1..9999
    int month = 1; // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Content lines of an iCalendar stream: each line ends in CRLF and is folded into lines of at
// most 75 octets (a fold is CRLF and one blank), never inside a UTF-8 character.
class IcsLineWriter {
public:
    explicit IcsLineWriter(OutputBuffer &out)
        : m_out(out)
    {
    }

    // Writes "name:value" folded; value must already be escaped where it is TEXT.
    void line(std::string_view name, std::string_view value);

private:
    OutputBuffer &m_out;
};

// TEXT escaped for a property value: backslash, semicolon, comma and line breaks.
// Example: "F, morning" -> "F\, morning".
std::string escapeText(std::string_view text);

// The iCalendar file of `options.team`'s worked shifts from options.from to options.to under
// options.scheme: one VEVENT per day whose letter the multi-month view draws as F, E or N (no
// event on a production stop, none for team E under scheme 0), with DTSTART and DTEND as local
// times in Europe/Stockholm (the hours of shiftHoursOf), the VTIMEZONE of that zone, and a UID
// made of scheme, team, date and letter, so that a later export gives the same shift the same
// UID. Example UID: "sudra-A-20161001-N@shiftcal".
void writeIcsCalendar(const IcsOptions &options, const UtcDateTime &stamp, OutputBuffer &out);

} // namespace shift
