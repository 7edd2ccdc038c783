// `shiftcal publish` as a user runs it: the real binary with a fixed clock, the folder it
// writes read back from the file system, and `shiftcal ics` and `table` as the references for
// what the feeds and tables must hold.
#include "process_runner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <thread>

namespace {

namespace fs = std::filesystem;

const std::string kShiftcal = SHIFTCAL_BINARY;
const std::string kExpectedDir = CLI_EXPECTED_DIR;

constexpr const char *kNow = "2016-10-15 12:00";
// The lock file that runs in one parent take turns by; it stays.
const std::string kLock = ".shiftcal-lock";

const std::vector<std::string> kFeeds = { "norda-A.ics",
    "norda-B.ics",
    "norda-C.ics",
    "norda-D.ics",
    "norda-E.ics",
    "sudra-A.ics",
    "sudra-B.ics",
    "sudra-C.ics",
    "sudra-D.ics" };

std::vector<std::string> siteNames()
{
    std::vector<std::string> names = kFeeds;
    names.insert(names.end(), { "index.html", "norda.csv", "sudra.csv" });
    std::sort(names.begin(), names.end());
    return names;
}

ProcessOptions clockAt(const std::string &now)
{
    return { { { "SHIFTCAL_NOW", now }, { "TZ", "Europe/Stockholm" } }, "", "" };
}

ProcessResult publish(const std::string &folder,
    const std::vector<std::string> &options = {},
    const std::string &now = kNow)
{
    std::vector<std::string> args { "publish", folder };
    args.insert(args.end(), options.begin(), options.end());
    return runProgram(kShiftcal, args, clockAt(now));
}

// Runs publish under a shell that sets `mask` first.
ProcessResult publishWithUmask(const std::string &folder, const std::string &mask)
{
    return runProgram("/bin/sh",
        { "-c", "umask " + mask + " && exec \"$0\" publish \"$1\"", kShiftcal, folder },
        clockAt(kNow));
}

std::map<std::string, std::string> readSet(const std::string &folder)
{
    std::map<std::string, std::string> set;
    for (const auto &entry : fs::directory_iterator(folder))
        set[entry.path().filename().string()] = readFile(entry.path().string());
    return set;
}

std::vector<std::string> namesIn(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

unsigned modeOf(const std::string &path)
{
    struct stat st { };
    ::lstat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// The feed less the lines a published feed adds to what `shiftcal ics` writes.
std::string withoutFeedLines(const std::string &feed)
{
    std::string kept;
    std::size_t start = 0;
    while (start < feed.size()) {
        const std::size_t end = feed.find("\r\n", start) + 2;
        const std::string_view line(feed.data() + start, end - start);
        if (!line.starts_with("NAME:") && !line.starts_with("REFRESH-INTERVAL;")
            && !line.starts_with("X-PUBLISHED-TTL:"))
            kept.append(line);
        start = end;
    }
    return kept;
}

TEST(Publish, WritesTheWholeSetReadableByAWebServerWhateverTheUmask)
{
    for (const std::string mask : { "077", "000", "022" }) {
        TemporaryFolder root;
        const ProcessResult run = publishWithUmask(root.file("site"), mask);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(root.entries(), (std::vector<std::string> { kLock, "site" })) << "umask " << mask;
        EXPECT_EQ(modeOf(root.file("site")), 0755u) << "umask " << mask;
        EXPECT_EQ(namesIn(root.file("site")), siteNames());
        for (const std::string &name : siteNames())
            EXPECT_EQ(modeOf(root.file("site/" + name)), 0644u) << name << ", umask " << mask;
    }
}

TEST(Publish, TheSameClockWritesTheSameBytesAndAnotherClockNewStamps)
{
    TemporaryFolder root;
    ASSERT_EQ(publish(root.file("one"), { "--remind", "1d" }).status, 0);
    ASSERT_EQ(publish(root.file("two"), { "--remind", "1d" }).status, 0);
    const auto one = readSet(root.file("one"));
    EXPECT_EQ(one, readSet(root.file("two")));

    ASSERT_EQ(publish(root.file("three"), { "--remind", "1d" }, "2016-10-15 12:01").status, 0);
    const auto three = readSet(root.file("three"));
    EXPECT_NE(one.at("sudra-A.ics"), three.at("sudra-A.ics"));
    EXPECT_NE(one.at("sudra-A.ics").find("DTSTAMP:20161015T100000Z\r\n"), std::string::npos);
    EXPECT_NE(three.at("sudra-A.ics").find("DTSTAMP:20161015T100100Z\r\n"), std::string::npos);
    // The window is whole months, so the tables stay the same all month.
    EXPECT_EQ(one.at("norda.csv"), three.at("norda.csv"));
}

TEST(Publish, FeedsAreWhatShiftcalIcsWritesForTheWindowPlusTheFeedProperties)
{
    TemporaryFolder root;
    const std::vector<std::string> reminders = { "--remind", "12h", "--remind", "1h30m" };
    ASSERT_EQ(publish(root.file("site"), reminders).status, 0);
    for (const std::string &feed : kFeeds) {
        const std::string scheme = feed.substr(0, 5);
        const std::string team = feed.substr(6, 1);
        std::vector<std::string> args {
            "ics", "--team", team, "--scheme", scheme, "--from", "2016-09-01", "--to", "2017-10-31"
        };
        args.insert(args.end(), reminders.begin(), reminders.end());
        const ProcessResult ics = runProgram(kShiftcal, args, clockAt(kNow));
        ASSERT_EQ(ics.status, 0) << ics.err;
        const std::string published = readFile(root.file("site/" + feed));
        EXPECT_EQ(withoutFeedLines(published), ics.out) << feed;
        const std::string name = "Team " + team + "\\, " + (scheme == "sudra" ? "Sudra" : "Norda");
        EXPECT_NE(published.find("X-WR-CALNAME:" + name + "\r\nNAME:" + name
                      + "\r\nREFRESH-INTERVAL;VALUE=DURATION:PT12H\r\nX-PUBLISHED-TTL:PT12H\r\n"),
            std::string::npos)
            << feed;
    }
    for (const std::string scheme : { "sudra", "norda" }) {
        const ProcessResult table = runProgram(kShiftcal,
            { "table", "--scheme", scheme, "--from", "2016-09-01", "--to", "2017-10-31" });
        ASSERT_EQ(table.status, 0) << table.err;
        EXPECT_EQ(readFile(root.file("site/" + scheme + ".csv")), table.out) << scheme;
    }
}

TEST(Publish, TheWindowFollowsTheMonthOptions)
{
    TemporaryFolder root;
    ASSERT_EQ(publish(root.file("site"), { "--months-back", "0", "--months-ahead=0" }).status, 0);
    const std::string table = readFile(root.file("site/sudra.csv"));
    EXPECT_TRUE(table.starts_with("date,weekday,week,holiday,name,colour,A,B,C,D,E\n2016-10-01,"));
    EXPECT_TRUE(table.ends_with("\n2016-10-31,1,44,0,,gray,E,N,,F,\n"))
        << table.substr(table.size() - 60);
    EXPECT_NE(readFile(root.file("site/index.html")).find("from 2016-10-01 to 2016-10-31"),
        std::string::npos);

    ASSERT_EQ(
        publish(root.file("site"), { "--months-back", "13", "--months-ahead", "2" }).status, 0);
    const std::string longer = readFile(root.file("site/norda.csv"));
    EXPECT_NE(longer.find("\n2015-09-01,"), std::string::npos);
    EXPECT_TRUE(longer.ends_with("\n"));
    EXPECT_NE(longer.find("\n2016-12-31,"), std::string::npos);
    EXPECT_EQ(longer.find("\n2017-01-01,"), std::string::npos);
}

// The page for a fixed clock, compared whole with the expected file; SHIFT_UPDATE_GOLDEN=1
// rewrites it.
TEST(Publish, ThePageIsValidHtmlWithTodaysShiftsAndTheFeedLinks)
{
    TemporaryFolder root;
    ASSERT_EQ(
        publish(root.file("site"), { "--base-url", "https://shifts.example.org/plant/" }).status,
        0);
    const std::string page = readFile(root.file("site/index.html"));
    const std::string expectedPath = kExpectedDir + "/publish_index_2016_10_15.html";
    if (std::getenv("SHIFT_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(expectedPath, std::ios::binary) << page;
    }
    EXPECT_EQ(page, readFile(expectedPath));
    EXPECT_EQ(page.find("<script"), std::string::npos);

    // HTML Tidy reads it as HTML5 without a single warning.
    const ProcessResult tidy = runProgram("/usr/bin/tidy",
        { "-quiet", "-errors", "--show-warnings", "yes", root.file("site/index.html") });
    EXPECT_EQ(tidy.status, 0) << tidy.err;
    EXPECT_EQ(tidy.err, "");

    // Without a base URL the page links the files by name and offers no subscription link.
    ASSERT_EQ(publish(root.file("plain")).status, 0);
    const std::string plain = readFile(root.file("plain/index.html"));
    EXPECT_EQ(plain.find("webcal:"), std::string::npos);
    EXPECT_NE(plain.find("<a href=\"norda-E.ics\">norda-E.ics</a>"), std::string::npos);
    EXPECT_EQ(plain.find("sudra-E.ics"), std::string::npos);
}

TEST(Publish, ReplacesAnEarlierSetWholeAndFollowsALinkToTheFolder)
{
    TemporaryFolder root;
    ASSERT_EQ(publish(root.file("site"), {}, "2016-01-10 08:00").status, 0);
    const auto before = readSet(root.file("site"));
    ASSERT_EQ(publish(root.file("site")).status, 0);
    const auto after = readSet(root.file("site"));
    for (const std::string &name : siteNames())
        EXPECT_NE(before.at(name), after.at(name)) << name;
    EXPECT_EQ(root.entries(), (std::vector<std::string> { kLock, "site" }));

    // A set that lacks some files (an older one, or one cut short by hand) is replaced too.
    fs::remove(root.file("site/norda-E.ics"));
    fs::remove(root.file("site/index.html"));
    ASSERT_EQ(publish(root.file("site/")).status, 0);
    EXPECT_EQ(readSet(root.file("site")), after);

    // A link to the folder stays a link; the folder it names is replaced.
    fs::create_symlink("site", root.file("link"));
    const ProcessResult run = publish(root.file("link"), {}, "2016-01-10 08:00");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(root.file("link")));
    EXPECT_EQ(readSet(root.file("site")), before);
    EXPECT_EQ(root.entries(), (std::vector<std::string> { kLock, "link", "site" }));

    // An empty folder is taken as it is.
    fs::create_directory(root.file("empty"));
    EXPECT_EQ(publish(root.file("empty")).status, 0);
    EXPECT_EQ(namesIn(root.file("empty")), siteNames());
}

TEST(Publish, RefusesAFolderThatHoldsOtherFilesAndLeavesEverythingAsItWas)
{
    TemporaryFolder root;
    ASSERT_EQ(publish(root.file("site")).status, 0);
    const auto published = readSet(root.file("site"));

    std::ofstream(root.file("site/notes.txt")) << "mine\n";
    ProcessResult run = publish(root.file("site"), {}, "2017-01-01 00:00");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
        "shiftcal: cannot publish to " + root.file("site")
            + ": it holds 'notes.txt', which shiftcal publish does not write\n");
    auto withNotes = published;
    withNotes["notes.txt"] = "mine\n";
    EXPECT_EQ(readSet(root.file("site")), withNotes);
    fs::remove(root.file("site/notes.txt"));

    // A folder of the right name is not a file of the set either.
    fs::create_directory(root.file("site/index.html.d"));
    fs::remove(root.file("site/sudra.csv"));
    fs::create_directory(root.file("site/sudra.csv"));
    run = publish(root.file("site"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("which shiftcal publish does not write"), std::string::npos) << run.err;
    fs::remove(root.file("site/index.html.d"));
    fs::remove(root.file("site/sudra.csv"));

    std::ofstream(root.file("file")) << "a file\n";
    run = publish(root.file("file"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "shiftcal: cannot publish to " + root.file("file") + ": Not a directory\n");
    EXPECT_EQ(readFile(root.file("file")), "a file\n");

    run = publish(root.file("missing/site"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
        "shiftcal: cannot publish to " + root.file("missing/site") + ": cannot make a folder in "
            + root.file("missing") + ": No such file or directory\n");
    EXPECT_EQ(root.entries(), (std::vector<std::string> { kLock, "file", "site" }));
}

struct BadPublish {
    const char *name;
    std::vector<std::string> args;
    const char *now;
    const char *message;
};

void PrintTo(const BadPublish &c, std::ostream *os)
{
    *os << c.name;
}

const BadPublish kBadPublishes[] = {
    { "NoFolder",
        { "publish" },
        kNow,
        "publish: DIR is required; expected the folder to publish into" },
    { "EmptyFolder",
        { "publish", "" },
        kNow,
        "publish: the folder name is empty; expected the folder to publish into" },
    { "TwoFolders",
        { "publish", "a", "b" },
        kNow,
        "publish: unexpected argument 'b'; expected one folder" },
    { "NegativeMonths",
        { "publish", "a", "--months-back", "-1" },
        kNow,
        "--months-back: '-1' is not a number from 0 to 1200" },
    { "TooManyMonths",
        { "publish", "a", "--months-ahead", "1201" },
        kNow,
        "--months-ahead: '1201' is not a number from 0 to 1200" },
    { "PastTheYear9999",
        { "publish", "a", "--months-ahead", "7" },
        "9999-06-30 10:00",
        "--months-ahead: 7 months after 9999-06 is past the year 9999" },
    { "BeforeTheYear1",
        { "publish", "a" },
        "0001-01-15 10:00",
        "--months-back: 1 month before 0001-01 is before the year 1" },
    { "BadReminder",
        { "publish", "a", "--remind", "12", "--remind", "1h" },
        kNow,
        "--remind: '12' is not a duration; expected a duration such as 30m, 12h, 1d or 1h30m, up "
        "to "
        "28d" },
    { "UnorderedReminder",
        { "publish", "a", "--remind", "30m1h" },
        kNow,
        "--remind: '30m1h' is not a duration; expected a duration such as 30m, 12h, 1d or 1h30m, "
        "up "
        "to 28d" },
    { "LongReminder",
        { "publish", "a", "--remind", "27d24h1m" },
        kNow,
        "--remind: '27d24h1m' is longer than four weeks; expected a duration such as 30m, 12h, 1d "
        "or "
        "1h30m, up to 28d" },
    { "NotAnAddress",
        { "publish", "a", "--base-url", "example.org/shifts" },
        kNow,
        "--base-url: 'example.org/shifts' is not an address of a folder; expected an https:// or "
        "http:// address of the folder, such as https://example.org/shifts" },
    { "AddressWithAQuery",
        { "publish", "a", "--base-url", "https://example.org/?x=1" },
        kNow,
        "--base-url: 'https://example.org/?x=1' is not an address of a folder; expected an "
        "https:// "
        "or http:// address of the folder, such as https://example.org/shifts" },
    { "AddressWithoutAHost",
        { "publish", "a", "--base-url", "https:///shifts" },
        kNow,
        "--base-url: 'https:///shifts' is not an address of a folder; expected an https:// or "
        "http:// address of the folder, such as https://example.org/shifts" },
    { "UnknownOption",
        { "publish", "a", "--team", "A" },
        kNow,
        "publish: unknown option '--team'; expected --months-back, --months-ahead, --remind, "
        "--base-url or --help" },
    { "IcsReminder",
        { "ics",
            "--team",
            "A",
            "--from",
            "2016-01-01",
            "--to",
            "2016-01-02",
            "--remind",
            "1w",
            "-o",
            "a.ics" },
        kNow,
        "--remind: '1w' is not a duration; expected a duration such as 30m, 12h, 1d or 1h30m, up "
        "to "
        "28d" },
};

class BadPublishInput : public testing::TestWithParam<BadPublish> { };

TEST_P(BadPublishInput, GetsOneLineExitTwoAndWritesNothing)
{
    const BadPublish &c = GetParam();
    TemporaryFolder root;
    ProcessOptions options = clockAt(c.now);
    options.workingDirectory = root.path();
    const ProcessResult run = runProgram(kShiftcal, c.args, options);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, std::string("shiftcal: ") + c.message + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(root.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadPublishInput, testing::ValuesIn(kBadPublishes), [](const auto &param) {
        return std::string(param.param.name);
    });

TEST(Publish, TwoRunsAtOnceLeaveOneWholeSetAndNoTemporaryFolder)
{
    TemporaryFolder root;
    TemporaryFolder references;
    ASSERT_EQ(publish(references.file("a"), {}, "2016-10-15 12:00").status, 0);
    ASSERT_EQ(publish(references.file("b"), {}, "2016-10-15 13:00").status, 0);
    const auto a = readSet(references.file("a"));
    const auto b = readSet(references.file("b"));
    for (int round = 0; round < 8; ++round) {
        // Every other round starts with no folder at all, so both runs race to make it.
        if (round % 2 == 0)
            fs::remove_all(root.file("site"));
        ProcessResult first;
        ProcessResult second;
        std::thread other([&] { second = publish(root.file("site"), {}, "2016-10-15 13:00"); });
        first = publish(root.file("site"), {}, "2016-10-15 12:00");
        other.join();
        EXPECT_EQ(first.status, 0) << first.err;
        EXPECT_EQ(second.status, 0) << second.err;
        const auto set = readSet(root.file("site"));
        EXPECT_TRUE(set == a || set == b) << "round " << round;
        EXPECT_EQ(root.entries(), (std::vector<std::string> { kLock, "site" }))
            << "round " << round;
    }
}

// Starts a publish of a hundred years of every feed, long enough to be caught in the middle,
// and sends it `signal` once its new set has begun to appear beside the folder.
ProcessResult interruptLongPublish(const TemporaryFolder &root, int signal)
{
    const auto begun = [&root] {
        for (const auto &entry : fs::directory_iterator(root.path())) {
            std::error_code ignored;
            if (entry.path().filename().string().starts_with(".shiftcal-")
                && fs::exists(entry.path() / "sudra-B.ics", ignored))
                return true;
        }
        return false;
    };
    return interruptProgram(kShiftcal,
        { "publish", root.file("site"), "--months-ahead", "600", "--remind", "1h" },
        begun,
        signal);
}

TEST(Publish, ASignalMidRunLeavesTheFolderAsItWasAndNoTemporaryFolder)
{
    for (const int signal : { SIGINT, SIGTERM, SIGHUP }) {
        TemporaryFolder root;
        ASSERT_EQ(publish(root.file("site")).status, 0);
        const auto before = readSet(root.file("site"));
        const ProcessResult run = interruptLongPublish(root, signal);
        EXPECT_EQ(run.signal, signal);
        EXPECT_EQ(root.entries(), (std::vector<std::string> { kLock, "site" })) << signal;
        EXPECT_EQ(readSet(root.file("site")), before) << signal;
    }
    // Where there was no folder, there is none afterwards either.
    TemporaryFolder root;
    const ProcessResult run = interruptLongPublish(root, SIGTERM);
    EXPECT_EQ(run.signal, SIGTERM);
    EXPECT_EQ(root.entries(), std::vector<std::string> { kLock });
}

} // namespace
