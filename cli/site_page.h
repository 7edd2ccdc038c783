#pragma once

#include "cli/output_buffer.h"
#include "cli/site_layout.h"
#include "core/clock.h"

#include <string>

namespace shift {

// What the page of a published folder shows.
struct SitePage {
    LocalDateTime now; // today, and the time the folder was published
    SiteWindow window; // the days the calendars and tables cover
    std::string baseUrl; // "" or the folder's http(s) address, without a trailing "/"
    int refreshHours = 12; // how often the calendars ask to be fetched again
};

// index.html of a published folder: an HTML5 page in UTF-8 without scripts, laid out for a
// phone's width, with today's date and week number, and per scheme the shift each team works
// today and a link to each team's calendar (site_layout.h names it) and to the day table. With
// a base URL each calendar also gets a webcal:// link, which a phone opens as a subscription,
// and its full address for calendars that ask for one. Team E appears under norda only.
//
// Example, scheme sudra on Sat 1 October 2016 (week 39), team A's row:
//   <tr><th scope="row">A</th><td>N, night shift 22:00-06:00</td>
//   <td><a href="sudra-A.ics">sudra-A.ics</a></td></tr>
void writeSitePage(const SitePage &page, OutputBuffer &out);

// `text` for HTML text or a quoted attribute: &, <, >, " and ' as character references.
// Example: "a&b" -> "a&amp;b".
std::string escapeHtml(std::string_view text);

} // namespace shift
