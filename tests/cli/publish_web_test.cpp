// A published folder as its subscribers meet it: served by a real web server on 127.0.0.1
// (web_server.h), fetched with curl and read with libical, while `shiftcal publish` replaces it.
#include "ical_reader.h"
#include "process_runner.h"
#include "web_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kShiftcal = SHIFTCAL_BINARY;
const std::string kCurl = "/usr/bin/curl";

// The window of the default options on 15 October 2016: September 2016 to October 2017.
constexpr const char *kNow = "2016-10-15 12:00";
constexpr const char *kFrom = "2016-09-01";
constexpr const char *kTo = "2017-10-31";

struct Feed {
    std::string scheme;
    std::string team;
    std::string file() const { return scheme + "-" + team + ".ics"; }
};

const std::vector<Feed> kFeeds = { { "sudra", "A" },
    { "sudra", "B" },
    { "sudra", "C" },
    { "sudra", "D" },
    { "norda", "A" },
    { "norda", "B" },
    { "norda", "C" },
    { "norda", "D" },
    { "norda", "E" } };

std::vector<std::string> siteNames()
{
    std::vector<std::string> names;
    for (const Feed &feed : kFeeds)
        names.push_back(feed.file());
    names.insert(names.end(), { "sudra.csv", "norda.csv", "index.html" });
    std::sort(names.begin(), names.end());
    return names;
}

ProcessResult publish(
    const std::string &folder, const std::string &now, const std::vector<std::string> &options = {})
{
    std::vector<std::string> args { "publish", folder };
    args.insert(args.end(), options.begin(), options.end());
    return runProgram(
        kShiftcal, args, { { { "SHIFTCAL_NOW", now }, { "TZ", "Europe/Stockholm" } }, "", "" });
}

// A temporary folder the web server's user (nobody, when the tests run as root) may enter.
class ServedFolder {
public:
    ServedFolder() { fs::permissions(m_root.path(), fs::perms(0755)); }
    std::string site() const { return m_root.file("site"); }
    std::string file(const std::string &name) const { return m_root.file(name); }
    std::vector<std::string> entries() const { return m_root.entries(); }

private:
    TemporaryFolder m_root;
};

struct Fetched {
    std::string body;
    std::string contentType;
    long status = 0;
};

// Fetches every URL in one curl run, one connection after another as a browser would, each
// body into its own file of `scratch`.
std::vector<Fetched> fetchAll(const std::vector<std::string> &urls, const std::string &scratch)
{
    std::vector<std::string> args { "--silent", "--show-error", "--max-time", "30" };
    for (std::size_t i = 0; i < urls.size(); ++i) {
        args.insert(args.end(),
            { urls[i],
                "--output",
                scratch + "/" + std::to_string(i),
                "--write-out",
                "%{http_code} %{content_type}\\n" });
    }
    const ProcessResult run = runProgram(kCurl, args);
    if (run.status != 0)
        throw std::runtime_error("curl failed: " + run.err);
    std::vector<Fetched> fetched(urls.size());
    std::istringstream lines(run.out);
    for (std::size_t i = 0; i < urls.size(); ++i) {
        std::string line;
        std::getline(lines, line);
        const std::size_t blank = line.find(' ');
        fetched[i].status = std::stol(line.substr(0, blank));
        fetched[i].contentType = blank == line.npos ? "" : line.substr(blank + 1);
        fetched[i].body = readFile(scratch + "/" + std::to_string(i));
    }
    return fetched;
}

std::set<std::string> uidsOf(const std::string &text)
{
    const Calendar calendar = parseCalendar(text);
    std::set<std::string> uids;
    for (const ReadEvent &event : eventsOf(calendar.get()))
        uids.insert(event.uid);
    return uids;
}

