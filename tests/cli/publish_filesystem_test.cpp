// `shiftcal publish` where folders are shared and file systems differ: runs that meet in one
// parent, runs killed outright, reruns that change nothing, folders of other modes, owners and
// users, a folder that is a mount point or an overlay's lower layer (real mounts in a private
// mount namespace). Cases that need root run only as root; the ordinary user is nobody.
#include "process_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <map>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kShiftcal = SHIFTCAL_BINARY;
const std::string kLock = ".shiftcal-lock";
constexpr const char *kNow = "2016-10-15 12:00";
constexpr const char *kLater = "2016-10-15 13:00";

using FileSet = std::map<std::string, std::string>;

ProcessResult publish(const std::string &folder,
    const std::string &now = kNow,
    const std::vector<std::string> &options = {})
{
    std::vector<std::string> args { "publish", folder };
    args.insert(args.end(), options.begin(), options.end());
    return runProgram(
        kShiftcal, args, { { { "SHIFTCAL_NOW", now }, { "TZ", "Europe/Stockholm" } }, "", "" });
}

FileSet readSet(const std::string &folder)
{
    FileSet set;
    for (const auto &entry : fs::directory_iterator(folder))
        set[entry.path().filename().string()] = readFile(entry.path().string());
    return set;
}

// The set `now` publishes, written into a folder of its own.
FileSet referenceSet(const std::string &now)
{
    const TemporaryFolder folder;
    EXPECT_EQ(publish(folder.file("site"), now).status, 0);
    return readSet(folder.file("site"));
}

