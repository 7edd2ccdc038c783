#include "core/time_zone.h"

#include "core/posix_zone_rule.h"

#include <fstream>
#include <iterator>

namespace shift {

namespace {

// Where date/tz reads the system's zone files from.
constexpr const char *kZoneFolder = "/usr/share/zoneinfo";

} // namespace

std::string posixRuleOfZoneFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string contents((std::istreambuf_iterator<char>(file)), {});
    // "TZif" and a version byte of '2' or later; version 1 files have no footer.
    if (contents.size() < 5 || contents.compare(0, 4, "TZif") != 0 || contents[4] < '2')
        return {};
    if (contents.back() != '\n')
        return {};
    const std::size_t open = contents.rfind('\n', contents.size() - 2);
    if (open == std::string::npos)
        return {};
    return contents.substr(open + 1, contents.size() - open - 2);
}

TimeZone::TimeZone(const std::string &name)
    : m_name(name)
    , m_zone(date::locate_zone(name))
{
    // The last listed period is the one that never ends.
    using namespace std::chrono;
    const date::sys_info last = m_zone->get_info(sys_days(year(30000) / January / 1));
    m_lastListedChange = last.begin;
    const std::string rule = posixRuleOfZoneFile(std::string(kZoneFolder) + "/" + name);
    if (!rule.empty())
        m_laterYears = std::make_unique<PosixZoneRule>(rule);
}

TimeZone::~TimeZone() = default;

date::sys_info TimeZone::get_info(std::chrono::sys_seconds moment) const
{
    if (m_laterYears && moment >= m_lastListedChange) {
        date::sys_info info = m_laterYears->get_info(moment);
        if (info.begin < m_lastListedChange)
            info.begin = m_lastListedChange;
        return info;
    }
    return m_zone->get_info(moment);
}

std::chrono::sys_seconds TimeZone::to_sys(date::local_seconds local, date::choose choice) const
{
    const std::chrono::sys_seconds listed = m_zone->to_sys(local, choice);
    if (m_laterYears && listed >= m_lastListedChange)
        return m_laterYears->to_sys(local, choice);
    return listed;
}

std::chrono::sys_seconds LocalTimeConverter::toSys(date::local_seconds local)
{
    using namespace std::chrono;
    if (m_known) {
        const sys_seconds guess(local.time_since_epoch() - m_period.offset);
        // Far enough from both ends that no skipped or repeated hour can be near.
        if (guess - m_period.begin > days(1) && m_period.end - guess > days(1))
            return guess;
    }
    const sys_seconds instant = m_zone.to_sys(local, date::choose::earliest);
    m_period = m_zone.get_info(instant);
    m_known = true;
    return instant;
}

} // namespace shift
