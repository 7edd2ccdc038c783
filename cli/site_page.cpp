#include "cli/site_page.h"

#include "cli/shift_text.h"
#include "cli/shift_words.h"
#include "core/day_sequence.h"
#include "core/schedule_texts.h"
#include "version/version.h"

#include <cstdio>

namespace shift {

namespace {

constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Shift schedule</title>
<style>
body { font-family: sans-serif; line-height: 1.4; margin: 0 auto; max-width: 40rem; padding: 0 1rem 2rem; }
table { border-collapse: collapse; width: 100%; }
th, td { border-bottom: 1px solid #ccc; padding: 0.4rem 0.3rem; text-align: left; vertical-align: top; }
.address { font-family: monospace; font-size: 0.85em; overflow-wrap: anywhere; }
</style>
</head>
<body>
<h1>Shift schedule</h1>
)";

// "F, morning shift 06:00-14:00", "*, production stop" or "day off".
std::string todayText(int scheme, const ScheduleDay &day, int team)
{
    const char letter = day.shown[static_cast<std::size_t>(team)];
    if (letter == kProductionStop)
        return "*, production stop";
    const auto times = shiftTimesOf(scheme, day.weekday, letter);
    if (!times)
        return "day off";
    return std::string(1, letter) + ", " + shiftMeaning(letter) + " " + shiftHoursText(*times);
}

std::string calendarCell(const SitePage &page, const std::string &file)
{
    const std::string name = escapeHtml(file);
    if (page.baseUrl.empty())
        return "<a href=\"" + name + "\">" + name + "</a>";
    const std::string address = escapeHtml(page.baseUrl + "/" + file);
    const std::string subscription
        = "webcal://" + address.substr(address.find("://") + std::string_view("://").size());
    return "<a href=\"" + subscription + "\">Subscribe</a><br><a class=\"address\" href=\""
        + address + "\">" + address + "</a>";
}

void writeScheme(const SitePage &page, int scheme, const CivilDate &today, OutputBuffer &out)
{
    const DaySequence days(scheme, today);
    const ScheduleDay &day = days.day();
    const std::string schemeName(schemeNameOf(scheme));
    out.append("<section>\n<h2>" + schemeName + " rotation</h2>\n");
    if (day.holiday != 0) {
        out.append("<p>Today is " + escapeHtml(holidayNameOf(day.holiday)) + ".</p>\n");
    }
    out.append("<table>\n<tr><th scope=\"col\">Team</th><th scope=\"col\">Today</th>"
               "<th scope=\"col\">Calendar</th></tr>\n");
    for (int team = 0; team < currentPlant().teamCount(); ++team) {
        if (!teamWorksUnder(scheme, team))
            continue;
        out.append("<tr><th scope=\"row\">" + std::string(teamLetterOf(team)) + "</th><td>"
            + escapeHtml(todayText(scheme, day, team)) + "</td><td>"
            + calendarCell(page, feedFileName(scheme, team)) + "</td></tr>\n");
    }
    const std::string table = escapeHtml(tableFileName(scheme));
    out.append("</table>\n<p>Every day from " + isoDate(dayCountOf(page.window.from)) + " to "
        + isoDate(dayCountOf(page.window.to)) + " as a table: <a href=\"" + table + "\">" + table
        + "</a></p>\n</section>\n");
}

} // namespace

std::string escapeHtml(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

void writeSitePage(const SitePage &page, OutputBuffer &out)
{
    const CivilDate today = civilDate(page.now.year, page.now.month, page.now.day);
    const DaySequence days(0, today);
    const ScheduleDay &first = days.day();
    out.append(kHead);
    out.append("<p>Today is <strong>" + std::string(weekdayName(first.weekday)) + " "
        + std::to_string(page.now.day) + " "
        + std::string(kFullMonthNames[static_cast<std::size_t>(page.now.month - 1)]) + " "
        + std::to_string(page.now.year) + "</strong>, week " + std::to_string(first.week)
        + ".</p>\n");
    for (int scheme = 0; scheme < currentPlant().schemeCount(); ++scheme)
        writeScheme(page, scheme, today, out);

    out.append("<h2>Subscribing</h2>\n");
    if (page.baseUrl.empty()) {
        out.append("<p>A calendar app subscribes to a team's calendar at the address of its "
                   "file: this page's address with the file's name in place of "
                   "index.html.</p>\n");
    } else {
        out.append("<p>On a phone, tap Subscribe beside your team. A calendar that asks for an "
                   "address (Google Calendar: Other calendars, From URL) takes the https "
                   "address below it.</p>\n");
    }
    char published[32];
    std::snprintf(published,
        sizeof published,
        "%04d-%02d-%02d %02d:%02d",
        page.now.year,
        page.now.month,
        page.now.day,
        page.now.hour,
        page.now.minute);
    out.append("<p>The calendars ask to be fetched again every " + std::to_string(page.refreshHours)
        + " hours. Published " + std::string(published)
        + " by shiftcal " SHIFT_VERSION ".</p>\n</body>\n</html>\n");
}

} // namespace shift
