#include "core/zone_file.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace shift {

namespace {

constexpr std::size_t kHeaderSize = 44;
// The largest zone file of tzdata is under 4 KiB; anything this big is not one.
constexpr std::size_t kLargestFile = 1 << 20;

[[noreturn]] void fail(const std::string &path, const std::string &what)
{
    throw ZoneDataError("zone file " + path + ": " + what);
}

// The whole of a regular file; a device, a pipe or a folder is refused before it is read, so
// that a zone file bound to /dev/zero or a FIFO cannot hang the process.
std::string contentsOf(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        struct stat folder { };
        const std::string hint = error == ENOENT && ::stat(kZoneFolder, &folder) != 0
            ? std::string(" (there is no ") + kZoneFolder + ": the package tzdata provides it)"
            : "";
        fail(path, std::strerror(error) + hint);
    }
    struct stat status { };
    std::string contents;
    int error = 0;
    if (::fstat(fd, &status) != 0) {
        error = errno;
    } else if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        fail(path, "it is not a regular file");
    } else {
        std::array<char, 8192> block;
        for (;;) {
            const ssize_t got = ::read(fd, block.data(), block.size());
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                error = errno;
            if (got <= 0 || contents.size() > kLargestFile)
                break;
            contents.append(block.data(), static_cast<std::size_t>(got));
        }
    }
    ::close(fd);
    if (error != 0)
        fail(path, std::strerror(error));
    if (contents.size() > kLargestFile)
        fail(path, "it is too large to be a zone file");
    return contents;
}

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

    std::uint64_t bigEndian(std::size_t at, std::size_t length) const
    {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < length; ++i)
            value = (value << 8) | static_cast<unsigned char>(m_bytes[at + i]);
        return value;
    }

    // The header at `at`, or nullopt where there is none.
    std::optional<Counts> header(std::size_t at) const
    {
        if (m_bytes.size() < kHeaderSize || at > m_bytes.size() - kHeaderSize
            || m_bytes.substr(at, 4) != "TZif")
            return std::nullopt;
        const auto count = [&](int i) {
            return static_cast<std::uint32_t>(
                bigEndian(at + 20 + 4 * static_cast<std::size_t>(i), 4));
        };
        return Counts { count(0), count(1), count(2), count(3), count(4), count(5) };
    }

    char versionAt(std::size_t at) const { return m_bytes[at + 4]; }
    std::string_view bytes() const { return m_bytes; }

private:
    std::string_view m_bytes;
};

// Bytes of a data block whose times take `timeSize` bytes each; every count is below 2^32,
// so the sum stays below 2^37.
std::uint64_t blockSize(const Counts &c, std::uint64_t timeSize)
{
    return std::uint64_t { c.time } * timeSize + c.time + std::uint64_t { c.type } * 6 + c.chars
        + std::uint64_t { c.leap } * (timeSize + 4) + c.isStd + c.isUt;
}

void checkTruncation(const std::string &path, std::uint64_t needed, std::size_t size)
{
    if (needed > size)
        fail(path,
            "it is truncated: it ends after " + std::to_string(size) + " bytes, inside its data");
}

// The 64-bit block's tables, checked as RFC 8536 asks of a writer (the parts date/tz trusts).
void checkTables(const std::string &path, const Reader &file, const Counts &c, std::size_t times)
{
    const std::size_t indices = times + std::size_t { c.time } * 8;
    const std::size_t types = indices + c.time;
    const std::size_t names = types + std::size_t { c.type } * 6;
    if (c.type == 0 || c.chars == 0)
        fail(path, "it is damaged: it has no local time type");
    if ((c.isStd != 0 && c.isStd != c.type) || (c.isUt != 0 && c.isUt != c.type))
        fail(path, "it is damaged: its standard/UT indicators do not match its types");
    if (file.bytes()[names + c.chars - 1] != '\0')
        fail(path, "it is damaged: its last time zone name is not terminated");
    for (std::size_t i = 0; i < c.type; ++i) {
        const auto offset = static_cast<std::int32_t>(file.bigEndian(types + 6 * i, 4));
        const auto isDst = static_cast<unsigned char>(file.bytes()[types + 6 * i + 4]);
        const auto name = static_cast<unsigned char>(file.bytes()[types + 6 * i + 5]);
        // Offsets beyond a day (-25 h .. +26 h allowed) mean the bytes are not a zone's.
        if (offset < -89999 || offset > 93599 || isDst > 1 || name >= c.chars)
            fail(path, "it is damaged: local time type " + std::to_string(i) + " is invalid");
    }
    std::int64_t previous = 0;
    for (std::size_t i = 0; i < c.time; ++i) {
        const auto at = static_cast<std::int64_t>(file.bigEndian(times + 8 * i, 8));
        if (i > 0 && at <= previous)
            fail(path, "it is damaged: its changes are not in time order");
        if (static_cast<unsigned char>(file.bytes()[indices + i]) >= c.type)
            fail(path,
                "it is damaged: change " + std::to_string(i)
                    + " names a local time type it "
                      "does not have");
        previous = at;
    }
}

} // namespace

