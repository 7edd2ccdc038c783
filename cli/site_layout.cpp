#include "cli/site_layout.h"

#include "cli/cli_error.h"
#include "cli/option_values.h"
#include "core/rotation_schemes.h"
#include "core/schedule_texts.h"

#include <cstdio>

namespace shift {

namespace {

std::string monthCount(int months)
{
    return std::to_string(months) + (months == 1 ? " month" : " months");
}

} // namespace

std::string feedFileName(int scheme, int team)
{
    return std::string(schemeWord(scheme)) + "-" + std::string(teamLetterOf(team)) + ".ics";
}

std::string tableFileName(int scheme)
{
    return std::string(schemeWord(scheme)) + ".csv";
}

std::vector<std::string> siteFileNames()
{
    std::vector<std::string> names;
    for (int scheme = 0; scheme < currentPlant().schemeCount(); ++scheme) {
        for (int team = 0; team < currentPlant().teamCount(); ++team) {
            if (teamWorksUnder(scheme, team))
                names.push_back(feedFileName(scheme, team));
        }
    }
    for (int scheme = 0; scheme < currentPlant().schemeCount(); ++scheme)
        names.push_back(tableFileName(scheme));
    names.emplace_back(kSitePageName);
    return names;
}

SiteWindow siteWindow(const CivilDate &today, int monthsBack, int monthsAhead)
{
    using namespace std::chrono;
    // Both counts are at most 1200, so the months stay far inside std::chrono's years.
    const year_month thisMonth = today.year() / today.month();
    const year_month first = thisMonth - months(monthsBack);
    const year_month last = thisMonth + months(monthsAhead);
    char monthText[16];
    std::snprintf(monthText, sizeof monthText, "%04d-%02d", yearOf(today), monthOf(today));
    if (static_cast<int>(first.year()) < kFirstYear) {
        throw UsageError("--months-back: " + monthCount(monthsBack) + " before "
            + std::string(monthText) + " is before the year 1");
    }
    if (static_cast<int>(last.year()) > kLastYear) {
        throw UsageError("--months-ahead: " + monthCount(monthsAhead) + " after "
            + std::string(monthText) + " is past the year 9999");
    }
    return { first / day(1), CivilDate(last / std::chrono::last) };
}

} // namespace shift
