// Every file shiftcal writes goes through one mechanism. These run the real binaries against
// what a name may stand for: links, devices, pipes, this process's descriptors, files of other
// modes and owners, shared sticky folders, and writes cut short by a signal. Cases that need
// root (device nodes, other owners) run only as root; cases about an ordinary user run as
// nobody when the tests are root.
#include "process_runner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kShiftcal = SHIFTCAL_BINARY;

struct Writer {
    const char *name;
    const char *file; // a name with the right ending
    std::vector<std::string> args; // -o FILE follows
};

const Writer kWriters[] = {
    { "table", "out.csv", { "table", "--from", "2016-01-01", "--to", "2016-01-31" } },
    { "ics", "out.ics", { "ics", "--team", "A", "--from", "2016-01-01", "--to", "2016-01-31" } },
    { "png", "out.png", { "render", "--start", "2016-10", "--clock", "2016-10-01 20:00" } },
    { "pdf", "out.pdf", { "render", "--view", "calendar", "--start", "2016-10" } },
};

ProcessResult write(const Writer &w, const std::string &target, const ProcessOptions &options = {})
{
    std::vector<std::string> args = w.args;
    args.insert(args.end(), { "-o", target });
    return runProgram(kShiftcal, args, options);
}

// The same run as the unprivileged user nobody (when root), through runuser.
ProcessResult writeAsNobody(const Writer &w, const std::string &target)
{
    std::vector<std::string> args { "-u", "nobody", "--", kShiftcal };
    args.insert(args.end(), w.args.begin(), w.args.end());
    args.insert(args.end(), { "-o", target });
    return runProgram("/usr/sbin/runuser", args);
}

bool isRoot()
{
    return ::geteuid() == 0;
}

void writeText(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(OutputFile, ALinkIsReplacedItselfAndNeverFollowed)
{
    for (const Writer &w : kWriters) {
        TemporaryFolder folder;
        writeText(folder.file("kept"), "the link's target\n");
        fs::create_symlink("kept", folder.file(w.file));
        const ProcessResult run = write(w, folder.file(w.file));
        ASSERT_EQ(run.status, 0) << w.name << ": " << run.err;
        EXPECT_FALSE(fs::is_symlink(folder.file(w.file))) << w.name;
        EXPECT_GT(fs::file_size(folder.file(w.file)), 100u) << w.name;
        EXPECT_EQ(readFile(folder.file("kept")), "the link's target\n") << w.name;
        EXPECT_EQ(folder.entries(), (std::vector<std::string> { "kept", w.file })) << w.name;
    }
}

TEST(OutputFile, DevicesAndPipesAreWrittenInPlaceNeverReplaced)
{
    for (const Writer &w : kWriters) {
        TemporaryFolder folder;
        const std::string ending = fs::path(w.file).extension().string();
        const std::string fifo = folder.file("pipe" + ending);
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        std::string received;
        std::thread reader([&] { received = readFile(fifo); });
        const ProcessResult run = write(w, fifo);
        // Should the command never have opened the pipe, the reader still gets its end.
        const int release = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (release >= 0)
            ::close(release);
        reader.join();
        EXPECT_EQ(run.status, 0) << w.name << ": " << run.err;
        EXPECT_GT(received.size(), 100u) << w.name;
        EXPECT_TRUE(fs::is_fifo(fifo)) << w.name;

        if (!isRoot())
            continue;
        // A null device of our own, and a link to it.
        const std::string null = folder.file("null" + ending);
        ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        fs::create_symlink(fs::path(null).filename(), folder.file("to-null" + ending));
        for (const std::string &name : { null, folder.file("to-null" + ending) }) {
            const ProcessResult device = write(w, name);
            EXPECT_EQ(device.status, 0) << w.name << ": " << device.err;
        }
        EXPECT_TRUE(fs::is_character_file(null)) << w.name;
        EXPECT_TRUE(fs::is_symlink(folder.file("to-null" + ending))) << w.name;
        EXPECT_EQ(folder.entries().size(), 3u) << w.name;
    }
}

TEST(OutputFile, AStandardOutputNameWritesWhereStandardOutputGoes)
{
    const Writer table {
        "table", "", { "table", "--format", "csv", "--from", "2016-01-01", "--to", "2016-01-31" }
    };
    TemporaryFolder folder;
    const std::string captured = folder.file("captured.csv");
    ProcessOptions redirected;
    redirected.stdoutPath = captured;
    const ProcessResult run = write(table, "/dev/stdout", redirected);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(captured).rfind("date,weekday,week", 0), 0u);

    // A link to this process's descriptor is a descriptor too.
    fs::create_symlink("/proc/self/fd/1", folder.file("out-link"));
    const ProcessResult linked = write(table, folder.file("out-link"), redirected);
    ASSERT_EQ(linked.status, 0) << linked.err;
    EXPECT_TRUE(fs::is_symlink(folder.file("out-link")));
    EXPECT_EQ(readFile(captured).rfind("date,weekday,week", 0), 0u);

    if (!isRoot())
        return;
    // As root, in a mount namespace of its own with a /dev of its own: /dev/stdout stays a link.
    const ProcessResult isolated = runProgram("/usr/bin/unshare",
        { "-m",
            "--propagation",
            "private",
            "sh",
            "-c",
            "mount -t tmpfs none /dev && ln -s /proc/self/fd/1 /dev/stdout && \"$0\" table "
            "--format csv --from 2016-01-01 --to 2016-01-02 -o /dev/stdout > \"$1\" && test -L "
            "/dev/stdout",
            kShiftcal,
            folder.file("namespaced.csv") });
    EXPECT_EQ(isolated.status, 0) << isolated.err;
    EXPECT_EQ(readFile(folder.file("namespaced.csv")).rfind("date,weekday,week", 0), 0u);
}