std::vector<std::string> namesIn(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool isRoot()
{
    return ::geteuid() == 0;
}

struct stat statOf(const std::string &path)
{
    struct stat st { };
    ::lstat(path.c_str(), &st);
    return st;
}

// Waits (a minute at most) until `ready` holds; false when it never did.
bool waitFor(const std::function<bool()> &ready)
{
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// Whether a run's new set has begun to appear in `parent`.
bool newSetBegun(const std::string &parent)
{
    std::error_code ignored;
    for (const auto &entry : fs::directory_iterator(parent, ignored)) {
        if (entry.path().filename().string().starts_with(".shiftcal-")
            && fs::exists(entry.path() / "sudra-B.ics", ignored))
            return true;
    }
    return false;
}

const std::vector<std::string> kLongRun = { "--months-ahead", "600", "--remind", "1h" };

TEST(PublishTurns, ARunWaitsWhileTheLockIsHeldAndRunsAtOnceAllSucceed)
{
    TemporaryFolder root;
    const std::string lock = root.file(kLock);
    const int held = ::open(lock.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    // A waiter on the lock file shows in /proc/locks as "-> FLOCK ... MAJ:MIN:INODE ...".
    const std::string inode = ":" + std::to_string(statOf(lock).st_ino) + " ";
    std::atomic<bool> done = false;
    ProcessResult waiting;
    std::thread run([&] {
        waiting = publish(root.file("site"));
        done = true;
    });
    const bool blocked = waitFor([&] {
        std::istringstream locks(readFile("/proc/locks"));
        for (std::string line; std::getline(locks, line);) {
            if (line.find("-> FLOCK") != std::string::npos && line.find(inode) != std::string::npos)
                return true;
        }
        return done.load();
    }) && !done;
    ::close(held);
    run.join();
    EXPECT_TRUE(blocked) << "publish did not wait for the lock";
    EXPECT_EQ(waiting.status, 0) << waiting.err;

    const std::vector<std::string> clocks = { kNow, kLater, "2016-10-15 14:00" };
    std::vector<FileSet> references;
    for (const std::string &now : clocks)
        references.push_back(referenceSet(now));
    for (int round = 0; round < 6; ++round) {
        // Every other round starts with no folder at all, so the runs race to make it.
        if (round % 2 == 0)
            fs::remove_all(root.file("site"));
        std::vector<ProcessResult> results(clocks.size());
        std::vector<std::thread> runs;
        for (std::size_t i = 0; i < clocks.size(); ++i)
            runs.emplace_back([&, i] { results[i] = publish(root.file("site"), clocks[i]); });
        for (std::thread &r : runs)
            r.join();
        for (const ProcessResult &result : results) {
            EXPECT_EQ(result.status, 0) << "round " << round << ": " << result.err;
            EXPECT_EQ(result.err, "");
        }
        const FileSet set = readSet(root.file("site"));
        EXPECT_NE(std::find(references.begin(), references.end(), set), references.end())
            << "round " << round;
        EXPECT_EQ(root.entries(), (std::vector<std::string> { kLock, "site" }))
            << "round " << round;
    }
}

TEST(PublishTurns, ARerunRemovesWhatAKilledRunLeftButNotWhatALiveRunHolds)
{
    TemporaryFolder root;
    ASSERT_EQ(publish(root.file("site")).status, 0);
    const FileSet before = readSet(root.file("site"));
    std::vector<std::string> args { "publish", root.file("site") };
    args.insert(args.end(), kLongRun.begin(), kLongRun.end());
    const ProcessResult killed = interruptProgram(
        kShiftcal, args, [&root] { return newSetBegun(root.path()); }, SIGKILL);
    EXPECT_EQ(killed.signal, SIGKILL);
    ASSERT_EQ(root.entries().size(), 3u) << "a killed run left nothing to clean up";
    EXPECT_EQ(readSet(root.file("site")), before);

    const ProcessResult rerun = publish(root.file("site"), kLater);
    EXPECT_EQ(rerun.status, 0) << rerun.err;
    EXPECT_EQ(root.entries(), (std::vector<std::string> { kLock, "site" }));

    // A second run, here into another folder of the same parent, waits for a live one.
    ProcessResult live;
    std::thread longRun([&] { live = publish(root.file("site"), kNow, kLongRun); });
    ASSERT_TRUE(waitFor([&root] { return newSetBegun(root.path()); }));
    const ProcessResult other = publish(root.file("other"));
    longRun.join();
    EXPECT_EQ(live.status, 0) << live.err;
    EXPECT_EQ(other.status, 0) << other.err;
    EXPECT_EQ(root.entries(), (std::vector<std::string> { kLock, "other", "site" }));
    EXPECT_EQ(readSet(root.file("other")), before);
}

TEST(PublishKeeps, UnchangedFilesAsTheyAreAndTheFoldersModeGroupAndOwner)
{
    TemporaryFolder root;
    const std::string site = root.file("site");
    ASSERT_EQ(publish(site).status, 0);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    std::map<std::string, ino_t> inodes;
    for (const auto &entry : fs::directory_iterator(site)) {
        fs::last_write_time(entry.path(), old);
        inodes[entry.path().filename().string()] = statOf(entry.path().string()).st_ino;
    }
    const ino_t folderInode = statOf(site).st_ino;

    // The same clock: every file the same bytes, so nothing is touched.
    ASSERT_EQ(publish(site).status, 0);
    for (const auto &[name, inode] : inodes) {
        EXPECT_EQ(fs::last_write_time(site + "/" + name), old) << name;
        EXPECT_EQ(statOf(site + "/" + name).st_ino, inode) << name;
    }
    EXPECT_EQ(statOf(site).st_ino, folderInode);

    // Another hour: new feeds and page, the same tables (whole months), the folder as it was.
    ASSERT_EQ(::chmod(site.c_str(), 0750), 0);
    const group *www = ::getgrnam("www-data");
    const gid_t group = www != nullptr ? www->gr_gid : 65534;
    if (isRoot()) {
        ASSERT_EQ(::chown(site.c_str(), 65534, group), 0);
    }
    ASSERT_EQ(publish(site, kLater).status, 0);
    EXPECT_EQ(statOf(site).st_mode & 07777, 0750u);
    EXPECT_EQ(readSet(site), referenceSet(kLater));
    for (const std::string name : { "sudra.csv", "norda.csv" })
        EXPECT_EQ(fs::last_write_time(site + "/" + name), old) << name;
    EXPECT_NE(fs::last_write_time(site + "/sudra-A.ics"), old);
    if (isRoot()) {
        EXPECT_EQ(statOf(site).st_uid, 65534u);
        EXPECT_EQ(statOf(site).st_gid, group);
        for (const std::string name : { "sudra-A.ics", "norda-E.ics", "index.html" }) {
            EXPECT_EQ(statOf(site + "/" + name).st_gid, group) << name;
            EXPECT_EQ(statOf(site + "/" + name).st_mode & 07777, 0644u) << name;
        }
    }
}

TEST(PublishRefuses, OldFilesItCannotRemoveAndAnotherUsersLinkInASharedFolder)
{
    if (!isRoot())
        GTEST_SKIP() << "needs root to act as another user";
    TemporaryFolder root;
    ASSERT_EQ(::chmod(root.path().c_str(), 0777), 0);
    const std::string site = root.file("site");
    ASSERT_EQ(publish(site).status, 0);
    const FileSet before = readSet(site);
    // nobody may make folders beside root's folder, but not remove root's files in it.
    const ProcessResult run = runProgram("/usr/sbin/runuser",
        { "-u",
            "nobody",
            "--",
            "/usr/bin/env",
            "SHIFTCAL_NOW=2016-11-01 10:00",
            kShiftcal,
            "publish",
            site });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
        "shiftcal: cannot publish to " + site
            + ": cannot remove its old files: Permission denied\n");
    EXPECT_EQ(root.entries(), (std::vector<std::string> { kLock, "site" }));
    EXPECT_EQ(readSet(site), before);

    // A link that nobody planted in a shared sticky folder is not followed; root's own is.
    const std::string shared = root.file("shared");
    fs::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    fs::create_directory(root.file("target"));
    fs::create_directory_symlink(root.file("target"), shared + "/planted");
    ASSERT_EQ(::lchown((shared + "/planted").c_str(), 65534, 65534), 0);
    const ProcessResult planted = publish(shared + "/planted");
    EXPECT_EQ(planted.status, 1);
    EXPECT_EQ(
        planted.err, "shiftcal: cannot publish to " + shared + "/planted: Permission denied\n");
    EXPECT_TRUE(fs::is_empty(root.file("target")));
    fs::create_directory_symlink(root.file("target"), shared + "/own");
    const ProcessResult own = publish(shared + "/own");
    EXPECT_EQ(own.status, 0) << own.err;
    EXPECT_EQ(readSet(root.file("target")), before);
}

TEST(PublishOnAnyFileSystem, AMountPointAndAnOverlaysLowerLayerGetTheirFilesOneByOne)
{
    if (!isRoot())
        GTEST_SKIP() << "needs root to mount in a private namespace";
    TemporaryFolder root;
    const std::string r = root.path();
    fs::create_directory(r + "/lower");
    ASSERT_EQ(publish(r + "/lower/site").status, 0);
    for (const std::string folder :
        { "mnt", "upper", "work", "merged", "mount-copy", "overlay-copy" })
        fs::create_directory(r + "/" + folder);
    // Everything the mounts hold is copied out before the namespace and its mounts go.
    const std::string script = R"(set -e
S=$0; R=$1; export LC_ALL=C TZ=Europe/Stockholm
mount -t tmpfs -o mode=0750 none "$R/mnt"
SHIFTCAL_NOW='2016-10-15 12:00' "$S" publish "$R/mnt" 2> "$R/mount-first.err"
SHIFTCAL_NOW='2016-10-15 13:00' "$S" publish "$R/mnt" 2> "$R/mount-second.err"
mountpoint -q "$R/mnt"
stat -c %a "$R/mnt" > "$R/mount.mode"
cp "$R/mnt"/* "$R/mount-copy/"
ls -A "$R/mnt" > "$R/mount.names"
mount -t overlay none -o "lowerdir=$R/lower,upperdir=$R/upper,workdir=$R/work" "$R/merged"
SHIFTCAL_NOW='2016-10-15 13:00' "$S" publish "$R/merged/site" 2> "$R/overlay.err"
cp "$R/merged/site"/* "$R/overlay-copy/"
ls -A "$R/merged" > "$R/overlay.names"
)";
    const ProcessResult run = runProgram(
        "/usr/bin/unshare", { "-m", "--propagation", "private", "sh", "-c", script, kShiftcal, r });
    ASSERT_EQ(run.status, 0) << run.err << readFile(r + "/mount-first.err")
                             << readFile(r + "/overlay.err");
    const FileSet later = referenceSet(kLater);
    const auto notice = [](const std::string &folder, const std::string &reason) {
        return "shiftcal: publish: " + folder + " cannot be swapped whole (" + reason
            + "); its files are replaced one by one\n";
    };
    EXPECT_EQ(readFile(r + "/mount-first.err"), notice(r + "/mnt", "Device or resource busy"));
    EXPECT_EQ(readFile(r + "/mount-second.err"), notice(r + "/mnt", "Device or resource busy"));
    EXPECT_EQ(readSet(r + "/mount-copy"), later);
    EXPECT_EQ(readFile(r + "/mount.mode"), "750\n");
    std::string names;
    for (const auto &[name, bytes] : later)
        names += name + "\n";
    EXPECT_EQ(readFile(r + "/mount.names"), names);

    EXPECT_EQ(
        readFile(r + "/overlay.err"), notice(r + "/merged/site", "Invalid cross-device link"));
    EXPECT_EQ(readSet(r + "/overlay-copy"), later);
    EXPECT_EQ(readFile(r + "/overlay.names"), kLock + "\nsite\n");
    // Nothing of the runs stays in the overlay's upper layer or beside the mount point.
    EXPECT_EQ(namesIn(r + "/upper"), std::vector<std::string> { "site" });
    for (const std::string &name : root.entries())
        EXPECT_TRUE(name == kLock || !name.starts_with(".shiftcal-")) << name;
}

} // namespace
