#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace shift {

// A hand-rolled buffered writer onto a file descriptor, for output of many small pieces
// (a table of hundreds of thousands of rows) without a library call per piece. Writes go out
// in blocks of kCapacity bytes; a failed write throws WriteError naming `name`.
//
// Hot path: reserve(n) returns room for at least n bytes (n <= kCapacity), the caller fills it
// and hands the end back to commit(end).
class OutputBuffer {
public:
    static constexpr std::size_t kCapacity = 256 * 1024;

    OutputBuffer(int fd, std::string name);
    OutputBuffer(const OutputBuffer &) = delete;
    OutputBuffer &operator=(const OutputBuffer &) = delete;

    char *reserve(std::size_t bytes)
    {
        if (kCapacity - m_used < bytes)
            flush();
        return m_data.get() + m_used;
    }
    void commit(const char *end) { m_used = static_cast<std::size_t>(end - m_data.get()); }

    void append(std::string_view text);
    void append(char c) { *reserve(1) = c, ++m_used; }

    // Writes out everything buffered so far.
    void flush();

    const std::string &name() const { return m_name; }

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_used = 0;
    int m_fd;
    std::string m_name;
};

// Copies `text` to `out` and returns the end; the hot path's append.
inline char *put(char *out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// Writes 0..99 as decimal without leading zero.
inline char *putSmall(char *out, int value)
{
    if (value >= 10)
        *out++ = static_cast<char>('0' + value / 10);
    *out++ = static_cast<char>('0' + value % 10);
    return out;
}

// Writes 0..99 as two digits.
inline char *putTwoDigits(char *out, int value)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

// Writes 0..9999 as four digits.
inline char *putFourDigits(char *out, int value)
{
    out = putTwoDigits(out, value / 100);
    return putTwoDigits(out, value % 100);
}

} // namespace shift
