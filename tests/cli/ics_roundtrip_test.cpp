// The iCalendar export read back through libical's parser, an implementation independent of
// ours, and its times checked against the system's time zone database.
#include "ical_reader.h"
#include "process_runner.h"
#include "table_rows.h"

#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <set>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;

std::string exportIcs(
    const std::vector<std::string> &args, const std::string &now = "2016-10-01 20:00")
{
    std::vector<std::string> full { "ics" };
    full.insert(full.end(), args.begin(), args.end());
    const ProcessResult run
        = runProgram(kShiftcal, full, { { { "SHIFTCAL_NOW", now }, { "TZ", "UTC" } }, "", "" });
    if (run.status != 0)
        throw std::runtime_error("shiftcal ics failed: " + run.err);
    return run.out;
}

std::vector<TableRow> table(
    const std::string &scheme, const std::string &from, const std::string &to)
{
    const ProcessResult run
        = runProgram(kShiftcal, { "table", "--from", from, "--to", to, "--scheme", scheme });
    if (run.status != 0)
        throw std::runtime_error("shiftcal table failed: " + run.err);
    return parseCsvTable(run.out);
}

std::string ymd(const icaltimetype &t)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
    return text;
}

// The UTC moment of a Stockholm wall-clock time by the system's zone database.
std::time_t stockholmToUtc(const icaltimetype &t)
{
    std::tm fields {};
    fields.tm_year = t.year - 1900;
    fields.tm_mon = t.month - 1;
    fields.tm_mday = t.day;
    fields.tm_hour = t.hour;
    fields.tm_min = t.minute;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

std::time_t utc(int y, int m, int d, int h)
{
    std::tm fields {};
    fields.tm_year = y - 1900;
    fields.tm_mon = m - 1;
    fields.tm_mday = d;
    fields.tm_hour = h;
    return timegm(&fields);
}

ReadEvent eventStarting(const std::vector<ReadEvent> &events, const std::string &date)
{
    for (const ReadEvent &e : events) {
        if (ymd(e.start) == date)
            return e;
    }
    throw std::runtime_error("no event on " + date);
}

std::string teamWith(const TableRow &row, const std::string &letter)
{
    for (std::size_t t = 0; t < 5; ++t) {
        if (row.letters[t] == letter)
            return std::string(1, static_cast<char>('A' + t));
    }
    throw std::runtime_error("nobody works " + letter + " on " + row.date);
}

TEST(IcsExport, ParsesCleanlyWithOneEventPerWorkedShift)
{
    const Calendar calendar
        = parseCalendar(exportIcs({ "--team", "A", "--from", "2016-01-01", "--to", "2016-12-31" }));
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0);
    EXPECT_EQ(icalrestriction_check(calendar.get()), 1);
    ASSERT_NE(icalcomponent_get_first_component(calendar.get(), ICAL_VTIMEZONE_COMPONENT), nullptr);

    int worked = 0;
    for (const TableRow &row : table("sudra", "2016-01-01", "2016-12-31"))
        worked += row.letters[0] == "F" || row.letters[0] == "E" || row.letters[0] == "N" ? 1 : 0;
    const std::vector<ReadEvent> events = eventsOf(calendar.get());
    EXPECT_EQ(static_cast<int>(events.size()), worked);
    EXPECT_GT(worked, 250);
    for (const ReadEvent &e : events) {
        EXPECT_STREQ(
            icaltimezone_get_tzid(const_cast<icaltimezone *>(e.start.zone)), "Europe/Stockholm");
        EXPECT_FALSE(icaltime_is_utc(e.start));
    }
}

TEST(IcsExport, EightHourNightsWhenTheClocksChangeLastSevenAndNineHours)
{
    const std::vector<TableRow> days = table("sudra", "2016-03-26", "2016-10-29");
    const std::string marchTeam = teamWith(days.front(), "N");
    const std::string octoberTeam = teamWith(days.back(), "N");

    const Calendar march = parseCalendar(
        exportIcs({ "--team", marchTeam, "--from", "2016-03-26", "--to", "2016-03-26" }));
    const ReadEvent spring = eventStarting(eventsOf(march.get()), "2016-03-26");
    EXPECT_EQ(spring.start.hour, 22);
    EXPECT_EQ(ymd(spring.end), "2016-03-27");
    EXPECT_EQ(spring.end.hour, 6);
    EXPECT_EQ(spring.startUtc, utc(2016, 3, 26, 21));
    EXPECT_EQ(spring.endUtc, utc(2016, 3, 27, 4));
    EXPECT_EQ(spring.endUtc - spring.startUtc, 7 * 3600);

    const Calendar october = parseCalendar(
        exportIcs({ "--team", octoberTeam, "--from", "2016-10-29", "--to", "2016-10-29" }));
    const ReadEvent autumn = eventStarting(eventsOf(october.get()), "2016-10-29");
    EXPECT_EQ(autumn.start.hour, 22);
    EXPECT_EQ(autumn.startUtc, utc(2016, 10, 29, 20));
    EXPECT_EQ(autumn.endUtc, utc(2016, 10, 30, 5));
    EXPECT_EQ(autumn.endUtc - autumn.startUtc, 9 * 3600);
}

