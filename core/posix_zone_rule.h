#pragma once

#include <chrono>
#include <date/tz.h>
#include <memory>
#include <string>

// A POSIX TZ rule ("CET-1CEST,M3.5.0,M10.5.0/3") through date's ptz.h. That header does not
// compile as C++20 in date 3.0.1 (an ambiguous hh_mm_ss), so it is kept to one C++17 source
// behind this interface, which uses only types that are the same in both.
namespace shift {

class PosixZoneRule {
public:
    // Throws std::runtime_error for a rule date cannot read.
    explicit PosixZoneRule(const std::string &rule);
    ~PosixZoneRule();
    PosixZoneRule(const PosixZoneRule &) = delete;
    PosixZoneRule &operator=(const PosixZoneRule &) = delete;

    date::sys_info get_info(date::sys_seconds moment) const;
    date::sys_seconds to_sys(date::local_seconds local, date::choose choice) const;

private:
    struct Rule;
    std::unique_ptr<Rule> m_rule;
};

} // namespace shift
