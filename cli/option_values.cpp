#include "cli/option_values.h"

#include "cli/cli_error.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace shift {

namespace {

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

bool isDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// The value of a run of decimal digits, or nullopt when it has none or more than 9, so that the
// value fits [0, 999'999'999].
std::optional<std::int32_t> digitsValue(std::string_view text)
{
    if (!isDigits(text) || text.size() > 9)
        return std::nullopt;
    std::int32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

struct DateFields {
    std::string_view yearText;
    std::int32_t year;
    int month;
    int day;
};

// Splits "Y-MM" or "Y-MM-DD" (a year of one or more digits) at its hyphens; nullopt when the
// shape is wrong. Month and day must have exactly two digits.
std::optional<DateFields> splitDate(std::string_view text, bool withDay)
{
    const std::size_t firstHyphen = text.find('-');
    if (firstHyphen == text.npos)
        return std::nullopt;
    const std::string_view yearText = text.substr(0, firstHyphen);
    const std::string_view rest = text.substr(firstHyphen + 1);
    const std::size_t expectedRest = withDay ? 5 : 2;
    if (rest.size() != expectedRest || (withDay && rest[2] != '-'))
        return std::nullopt;
    const auto year = digitsValue(yearText);
    const auto month = digitsValue(rest.substr(0, 2));
    const auto day = withDay ? digitsValue(rest.substr(3, 2)) : std::optional<std::int32_t>(1);
    if (!year || !month || !day)
        return std::nullopt;
    return DateFields { yearText, *year, *month, *day };
}

// A year must have four digits. One written as a plain number ("0", "10000") that lies outside
// the range is told so, since that is what is wrong with it; padded ones ("000002016") and short
// ones ("16") are malformed.
CivilDate checkedDate(std::string_view option,
    std::string_view text,
    const std::optional<DateFields> &fields,
    std::string_view noun,
    std::string_view shape)
{
    const std::string malformed = std::string(option) + ": " + quotedArgument(text) + " is not a "
        + std::string(noun) + "; expected " + std::string(shape);
    if (!fields)
        throw UsageError(malformed);
    const bool fourDigits = fields->yearText.size() == 4;
    const bool plainNumber = fields->yearText.size() == 1 || fields->yearText[0] != '0';
    if ((fields->year < kFirstYear || fields->year > kLastYear) && (fourDigits || plainNumber)) {
        throw UsageError(std::string(option) + ": year " + std::to_string(fields->year)
            + " is outside 1 to 9999");
    }
    if (!fourDigits || fields->month < 1 || fields->month > 12 || fields->day < 1
        || fields->day > monthLengthOf(fields->year, fields->month - 1))
        throw UsageError(malformed);
    return civilDate(fields->year, fields->month, fields->day);
}

std::string isoDate(const CivilDate &date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", yearOf(date), monthOf(date), dayOf(date));
    return text;
}

} // namespace

int parseOneTeam(std::string_view option, std::string_view text)
{
    return parseTeam(option, text, false);
}

int parseTeamOrAll(std::string_view option, std::string_view text)
{
    return parseTeam(option, text, true);
}

std::string schemeValues()
{
    const Plant &plant = currentPlant();
    std::vector<std::string> words;
    for (const Rotation &rotation : plant.schemes)
        words.push_back(rotation.key);
    for (int i = 0; i < plant.schemeCount(); ++i)
        words.push_back(std::to_string(i));
    return wordList(std::vector<std::string_view>(words.begin(), words.end()));
}

namespace {

std::vector<std::string_view> teamWords()
{
    const Plant &plant = currentPlant();
    std::vector<std::string_view> words;
    for (int team = 0; team < plant.teamCount(); ++team)
        words.push_back(plant.teamLetter(team));
    return words;
}

} // namespace

std::string teamValues()
{
    std::vector<std::string_view> words = teamWords();
    words.push_back("all");
    return wordList(words);
}

std::string oneTeamValues()
{
    std::string list = "one of ";
    for (const std::string_view letter : teamWords())
        list.append(list.size() > 7 ? ", " : "").append(letter);
    return list;
}

int parseScheme(std::string_view option, std::string_view text)
{
    const Plant &plant = currentPlant();
    for (int i = 0; i < plant.schemeCount(); ++i) {
        if (text == std::to_string(i)
            || equalsIgnoringCase(text, plant.schemes[static_cast<std::size_t>(i)].key))
            return i;
    }
    throw UsageError(std::string(option) + ": unknown scheme " + quotedArgument(text)
        + "; expected " + schemeValues());
}

int parseTeam(std::string_view option, std::string_view text, bool allowAll)
{
    if (text.size() == 1) {
        const char letter = lowerAscii(text[0]);
        const int team = letter >= 'a' && letter <= 'z'
            ? currentPlant().teamOfLetter(static_cast<char>(letter - 'a' + 'A'))
            : -1;
        if (team >= 0)
            return team;
    }
    if (allowAll && equalsIgnoringCase(text, "all"))
        return kAllTeams;
    throw UsageError(std::string(option) + ": unknown team " + quotedArgument(text) + "; expected "
        + (allowAll ? teamValues() : oneTeamValues()));
}

CivilDate parseDate(std::string_view option, std::string_view text)
{
    return checkedDate(option, text, splitDate(text, true), "date", "YYYY-MM-DD");
}

CivilDate parseYearMonth(std::string_view option, std::string_view text)
{
    return checkedDate(option, text, splitDate(text, false), "month", "YYYY-MM");
}

LocalDateTime parseClockReading(std::string_view option, std::string_view text)
{
    const std::optional<LocalDateTime> reading = parseLocalDateTime(text);
    if (!reading) {
        throw UsageError(std::string(option) + ": " + quotedArgument(text)
            + " is not a date and time; expected " + std::string(kClockValues));
    }
    return *reading;
}

int parseMonthCount(std::string_view option, std::string_view text)
{
    const auto count = digitsValue(text);
    if (!count || *count < 1 || *count > kMaxMonths) {
        throw UsageError(std::string(option) + ": " + quotedArgument(text) + " is not "
            + std::string(kMonthCountValues));
    }
    return *count;
}

int parseMonthOffset(std::string_view option, std::string_view text)
{
    const auto count = digitsValue(text);
    if (!count || *count > kMaxMonths) {
        throw UsageError(std::string(option) + ": " + quotedArgument(text) + " is not "
            + std::string(kMonthOffsetValues));
    }
    return *count;
}

std::string wordList(std::span<const std::string_view> words)
{
    std::string list;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            list += i + 1 == words.size() ? " or " : ", ";
        list += words[i];
    }
    return list;
}

std::size_t wordIndex(
    std::string_view option, std::string_view text, std::span<const std::string_view> words)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (equalsIgnoringCase(text, words[i]))
            return i;
    }
    throw UsageError(std::string(option) + ": unknown value " + quotedArgument(text) + "; expected "
        + wordList(words));
}

std::string parseFileName(std::string_view option, std::string_view text, std::string_view expected)
{
    if (text.empty()) {
        throw UsageError(
            std::string(option) + ": the file name is empty; expected " + std::string(expected));
    }
    return std::string(text);
}

std::string fileEnding(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == path.npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == name.npos)
        return {};
    std::string ending(name.substr(dot));
    for (char &c : ending)
        c = lowerAscii(c);
    return ending;
}

bool writesToStandardOutput(std::string_view output)
{
    return output.empty() || output == "-";
}

void throwUnknownFileEnding(
    std::string_view option, std::string_view path, std::string_view expected)
{
    throw UsageError(std::string(option) + ": unknown file ending in " + quotedArgument(path)
        + "; expected " + std::string(expected));
}

void checkDateRange(const CivilDate &from, const CivilDate &to)
{
    if (from > to)
        throw UsageError("--from: " + isoDate(from) + " is after --to " + isoDate(to));
}

} // namespace shift
