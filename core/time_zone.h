#pragma once

#include <chrono>
#include <date/tz.h>
#include <memory>
#include <string>

// A time zone of the system's tz database, complete for every year.
//
// date/tz reads the system's zone files (tzdata), whose listed changes end in 2037; for the
// years after, each file ends with a POSIX TZ rule ("CET-1CEST,M3.5.0,M10.5.0/3") that the
// C library follows but date 3.0.1 does not. This class answers from the listed changes and,
// from the start of the last listed period on, from that rule, so that Sweden's summer time
// of 2038 and 2100 is kept as the C library keeps it.
//
// Example: TimeZone("Europe/Stockholm").get_info(sys_days(2038y/July/1)).abbrev == "CEST".
namespace shift {

class PosixZoneRule;

class TimeZone {
public:
    // Throws std::runtime_error when the database has no zone of that name.
    explicit TimeZone(const std::string &name);
    ~TimeZone();
    TimeZone(const TimeZone &) = delete;
    TimeZone &operator=(const TimeZone &) = delete;

    const std::string &name() const { return m_name; }

    // The period of constant offset and name around `moment`, as date::time_zone::get_info.
    date::sys_info get_info(std::chrono::sys_seconds moment) const;

    // The instant of a wall-clock time; a time the clocks skip or repeat is resolved by
    // `choice` as date::time_zone::to_sys does.
    std::chrono::sys_seconds to_sys(date::local_seconds local, date::choose choice) const;

private:
    std::string m_name;
    const date::time_zone *m_zone;
    std::chrono::sys_seconds m_lastListedChange; // begin of the zone file's last listed period
    std::unique_ptr<PosixZoneRule> m_laterYears; // null when the file states no rule for them
};

// Turns wall-clock times into instants for a walk that moves forward through time, as the
// shifts of a year or a millennium do: it keeps the period of its last answer and asks the
// zone again only within a day of that period's ends, so a long walk costs a subtraction per
// time. Answers as zone.to_sys(local, date::choose::earliest).
// Example: LocalTimeConverter clock(zone); clock.toSys(local_days(2026y/3/28) + 22h).
class LocalTimeConverter {
public:
    explicit LocalTimeConverter(const TimeZone &zone)
        : m_zone(zone)
    {
    }

    std::chrono::sys_seconds toSys(date::local_seconds local);

    const TimeZone &zone() const { return m_zone; }

private:
    const TimeZone &m_zone;
    date::sys_info m_period;
    bool m_known = false;
};

// The rule that a zone file states for the years after its listed changes: the text after the
// last-but-one line break of the file; empty when it states none or is not a zone file of
// version 2 or later. Example for Europe/Stockholm: "CET-1CEST,M3.5.0,M10.5.0/3".
std::string posixRuleOfZoneFile(const std::string &path);

} // namespace shift
