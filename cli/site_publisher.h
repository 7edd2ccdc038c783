#pragma once

#include "cli/process_clock.h"
#include "cli/publish_options.h"

namespace shift {

// How often a published calendar asks its subscribers to fetch it again, in hours.
inline constexpr int kFeedRefreshHours = 12;

// `shiftcal publish`: replaces options.folder as a whole (site_folder.h) with the set that
// site_layout.h names for the window around `now`'s date: per scheme one iCalendar feed per
// team that works under it, written by writeIcsCalendar with the feed's properties and
// options.reminders, so its UIDs are those of `shiftcal ics`; per scheme the day table of
// `shiftcal table` as CSV; and the page (site_page.h). Every file depends on `now` alone, so
// the same reading writes the same bytes. Throws UsageError for a window past the years
// 1..9999, before anything is written, and WriteError when the folder cannot be replaced.
//
// Example: now 2016-10-15 12:00, the defaults -> sudra-A.ics .. norda.csv, index.html covering
// 2016-09-01 .. 2017-10-31.
void publishSite(const PublishOptions &options, const ClockReading &now);

} // namespace shift
