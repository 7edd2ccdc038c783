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
#include <sys/stat.h>
#include <unistd.h>

namespace shift {

namespace {

constexpr mode_t kFileMode = 0644;
constexpr mode_t kFolderMode = 0755;

// Each failed swap means another process changed the folder in between; a handful of them in a
// row means something keeps changing it.
constexpr int kSwapAttempts = 8;

std::string parentOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

struct FolderCloser {
    void operator()(DIR *folder) const { ::closedir(folder); }
};
using FolderHandle = std::unique_ptr<DIR, FolderCloser>;

bool isDotOrDotDot(const char *name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
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
        m_exists = checkReplaceable();
    } else if (errno == ENOENT) {
        m_path = trimmed;
    } else {
        fail(errno);
    }

    const std::string parent = parentOf(m_path);
    std::string temporary = (parent == "/" ? "" : parent) + "/.shiftcal-XXXXXX";
    {
        // No signal may find the folder made but not yet registered.
        const SignalsHeld held;
        if (::mkdtemp(temporary.data()) == nullptr)
            fail("cannot make a folder in " + parent + ": " + std::strerror(errno));
        m_temporary = temporary;
        m_temporaryCleanup.emplace(temporary, true);
    }
}

SiteFolder::~SiteFolder()
{
    if (!m_committed && !m_temporary.empty())
        removeSet(m_temporary);
}

void SiteFolder::fail(int error) const
{
    fail(std::string(std::strerror(error)));
}

void SiteFolder::fail(const std::string &reason) const
{
    throw WriteError("cannot publish to " + m_shownName + ": " + reason);
}

bool SiteFolder::checkReplaceable() const
{
    // Not through a link: the swap would move the link, and the old set's removal follow it.
    const int descriptor = ::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return false;
        fail(errno == ELOOP ? ENOTDIR : errno);
    }
    const FolderHandle folder(::fdopendir(descriptor));
    if (!folder) {
        ::close(descriptor);
        fail(errno);
    }
    while (const dirent *entry = ::readdir(folder.get())) {
        if (isDotOrDotDot(entry->d_name))
            continue;
        struct stat file { };
        const bool ours = std::find(m_names.begin(), m_names.end(), entry->d_name) != m_names.end()
            && ::fstatat(descriptor, entry->d_name, &file, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(file.st_mode);
        if (!ours) {
            fail("it holds " + quotedArgument(entry->d_name)
                + ", which shiftcal publish does not write");
        }
    }
    return true;
}

void SiteFolder::write(const std::string &name, const std::function<void(OutputBuffer &)> &fill)
{
    const std::string path = m_temporary + "/" + name;
    // Registered before it exists: a signal after the rename below must find it too.
    m_writtenCleanup.emplace_back(path);
    OutputFile output(path, kFileMode);
    fill(output.buffer());
    output.commit();
}

// Only the names of a set are removed: what else lies there was never checked.
void SiteFolder::removeSet(const std::string &path) const
{
    for (const std::string &name : m_names)
        ::unlink((path + "/" + name).c_str());
    ::rmdir(path.c_str());
}

void SiteFolder::commit()
{
    if (::chmod(m_temporary.c_str(), kFolderMode) != 0)
        fail(errno);
    // From the swap until the old set is gone, a signal would leave it behind.
    const SignalsHeld held;
    for (int attempt = 0; attempt < kSwapAttempts; ++attempt) {
        if (m_exists && !checkReplaceable()) {
            m_exists = false;
            continue;
        }
        const unsigned int how = m_exists ? RENAME_EXCHANGE : RENAME_NOREPLACE;
        if (::renameat2(AT_FDCWD, m_temporary.c_str(), AT_FDCWD, m_path.c_str(), how) == 0) {
            if (m_exists)
                removeSet(m_temporary);
            m_committed = true;
            m_writtenCleanup.clear();
            m_temporaryCleanup.reset();
            return;
        }
        const int error = errno;
        if (m_exists && error == ENOENT) {
            m_exists = false;
        } else if (!m_exists && (error == EEXIST || error == ENOTEMPTY)) {
            m_exists = true;
        } else if (error == EINVAL && m_exists) {
            fail("its file system cannot swap two folders in one step");
        } else {
            fail(error);
        }
    }
    fail("another process keeps changing it");
}

} // namespace shift
