// The days database as users meet it through shiftcal: kills, concurrent writers, damaged,
// foreign and newer files, an upgrade, notes of any text and bad input, each checked with the
// sqlite3 shell or Python's sqlite3 as readers independent of shiftcal.
#include "process_runner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <set>
#include <sys/stat.h>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;

struct Days {
    TemporaryFolder folder;
    std::string db = folder.file("days.db");

    ProcessResult run(std::vector<std::string> args) const
    {
        args.push_back("--db");
        args.push_back(db);
        ProcessOptions options;
        options.environment["SHIFTCAL_NOW"] = "2026-05-01 12:00";
        return runProgram(kShiftcal, args, options);
    }
    std::string ok(const std::vector<std::string> &args) const
    {
        const ProcessResult result = run(args);
        if (result.status != 0)
            throw std::runtime_error("shiftcal failed: " + result.err);
        return result.out;
    }
    // An answer of the sqlite3 shell, reading only.
    std::string sql(const std::string &query, const std::string &file = "") const
    {
        const ProcessResult result
            = runProgram("/usr/bin/sqlite3", { "-readonly", file.empty() ? db : file, query });
        if (result.status != 0)
            throw std::runtime_error("sqlite3 failed: " + result.err);
        return result.out;
    }
};

std::string python(const std::string &script, const std::vector<std::string> &args = {})
{
    std::vector<std::string> all { "-c", script };
    all.insert(all.end(), args.begin(), args.end());
    const ProcessResult result = runProgram("/usr/bin/python3", all);
    if (result.status != 0)
        throw std::runtime_error("python failed: " + result.err);
    return result.out;
}

const std::string kIntegrity = "import sqlite3, sys\n"
                               "c = sqlite3.connect('file:' + sys.argv[1] + '?mode=ro', uri=True)\n"
                               "print(c.execute('pragma integrity_check').fetchone()[0])\n"
                               "print(c.execute('select count(*) from entries').fetchone()[0])\n";

