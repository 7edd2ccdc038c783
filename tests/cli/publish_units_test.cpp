// The parts of `publish` and `--remind` in-process: the reminder durations, the window, the
// names of the set, the page's escaping, the options, and SiteFolder on a real file system.
#include "cli/cli_error.h"
#include "cli/ics_options.h"
#include "cli/output_buffer.h"
#include "cli/publish_options.h"
#include "cli/reminder_duration.h"
#include "cli/site_folder.h"
#include "cli/site_layout.h"
#include "cli/site_page.h"
#include "process_runner.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace shift;

struct DurationCase {
    const char *text;
    int days;
    int minutes;
    const char *trigger;
};

TEST(ReminderDuration, ReadsDaysHoursAndMinutesAndWritesTheirTrigger)
{
    const DurationCase cases[] = {
        { "30m", 0, 30, "-PT30M" },
        { "12h", 0, 720, "-PT12H" },
        { "1d", 1, 0, "-P1D" },
        { "1h30m", 0, 90, "-PT1H30M" },
        { "90m", 0, 90, "-PT1H30M" },
        { "1d12h", 1, 720, "-P1DT12H" },
        { "2D3H4M", 2, 184, "-P2DT3H4M" },
        { "36h", 0, 2160, "-PT36H" },
        { "0m", 0, 0, "PT0S" },
        { "28d", 28, 0, "-P28D" },
        { "27d24h", 27, 1440, "-P27DT24H" },
        { "000000007m", 0, 7, "-PT7M" },
    };
    for (const DurationCase &c : cases) {
        const ReminderDuration d = parseReminderDuration("--remind", c.text);
        EXPECT_EQ(d.days, c.days) << c.text;
        EXPECT_EQ(d.minutes, c.minutes) << c.text;
        EXPECT_EQ(triggerBeforeStart(d), c.trigger) << c.text;
    }
}

TEST(ReminderDuration, RefusesAnythingElse)
{
    for (const char *text : { "",
             "12",
             "h",
             "1h1h",
             "30m1h",
             "1m1d",
             "1w",
             "-1h",
             "+1h",
             "1.5h",
             "1h 30m",
             " 1h",
             "1h30",
             "1hh",
             "28d1m",
             "673h",
             "40321m",
             "9999999999m",
             "999999999d",
             "1d\n" }) {
        EXPECT_THROW(parseReminderDuration("--remind", text), UsageError) << text;
    }
    try {
        parseReminderDuration("--remind", "5x");
        FAIL();
    } catch (const UsageError &error) {
        EXPECT_STREQ(error.what(),
            "--remind: '5x' is not a duration; expected a duration such as 30m, 12h, 1d or 1h30m, "
            "up to 28d");
    }
}

TEST(ReminderDuration, RepeatsAreDroppedButADayIsNotTwentyFourHours)
{
    const std::vector<ReminderDuration> given
        = { { 0, 60 }, { 0, 30 }, { 0, 60 }, { 1, 0 }, { 0, 1440 }, { 0, 30 } };
    EXPECT_EQ(withoutRepeats(given),
        (std::vector<ReminderDuration> { { 0, 60 }, { 0, 30 }, { 1, 0 }, { 0, 1440 } }));
    EXPECT_TRUE(withoutRepeats({}).empty());
}

TEST(RepeatableOption, EveryRemindReachesTheOptionsInTheOrderGiven)
{
    const std::vector<std::string_view> ics = { "--remind=1d",
        "--team",
        "A",
        "--remind",
        "30m",
        "--from",
        "2016-01-01",
        "--to",
        "2016-01-02",
        "--remind",
        "1d" };
    EXPECT_EQ(parseIcsOptions(ics).reminders,
        (std::vector<ReminderDuration> { { 1, 0 }, { 0, 30 }, { 1, 0 } }));

    const std::vector<std::string_view> publish = {
        "--remind", "2h", "site", "--remind=15m", "--months-ahead", "3", "--months-ahead", "4"
    };
    const PublishOptions options = parsePublishOptions(publish);
    EXPECT_EQ(options.reminders, (std::vector<ReminderDuration> { { 0, 120 }, { 0, 15 } }));
    EXPECT_EQ(options.folder, "site");
    EXPECT_EQ(options.monthsAhead, 4);
    EXPECT_EQ(options.monthsBack, 1);
}