TEST(PublishedFeeds, ServedOverHttpTheyAreTheCalendarsOfShiftcalIcsWithReminders)
{
    ServedFolder root;
    const ProcessResult run = publish(root.site(),
        kNow,
        { "--remind", "12h", "--remind", "30m", "--base-url", "https://example.org/shifts" });
    ASSERT_EQ(run.status, 0) << run.err;
    WebServer server(root.site());

    std::vector<std::string> urls;
    for (const std::string &name : siteNames())
        urls.push_back(server.url(name));
    fs::create_directory(root.file("fetched"));
    const std::vector<Fetched> fetched = fetchAll(urls, root.file("fetched"));
    std::map<std::string, Fetched> byName;
    for (std::size_t i = 0; i < urls.size(); ++i)
        byName[siteNames()[i]] = fetched[i];

    for (const auto &[name, response] : byName) {
        EXPECT_EQ(response.status, 200) << name << " from " << server.kind();
        EXPECT_EQ(response.body, readFile(root.site() + "/" + name)) << name;
    }
    if (server.kind() == "nginx") {
        EXPECT_EQ(byName["sudra-A.ics"].contentType, "text/calendar; charset=utf-8");
        EXPECT_EQ(byName["index.html"].contentType, "text/html; charset=utf-8");
    }

    for (const Feed &feed : kFeeds) {
        SCOPED_TRACE(feed.file());
        const std::string &text = byName[feed.file()].body;
        const Calendar calendar = parseCalendar(text);
        const std::string name
            = "Team " + feed.team + ", " + (feed.scheme == "sudra" ? "Sudra" : "Norda");
        EXPECT_EQ(calendarText(calendar.get(), "X-WR-CALNAME"), name);
        EXPECT_EQ(calendarText(calendar.get(), "NAME"), name);
        EXPECT_EQ(calendarText(calendar.get(), "X-PUBLISHED-TTL"), "PT12H");
        icalproperty *refresh
            = icalcomponent_get_first_property(calendar.get(), ICAL_REFRESHINTERVAL_PROPERTY);
        ASSERT_NE(refresh, nullptr);
        EXPECT_EQ(icaldurationtype_as_int(icalvalue_get_duration(icalproperty_get_value(refresh))),
            12 * 3600);

        // The same shifts under the same UIDs as a one-off export of the same days.
        const ProcessResult ics = runProgram(kShiftcal,
            { "ics", "--team", feed.team, "--scheme", feed.scheme, "--from", kFrom, "--to", kTo });
        ASSERT_EQ(ics.status, 0) << ics.err;
        const std::set<std::string> expected = uidsOf(ics.out);
        EXPECT_GT(expected.size(), 150u);
        EXPECT_EQ(uidsOf(text), expected);

        for (const ReadEvent &event : eventsOf(calendar.get())) {
            ASSERT_EQ(event.alarms.size(), 2u) << event.uid;
            EXPECT_EQ(event.alarms[0].triggerSeconds, -12 * 3600);
            EXPECT_EQ(event.alarms[1].triggerSeconds, -30 * 60);
            for (const ReadAlarm &alarm : event.alarms) {
                EXPECT_EQ(alarm.action, "DISPLAY");
                EXPECT_TRUE(alarm.relatedToStart);
                EXPECT_NE(alarm.description.find(event.summary), std::string::npos)
                    << alarm.description;
                EXPECT_NE(
                    alarm.description.find("starts " + wallClock(event.start)), std::string::npos)
                    << alarm.description;
            }
        }
    }

    // Every link of the page leads to a file the server has.
    const std::string &page = byName["index.html"].body;
    std::set<std::string> linked;
    const std::regex href("href=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), href);
         it != std::sregex_iterator();
         ++it)
        linked.insert((*it)[1]);
    for (const Feed &feed : kFeeds) {
        EXPECT_TRUE(linked.count("webcal://example.org/shifts/" + feed.file())) << feed.file();
        EXPECT_TRUE(linked.count("https://example.org/shifts/" + feed.file())) << feed.file();
    }
    EXPECT_TRUE(linked.count("sudra.csv"));
    EXPECT_TRUE(linked.count("norda.csv"));
}

// Names in a server's folder listing (nginx's autoindex, or http.server's).
std::vector<std::string> listedNames(const std::string &listing)
{
    std::vector<std::string> names;
    const std::regex href("href=\"([^\"/?]+)\"");
    for (auto it = std::sregex_iterator(listing.begin(), listing.end(), href);
         it != std::sregex_iterator();
         ++it)
        names.push_back((*it)[1]);
    std::sort(names.begin(), names.end());
    return names;
}

using FileSet = std::map<std::string, std::string>;

FileSet readSet(const std::string &folder)
{
    FileSet set;
    for (const std::string &name : siteNames())
        set[name] = readFile(folder + "/" + name);
    return set;
}

