#pragma once

#include "core/civil_date.h"

#include <string>
#include <string_view>
#include <vector>

// What a folder that `shiftcal publish` writes holds, and which days it covers: the one home of
// the published names, read by the writer of the folder, its page and the check that a folder
// may be replaced.
//
// Example: the set is sudra-A.ics .. sudra-D.ics, norda-A.ics .. norda-E.ics, sudra.csv,
// norda.csv and index.html (no sudra-E.ics: team E works no shifts under sudra).
namespace shift {

inline constexpr std::string_view kSitePageName = "index.html";

// "sudra-A.ics" for scheme 0 and team 0; only for a team that works under the scheme.
std::string feedFileName(int scheme, int team);

// "sudra.csv" or "norda.csv".
std::string tableFileName(int scheme);

// Every name of the set: the feeds by scheme, then team, the tables, the page.
std::vector<std::string> siteFileNames();

// The days a site covers: from the first day of the month `monthsBack` months before today's to
// the last day of the month `monthsAhead` months after it, both 0..kMaxMonths.
struct SiteWindow {
    CivilDate from;
    CivilDate to;
};

// Throws UsageError naming --months-back or --months-ahead when the window would reach before
// the year 1 or past 9999.
// Example: (2016-10-15, 1, 12) -> 2016-09-01 .. 2017-10-31; (2016-10-15, 0, 0) -> October 2016.
SiteWindow siteWindow(const CivilDate &today, int monthsBack, int monthsAhead);

} // namespace shift
