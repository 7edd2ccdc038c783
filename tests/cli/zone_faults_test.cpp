// A missing or damaged time zone database, made with real mounts in a mount namespace of the
// test's own (the machine's files stay as they are): every command that needs the plant's zone
// says what is wrong in one line naming the file and ends with status 1, never an abort, and
// writes nothing. Needs root.
#include "process_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <unistd.h>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;
const std::string kZoneFile = "/usr/share/zoneinfo/Europe/Stockholm";

void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

struct Fault {
    const char *name;
    std::string setup; // shell commands run in the namespace before shiftcal
    std::string message; // the whole line on standard error, without "shiftcal: "
};

TEST(ZoneFaults, EveryCommandThatNeedsTheZoneSaysOneLineAndExitsWithStatusOne)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root for a mount namespace of its own";
    TemporaryFolder folder;
    const std::string zone = readFile(kZoneFile);
    ASSERT_GT(zone.size(), 1000u);
    writeBytes(folder.file("junk"), "this is not a zone file\n");
    writeBytes(folder.file("truncated"), zone.substr(0, 1000));
    const std::size_t ruleLine = zone.rfind('\n', zone.size() - 2);
    writeBytes(folder.file("bad-rule"), zone.substr(0, ruleLine + 1) + "NOT A RULE\n");
    const std::string leapSeconds = readFile("/usr/share/zoneinfo/leapseconds");
    writeBytes(folder.file("leapseconds"), leapSeconds + "Leap 2026 Jun 30 noon + S\n");
    const auto badLine = std::count(leapSeconds.begin(), leapSeconds.end(), '\n') + 1;
    const std::string bind = "mount --bind " + folder.path() + "/";

    const Fault faults[] = {
        { "no zone folder",
            "mount -t tmpfs none /usr/share",
            "zone file " + kZoneFile
                + ": No such file or directory (there is no /usr/share/zoneinfo: the package "
                  "tzdata provides it)" },
        { "junk",
            bind + "junk " + kZoneFile,
            "zone file " + kZoneFile + ": it is not a compiled zone file (no TZif header)" },
        { "truncated",
            bind + "truncated " + kZoneFile,
            "zone file " + kZoneFile
                + ": it is truncated: it ends after 1000 bytes, inside its data" },
        { "a bad rule",
            bind + "bad-rule " + kZoneFile,
            "zone file " + kZoneFile + ": its rule 'NOT A RULE' is not a POSIX TZ rule" },
        // Read with date's database, which the times before 1996 need.
        { "a bad leap second",
            bind + "leapseconds /usr/share/zoneinfo/leapseconds",
            "zone file /usr/share/zoneinfo/leapseconds: line " + std::to_string(badLine)
                + " is not a leap second: 'Leap 2026 Jun 30 noon + S'" },
    };
    const std::string site = folder.file("site");
    const std::vector<std::vector<std::string>> commands = {
        { "now" },
        { "next", "--team", "A" },
        { "month" },
        { "hours", "--team", "A", "--year", "1990" },
        { "ics", "--team", "A", "--from", "1990-01-01", "--to", "1990-01-31" },
        { "publish", site },
    };
    for (const Fault &fault : faults) {
        for (const std::vector<std::string> &command : commands) {
            std::vector<std::string> args = { "-m",
                "--propagation",
                "private",
                "sh",
                "-c",
                fault.setup + " && exec \"$0\" \"$@\"",
                kShiftcal };
            args.insert(args.end(), command.begin(), command.end());
            ProcessOptions options;
            options.environment["SHIFTCAL_NOW"] = "1990-03-01 12:00";
            const ProcessResult run = runProgram("/usr/bin/unshare", args, options);
            const std::string where = std::string(fault.name) + ", " + command[0];
            EXPECT_EQ(run.status, 1) << where << ": " << run.err;
            EXPECT_EQ(run.err, "shiftcal: " + fault.message + "\n") << where;
            EXPECT_EQ(run.out, "") << where;
        }
    }
    EXPECT_EQ(folder.entries(),
        (std::vector<std::string> { "bad-rule", "junk", "leapseconds", "truncated" }));
}

} // namespace
