#include "cli/output_buffer.h"

#include "cli/cli_error.h"

#include <cerrno>
#include <unistd.h>

namespace shift {

OutputBuffer::OutputBuffer(int fd, std::string name)
    : m_data(new char[kCapacity])
    , m_fd(fd)
    , m_name(std::move(name))
{
}

void OutputBuffer::append(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t room = kCapacity - m_used;
        if (room == 0) {
            flush();
            continue;
        }
        const std::size_t piece = text.size() < room ? text.size() : room;
        std::memcpy(m_data.get() + m_used, text.data(), piece);
        m_used += piece;
        text.remove_prefix(piece);
    }
}

void OutputBuffer::flush()
{
    std::size_t written = 0;
    while (written < m_used) {
        const ssize_t n = ::write(m_fd, m_data.get() + written, m_used - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw WriteError("cannot write " + m_name + ": " + std::strerror(errno));
        }
        written += static_cast<std::size_t>(n);
    }
    m_used = 0;
}

} // namespace shift
