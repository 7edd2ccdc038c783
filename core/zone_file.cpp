#include "core/zone_file.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string_view>

namespace shift {

namespace {

constexpr std::size_t kHeaderSize = 44;

// The counts of a TZif header, in the order the file gives them.
struct Counts {
    std::uint32_t isUt = 0, isStd = 0, leap = 0, time = 0, type = 0, chars = 0;
};

class Reader {
public:
    explicit Reader(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    bool has(std::size_t at, std::size_t length) const
    {
        return at <= m_bytes.size() && length <= m_bytes.size() - at;
    }

    std::uint64_t bigEndian(std::size_t at, std::size_t length) const
    {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < length; ++i)
            value = (value << 8) | static_cast<unsigned char>(m_bytes[at + i]);
        return value;
    }

    std::optional<Counts> header(std::size_t at) const
    {
        if (!has(at, kHeaderSize) || m_bytes.substr(at, 4) != "TZif")
            return std::nullopt;
        const auto count = [&](int i) {
            return static_cast<std::uint32_t>(
                bigEndian(at + 20 + 4 * static_cast<std::size_t>(i), 4));
        };
        return Counts { count(0), count(1), count(2), count(3), count(4), count(5) };
    }

    char version() const { return m_bytes.size() > 4 ? m_bytes[4] : '\0'; }
    std::string_view bytes() const { return m_bytes; }

private:
    std::string_view m_bytes;
};

// Bytes of a data block whose times take `timeSize` bytes each.
std::uint64_t blockSize(const Counts &c, std::uint64_t timeSize)
{
    return std::uint64_t { c.time } * timeSize + c.time + std::uint64_t { c.type } * 6 + c.chars
        + std::uint64_t { c.leap } * (timeSize + 4) + c.isStd + c.isUt;
}

} // namespace

std::optional<ZoneFile> readZoneFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string contents((std::istreambuf_iterator<char>(in)), {});
    const Reader file(contents);
    const std::optional<Counts> first = file.header(0);
    if (!first || file.version() < '2')
        return std::nullopt;
    // The version 1 block (32-bit times) comes first; the 64-bit block follows it.
    const std::uint64_t second = kHeaderSize + blockSize(*first, 4);
    if (second > contents.size())
        return std::nullopt;
    const std::optional<Counts> counts = file.header(static_cast<std::size_t>(second));
    if (!counts)
        return std::nullopt;
    const std::size_t times = static_cast<std::size_t>(second) + kHeaderSize;
    const std::size_t indices = times + std::size_t { counts->time } * 8;
    const std::size_t types = indices + counts->time;
    const std::uint64_t end = times + blockSize(*counts, 8);
    if (end > contents.size())
        return std::nullopt;

    ZoneFile zone;
    for (std::size_t i = 0; i < counts->time; ++i) {
        const std::size_t type = static_cast<unsigned char>(contents[indices + i]);
        if (type >= counts->type)
            return std::nullopt;
        const auto at = static_cast<std::int64_t>(file.bigEndian(times + 8 * i, 8));
        const auto offset = static_cast<std::int32_t>(file.bigEndian(types + 6 * type, 4));
        zone.changes.push_back(
            { std::chrono::sys_seconds(std::chrono::seconds(at)), std::chrono::seconds(offset) });
    }
    // The footer: the rule between two line breaks after the data.
    const std::string_view footer = file.bytes().substr(static_cast<std::size_t>(end));
    if (footer.size() >= 2 && footer.front() == '\n' && footer.back() == '\n')
        zone.rule = std::string(footer.substr(1, footer.size() - 2));
    return zone;
}

} // namespace shift
