#pragma once

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

// What a compiled zone file of the system's tz database (TZif, RFC 8536, version 2 or later)
// lists: its changes of UTC offset, and the POSIX TZ rule it states for the times after them.
// Read to learn from when that rule holds, and to check the file whole before date/tz, which
// asserts or reads past its data on a damaged file, is ever handed it; date/tz remains what
// answers for a time.
//
// Example: readZoneFile("/usr/share/zoneinfo/Europe/Stockholm").rule ==
// "CET-1CEST,M3.5.0,M10.5.0/3", with changes from 1879 to 2037; the same path bound to a file
// of text throws ZoneDataError("zone file /usr/share/zoneinfo/Europe/Stockholm: it is not a
// compiled zone file (no TZif header)").
namespace shift {

// Where the system's zone files are, and where date/tz reads them from.
inline constexpr const char *kZoneFolder = "/usr/share/zoneinfo";

// A file of the tz database that is missing, unreadable or damaged. The message is one line
// that names the file and what is wrong with it.
class ZoneDataError : public std::runtime_error {
public:
    explicit ZoneDataError(const std::string &message)
        : std::runtime_error(message)
    {
    }
};

struct ZoneFile {
    struct Change {
        std::chrono::sys_seconds at;
        std::chrono::seconds offsetAfter;
    };
    std::vector<Change> changes; // in time order
    std::string rule; // empty where the file states none
};

// The file at `path`, checked whole: both headers with the same version (2 or later), every
// count within the file, every change's type and every type's name within their tables, the
// changes in time order, and the footer's line with the rule as the file's end. Throws
// ZoneDataError otherwise, the system's reason included when it cannot be read.
ZoneFile readZoneFile(const std::string &path);

// Checks the tz database's list of leap seconds (`leapseconds`, text), which date/tz reads
// with its database: a line of it that is not empty, a comment or "Leap YEAR MON DAY
// HH:MM:SS +|- S|R" would be printed on standard error or end the process. A missing file is
// no fault (date/tz then knows no leap seconds, which shiftcal never asks for). Throws
// ZoneDataError naming the file and the first bad line.
// Example: a line "Leap 1972 Jun 30 23:59:60 + S" passes; "Leap garbage" throws.
void checkLeapSecondFile(const std::string &path);

} // namespace shift