ZoneFile readZoneFile(const std::string &path)
{
    const std::string contents = contentsOf(path);
    if (contents.empty())
        fail(path, "it is empty");
    const Reader file(contents);
    const std::optional<Counts> first = file.header(0);
    if (!first)
        fail(path, "it is not a compiled zone file (no TZif header)");
    const char version = file.versionAt(0);
    if (version < '2')
        fail(path, "it is a zone file of version 1, without the times after 2037");
    // The version 1 block (32-bit times) comes first; the 64-bit block follows it.
    const std::uint64_t second = kHeaderSize + blockSize(*first, 4);
    checkTruncation(path, second + kHeaderSize, contents.size());
    const std::optional<Counts> counts = file.header(static_cast<std::size_t>(second));
    if (!counts || file.versionAt(static_cast<std::size_t>(second)) != version)
        fail(path, "it is damaged: its second header does not follow its first");
    const std::size_t times = static_cast<std::size_t>(second) + kHeaderSize;
    const std::uint64_t end = times + blockSize(*counts, 8);
    // The footer is at least its two line breaks.
    checkTruncation(path, end + 2, contents.size());
    checkTables(path, file, *counts, times);

    // The footer: the rule between two line breaks after the data, and nothing after them.
    const std::string_view footer = file.bytes().substr(static_cast<std::size_t>(end));
    if (footer.front() != '\n' || footer.find('\n', 1) != footer.size() - 1)
        fail(path, "it is damaged or truncated: its data does not end with the line of its rule");
    ZoneFile zone;
    zone.rule = std::string(footer.substr(1, footer.size() - 2));
    const std::size_t indices = times + std::size_t { counts->time } * 8;
    const std::size_t types = indices + counts->time;
    for (std::size_t i = 0; i < counts->time; ++i) {
        const std::size_t type = static_cast<unsigned char>(contents[indices + i]);
        const auto at = static_cast<std::int64_t>(file.bigEndian(times + 8 * i, 8));
        const auto offset = static_cast<std::int32_t>(file.bigEndian(types + 6 * type, 4));
        zone.changes.push_back(
            { std::chrono::sys_seconds(std::chrono::seconds(at)), std::chrono::seconds(offset) });
    }
    return zone;
}

namespace {

bool isDigits(std::string_view word, std::size_t least, std::size_t most)
{
    return word.size() >= least && word.size() <= most
        && word.find_first_not_of("0123456789") == std::string_view::npos;
}

// "Leap 1972 Jun 30 23:59:60 + S", separated by blanks or tabs.
bool isLeapSecondLine(const std::string &line)
{
    std::istringstream in(line);
    std::string leap, year, month, day, time, sign, kind, rest;
    if (!(in >> leap >> year >> month >> day >> time >> sign >> kind) || (in >> rest))
        return false;
    constexpr std::string_view kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const std::size_t at = kMonths.find(month);
    return leap == "Leap" && isDigits(year, 4, 4) && month.size() == 3 && at != kMonths.npos
        && at % 3 == 0 && isDigits(day, 1, 2) && time.size() == 8
        && isDigits(time.substr(0, 2), 2, 2) && time[2] == ':' && isDigits(time.substr(3, 2), 2, 2)
        && time[5] == ':' && isDigits(time.substr(6, 2), 2, 2) && (sign == "+" || sign == "-")
        && (kind == "S" || kind == "R");
}

} // namespace

void checkLeapSecondFile(const std::string &path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0 && errno == ENOENT)
        return;
    std::istringstream lines(contentsOf(path));
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (line.empty() || line.front() == '#' || isLeapSecondLine(line))
            continue;
        constexpr std::size_t kShown = 40;
        fail(path,
            "line " + std::to_string(number) + " is not a leap second: '" + line.substr(0, kShown)
                + (line.size() > kShown ? "...'" : "'"));
    }
}

} // namespace shift