off_t sizeOf(const std::string &path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

// A SIGKILL at any moment of a large import loses nothing acknowledged before it, and leaves the
// import whole or absent: one transaction.
TEST(DaysStorage, AKilledWriterLosesNothingAcknowledged)
{
    const Days days;
    std::set<std::string> acknowledged;
    for (int day = 1; day <= 9; ++day)
        acknowledged.insert(days.ok({ "days", "add", "off", "2026-01-0" + std::to_string(day) }));
    const std::string csv = days.folder.file("many.csv");
    {
        std::ofstream out(csv);
        out << "id,kind,date,to,shift,note\n";
        for (int i = 0; i < 3000; ++i)
            out << i << ",sick,2027-01-01,2027-01-01,,note " << i << "\n";
    }
    for (int attempt = 0; attempt < 6; ++attempt) {
        int polls = 0;
        const std::string wal = days.db + "-wal";
        const ProcessResult killed = interruptProgram(
            kShiftcal,
            { "days", "import", csv, "--db", days.db },
            [&] { return sizeOf(wal) >= 0 && ++polls > attempt * 4; },
            SIGKILL);
        const std::string imported = days.sql("select count(*) from entries where kind = 'sick'");
        EXPECT_TRUE(imported == "0\n" || imported == "3000\n") << imported;
        if (killed.status == 0) {
            EXPECT_EQ(imported, "3000\n");
        }
        acknowledged.insert(
            days.ok({ "days", "add", "leave", "2026-02-0" + std::to_string(attempt + 1) }));
    }
    const std::string check = python(kIntegrity, { days.db });
    EXPECT_EQ(check.substr(0, 3), "ok\n");
    for (const std::string &id : acknowledged)
        EXPECT_EQ(days.sql("select count(*) from entries where id = " + id), "1\n") << id;
}

TEST(DaysStorage, FourConcurrentWritersAllSucceed)
{
    const Days days;
    const std::string script = "for w in 1 2 3 4; do ( for d in 01 02 03 04 05 06 07 08 09 10; do "
                               "\"$0\" days add off 2026-0$w-$d --note \"writer $w\" --db \"$1\" "
                               ">/dev/null || echo \"failed $w $d\"; done ) & done; wait";
    const ProcessResult result = runProgram("/bin/sh", { "-c", script, kShiftcal, days.db });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_EQ(days.sql("select count(distinct first_day) from entries"), "40\n");
    EXPECT_EQ(days.sql("pragma journal_mode"), "wal\n");
    EXPECT_EQ(python(kIntegrity, { days.db }), "ok\n40\n");
}

// A record holds sick days: the folders shiftcal makes for it and its files are the user's alone,
// whatever the umask.
TEST(DaysStorage, ANewRecordIsPrivate)
{
    const Days days;
    const std::string db = days.folder.file("a/b/days.db");
    const ProcessResult result = runProgram("/bin/sh",
        { "-c", "umask 022; \"$0\" days add sick 2026-05-04 --db \"$1\"", kShiftcal, db });
    ASSERT_EQ(result.status, 0) << result.err;
    const auto modeOf = [](const std::string &path) {
        struct stat info { };
        return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0u;
    };
    EXPECT_EQ(modeOf(days.folder.file("a")), 0700u);
    EXPECT_EQ(modeOf(days.folder.file("a/b")), 0700u);
    for (const char *suffix : { "", "-wal", "-shm" }) {
        if (::access((db + suffix).c_str(), F_OK) == 0) {
            EXPECT_EQ(modeOf(db + suffix), 0600u) << suffix;
        }
    }
    EXPECT_EQ(modeOf(db), 0600u);
}

// Files shiftcal must not use are refused in one line and stay as they were, byte for byte.
TEST(DaysStorage, DamagedForeignAndNewerFilesAreRefusedUntouched)
{
    const Days days;
    days.ok({ "days", "team", "C", "--from", "2026-01-01" });
    const std::string csv = days.folder.file("many.csv");
    {
        std::ofstream out(csv);
        out << "id,kind,date,to,shift,note\n";
        for (int i = 0; i < 200; ++i)
            out << i << ",off,2026-03-01,2026-03-01,," << std::string(40, 'x') << i << "\n";
    }
    days.ok({ "days", "import", csv });
    const std::string good = readFile(days.db);
    ASSERT_GT(good.size(), 4u * 4096);

    struct Case {
        std::string name;
        std::string bytes;
        std::string message;
    };
    // Every page but the first (the header and the schema) overwritten: the entries' pages.
    std::string damaged = good;
    for (std::size_t i = 2 * 4096; i < damaged.size(); ++i)
        damaged[i] = static_cast<char>(0xA5 ^ (i & 0x3f));
    std::string newer = good;
    newer[60 + 3] = 9; // user_version, a big-endian number at offset 60
    const std::vector<Case> cases {
        { "noise", std::string(8192, 'q'), "is not a database or is damaged; left unchanged" },
        { "damaged", damaged, "left unchanged" },
        { "newer",
            newer,
            "was written by a newer shiftschedule (schema 9, this one knows 2); left unchanged" },
    };
    for (const Case &c : cases) {
        const std::string path = days.folder.file(c.name + ".db");
        std::ofstream(path, std::ios::binary) << c.bytes;
        for (const std::vector<std::string> &args : { std::vector<std::string> { "days", "list" },
                 { "days", "add", "sick", "2026-04-01" },
                 { "next", "--mine" } }) {
            std::vector<std::string> withDb = args;
            withDb.insert(withDb.end(), { "--db", path });
            const ProcessResult result = runProgram(kShiftcal, withDb);
            EXPECT_EQ(result.status, 1) << c.name;
            EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << c.name << ": " << result.err;
            EXPECT_NE(result.err.find(c.message), std::string::npos)
                << c.name << ": " << result.err;
            EXPECT_TRUE(readFile(path) == c.bytes) << c.name << " was changed";
        }
    }
    const std::string other = days.folder.file("other.db");
    python("import sqlite3, sys\nc = sqlite3.connect(sys.argv[1])\n"
           "c.execute('create table t (x)')\nc.commit()\n",
        { other });
    const std::string before = readFile(other);
    const ProcessResult result
        = runProgram(kShiftcal, { "days", "add", "off", "2026-04-01", "--db", other });
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("is not a shiftschedule days database"), std::string::npos)
        << result.err;
    EXPECT_TRUE(readFile(other) == before) << "the foreign file was changed";
}