TEST(PublishOptions, BaseUrlsLoseTheirTrailingSlashesAndHelpWins)
{
    const auto baseUrl = [](std::string_view url) {
        const std::vector<std::string_view> args = { "site", "--base-url", url };
        return parsePublishOptions(args).baseUrl;
    };
    EXPECT_EQ(baseUrl("https://example.org/shifts/"), "https://example.org/shifts");
    EXPECT_EQ(baseUrl("https://example.org//"), "https://example.org");
    EXPECT_EQ(baseUrl("http://127.0.0.1:8080/a%20b/"), "http://127.0.0.1:8080/a%20b");
    EXPECT_EQ(baseUrl("https://[::1]/s"), "https://[::1]/s");
    for (const char *bad : { "",
             "https://",
             "https:///x",
             "ftp://example.org",
             "webcal://x/y",
             "https://example.org/a b",
             "https://example.org/#top",
             "https://e.org/\"x",
             "https://e.org/<b>",
             "HTTPS://example.org" }) {
        const std::vector<std::string_view> args = { "site", "--base-url", bad };
        EXPECT_THROW(parsePublishOptions(args), UsageError) << bad;
    }
    const std::vector<std::string_view> help = { "--base-url", "ftp://x", "--help" };
    EXPECT_TRUE(parsePublishOptions(help).help);
    const std::vector<std::string_view> none = {};
    EXPECT_THROW(parsePublishOptions(none), UsageError);
}

std::string iso(const CivilDate &date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", yearOf(date), monthOf(date), dayOf(date));
    return text;
}

TEST(SiteWindow, WholeMonthsAroundToday)
{
    const auto window = [](int y, int m, int d, int back, int ahead) {
        const SiteWindow w = siteWindow(civilDate(y, m, d), back, ahead);
        return iso(w.from) + ".." + iso(w.to);
    };
    EXPECT_EQ(window(2016, 10, 15, 1, 12), "2016-09-01..2017-10-31");
    EXPECT_EQ(window(2016, 10, 1, 0, 0), "2016-10-01..2016-10-31");
    EXPECT_EQ(window(2016, 1, 31, 1, 1), "2015-12-01..2016-02-29");
    EXPECT_EQ(window(2015, 12, 31, 12, 2), "2014-12-01..2016-02-29");
    EXPECT_EQ(window(2016, 3, 31, 25, 11), "2014-02-01..2017-02-28");
    EXPECT_EQ(window(2000, 6, 1, 1200, 1200), "1900-06-01..2100-06-30");
    EXPECT_EQ(window(1, 1, 1, 0, 1200), "0001-01-01..0101-01-31");
    EXPECT_EQ(window(9999, 12, 31, 1200, 0), "9899-12-01..9999-12-31");
    EXPECT_THROW(siteWindow(civilDate(1, 12, 1), 12, 0), UsageError);
    EXPECT_THROW(siteWindow(civilDate(9999, 1, 1), 0, 12), UsageError);
}

TEST(SiteLayout, OneFeedPerSchemeAndWorkingTeamTwoTablesAndThePage)
{
    EXPECT_EQ(siteFileNames(),
        (std::vector<std::string> { "sudra-A.ics",
            "sudra-B.ics",
            "sudra-C.ics",
            "sudra-D.ics",
            "norda-A.ics",
            "norda-B.ics",
            "norda-C.ics",
            "norda-D.ics",
            "norda-E.ics",
            "sudra.csv",
            "norda.csv",
            "index.html" }));
}

TEST(SitePage, EscapesWhatHtmlWouldReadAsMarkup)
{
    EXPECT_EQ(escapeHtml("a&b<c>\"d\"'e'"), "a&amp;b&lt;c&gt;&quot;d&quot;&#39;e&#39;");
    EXPECT_EQ(escapeHtml("Nyårsdagen"), "Nyårsdagen");

    // A base URL with characters HTML gives a meaning stays inside its attribute.
    TemporaryFolder folder;
    const int fd = ::open(folder.file("page.html").c_str(), O_WRONLY | O_CREAT, 0644);
    {
        OutputBuffer out(fd, "page.html");
        const SitePage page { { 2016, 6, 24, 12, 0, 0, 0 },
            siteWindow(civilDate(2016, 6, 24), 1, 12),
            "https://example.org/a&b='c'",
            12 };
        writeSitePage(page, out);
        out.flush();
    }
    ::close(fd);
    const std::string html = readFile(folder.file("page.html"));
    EXPECT_NE(html.find("href=\"https://example.org/a&amp;b=&#39;c&#39;/norda-A.ics\""),
        std::string::npos);
    EXPECT_EQ(html.find("a&b"), std::string::npos);
    // Midsummer's Eve: a production stop under norda, with the day's name; an ordinary day
    // under sudra.
    EXPECT_NE(html.find("<p>Today is Mids. afton.</p>"), std::string::npos);
    EXPECT_NE(html.find("<td>*, production stop</td>"), std::string::npos);
    EXPECT_NE(html.find("Fri 24 June 2016</strong>, week 25."), std::string::npos);
}

