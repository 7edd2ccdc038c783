#include "cli/output_file.h"

#include "cli/cli_error.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shift {

namespace {

std::string temporaryPattern(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder
        = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + ".XXXXXX";
}

// mkstemp creates 0600; the finished file gets the permissions an ordinary new file gets.
void giveOrdinaryPermissions(int fd)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

std::string reason()
{
    return std::strerror(errno);
}

} // namespace

bool namesStandardOutput(const std::string &path)
{
    return path.empty() || path == "-";
}

OutputFile::OutputFile(const std::string &path)
{
    if (namesStandardOutput(path)) {
        m_buffer.emplace(STDOUT_FILENO, "standard output");
        return;
    }
    m_path = path;
    struct stat existing { };
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        openDirectly();
        return;
    }
    std::string pattern = temporaryPattern(path);
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0)
        throw WriteError("cannot write " + path + ": " + reason());
    m_temporaryPath = pattern;
    giveOrdinaryPermissions(m_fd);
    m_buffer.emplace(m_fd, path);
}

// A device or a pipe named on the command line (/dev/null, /dev/stdout, a FIFO) is written in
// place: renaming a file over it would replace the device itself.
void OutputFile::openDirectly()
{
    m_fd = ::open(m_path.c_str(), O_WRONLY | O_CLOEXEC);
    if (m_fd < 0)
        throw WriteError("cannot write " + m_path + ": " + reason());
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
        throw WriteError("cannot write " + m_path + ": " + reason());
    if (m_temporaryPath.empty())
        return;
    if (::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0)
        throw WriteError("cannot write " + m_path + ": " + reason());
    m_temporaryPath.clear();
}

} // namespace shift
