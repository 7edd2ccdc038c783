#include "cli/site_folder.h"

#include "cli/cli_error.h"
#include "cli/output_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shift {

namespace {

constexpr mode_t kFileMode = 0644;
constexpr mode_t kFolderMode = 0755;
constexpr mode_t kLockMode = 0644;
constexpr std::string_view kLockName = ".shiftcal-lock";
constexpr std::string_view kTemporaryPrefix = ".shiftcal-";
constexpr std::size_t kTemporarySuffix = 6; // as mkstemp() and OutputFile make them

std::string parentOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string inFolder(const std::string &folder, std::string_view name)
{
    return (folder == "/" ? "" : folder) + "/" + std::string(name);
}

struct FolderCloser {
    void operator()(DIR *folder) const { ::closedir(folder); }
};
using FolderHandle = std::unique_ptr<DIR, FolderCloser>;

// The folder `path` for reading its names, not through a link; null with errno set.
FolderHandle openFolder(int at, const char *path)
{
    const int descriptor = ::openat(at, path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    FolderHandle folder(::fdopendir(descriptor));
    if (!folder)
        ::close(descriptor);
    return folder;
}

bool isDotOrDotDot(const char *name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// ".shiftcal-" and six letters or digits: a temporary name of shiftcal's.
bool isTemporaryName(std::string_view name)
{
    if (!name.starts_with(kTemporaryPrefix)
        || name.size() != kTemporaryPrefix.size() + kTemporarySuffix)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(kTemporaryPrefix.size()),
        name.end(),
        [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        });
}

bool isType(int at, const char *name, mode_t type)
{
    struct stat entry { };
    return ::fstatat(at, name, &entry, AT_SYMLINK_NOFOLLOW) == 0
        && (entry.st_mode & S_IFMT) == type;
}

// Removes the regular files of `folder` that `remove` picks; the folder stays.
void removeFilesIn(int at, const char *folder, const std::function<bool(std::string_view)> &remove)
{
    const FolderHandle handle = openFolder(at, folder);
    if (!handle)
        return;
    const int descriptor = ::dirfd(handle.get());
    while (const dirent *entry = ::readdir(handle.get())) {
        if (!isDotOrDotDot(entry->d_name) && remove(entry->d_name)
            && isType(descriptor, entry->d_name, S_IFREG))
            ::unlinkat(descriptor, entry->d_name, 0);
    }
}

} // namespace

SiteFolder::SiteFolder(const std::string &folder, std::vector<std::string> names)
    : m_shownName(folder)
    , m_names(std::move(names))
{
    std::string trimmed = folder;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    struct stat existing { };
    if (::lstat(trimmed.c_str(), &existing) == 0) {
        if (S_ISLNK(existing.st_mode) && !mayFollowLink(trimmed, existing))
            fail(EACCES);
        struct stat target { };
        if (::stat(trimmed.c_str(), &target) != 0)
            fail(errno);
        if (!S_ISDIR(target.st_mode))
            fail(ENOTDIR);
        // "." and "..", links and a trailing "/." all become the folder's own name in its
        // parent, which is what a rename needs.
        char resolved[PATH_MAX];
        if (::realpath(trimmed.c_str(), resolved) == nullptr)
            fail(errno);
        m_path = resolved;
        if (m_path == "/")
            fail("the root folder cannot be replaced");
    } else if (errno == ENOENT) {
        m_path = trimmed;
    } else {
        fail(errno);
    }
    m_parent = parentOf(m_path);
    if (::faccessat(AT_FDCWD, m_parent.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        fail("cannot make a folder in " + m_parent + ": " + std::strerror(errno));

    lockParent();
    removeDeadRuns();
    // Looked at only now: the run before this one may have made or changed it.
    m_exists = inspect();

    std::string temporary = inFolder(m_parent, kTemporaryPrefix) + "XXXXXX";
    {
        // No signal may find the folder made but not yet registered.
        const SignalsHeld held;
        if (::mkdtemp(temporary.data()) == nullptr)
            fail("cannot make a folder in " + m_parent + ": " + std::strerror(errno));
        m_temporary = temporary;
        m_temporaryCleanup.emplace(temporary, true);
    }
}

SiteFolder::~SiteFolder()
{
    if (!m_committed && !m_temporary.empty())
        removeSet(m_temporary);
}

SiteFolder::LockFile::~LockFile()
{
    if (fd >= 0)
        ::close(fd);
}

void SiteFolder::fail(int error) const
{
    fail(std::string(std::strerror(error)));
}

void SiteFolder::fail(const std::string &reason) const
{
    throw WriteError("cannot publish to " + m_shownName + ": " + reason);
}

void SiteFolder::lockParent()
{
    const std::string path = inFolder(m_parent, kLockName);
    // Opened without O_CREAT where it exists: in a shared sticky folder (protected_regular)
    // O_CREAT on another user's file is refused even when the file is there.
    int &lock = m_lock.fd;
    while (lock < 0) {
        lock = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (lock >= 0 || errno != ENOENT)
            break;
        lock = ::open(path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0);
        if (lock >= 0)
            ::fchmod(lock, kLockMode);
        else if (errno != EEXIST)
            break;
    }
    if (lock < 0)
        fail("cannot open its lock file " + path + ": " + std::strerror(errno));
    while (::flock(lock, LOCK_EX) != 0) {
        if (errno != EINTR)
            fail("cannot lock " + path + ": " + std::strerror(errno));
    }
}

// Every run in this parent holds the lock while its folders exist, so whatever such folders are
// here now belong to runs that are gone. Only files of a set and temporary files are removed: a
// folder that holds anything else stays.
void SiteFolder::removeDeadRuns() const
{
    const auto ours = [this](std::string_view name) {
        return isTemporaryName(name)
            || std::find(m_names.begin(), m_names.end(), name) != m_names.end();
    };
    if (const FolderHandle parent = openFolder(AT_FDCWD, m_parent.c_str())) {
        const int descriptor = ::dirfd(parent.get());
        while (const dirent *entry = ::readdir(parent.get())) {
            if (!isTemporaryName(entry->d_name) || !isType(descriptor, entry->d_name, S_IFDIR))
                continue;
            removeFilesIn(descriptor, entry->d_name, ours);
            ::unlinkat(descriptor, entry->d_name, AT_REMOVEDIR);
        }
    }
    // A run that replaced files one by one leaves its temporary file in the folder itself.
    removeFilesIn(AT_FDCWD, m_path.c_str(), isTemporaryName);
}

bool SiteFolder::inspect()
{
    // Not through a link: the swap would move the link, and the old set's removal follow it.
    const FolderHandle folder = openFolder(AT_FDCWD, m_path.c_str());
    if (!folder) {
        if (errno == ENOENT)
            return false;
        fail(errno == ELOOP ? ENOTDIR : errno);
    }
    const int descriptor = ::dirfd(folder.get());
    if (::fstat(descriptor, &m_old) != 0)
        fail(errno);
    m_oldCount = 0;
    while (const dirent *entry = ::readdir(folder.get())) {
        if (isDotOrDotDot(entry->d_name))
            continue;
        const bool ours = std::find(m_names.begin(), m_names.end(), entry->d_name) != m_names.end()
            && isType(descriptor, entry->d_name, S_IFREG);
        if (!ours) {
            fail("it holds " + quotedArgument(entry->d_name)
                + ", which shiftcal publish does not write");
        }
        ++m_oldCount;
    }
    // Found now rather than after the swap, when the old set could only be left behind.
    if (m_oldCount > 0 && ::faccessat(descriptor, ".", W_OK | X_OK, AT_EACCESS) != 0)
        fail("cannot remove its old files: " + std::string(std::strerror(errno)));
    return true;
}

void SiteFolder::write(const std::string &name, const std::function<void(OutputBuffer &)> &fill)
{
    const std::string path = m_temporary + "/" + name;
    // Registered before it exists: a signal after the rename below must find it too.
    m_writtenCleanup.emplace_back(path);
    OutputFileOptions options;
    options.newFileMode = kFileMode;
    options.syncFolder = false; // once, in commit()
    if (m_exists) {
        options.newFileGroup = m_old.st_gid;
        options.keepIfSame = m_path + "/" + name;
    }
    OutputFile output(path, options);
    fill(output.buffer());
    output.commit();
    m_written.push_back(name);
    if (!output.keptExisting())
        m_changed = true;
}

// Only the names of a set are removed: what else lies there was never checked. Returns 0 or the
// errno of the first removal that failed.
int SiteFolder::removeSet(const std::string &path) const
{
    int error = 0;
    for (const std::string &name : m_names) {
        if (::unlink((path + "/" + name).c_str()) != 0 && errno != ENOENT && error == 0)
            error = errno;
    }
    if (::rmdir(path.c_str()) != 0 && error == 0)
        error = errno;
    return error;
}

void SiteFolder::giveOldAttributes() const
{
    if (!m_exists) {
        if (::chmod(m_temporary.c_str(), kFolderMode) != 0)
            fail(errno);
        return;
    }
    // Owner first: changing it clears the set-id bits that the mode then restores.
    if (::chown(m_temporary.c_str(), m_old.st_uid, m_old.st_gid) != 0)
        (void)!::chown(m_temporary.c_str(), static_cast<uid_t>(-1), m_old.st_gid);
    if (::chmod(m_temporary.c_str(), m_old.st_mode & 07777) != 0)
        fail(errno);
}

void SiteFolder::commit()
{
    // Again: someone may have put a file of their own there, or the folder may have gone.
    m_exists = inspect();
    // Every file the old set had, each the same bytes: a swap would change nothing a reader sees.
    if (m_exists && !m_changed && m_written.size() == m_oldCount) {
        removeSet(m_temporary);
        m_committed = true;
        return;
    }
    giveOldAttributes();
    if (const int error = syncFolder(m_temporary))
        fail(error);
    int exchangeError = 0;
    int removeError = 0;
    {
        // From the swap until the old set is gone, a signal would leave it behind.
        const SignalsHeld held;
        const unsigned int how = m_exists ? RENAME_EXCHANGE : RENAME_NOREPLACE;
        if (::renameat2(AT_FDCWD, m_temporary.c_str(), AT_FDCWD, m_path.c_str(), how) != 0) {
            exchangeError = errno;
            // FUSE and NFS know no RENAME_NOREPLACE; the lock keeps other runs from making
            // the folder meanwhile.
            if (!m_exists && exchangeError == EINVAL
                && ::rename(m_temporary.c_str(), m_path.c_str()) == 0)
                exchangeError = 0;
        }
        if (exchangeError == 0) {
            m_committed = true;
            m_writtenCleanup.clear();
            m_temporaryCleanup.reset();
            if (m_exists)
                removeError = removeSet(m_temporary);
        }
    }
    if (exchangeError != 0) {
        if (m_exists
            && (exchangeError == EBUSY || exchangeError == EXDEV || exchangeError == EINVAL)) {
            replaceFileByFile(exchangeError);
            return;
        }
        fail(exchangeError);
    }
    if (removeError != 0) {
        fail("the new set is in place, but the old one stays in " + m_temporary + ": "
            + std::strerror(removeError));
    }
    if (const int error = syncFolder(m_parent))
        fail(error);
}

void SiteFolder::replaceFileByFile(int exchangeError)
{
    printError("publish: " + m_shownName + " cannot be swapped whole ("
        + std::strerror(exchangeError) + "); its files are replaced one by one");
    for (const std::string &name : m_written) {
        OutputFileOptions options;
        options.newFileMode = kFileMode;
        options.newFileGroup = m_old.st_gid;
        options.keepIfSame = m_path + "/" + name;
        options.syncFolder = false;
        OutputFile output(m_path + "/" + name, options);
        const std::string staged = m_temporary + "/" + name;
        const int source = ::open(staged.c_str(), O_RDONLY | O_CLOEXEC);
        if (source < 0)
            fail(errno);
        OutputBuffer &out = output.buffer();
        for (;;) {
            char *room = out.reserve(OutputBuffer::kCapacity);
            const ssize_t n = ::read(source, room, OutputBuffer::kCapacity);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                const int error = errno;
                ::close(source);
                if (n < 0)
                    fail(error);
                break;
            }
            out.commit(room + n);
        }
        output.commit();
    }
    for (const std::string &name : m_names) {
        const bool written = std::find(m_written.begin(), m_written.end(), name) != m_written.end();
        if (!written && ::unlink((m_path + "/" + name).c_str()) != 0 && errno != ENOENT)
            fail(errno);
    }
    if (const int error = syncFolder(m_path))
        fail(error);
    removeSet(m_temporary);
    m_committed = true;
    m_writtenCleanup.clear();
    m_temporaryCleanup.reset();
}

} // namespace shift