TEST(OutputFile, AReplacedFileKeepsItsModeAndOwner)
{
    for (const Writer &w : kWriters) {
        TemporaryFolder folder;
        const std::string file = folder.file(w.file);
        writeText(file, "old");
        ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
        if (isRoot()) {
            ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        }
        const ProcessResult run = write(w, file);
        ASSERT_EQ(run.status, 0) << w.name << ": " << run.err;
        struct stat after { };
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, 0640u) << w.name;
        if (isRoot()) {
            EXPECT_EQ(after.st_uid, 65534u) << w.name;
        }
        EXPECT_NE(readFile(file), "old") << w.name;
    }
}

TEST(OutputFile, AFileTheUserMayNotWriteIsRefusedByEveryCommand)
{
    for (const Writer &w : kWriters) {
        TemporaryFolder folder;
        ::chmod(folder.path().c_str(), 0777);
        const std::string file = folder.file(w.file);
        writeText(file, "read only");
        ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
        if (isRoot()) {
            ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        }
        const ProcessResult run = isRoot() ? writeAsNobody(w, file) : write(w, file);
        EXPECT_EQ(run.status, 1) << w.name;
        EXPECT_EQ(run.err, "shiftcal: cannot write " + file + ": Permission denied\n") << w.name;
        EXPECT_EQ(readFile(file), "read only") << w.name;
        EXPECT_EQ(folder.entries(), std::vector<std::string> { w.file }) << w.name;
    }
}

TEST(OutputFile, ANameAsLongAsTheShellAllowsIsWritten)
{
    for (const Writer &w : kWriters) {
        TemporaryFolder folder;
        const std::string name = std::string(250 - std::strlen(w.file), 'n') + w.file;
        const ProcessResult run = write(w, folder.file(name));
        EXPECT_EQ(run.status, 0) << w.name << ": " << run.err;
        EXPECT_EQ(folder.entries(), std::vector<std::string> { name }) << w.name;
    }
}

