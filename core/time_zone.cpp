#include "core/time_zone.h"

#include "core/posix_zone_rule.h"
#include "core/zone_file.h"

namespace shift {

namespace {

// The earliest listed change from which `rule` makes every later change itself, with the same
// offset; the time after the last change, which the rule covers by definition, at the least.
std::chrono::sys_seconds ruleFromOf(const ZoneFile &file, const PosixZoneRule &rule)
{
    if (file.changes.empty())
        return std::chrono::sys_seconds::min();
    std::size_t first = file.changes.size() - 1;
    while (first > 0) {
        const ZoneFile::Change &change = file.changes[first - 1];
        const date::sys_info made = rule.get_info(change.at);
        if (made.begin != change.at || made.offset != change.offsetAfter)
            break;
        --first;
    }
    return file.changes[first].at;
}

// What `ask` answers from date's database. The files date reads have been checked, so an
// exception here means they changed meanwhile or the folder cannot be walked; it becomes one
// line naming the folder rather than an end of the process.
template <typename Ask>
auto fromDatabase(Ask ask) -> decltype(ask())
{
    try {
        return ask();
    } catch (const ZoneDataError &) {
        throw;
    } catch (const std::exception &error) {
        std::string reason = error.what();
        reason = reason.substr(0, reason.find('\n'));
        throw ZoneDataError(std::string("time zone database ") + kZoneFolder + ": " + reason);
    }
}

} // namespace

TimeZone::TimeZone(const std::string &name)
    : m_name(name)
{
    const std::string path = std::string(kZoneFolder) + "/" + name;
    const ZoneFile file = readZoneFile(path);
    if (!file.rule.empty()) {
        try {
            m_rule = std::make_unique<PosixZoneRule>(file.rule);
        } catch (const std::exception &) {
            throw ZoneDataError(
                "zone file " + path + ": its rule '" + file.rule + "' is not a POSIX TZ rule");
        }
        m_ruleFrom = ruleFromOf(file, *m_rule);
    } else {
        listed(); // no rule to answer from: the name must be known now
    }
}

TimeZone::~TimeZone() = default;

const date::time_zone &TimeZone::listed() const
{
    if (m_listed == nullptr) {
        // date reads the list of leap seconds with its database, and would print its odd lines
        // or end the process on a bad one.
        checkLeapSecondFile(std::string(kZoneFolder) + "/leapseconds");
        m_listed = fromDatabase([this] { return date::locate_zone(m_name); });
    }
    return *m_listed;
}

date::sys_info TimeZone::get_info(std::chrono::sys_seconds moment) const
{
    if (m_rule && moment >= m_ruleFrom) {
        date::sys_info info = m_rule->get_info(moment);
        if (info.begin < m_ruleFrom)
            info.begin = m_ruleFrom;
        return info;
    }
    return fromDatabase([&] { return listed().get_info(moment); });
}

std::chrono::sys_seconds TimeZone::to_sys(date::local_seconds local, date::choose choice) const
{
    if (m_rule) {
        const std::chrono::sys_seconds byRule = m_rule->to_sys(local, choice);
        // Away from the boundary, where the offset before it may not be the rule's.
        if (byRule - std::chrono::days(1) > m_ruleFrom)
            return byRule;
    }
    return fromDatabase([&] { return listed().to_sys(local, choice); });
}

std::chrono::sys_seconds LocalTimeConverter::toSys(date::local_seconds local)
{
    using namespace std::chrono;
    if (m_known) {
        const sys_seconds guess(local.time_since_epoch() - m_period.offset);
        // Far enough from both ends that no skipped or repeated hour can be near.
        if (guess - days(1) > m_period.begin && guess + days(1) < m_period.end)
            return guess;
    }
    const sys_seconds instant = m_zone.to_sys(local, date::choose::earliest);
    m_period = m_zone.get_info(instant);
    m_known = true;
    return instant;
}

} // namespace shift
