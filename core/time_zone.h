#pragma once

#include <chrono>
#include <date/tz.h>
#include <memory>
#include <string>

// A time zone of the system's tz database, complete for every year, through date/tz.
//
// date/tz in its system-database mode (Debian's date 3.0.1) has two limits this class works
// around. It ends with the zone file's last listed change (2037), where the file itself goes on
// with a POSIX TZ rule ("CET-1CEST,M3.5.0,M10.5.0/3") that the C library follows; and its
// first use stats every file of the database, a few milliseconds that would dominate a short
// command. So the zone answers from date's reading of that rule (ptz.h) for the times from
// which the rule holds (since 1996 for Sweden), and from date's database, loaded only then,
// for the times before.
//
// Example: TimeZone("Europe/Stockholm").get_info(sys_days(2038y/July/1)).abbrev == "CEST".
namespace shift {

class PosixZoneRule;

class TimeZone {
public:
    // Reads and checks the zone's file in the system's tz database. Throws ZoneDataError
    // (zone_file.h) when it is missing or damaged, or states no rule and date's database has
    // no zone of that name. get_info and to_sys throw it too when they need date's database
    // (times before ruleFrom()) and it cannot be read.
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

    // From when the zone file's rule holds; times before it load date's database.
    std::chrono::sys_seconds ruleFrom() const { return m_ruleFrom; }

private:
    const date::time_zone &listed() const;

    std::string m_name;
    mutable const date::time_zone *m_listed = nullptr; // loaded on first need
    std::unique_ptr<PosixZoneRule> m_rule; // null when the file states none
    std::chrono::sys_seconds m_ruleFrom = std::chrono::sys_seconds::max();
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

} // namespace shift