TEST(OutputFile, AnotherUsersLinkInASharedStickyFolderIsNotFollowed)
{
    if (!isRoot())
        GTEST_SKIP() << "needs root to make links of another user";
    TemporaryFolder folder;
    const std::string shared = folder.file("shared");
    fs::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    const std::string rootsFile = folder.file("roots-file");
    writeText(rootsFile, "root's own\n");
    const std::string null = folder.file("null");
    ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    for (const Writer &w : kWriters) {
        const std::string toFile = shared + "/file-" + w.file;
        const std::string toDevice = shared + "/device-" + w.file;
        fs::create_symlink(rootsFile, toFile);
        fs::create_symlink(null, toDevice);
        ASSERT_EQ(::lchown(toFile.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::lchown(toDevice.c_str(), 65534, 65534), 0);

        const ProcessResult replaced = write(w, toFile);
        EXPECT_EQ(replaced.status, 0) << w.name << ": " << replaced.err;
        EXPECT_FALSE(fs::is_symlink(toFile)) << w.name;
        const ProcessResult refused = write(w, toDevice);
        EXPECT_EQ(refused.status, 1) << w.name;
        EXPECT_EQ(refused.err, "shiftcal: cannot write " + toDevice + ": Permission denied\n");
        EXPECT_TRUE(fs::is_symlink(toDevice)) << w.name;
    }
    EXPECT_EQ(readFile(rootsFile), "root's own\n");
    EXPECT_TRUE(fs::is_character_file(null));
}

TEST(OutputFile, DevicesPipesAndDescriptorsWithoutAnEndingTakeTheDefaultFormat)
{
    struct Default {
        const char *name;
        std::vector<std::string> args; // -o TARGET follows
        const char *start; // what the output begins with
    };
    const Default defaults[] = {
        { "table", { "table", "--from", "2016-01-01", "--to", "2016-01-31" }, "date,weekday" },
        { "ics",
            { "ics", "--team", "A", "--from", "2016-01-01", "--to", "2016-01-31" },
            "BEGIN:VCALENDAR\r\n" },
        { "render", { "render", "--start", "2016-10" }, "\x89PNG" },
    };
    for (const Default &d : defaults) {
        TemporaryFolder folder;
        const std::string captured = folder.file("captured");
        ProcessOptions redirected;
        redirected.stdoutPath = captured;
        for (const std::string target : { "/dev/stdout", "/dev/fd/1", "/proc/self/fd/1" }) {
            std::vector<std::string> args = d.args;
            args.insert(args.end(), { "-o", target });
            const ProcessResult run = runProgram(kShiftcal, args, redirected);
            EXPECT_EQ(run.status, 0) << d.name << " " << target << ": " << run.err;
            EXPECT_TRUE(readFile(captured).starts_with(d.start)) << d.name << " " << target;
        }
        std::vector<std::string> args = d.args;
        args.insert(args.end(), { "-o", "/dev/null" });
        const ProcessResult null = runProgram(kShiftcal, args);
        EXPECT_EQ(null.status, 0) << d.name << ": " << null.err;

        const std::string fifo = folder.file("pipe");
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        std::string received;
        std::thread reader([&] { received = readFile(fifo); });
        args = d.args;
        args.insert(args.end(), { "-o", fifo });
        const ProcessResult piped = runProgram(kShiftcal, args);
        const int release = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (release >= 0)
            ::close(release);
        reader.join();
        EXPECT_EQ(piped.status, 0) << d.name << ": " << piped.err;
        EXPECT_TRUE(received.starts_with(d.start)) << d.name;
    }
    // A file of that name is no device: its ending still decides.
    TemporaryFolder folder;
    const ProcessResult file = runProgram(kShiftcal,
        { "table", "--from", "2016-01-01", "--to", "2016-01-02", "-o", folder.file("days.txt") });
    EXPECT_EQ(file.status, 2);
}

// The order of the calls as strace sees them: the data synced before the name appears, the
// folder synced after it, so a power loss leaves the old file or the whole new one.
TEST(OutputFile, SyncsTheDataBeforeTheRenameAndTheFolderAfterIt)
{
    TemporaryFolder folder;
    writeText(folder.file("days.csv"), "old\n");
    const ProcessResult traced = runProgram("/usr/bin/strace",
        { "-f",
            "-o",
            folder.file("trace"),
            "-e",
            "trace=fsync,fdatasync,rename,renameat,renameat2",
            kShiftcal,
            "table",
            "--from",
            "2016-01-01",
            "--to",
            "2016-12-31",
            "-o",
            folder.file("days.csv") },
        // The leak checker cannot run under ptrace.
        { { { "ASAN_OPTIONS", "detect_leaks=0" } }, "", "" });
    ASSERT_EQ(traced.status, 0) << traced.err;
    const std::string trace = readFile(folder.file("trace"));
    const std::size_t rename = trace.find("days.csv\")");
    ASSERT_NE(rename, std::string::npos) << trace;
    const std::size_t dataSync = trace.find("fdatasync(");
    EXPECT_LT(dataSync, rename) << trace;
    EXPECT_NE(trace.find("fsync(", rename), std::string::npos) << trace;
    EXPECT_TRUE(readFile(folder.file("days.csv")).starts_with("date,"));
}

// Starts a long table (all of 0001..9999, some 400 MB) and ends it with `signal` once the file
// it writes into `folder` has grown, named or not (O_TMPFILE); returns how it ended.
ProcessResult interruptLongWrite(const TemporaryFolder &folder, int signal)
{
    const auto grown = [&folder](int pid) {
        const fs::path descriptors = "/proc/" + std::to_string(pid) + "/fd";
        std::error_code error;
        for (const auto &entry : fs::directory_iterator(descriptors, error)) {
            const std::string target = fs::read_symlink(entry.path(), error).string();
            if (target.starts_with(folder.path() + "/")
                && fs::file_size(entry.path(), error) > (1u << 20) && !error)
                return true;
        }
        return false;
    };
    return interruptWatchedProgram(kShiftcal,
        { "table", "--from", "0001-01-01", "--to", "9999-12-31", "-o", folder.file("all.csv") },
        grown,
        signal);
}

TEST(OutputFile, AnInterruptedWriteLeavesNothingBehindAndTheTargetAsItWas)
{
    // SIGKILL too: the file being written has no name until it is whole.
    for (const int signal : { SIGINT, SIGTERM, SIGHUP, SIGKILL }) {
        TemporaryFolder folder;
        writeText(folder.file("all.csv"), "before\n");
        const ProcessResult run = interruptLongWrite(folder, signal);
        EXPECT_EQ(run.signal, signal);
        EXPECT_EQ(folder.entries(), std::vector<std::string> { "all.csv" }) << signal;
        EXPECT_EQ(readFile(folder.file("all.csv")), "before\n");
    }

    TemporaryFolder limited;
    const ProcessResult run = runProgram("/usr/bin/prlimit",
        { "--fsize=1000000",
            kShiftcal,
            "table",
            "--from",
            "2000-01-01",
            "--to",
            "2099-12-31",
            "-o",
            limited.file("big.csv") });
    EXPECT_EQ(run.signal, SIGXFSZ);
    EXPECT_TRUE(limited.entries().empty());
}

} // namespace