TEST(IcsExport, TwelveHourSaturdayNightsUnderNordaLastElevenAndThirteenHours)
{
    const std::vector<TableRow> days = table("norda", "2025-03-29", "2025-10-25");
    const Calendar march = parseCalendar(exportIcs({ "--team",
        teamWith(days.front(), "N"),
        "--scheme",
        "norda",
        "--from",
        "2025-03-29",
        "--to",
        "2025-03-29" }));
    const ReadEvent spring = eventStarting(eventsOf(march.get()), "2025-03-29");
    EXPECT_EQ(spring.start.hour, 18);
    EXPECT_EQ(spring.endUtc - spring.startUtc, 11 * 3600);

    const Calendar october = parseCalendar(exportIcs({ "--team",
        teamWith(days.back(), "N"),
        "--scheme",
        "norda",
        "--from",
        "2025-10-25",
        "--to",
        "2025-10-25" }));
    const ReadEvent autumn = eventStarting(eventsOf(october.get()), "2025-10-25");
    EXPECT_EQ(autumn.endUtc - autumn.startUtc, 13 * 3600);
    EXPECT_EQ(autumn.endUtc, utc(2025, 10, 26, 5));
}

TEST(IcsExport, LocalTimesAgreeWithTheSystemZoneDatabaseFrom1900To2100)
{
    const Calendar calendar = parseCalendar(exportIcs(
        { "--team", "B", "--scheme", "norda", "--from", "1900-01-01", "--to", "2100-12-31" }));
    const std::vector<ReadEvent> events = eventsOf(calendar.get());
    ASSERT_GT(events.size(), 10000u);

    const char *oldZone = std::getenv("TZ");
    const std::string saved = oldZone ? oldZone : "";
    ::setenv("TZ", "Europe/Stockholm", 1);
    ::tzset();
    int checked = 0;
    for (const ReadEvent &e : events) {
        ASSERT_EQ(e.startUtc, stockholmToUtc(e.start)) << ymd(e.start) << " " << e.start.hour;
        ASSERT_EQ(e.endUtc, stockholmToUtc(e.end)) << ymd(e.end) << " " << e.end.hour;
        ++checked;
    }
    if (oldZone)
        ::setenv("TZ", saved.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
    EXPECT_EQ(checked, static_cast<int>(events.size()));
}

TEST(IcsExport, UidsStayTheSameForTheSameShiftInALaterExport)
{
    const Calendar first = parseCalendar(exportIcs(
        { "--team", "C", "--scheme", "norda", "--from", "2016-01-01", "--to", "2016-06-30" },
        "2016-01-01 08:00"));
    const Calendar later = parseCalendar(exportIcs(
        { "--team", "C", "--scheme", "norda", "--from", "2016-04-01", "--to", "2016-12-31" },
        "2016-09-15 17:30"));
    std::map<std::string, std::string> uidByStart;
    std::set<std::string> uids;
    for (const ReadEvent &e : eventsOf(first.get())) {
        uidByStart[ymd(e.start) + std::to_string(e.start.hour)] = e.uid;
        EXPECT_TRUE(uids.insert(e.uid).second) << "duplicate UID " << e.uid;
    }
    int shared = 0;
    for (const ReadEvent &e : eventsOf(later.get())) {
        const auto same = uidByStart.find(ymd(e.start) + std::to_string(e.start.hour));
        if (same != uidByStart.end()) {
            EXPECT_EQ(e.uid, same->second);
            ++shared;
        }
    }
    EXPECT_GT(shared, 40);
    // Another team's shifts never share a UID with these.
    for (const ReadEvent &e : eventsOf(parseCalendar(exportIcs({ "--team",
                                                         "D",
                                                         "--scheme",
                                                         "norda",
                                                         "--from",
                                                         "2016-01-01",
                                                         "--to",
                                                         "2016-06-30" }))
                                           .get()))
        EXPECT_EQ(uids.count(e.uid), 0u) << e.uid;
}

TEST(IcsExport, LinesAreFoldedAt75OctetsAndTextIsEscaped)
{
    const std::string text = exportIcs(
        { "--team", "B", "--scheme", "norda", "--from", "2016-06-01", "--to", "2016-06-30" });
    std::size_t pos = 0;
    int folds = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "every line ends in CRLF";
        const std::string line = text.substr(pos, end - pos);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos);
        if (!line.empty() && line[0] == ' ') {
            ++folds;
            ASSERT_GT(line.size(), 1u);
            EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80)
                << "a fold splits a UTF-8 character: " << line;
        }
        pos = end + 2;
    }
    EXPECT_GT(folds, 10);

    const std::vector<ReadEvent> events = eventsOf(parseCalendar(text).get());
    const ReadEvent nationalDay = eventStarting(events, "2016-06-06");
    EXPECT_EQ(nationalDay.summary, "Team B: E, afternoon shift");
    EXPECT_NE(nationalDay.description.find("Nationaldagen."), std::string::npos)
        << nationalDay.description;
    EXPECT_NE(nationalDay.description.find("Team B, Norda rotation"), std::string::npos);
}