std::vector<std::string> namesIn(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void writeText(SiteFolder &site, const std::string &name, const std::string &text)
{
    site.write(name, [&](OutputBuffer &out) { out.append(text); });
}

TEST(SiteFolder, ANewSetAppearsWholeOnlyOnCommit)
{
    TemporaryFolder root;
    const std::string path = root.file("site");
    {
        SiteFolder site(path, { "a.txt", "b.txt" });
        writeText(site, "a.txt", "new a\n");
        writeText(site, "b.txt", "new b\n");
        EXPECT_FALSE(fs::exists(path));
        site.commit();
    }
    EXPECT_EQ(namesIn(path), (std::vector<std::string> { "a.txt", "b.txt" }));
    EXPECT_EQ(readFile(path + "/a.txt"), "new a\n");
    EXPECT_EQ(root.entries(), (std::vector<std::string> { ".shiftcal-lock", "site" }));

    // Not committed: the old set stays and the new one goes.
    {
        SiteFolder site(path, { "a.txt", "b.txt" });
        writeText(site, "a.txt", "newer a\n");
        EXPECT_EQ(root.entries().size(), 3u);
    }
    EXPECT_EQ(root.entries(), (std::vector<std::string> { ".shiftcal-lock", "site" }));
    EXPECT_EQ(readFile(path + "/a.txt"), "new a\n");
}

TEST(SiteFolder, AProcessHoldingTheOldFolderKeepsItWhileThePathShowsTheNewOne)
{
    TemporaryFolder root;
    const std::string path = root.file("site");
    {
        SiteFolder site(path, { "a.txt" });
        writeText(site, "a.txt", "old\n");
        site.commit();
    }
    const int held = ::open(path.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(held, 0);
    struct stat before { };
    ::fstat(held, &before);
    {
        SiteFolder site(path, { "a.txt" });
        writeText(site, "a.txt", "new\n");
        site.commit();
    }
    struct stat after { };
    ::stat(path.c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(readFile(path + "/a.txt"), "new\n");
    // The old folder, swapped out, was emptied and removed.
    EXPECT_LT(::openat(held, "a.txt", O_RDONLY), 0);
    struct stat old { };
    ::fstat(held, &old);
    EXPECT_EQ(old.st_nlink, 0u);
    ::close(held);
    EXPECT_EQ(root.entries(), (std::vector<std::string> { ".shiftcal-lock", "site" }));
}

TEST(SiteFolder, RefusesWhatItMustNotReplace)
{
    TemporaryFolder root;
    fs::create_directory(root.file("site"));
    std::ofstream(root.file("site/a.txt")) << "a\n";
    std::ofstream(root.file("site/other")) << "other\n";
    try {
        SiteFolder site(root.file("site"), { "a.txt" });
        FAIL();
    } catch (const WriteError &error) {
        EXPECT_EQ(std::string(error.what()),
            "cannot publish to " + root.file("site")
                + ": it holds 'other', which shiftcal publish does not write");
    }
    fs::remove(root.file("site/other"));
    fs::create_symlink("a.txt", root.file("site/b.txt"));
    EXPECT_THROW(SiteFolder(root.file("site"), { "a.txt", "b.txt" }), WriteError);

    // A foreign file that arrives while the new set is written is found at commit.
    fs::remove(root.file("site/b.txt"));
    {
        // In a scope of its own: while one SiteFolder lives, another in the same parent waits.
        SiteFolder site(root.file("site"), { "a.txt" });
        writeText(site, "a.txt", "new\n");
        std::ofstream(root.file("site/late")) << "late\n";
        EXPECT_THROW(site.commit(), WriteError);
    }
    EXPECT_EQ(namesIn(root.file("site")), (std::vector<std::string> { "a.txt", "late" }));
    EXPECT_EQ(readFile(root.file("site/a.txt")), "a\n");
    fs::remove(root.file("site/late"));

    // Nor is a folder that became a link meanwhile: swapping would move the link away.
    SiteFolder linked(root.file("site"), { "a.txt" });
    writeText(linked, "a.txt", "new\n");
    fs::rename(root.file("site"), root.file("real"));
    fs::create_directory_symlink("real", root.file("site"));
    try {
        linked.commit();
        FAIL();
    } catch (const WriteError &error) {
        EXPECT_EQ(std::string(error.what()),
            "cannot publish to " + root.file("site") + ": Not a directory");
    }
    EXPECT_TRUE(fs::is_symlink(root.file("site")));
    EXPECT_EQ(readFile(root.file("real/a.txt")), "a\n");
}

} // namespace