// A file of schema 1 (no identity of entries) is copied aside, then upgraded: its duplicate
// entries fold into the first, and everything else stays.
TEST(DaysStorage, AVersionOneFileIsCopiedAsideAndUpgraded)
{
    const Days days;
    python("import sqlite3, sys\nc = sqlite3.connect(sys.argv[1])\nc.executescript('''"
           "CREATE TABLE team_moves (from_day TEXT PRIMARY KEY NOT NULL, scheme INTEGER NOT NULL,"
           " team INTEGER NOT NULL);"
           "CREATE TABLE entries (id INTEGER PRIMARY KEY AUTOINCREMENT, kind TEXT NOT NULL,"
           " first_day TEXT NOT NULL, last_day TEXT NOT NULL, shift TEXT, note TEXT NOT NULL "
           "DEFAULT '');"
           "INSERT INTO team_moves VALUES ('2026-01-01', 1, 2);"
           "INSERT INTO entries (kind, first_day, last_day, shift, note) VALUES"
           " ('vacation', '2026-07-06', '2026-07-26', NULL, 'Crete'),"
           " ('vacation', '2026-07-06', '2026-07-26', NULL, 'Crete'),"
           " ('extra', '2026-05-02', '2026-05-02', 'N', 'Anna');"
           "PRAGMA application_id = 1936221812; PRAGMA user_version = 1;''')\nc.commit()\n",
        { days.db });
    const std::string dump = ".dump";
    const std::string before = days.sql(dump);
    EXPECT_EQ(days.ok({ "days", "list", "--format", "csv" }),
        "id,kind,date,to,shift,note\n3,extra,2026-05-02,2026-05-02,N,Anna\n"
        "1,vacation,2026-07-06,2026-07-26,,Crete\n2,vacation,2026-07-06,2026-07-26,,Crete\n");
    EXPECT_EQ(days.ok({ "days", "add", "sick", "2026-05-04" }), "4\n");
    EXPECT_EQ(days.sql(dump, days.db + ".v1.bak"), before);
    EXPECT_EQ(days.sql("pragma user_version"), "2\n");
    EXPECT_EQ(
        days.sql("select id, kind from entries order by id"), "1|vacation\n3|extra\n4|sick\n");
    EXPECT_EQ(
        days.ok(
            { "days", "add", "vacation", "2026-07-06", "--to", "2026-07-26", "--note", "Crete" }),
        "1\n");
}

// A note keeps every byte through the database, JSON and an export and import; text output
// shows its control characters escaped on one line.
TEST(DaysStorage, NotesAreKeptExactly)
{
    const Days days;
    const std::string note = "Anna's night, \"swapped\"\nline two\ttab \x1b[31m r\xc3\xa4tt\r\n";
    EXPECT_EQ(days.ok({ "days", "add", "off", "2026-03-02", "--note", note }), "1\n");
    EXPECT_EQ(days.sql("select hex(note) from entries"),
        python("import sys\nprint(sys.argv[1].encode().hex().upper())", { note }));
    EXPECT_EQ(days.ok({ "days", "list", "--format", "json" }),
        "[\n{\"id\":1,\"kind\":\"off\",\"date\":\"2026-03-02\",\"to\":\"2026-03-02\",\"shift\":"
        "null,"
        "\"note\":\"Anna's night, \\\"swapped\\\"\\u000aline two\\u0009tab \\u001b[31m "
        "r\xc3\xa4tt\\u000d\\u000a\"}\n]\n");
    const std::string text = days.ok({ "days", "list" });
    EXPECT_NE(text.find("1  off       2026-03-02  Anna's night, \"swapped\"\\nline two\\ttab "
                        "\\x1b[31m r\xc3\xa4tt\\x0d\\n\n"),
        std::string::npos)
        << text;
    const std::string csv = days.folder.file("out.csv");
    days.ok({ "days", "export", "-o", csv });
    const Days other;
    EXPECT_EQ(other.ok({ "days", "import", csv }), "1 added, 0 already there\n");
    EXPECT_EQ(other.ok({ "days", "import", csv }), "0 added, 1 already there\n");
    EXPECT_EQ(
        other.sql("select hex(note) from entries"), days.sql("select hex(note) from entries"));
}