// What a process that opened the folder once sees in it: every file through that one handle.
// nullopt when a file is missing, which is allowed only for a folder already swapped out.
std::optional<FileSet> readThroughOneHandle(const std::string &folder, std::string &problem)
{
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) {
        problem = "the folder is missing";
        return std::nullopt;
    }
    FileSet set;
    for (const std::string &name : siteNames()) {
        const int fd = ::openat(handle, name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            struct stat held { };
            struct stat current { };
            ::fstat(handle, &held);
            if (::stat(folder.c_str(), &current) != 0 || current.st_ino == held.st_ino)
                problem = "the folder in place lacks " + name;
            ::close(handle);
            return std::nullopt;
        }
        std::string text;
        char buffer[65536];
        ssize_t n = 0;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        ::close(fd);
        set[name] = text;
    }
    ::close(handle);
    return set;
}

TEST(PublishedFeeds, AReaderNeverSeesAMixedOrPartialSetWhilePublishRunsAgainAndAgain)
{
    ServedFolder root;
    // Three versions that differ in every feed and the page (DTSTAMP, today).
    const std::vector<std::string> clocks
        = { "2016-10-15 12:00", "2016-10-16 13:00", "2016-10-17 14:00" };
    std::vector<FileSet> versions;
    for (std::size_t i = 0; i < clocks.size(); ++i) {
        const std::string folder = root.file("version" + std::to_string(i));
        ASSERT_EQ(publish(folder, clocks[i]).status, 0);
        versions.push_back(readSet(folder));
    }
    ASSERT_EQ(publish(root.site(), clocks[0]).status, 0);
    WebServer server(root.site());

    std::atomic<bool> publishing { true };
    std::mutex problemsLock;
    std::vector<std::string> problems;
    const auto report = [&](const std::string &problem) {
        const std::lock_guard<std::mutex> hold(problemsLock);
        if (problems.size() < 20)
            problems.push_back(problem);
    };

    std::thread publisher([&] {
        for (int run = 0; run < 18; ++run) {
            const ProcessResult result
                = publish(root.site(), clocks[static_cast<std::size_t>(run) % 3]);
            if (result.status != 0)
                report("publish failed: " + result.err);
        }
        publishing = false;
    });

    // Through the file system: one handle on the folder sees one whole version.
    int handleReads = 0;
    std::thread folderReader([&] {
        while (publishing) {
            std::string problem;
            const std::optional<FileSet> set = readThroughOneHandle(root.site(), problem);
            if (!problem.empty())
                report(problem);
            if (!set)
                continue;
            ++handleReads;
            if (std::find(versions.begin(), versions.end(), *set) == versions.end())
                report("one handle saw files of different versions or a partial file");
        }
    });

    // Over HTTP: every listing names the whole set and nothing else, and every file fetched is
    // whole: byte for byte one version's.
    const std::vector<std::string> names = siteNames();
    std::vector<std::string> urls;
    for (const std::string &name : names)
        urls.push_back(server.url(name));
    const std::optional<std::string> listing = server.listingUrl();
    if (listing)
        urls.push_back(*listing);
    fs::create_directory(root.file("fetched"));
    int sweeps = 0;
    while (publishing) {
        const std::vector<Fetched> fetched = fetchAll(urls, root.file("fetched"));
        ++sweeps;
        if (listing && listedNames(fetched.back().body) != names)
            report("the listing shows another set: " + fetched.back().body);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string &name = names[i];
            if (fetched[i].status != 200) {
                report(name + ": HTTP " + std::to_string(fetched[i].status));
                continue;
            }
            const bool whole = std::any_of(versions.begin(), versions.end(), [&](const FileSet &v) {
                return v.at(name) == fetched[i].body;
            });
            if (!whole)
                report(name + ": " + std::to_string(fetched[i].body.size())
                    + " bytes that no version has");
        }
    }
    publisher.join();
    folderReader.join();

    EXPECT_EQ(problems, std::vector<std::string> {});
    EXPECT_GT(sweeps, 3);
    EXPECT_GT(handleReads, 3);
    EXPECT_EQ(root.entries(),
        (std::vector<std::string> {
            ".shiftcal-lock", "fetched", "site", "version0", "version1", "version2" }));
}

} // namespace
