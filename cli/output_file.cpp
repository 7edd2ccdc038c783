#include "cli/output_file.h"

#include "cli/cli_error.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shift {

namespace {

constexpr int kMaxLinkHops = 16;
// Tries at a free temporary name before giving up; each clash is a one in 2^36 chance.
constexpr int kNameAttempts = 64;
constexpr std::size_t kCompareBlock = 64 * 1024;

std::string folderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::optional<int> descriptorNumber(std::string_view digits)
{
    int number = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()
        || number < 0)
        return std::nullopt;
    return number;
}

// N of "/dev/fd/N", "/proc/self/fd/N", "/proc/thread-self/fd/N" or "/proc/<this pid>/fd/N".
std::optional<int> descriptorOfName(std::string_view path)
{
    const std::string ownPid = "/proc/" + std::to_string(::getpid()) + "/fd/";
    for (const std::string_view folder : { std::string_view("/dev/fd/"),
             std::string_view("/proc/self/fd/"),
             std::string_view("/proc/thread-self/fd/"),
             std::string_view(ownPid) }) {
        if (path.starts_with(folder))
            return descriptorNumber(path.substr(folder.size()));
    }
    return std::nullopt;
}

// ".shiftcal-" and six letters or digits from the kernel's random source.
std::string temporaryName(const std::string &folder)
{
    static constexpr char kLetters[]
        = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char random[6] = {};
    if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        // Only a kernel without getrandom() gets here; clashes are then retried.
        const auto seed = static_cast<unsigned>(::getpid()) ^ static_cast<unsigned>(::clock());
        for (std::size_t i = 0; i < sizeof random; ++i)
            random[i] = static_cast<unsigned char>(seed >> (i * 5));
    }
    std::string name = folder + "/.shiftcal-";
    for (const unsigned char r : random)
        name += kLetters[r % (sizeof kLetters - 1)];
    return name;
}

bool readFully(int fd, char *data, std::size_t size, off_t offset)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, data + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Whether the file open as `fd` holds the bytes of the regular file `path` (not followed if a
// link), read again from the disk rather than trusted by size or time.
bool sameBytes(int fd, const std::string &path, struct stat &other)
{
    struct stat own { };
    if (::fstat(fd, &own) != 0 || ::lstat(path.c_str(), &other) != 0 || !S_ISREG(other.st_mode)
        || own.st_size != other.st_size)
        return false;
    const int otherFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (otherFd < 0)
        return false;
    const std::unique_ptr<char[]> mine(new char[kCompareBlock]);
    const std::unique_ptr<char[]> theirs(new char[kCompareBlock]);
    bool same = true;
    for (off_t offset = 0; same && offset < own.st_size;) {
        const auto piece
            = static_cast<std::size_t>(std::min<off_t>(own.st_size - offset, kCompareBlock));
        same = readFully(fd, mine.get(), piece, offset)
            && readFully(otherFd, theirs.get(), piece, offset)
            && std::memcmp(mine.get(), theirs.get(), piece) == 0;
        offset += static_cast<off_t>(piece);
    }
    ::close(otherFd);
    return same;
}

} // namespace

bool mayFollowLink(const std::string &path, const struct stat &link)
{
    struct stat folder { };
    if (::stat(folderOf(path).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

int syncFolder(const std::string &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0; // a folder the process may write but not read; nothing it can do
    int error = 0;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
        error = errno;
    ::close(fd);
    return error;
}

bool writesInPlace(const std::string &path)
{
    if (namesStandardOutput(path))
        return false;
    if (descriptorNamedBy(path))
        return true;
    struct stat target { };
    return ::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode)
        && !S_ISDIR(target.st_mode);
}

bool namesStandardOutput(const std::string &path)
{
    return path.empty() || path == "-";
}

std::optional<int> descriptorNamedBy(const std::string &path)
{
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        if (const auto descriptor = descriptorOfName(current))
            return descriptor;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target - 1);
        if (length < 0)
            return std::nullopt;
        const std::string next(target, static_cast<std::size_t>(length));
        current = next.starts_with('/') ? next : folderOf(current) + "/" + next;
    }
    return std::nullopt;
}

OutputFile::OutputFile(const std::string &path, OutputFileOptions options)
    : m_options(std::move(options))
{
    if (namesStandardOutput(path)) {
        m_buffer.emplace(STDOUT_FILENO, "standard output");
        return;
    }
    m_path = path;
    if (const auto descriptor = descriptorNamedBy(path)) {
        openDescriptor(*descriptor);
        return;
    }
    struct stat existing { };
    if (::lstat(path.c_str(), &existing) != 0) {
        if (errno != ENOENT)
            fail(errno);
        openTemporary(nullptr);
        return;
    }
    if (S_ISLNK(existing.st_mode)) {
        struct stat target { };
        const bool special = ::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode)
            && !S_ISDIR(target.st_mode);
        if (!special) {
            openTemporary(nullptr);
            return;
        }
        if (!mayFollowLink(path, existing))
            fail(EACCES);
        openInPlace();
        return;
    }
    if (S_ISDIR(existing.st_mode))
        fail(EISDIR);
    if (S_ISREG(existing.st_mode)) {
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
            fail(errno);
        openTemporary(&existing);
        return;
    }
    openInPlace();
}

