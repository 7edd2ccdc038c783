#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// What a compiled zone file of the system's tz database (TZif, RFC 8536, version 2 or later)
// lists: its changes of UTC offset, and the POSIX TZ rule it states for the times after them.
// Read only to learn from when that rule holds; date/tz remains what answers for a time.
//
// Example: readZoneFile("/usr/share/zoneinfo/Europe/Stockholm")->rule ==
// "CET-1CEST,M3.5.0,M10.5.0/3", with changes from 1879 to 2037.
namespace shift {

struct ZoneFile {
    struct Change {
        std::chrono::sys_seconds at;
        std::chrono::seconds offsetAfter;
    };
    std::vector<Change> changes; // in time order
    std::string rule; // empty where the file states none
};

// nullopt for a file that cannot be read or is not a TZif file of version 2 or later.
std::optional<ZoneFile> readZoneFile(const std::string &path);

} // namespace shift