// Each bad input is one line, exit status 2, and the file as it was.
TEST(DaysStorage, BadInputIsRefusedInOneLineAndWritesNothing)
{
    const Days days;
    days.ok({ "days", "team", "B", "--scheme", "norda", "--from", "2026-01-01" });
    days.ok({ "days", "add", "vacation", "2026-07-06", "--to", "2026-07-10" });
    const std::string badCsv = days.folder.file("bad.csv");
    std::ofstream(badCsv) << "id,kind,date,to,shift,note\n1,off,2026-01-01,2026-01-01,,\n2,off,"
                             "2026-02-30,2026-02-30,,\n";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases {
        { { "days", "add", "vacation", "2026-02-29" },
            "DATE: '2026-02-29' is not a date; expected YYYY-MM-DD" },
        { { "days", "add", "holiday", "2026-03-01" },
            "KIND: unknown value 'holiday'; expected vacation, sick, leave, off or extra" },
        { { "days", "add", "extra", "2026-03-01" },
            "--shift: extra needs the shift worked; expected F, E or N" },
        { { "days", "add", "extra", "2026-03-01", "--shift", "X" },
            "--shift: norda has no shift 'X' on 2026-03-01" },
        { { "days", "add", "sick", "2026-03-05", "--to", "2026-03-04" },
            "--to: 2026-03-04 is before the first day 2026-03-05" },
        { { "days", "add", "sick", "2026-03-05", "--shift", "F" },
            "--shift: only extra takes a shift; sick is a day away" },
        { { "days", "add", "sick" }, "days add: DATE is missing; expected a date YYYY-MM-DD" },
        { { "days", "team", "G" }, "team: unknown team 'G'; expected one of A, B, C, D, E" },
        { { "days", "team", "A", "--scheme", "east" },
            "--scheme: unknown scheme 'east'; expected sudra, norda, 0 or 1" },
        { { "days", "remove", "77" }, "days remove: there is no entry 77; nothing removed" },
        { { "days", "remove", "-1" }, "days remove: unknown option '-1'; expected --db or --help" },
        { { "days", "import", badCsv },
            badCsv + ":3: date: '2026-02-30' is not a date; expected YYYY-MM-DD" },
        { { "days", "wipe" },
            "days: unknown subcommand 'wipe'; expected team, add, list, remove, export or import" },
        { { "next", "--mine", "--team", "A" },
            "--team: --mine takes the team from your record; give one or the other" },
        { { "rest" }, "rest: --mine is required; expected your record (shiftcal days team T)" },
    };
    const std::string before = days.sql(".dump");
    for (const Case &c : cases) {
        const ProcessResult result = days.run(c.args);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_EQ(result.err, "shiftcal: " + c.message + "\n");
    }
    EXPECT_EQ(days.sql(".dump"), before);

    const Days empty;
    const ProcessResult noTeam = empty.run({ "hours", "--mine", "--year", "2026" });
    EXPECT_EQ(noTeam.status, 2);
    EXPECT_EQ(noTeam.err,
        "shiftcal: --mine: no team recorded; record yours with: shiftcal days team T [--scheme "
        "S]\n");
    EXPECT_EQ(sizeOf(empty.db), -1) << "a reader makes no file";
}

} // namespace
