// "Now" is one real instant on the plant's clock, whatever zone the computer is set to: the real
// binary runs under libfaketime, its system clock stopped at a chosen instant, under several TZ
// values, and must answer as SHIFTCAL_NOW set to the plant's wall clock at that instant does.
// The C library, told TZ=Europe/Stockholm, is the oracle for that wall clock.
#include "process_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>

namespace {

namespace fs = std::filesystem;

const std::string kShiftcal = SHIFTCAL_BINARY;

const char *const kComputerZones[]
    = { "UTC", "Asia/Tokyo", "America/New_York", "Europe/Stockholm", "Pacific/Kiritimati" };

std::string fakeTimeLibrary()
{
    for (const auto &entry : fs::directory_iterator("/usr/lib")) {
        const fs::path library = entry.path() / "faketime" / "libfaketime.so.1";
        if (fs::exists(library))
            return library.string();
    }
    return {};
}

// The Stockholm wall clock at `instant` as "YYYY-MM-DD HH:MM" and its UTC offset as "+HH:MM".
std::pair<std::string, std::string> stockholmClockAt(std::time_t instant)
{
    const char *saved = std::getenv("TZ");
    const std::string previous = saved != nullptr ? saved : "";
    ::setenv("TZ", "Europe/Stockholm", 1);
    ::tzset();
    std::tm local {};
    ::localtime_r(&instant, &local);
    if (saved != nullptr)
        ::setenv("TZ", previous.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
    char wall[32];
    std::strftime(wall, sizeof wall, "%Y-%m-%d %H:%M", &local);
    // Stockholm's offsets since 1900 are whole hours east of UTC: +01:00 or +02:00.
    const std::string offset = "+0" + std::to_string(local.tm_gmtoff / 3600) + ":00";
    return { wall, offset };
}

// What a run answers: now as text and JSON, team A's next shifts, and the published folder.
struct Answers {
    std::string now;
    std::string nowJson;
    std::string next;
    std::map<std::string, std::string> site;
};

Answers answersUnder(const ProcessOptions &options, const std::string &siteFolder)
{
    Answers answers;
    const auto run = [&](const std::vector<std::string> &args) {
        const ProcessResult result = runProgram(kShiftcal, args, options);
        EXPECT_EQ(result.status, 0) << args[0] << ": " << result.err;
        EXPECT_EQ(result.err, "") << args[0];
        return result.out;
    };
    answers.now = run({ "now" });
    answers.nowJson = run({ "now", "--format", "json" });
    answers.next = run({ "next", "--team", "A", "--count", "2" });
    run({ "publish", siteFolder });
    for (const auto &entry : fs::directory_iterator(siteFolder))
        answers.site[entry.path().filename().string()] = readFile(entry.path().string());
    return answers;
}

// Under the real clock stopped at `instant` in the computer's zone `zone`.
Answers answersAtInstant(std::time_t instant, const std::string &zone, const std::string &site)
{
    const char *asan = std::getenv("ASAN_OPTIONS");
    ProcessOptions options;
    options.environment = { { "TZ", zone },
        { "SHIFTCAL_NOW", "" },
        { "LD_PRELOAD", fakeTimeLibrary() },
        { "FAKETIME_FMT", "%s" },
        { "FAKETIME", std::to_string(instant) },
        // AddressSanitizer wants to be first in the process; the clock's library goes first.
        { "ASAN_OPTIONS",
            std::string(asan != nullptr ? asan : "") + ":verify_asan_link_order=0" } };
    return answersUnder(options, site);
}

Answers answersAtWallClock(
    const std::string &wallClock, const std::string &zone, const std::string &site)
{
    ProcessOptions options;
    options.environment = { { "TZ", zone }, { "SHIFTCAL_NOW", wallClock } };
    return answersUnder(options, site);
}

void expectSame(const Answers &got, const Answers &expected, const std::string &where)
{
    EXPECT_EQ(got.now, expected.now) << where;
    EXPECT_EQ(got.nowJson, expected.nowJson) << where;
    EXPECT_EQ(got.next, expected.next) << where;
    // File by file and without a diff of the whole feeds, which would bury the message.
    for (const auto &[name, bytes] : expected.site) {
        const auto file = got.site.find(name);
        EXPECT_TRUE(file != got.site.end() && file->second == bytes) << where << ": " << name;
    }
    EXPECT_EQ(got.site.size(), expected.site.size()) << where;
}

TEST(PlantClock, IsTheSameInstantUnderEveryComputerZone)
{
    ASSERT_FALSE(fakeTimeLibrary().empty()) << "libfaketime is not installed";
    // 21:40 in Stockholm, 20 minutes before the evening change; 00:30 on 1 July in Stockholm,
    // still 30 June in UTC and New York (another day, another month of the published window);
    // and a moment in summer time.
    for (const std::time_t instant : { 1774730400L, 1782858600L, 1784455200L }) {
        const auto [wallClock, offset] = stockholmClockAt(instant);
        TemporaryFolder folder;
        const Answers expected
            = answersAtWallClock(wallClock, "Europe/Stockholm", folder.file("reference"));
        const std::string isoNow = wallClock.substr(0, 10) + "T" + wallClock.substr(11) + ":00";
        EXPECT_EQ(expected.nowJson.rfind("{\"now\":\"" + isoNow + offset + "\"", 0), 0u)
            << expected.nowJson;
        EXPECT_NE(expected.site.at("index.html").find("Published " + wallClock), std::string::npos);
        int run = 0;
        for (const char *zone : kComputerZones) {
            const std::string where = wallClock + " with TZ=" + zone;
            const std::string site = folder.file("site-" + std::to_string(++run));
            expectSame(
                answersAtInstant(instant, zone, site + "-real"), expected, where + ", real clock");
            // The fixed clock is the plant's wall clock too, whatever TZ says.
            if (instant == 1774730400L)
                expectSame(answersAtWallClock(wallClock, zone, site + "-fixed"),
                    expected,
                    where + ", SHIFTCAL_NOW");
        }
    }
}

// A wall-clock time that the spring change skips is the instant the clocks jump, never a time
// with an offset Stockholm never had; a time the autumn change repeats is its first instant.
TEST(PlantClock, SkippedAndRepeatedTimesAreInstantsOfTheZone)
{
    TemporaryFolder folder;
    const Answers skipped = answersAtWallClock("2026-03-29 02:30", "UTC", folder.file("skipped"));
    EXPECT_EQ(skipped.nowJson.rfind("{\"now\":\"2026-03-29T03:00:00+02:00\"", 0), 0u)
        << skipped.nowJson;
    // 2026-03-29 01:00 UTC, the moment the clocks went from 02:00 to 03:00.
    const Answers jump = answersAtInstant(1774746000L, "Asia/Tokyo", folder.file("jump"));
    expectSame(skipped, jump, "02:30 in the gap");
    expectSame(answersAtWallClock("2026-03-29 03:00", "UTC", folder.file("after")), jump, "03:00");
    const Answers repeated = answersAtWallClock("2026-10-25 02:30", "UTC", folder.file("repeat"));
    EXPECT_EQ(repeated.nowJson.rfind("{\"now\":\"2026-10-25T02:30:00+02:00\"", 0), 0u)
        << repeated.nowJson;
}

} // namespace