TEST(IcsExport, NoEventOnAProductionStop)
{
    const std::vector<ReadEvent> events = eventsOf(parseCalendar(
        exportIcs(
            { "--team", "A", "--scheme", "norda", "--from", "2016-12-01", "--to", "2017-01-01" }))
                                                       .get());
    ASSERT_FALSE(events.empty());
    for (const ReadEvent &e : events) {
        for (const char *stop :
            { "2016-12-24", "2016-12-25", "2016-12-26", "2016-12-31", "2017-01-01" })
            EXPECT_NE(ymd(e.start), stop);
    }
}

TEST(IcsExport, SundayAfternoonsUnderSudraTakeTheEightHourTimes)
{
    const std::vector<TableRow> week = table("sudra", "2016-10-02", "2016-10-02");
    const std::string team = teamWith(week.front(), "E");
    const ReadEvent sunday = eventStarting(
        eventsOf(parseCalendar(
            exportIcs({ "--team", team, "--from", "2016-10-02", "--to", "2016-10-02" }))
                     .get()),
        "2016-10-02");
    EXPECT_EQ(sunday.start.hour, 14);
    EXPECT_EQ(sunday.end.hour, 22);
    const std::string other = teamWith(week.front(), "F");
    const ReadEvent morning = eventStarting(
        eventsOf(parseCalendar(
            exportIcs({ "--team", other, "--from", "2016-10-02", "--to", "2016-10-02" }))
                     .get()),
        "2016-10-02");
    EXPECT_EQ(morning.end.hour, 18) << "twelve-hour Sunday morning";
}

TEST(IcsExport, TeamEUnderSudraHasAnEmptyButValidCalendar)
{
    const Calendar calendar
        = parseCalendar(exportIcs({ "--team", "E", "--from", "2016-01-01", "--to", "2016-01-31" }));
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0);
    EXPECT_TRUE(eventsOf(calendar.get()).empty());
}

} // namespace

namespace {

// A clock at either end of the years still stamps the events with a UTC date-time that has
// four digits in its year. The clock is the plant's, east of UTC, whatever zone the computer is
// set to: its first moment is still in the year 0 in UTC.
TEST(IcsExport, TheStampIsAValidUtcTimeAtBothEndsOfTheYears)
{
    struct Case {
        const char *now;
        const char *zone;
        const char *stamp;
    };
    for (const Case &c : { Case { "9999-12-31 23:00", "America/New_York", "99991231T220000Z" },
             Case { "0001-01-01 00:00", "Asia/Tokyo", "00010101T000000Z" } }) {
        const ProcessResult run = runProgram(kShiftcal,
            { "ics", "--team", "A", "--from", "2016-10-01", "--to", "2016-10-02" },
            { { { "SHIFTCAL_NOW", c.now }, { "TZ", c.zone } }, "", "" });
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find(std::string("\r\nDTSTAMP:") + c.stamp + "\r\n"), std::string::npos)
            << c.zone;
        const Calendar calendar = parseCalendar(run.out);
        icalcomponent *event
            = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
        ASSERT_NE(event, nullptr);
        const icaltimetype stamp = icalcomponent_get_dtstamp(event);
        EXPECT_TRUE(icaltime_is_utc(stamp)) << c.zone;
        EXPECT_EQ(stamp.year, c.stamp[0] == '9' ? 9999 : 1) << c.zone;
    }
}

} // namespace
