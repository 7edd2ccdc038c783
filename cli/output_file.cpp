#include "cli/output_file.h"

#include "cli/cli_error.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shift {

namespace {

constexpr int kMaxLinkHops = 16;

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

// The kernel's protected_symlinks rule: in a sticky folder that everybody may write, a link is
// followed only when it belongs to the follower or to the folder's owner.
bool mayFollowLink(const std::string &path, const struct stat &link)
{
    struct stat folder { };
    if (::stat(folderOf(path).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

} // namespace

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

OutputFile::OutputFile(const std::string &path, std::optional<mode_t> newFileMode)
    : m_newFileMode(newFileMode)
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
    // Short whatever the target's name: a name the shell could create must stay writable.
    std::string temporary = folderOf(m_path) + "/.shiftcal-XXXXXX";
    {
        // No signal may find the file made but not yet registered.
        sigset_t all;
        sigset_t previous;
        sigfillset(&all);
        ::sigprocmask(SIG_BLOCK, &all, &previous);
        m_fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        const int error = errno;
        if (m_fd >= 0) {
            m_temporaryPath = temporary;
            m_cleanup.emplace(temporary);
        }
        ::sigprocmask(SIG_SETMASK, &previous, nullptr);
        if (m_fd < 0)
            fail(error);
    }
    if (replaced != nullptr) {
        // Owner first: changing it clears the set-id bits that the mode then restores.
        if (::fchown(m_fd, replaced->st_uid, replaced->st_gid) != 0)
            (void)!::fchown(m_fd, static_cast<uid_t>(-1), replaced->st_gid);
        ::fchmod(m_fd, replaced->st_mode & 07777);
    } else if (m_newFileMode) {
        ::fchmod(m_fd, *m_newFileMode);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
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

void OutputFile::commit()
{
    m_buffer->flush();
    if (isStandardOutput())
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        fail(errno);
    if (m_temporaryPath.empty())
        return;
    if (::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0)
        fail(errno);
    m_temporaryPath.clear();
    m_cleanup.reset();
}

} // namespace shift
