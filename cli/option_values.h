#pragma once

#include "core/civil_date.h"
#include "core/clock.h"
#include "core/plant.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The values shiftcal's options take, each checked in one place that every command shares.
//
// A check takes the name its message gives the value (the option as the user knows it, "month"
// for the month operand, SHIFTCAL_NOW for the environment) and the text as typed. It returns the
// value, or throws UsageError (cli_error.h) with one line "NAME: what is wrong; expected what it
// accepts". command_line.h runs them as the CLI11 validators of the options.
//
// Example: parseTeam("--team", "b", true) == 1; parseTeam("--team", "F", true) throws
// "--team: unknown team 'F'; expected A, B, C, D, E or all".
namespace shift {

inline constexpr int kAllTeams = -1;

// The years a date on the command line may have are kFirstYear..kLastYear
// (core/calendar_arithmetic.h), the window's years.

inline constexpr int kMaxMonths = 1200;

// What each kind of value accepts, as messages put it after "expected".
// The scheme and team words follow the current plant; with the built-in one they are
// "sudra, norda, 0 or 1", "A, B, C, D, E or all" and "one of A, B, C, D, E".
std::string schemeValues();
std::string teamValues();
std::string oneTeamValues();
inline constexpr std::string_view kDateValues = "a date YYYY-MM-DD";
inline constexpr std::string_view kMonthValues = "a month YYYY-MM";
inline constexpr std::string_view kMonthCountValues = "a number from 1 to 1200";
inline constexpr std::string_view kClockValues = "\"YYYY-MM-DD HH:MM\"";

// A scheme's key (any case) or its index as decimal digits -> the index. With the built-in
// plant: "sudra" or "0" -> 0, "Norda" or "1" -> 1.
int parseScheme(std::string_view option, std::string_view text);

// The word of a scheme as options, UIDs and JSON write it: the plant's key, "sudra" or "norda".
inline std::string_view schemeWord(int scheme)
{
    return currentPlant().schemes[static_cast<std::size_t>(scheme)].key;
}

// A team's letter (any case) -> its index, "A" -> 0; "all" (any case) -> kAllTeams when
// allowAll.
int parseTeam(std::string_view option, std::string_view text, bool allowAll);

// parseTeam for an option that takes one team, and for one that also takes "all".
int parseOneTeam(std::string_view option, std::string_view text);
int parseTeamOrAll(std::string_view option, std::string_view text);

// "YYYY-MM-DD" of a day that exists: a four-digit year 0001..9999, two-digit month and day.
// Example: "2016-02-29" -> 2016y/February/29; "2015-02-29", "16-02-29" and "000002016-02-29"
// are not dates; "10000-01-01" and "0000-01-01" have a year outside 1 to 9999.
CivilDate parseDate(std::string_view option, std::string_view text);

// "YYYY-MM", the year as parseDate takes it -> that month's first day.
// Example: "2016-02" -> 2016y/February/1.
CivilDate parseYearMonth(std::string_view option, std::string_view text);

// "YYYY-MM-DD HH:MM" (a 'T' may stand for the blank, ":SS" may follow), as --clock and
// SHIFTCAL_NOW give it; core's parseLocalDateTime decides.
// Example: "2016-10-01 20:00" -> {2016, 10, 1, 20, 0, 0, 0}.
LocalDateTime parseClockReading(std::string_view option, std::string_view text);

// A count of months, decimal digits only, 1..kMaxMonths. Example: "03" -> 3; "+3" is refused.
int parseMonthCount(std::string_view option, std::string_view text);

// The same from 0: how many months before or after this one. Example: "0" -> 0.
inline constexpr std::string_view kMonthOffsetValues = "a number from 0 to 1200";
int parseMonthOffset(std::string_view option, std::string_view text);

// One word among a few, e.g. {"csv", TableFormat::Csv}.
template <typename T>
struct Choice {
    std::string_view word;
    T value;
};

// The words as messages list them: "csv or json", "auto, always or never".
std::string wordList(std::span<const std::string_view> words);

// The index of the word `text` is, ignoring case; throws "OPTION: unknown value 'X'; expected
// a, b or c" for any other text.
std::size_t wordIndex(
    std::string_view option, std::string_view text, std::span<const std::string_view> words);

template <typename T, std::size_t N>
std::array<std::string_view, N> wordsOf(const std::array<Choice<T>, N> &choices)
{
    std::array<std::string_view, N> words;
    for (std::size_t i = 0; i < N; ++i)
        words[i] = choices[i].word;
    return words;
}

template <typename T, std::size_t N>
std::string wordList(const std::array<Choice<T>, N> &choices)
{
    return wordList(wordsOf(choices));
}

// The value of the word `text` is. Example: parseChoice("--format", "JSON", formats) ==
// TableFormat::Json; "xml" throws "--format: unknown value 'xml'; expected csv or json".
template <typename T, std::size_t N>
T parseChoice(
    std::string_view option, std::string_view text, const std::array<Choice<T>, N> &choices)
{
    return choices[wordIndex(option, text, wordsOf(choices))].value;
}

// A file name as -o gives it, kept as typed; an empty one throws "OPTION: the file name is
// empty; expected EXPECTED".
std::string parseFileName(
    std::string_view option, std::string_view text, std::string_view expected);

// The lower-case ending of a file name, from its last dot: ".png" of "a/b.PNG", and of ".png",
// which is a hidden PNG file; empty when the name has no dot.
std::string fileEnding(std::string_view path);

// Whether the -o of a command that can write to standard output names it: no -o, or "-".
bool writesToStandardOutput(std::string_view output);

// Throws "--from: 2016-05-02 is after --to 2016-05-01" unless from <= to.
void checkDateRange(const CivilDate &from, const CivilDate &to);

// Throws "OPTION: unknown file ending in 'PATH'; expected EXPECTED".
[[noreturn]] void throwUnknownFileEnding(
    std::string_view option, std::string_view path, std::string_view expected);

// The value that the ending of `path` stands for among `endings` (".csv", ...); any other
// ending gives `otherwise` when it holds one (an output with no ending to go by: a device, a
// pipe, a descriptor), else throws with throwUnknownFileEnding.
// Example: parseFileEnding("-o", "a/b.PDF", {{".png", Png}, {".pdf", Pdf}}, ...) == Pdf;
//          parseFileEnding("-o", "/dev/null", {...}, ..., Png) == Png.
template <typename T, std::size_t N>
T parseFileEnding(std::string_view option,
    std::string_view path,
    const std::array<Choice<T>, N> &endings,
    std::string_view expected,
    std::optional<T> otherwise = std::nullopt)
{
    const std::string ending = fileEnding(path);
    for (const Choice<T> &choice : endings) {
        if (choice.word == ending)
            return choice.value;
    }
    if (otherwise)
        return *otherwise;
    throwUnknownFileEnding(option, path, expected);
}

} // namespace shift
