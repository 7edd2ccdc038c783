#include "core/posix_zone_rule.h"

#include <date/ptz.h>

namespace shift {

struct PosixZoneRule::Rule {
    Posix::time_zone zone;
};

PosixZoneRule::PosixZoneRule(const std::string &rule)
    : m_rule(std::make_unique<Rule>(Rule { Posix::time_zone(rule) }))
{
}

PosixZoneRule::~PosixZoneRule() = default;

date::sys_info PosixZoneRule::get_info(date::sys_seconds moment) const
{
    return m_rule->zone.get_info(moment);
}

date::sys_seconds PosixZoneRule::to_sys(date::local_seconds local, date::choose choice) const
{
    return m_rule->zone.to_sys(local, choice);
}

} // namespace shift