void OutputFile::fail(int error) const
{
    throw WriteError("cannot write " + m_path + ": " + std::strerror(error));
}

// A device or a pipe is written as it is: renaming a file over it would replace the device.
void OutputFile::openInPlace()
{
    m_fd = ::open(m_path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0)
        fail(errno);
    m_buffer.emplace(m_fd, m_path);
}

// Written at the descriptor's own offset and in its own mode (a shell's ">>" appends).
void OutputFile::openDescriptor(int descriptor)
{
    m_fd = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    if (m_fd < 0)
        fail(errno);
    m_buffer.emplace(m_fd, m_path);
}

void OutputFile::openTemporary(const struct stat *replaced)
{
    const std::string folder = folderOf(m_path);
    // Without a name nothing is left to clean up, whatever ends the process. Linking it in
    // later goes through /proc/self/fd, so without /proc the named way is taken.
    static const bool procMounted = ::access("/proc/self/fd", X_OK) == 0;
    if (procMounted) {
        m_fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        m_unnamed = m_fd >= 0;
    }
    if (!m_unnamed) {
        // Short whatever the target's name: a name the shell could create must stay writable.
        std::string temporary = folder + "/.shiftcal-XXXXXX";
        // No signal may find the file made but not yet registered.
        const SignalsHeld held;
        m_fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (m_fd < 0)
            fail(errno);
        m_temporaryPath = temporary;
        m_cleanup.emplace(temporary);
    }
    if (replaced != nullptr) {
        // Owner first: changing it clears the set-id bits that the mode then restores.
        if (::fchown(m_fd, replaced->st_uid, replaced->st_gid) != 0)
            (void)!::fchown(m_fd, static_cast<uid_t>(-1), replaced->st_gid);
        ::fchmod(m_fd, replaced->st_mode & 07777);
    } else {
        if (m_options.newFileGroup)
            (void)!::fchown(m_fd, static_cast<uid_t>(-1), *m_options.newFileGroup);
        if (m_options.newFileMode) {
            ::fchmod(m_fd, *m_options.newFileMode);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(m_fd, 0666 & ~mask);
        }
    }
    m_buffer.emplace(m_fd, m_path);
}

OutputFile::~OutputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temporaryPath.empty())
        ::unlink(m_temporaryPath.c_str());
}

// Links `source` (linkat() `flags`) under a fresh temporary name beside the target and renames
// that over the target: linkat() cannot replace a name, rename() can. Returns 0 or the errno
// of the link; a failed rename throws.
int OutputFile::linkIntoPlace(const std::string &source, int flags)
{
    const std::string folder = folderOf(m_path);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = temporaryName(folder);
        {
            const SignalsHeld held;
            if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.c_str(), flags) != 0) {
                if (errno == EEXIST)
                    continue;
                return errno;
            }
            m_temporaryPath = name;
            m_cleanup.emplace(name);
        }
        if (::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0)
            fail(errno);
        const SignalsHeld held;
        m_temporaryPath.clear();
        m_cleanup.reset();
        return 0;
    }
    return EEXIST;
}

// The output equals m_options.keepIfSame: that file goes in place, unless it cannot be linked
// here (another file system, protected_hardlinks), when the output is used after all.
bool OutputFile::keepSameFile()
{
    struct stat kept { };
    if (!sameBytes(m_fd, m_options.keepIfSame, kept))
        return false;
    struct stat target { };
    const bool alreadyThere = ::lstat(m_path.c_str(), &target) == 0 && target.st_dev == kept.st_dev
        && target.st_ino == kept.st_ino;
    if (!alreadyThere && linkIntoPlace(m_options.keepIfSame, 0) != 0)
        return false;
    ::close(m_fd);
    m_fd = -1;
    if (!m_temporaryPath.empty()) {
        ::unlink(m_temporaryPath.c_str());
        const SignalsHeld held;
        m_temporaryPath.clear();
        m_cleanup.reset();
    }
    return true;
}

void OutputFile::commit()
{
    m_buffer->flush();
    if (isStandardOutput())
        return;
    const bool replaces = m_unnamed || !m_temporaryPath.empty();
    if (replaces && !m_options.keepIfSame.empty() && keepSameFile()) {
        m_keptExisting = true;
    } else if (replaces) {
        // The data reaches the disk before the name does: a power loss between the two must
        // not leave an empty file under the name.
        if (::fdatasync(m_fd) != 0 && errno != EINVAL)
            fail(errno);
        if (m_unnamed) {
            const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
            if (const int error = linkIntoPlace(self, AT_SYMLINK_FOLLOW))
                fail(error);
        }
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            fail(errno);
        if (!m_unnamed) {
            if (::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0)
                fail(errno);
            const SignalsHeld held;
            m_temporaryPath.clear();
            m_cleanup.reset();
        }
    } else {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            fail(errno);
        return;
    }
    if (m_options.syncFolder) {
        if (const int error = syncFolder(folderOf(m_path)))
            fail(error);
    }
}

} // namespace shift
