#include "cli/site_publisher.h"

#include "cli/ics_writer.h"
#include "cli/site_folder.h"
#include "cli/site_layout.h"
#include "cli/site_page.h"
#include "cli/table_writer.h"
#include "core/rotation_schemes.h"

namespace shift {

void publishSite(const PublishOptions &options, const ClockReading &now)
{
    const CivilDate today = civilDate(now.local.year, now.local.month, now.local.day);
    const SiteWindow window = siteWindow(today, options.monthsBack, options.monthsAhead);

    SiteFolder site(options.folder, siteFileNames());
    for (int scheme = 0; scheme < currentPlant().schemeCount(); ++scheme) {
        for (int team = 0; team < currentPlant().teamCount(); ++team) {
            if (!teamWorksUnder(scheme, team))
                continue;
            IcsOptions calendar;
            calendar.team = team;
            calendar.scheme = scheme;
            calendar.from = window.from;
            calendar.to = window.to;
            calendar.reminders = options.reminders;
            site.write(feedFileName(scheme, team), [&](OutputBuffer &out) {
                writeIcsCalendar(calendar, now.utc, out, IcsFeed { kFeedRefreshHours });
            });
        }
    }
    for (int scheme = 0; scheme < currentPlant().schemeCount(); ++scheme) {
        site.write(tableFileName(scheme),
            [&](OutputBuffer &out) { writeCsvTable(scheme, window.from, window.to, out); });
    }
    const SitePage page { now.local, window, options.baseUrl, kFeedRefreshHours };
    site.write(std::string(kSitePageName), [&](OutputBuffer &out) { writeSitePage(page, out); });
    site.commit();
}

} // namespace shift
