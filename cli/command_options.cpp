#include "cli/command_options.h"

#include "cli/cli_error.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace shift {

namespace {

constexpr std::string_view kSchemeValues = "sudra, norda, 0 or 1";
constexpr std::string_view kTeamValues = "A, B, C, D, E or all";
constexpr std::string_view kOneTeamValues = "one of A, B, C, D, E";

// One option a command accepts. An empty valueHint marks a flag; otherwise the hint says
// which values the option takes, for the message when the value is missing.
struct AcceptedOption {
    std::string_view name;
    std::string_view valueHint;
    std::string_view alias = {};
};

using OptionHandler = std::function<void(std::string_view name, std::string_view value)>;
using OperandHandler = std::function<void(std::string_view operand)>;

std::string quoted(std::string_view text)
{
    return std::string("'").append(text).append("'");
}

std::string acceptedOptions(std::span<const AcceptedOption> accepted)
{
    std::string list;
    for (std::size_t i = 0; i < accepted.size(); ++i) {
        if (i > 0)
            list += i + 1 == accepted.size() ? " or " : ", ";
        list += accepted[i].name;
    }
    return list;
}

const AcceptedOption *findOption(std::span<const AcceptedOption> accepted, std::string_view name)
{
    for (const AcceptedOption &known : accepted) {
        if (known.name == name || (!known.alias.empty() && known.alias == name))
            return &known;
    }
    return nullptr;
}

// Walks the arguments: "--name VALUE", "--name=VALUE", "-o VALUE", flags, operands, and "--",
// after which everything is an operand. Handlers receive the option's canonical name.
void scanArguments(std::string_view command,
    std::span<const std::string_view> args,
    std::span<const AcceptedOption> accepted,
    const OptionHandler &onOption,
    const OperandHandler &onOperand)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            onOperand(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        const AcceptedOption *known = findOption(accepted, name);
        if (known == nullptr) {
            throw UsageError(std::string(command) + ": unknown option " + quoted(name)
                + "; expected " + acceptedOptions(accepted));
        }
        if (known->valueHint.empty()) {
            if (value)
                throw UsageError(std::string(known->name) + ": takes no value");
            onOption(known->name, {});
            continue;
        }
        if (!value) {
            if (i + 1 == args.size()) {
                throw UsageError(std::string(known->name) + ": the value is missing; expected "
                    + std::string(known->valueHint));
            }
            value = args[++i];
        }
        onOption(known->name, *value);
    }
}

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

// The value of a run of decimal digits, or nullopt when it has none or more than 9.
std::optional<std::int32_t> digitsValue(std::string_view text)
{
    if (!isDigits(text) || text.size() > 9)
        return std::nullopt;
    std::int32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Splits "Y-MM" or "Y-MM-DD" (year of one or more digits) at its hyphens; nullopt when the
// shape is wrong. Month and day must have exactly two digits.
struct DateFields {
    std::int32_t year;
    int month;
    int day;
};

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
    return DateFields { *year, *month, *day };
}

CivilDate checkedDate(std::string_view option,
    std::string_view text,
    const std::optional<DateFields> &fields,
    std::string_view noun,
    std::string_view shape)
{
    const std::string malformed = std::string(option) + ": " + quoted(text) + " is not a "
        + std::string(noun) + "; expected " + std::string(shape);
    if (!fields)
        throw UsageError(malformed);
    if (fields->year < kFirstYear || fields->year > kLastYear) {
        throw UsageError(std::string(option) + ": year " + std::to_string(fields->year)
            + " is outside 1 to 9999");
    }
    if (fields->month < 1 || fields->month > 12 || fields->day < 1
        || fields->day > monthLengthOf(fields->year, fields->month - 1))
        throw UsageError(malformed);
    return civilDate(fields->year, fields->month, fields->day);
}

std::string_view chooseOne(std::string_view option,
    std::string_view text,
    std::span<const std::string_view> choices,
    std::string_view expected)
{
    for (const std::string_view choice : choices) {
        if (equalsIgnoringCase(text, choice))
            return choice;
    }
    throw UsageError(std::string(option) + ": unknown value " + quoted(text) + "; expected "
        + std::string(expected));
}

// The lower-case ending of a file name, ".png" of "a/b.PNG"; empty when it has none.
std::string fileEnding(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == path.npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == name.npos || dot == 0)
        return {};
    std::string ending(name.substr(dot));
    for (char &c : ending)
        c = lowerAscii(c);
    return ending;
}

bool writesToStandardOutput(const std::string &output)
{
    return output.empty() || output == "-";
}

void checkRange(const CivilDate &from, const CivilDate &to)
{
    if (from > to) {
        auto iso = [](const CivilDate &d) {
            char text[16];
            std::snprintf(text, sizeof text, "%04d-%02d-%02d", yearOf(d), monthOf(d), dayOf(d));
            return std::string(text);
        };
        throw UsageError("--from: " + iso(from) + " is after --to " + iso(to));
    }
}

void requireOption(bool given, std::string_view command, const AcceptedOption &known)
{
    if (!given) {
        throw UsageError(std::string(command) + ": " + std::string(known.name)
            + " is required; expected " + std::string(known.valueHint));
    }
}

constexpr AcceptedOption kHelpOption { "--help", {}, "-h" };

} // namespace

int parseScheme(std::string_view option, std::string_view text)
{
    if (text == "0" || equalsIgnoringCase(text, "sudra"))
        return 0;
    if (text == "1" || equalsIgnoringCase(text, "norda"))
        return 1;
    throw UsageError(std::string(option) + ": unknown scheme " + quoted(text) + "; expected "
        + std::string(kSchemeValues));
}

int parseTeam(std::string_view option, std::string_view text, bool allowAll)
{
    if (text.size() == 1) {
        const char letter = lowerAscii(text[0]);
        if (letter >= 'a' && letter <= 'e')
            return letter - 'a';
    }
    if (allowAll && equalsIgnoringCase(text, "all"))
        return kAllTeams;
    throw UsageError(std::string(option) + ": unknown team " + quoted(text) + "; expected "
        + std::string(allowAll ? kTeamValues : kOneTeamValues));
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
        throw UsageError(std::string(option) + ": " + quoted(text)
            + " is not a date and time; expected \"YYYY-MM-DD HH:MM\"");
    }
    return *reading;
}

MonthOptions parseMonthOptions(std::span<const std::string_view> args, const LocalDateTime &now)
{
    static constexpr AcceptedOption accepted[] = {
        { "--months", "a number from 1 to 1200" },
        { "--team", kTeamValues },
        { "--scheme", kSchemeValues },
        { "--color", "auto, always or never" },
        kHelpOption,
    };
    static constexpr std::string_view colorModes[] = { "auto", "always", "never" };

    MonthOptions options;
    options.year = now.year;
    options.month = now.month;
    bool haveMonth = false;
    scanArguments(
        "month",
        args,
        accepted,
        [&](std::string_view name, std::string_view value) {
            if (name == "--months") {
                const auto count = digitsValue(value);
                if (!count || *count < 1 || *count > kMaxMonths) {
                    throw UsageError(
                        "--months: " + quoted(value) + " is not a number from 1 to 1200");
                }
                options.months = *count;
            } else if (name == "--team") {
                options.team = parseTeam(name, value, true);
            } else if (name == "--scheme") {
                options.scheme = parseScheme(name, value);
            } else if (name == "--color") {
                const std::string_view mode
                    = chooseOne(name, value, colorModes, accepted[3].valueHint);
                options.color = mode == "always" ? ColorMode::Always
                    : mode == "never"            ? ColorMode::Never
                                                 : ColorMode::Auto;
            } else {
                options.help = true;
            }
        },
        [&](std::string_view operand) {
            if (haveMonth) {
                throw UsageError("month: unexpected argument " + quoted(operand)
                    + "; expected at most one YYYY-MM");
            }
            const CivilDate first = parseYearMonth("month", operand);
            options.year = yearOf(first);
            options.month = monthOf(first);
            haveMonth = true;
        });

    const std::int64_t lastMonthNumber
        = std::int64_t { options.year } * 12 + options.month - 1 + options.months - 1;
    if (lastMonthNumber / 12 > kLastYear) {
        throw UsageError("--months: " + std::to_string(options.months)
            + " months from the first one run past the year 9999");
    }
    return options;
}

TableOptions parseTableOptions(std::span<const std::string_view> args)
{
    static constexpr AcceptedOption accepted[] = {
        { "--from", "a date YYYY-MM-DD" },
        { "--to", "a date YYYY-MM-DD" },
        { "--scheme", kSchemeValues },
        { "--format", "csv or json" },
        { "-o", "a file name ending in .csv or .json, or - for standard output", "--output" },
        kHelpOption,
    };
    static constexpr std::string_view formats[] = { "csv", "json" };

    TableOptions options;
    bool haveFrom = false;
    bool haveTo = false;
    bool haveFormat = false;
    scanArguments(
        "table",
        args,
        accepted,
        [&](std::string_view name, std::string_view value) {
            if (name == "--from") {
                options.from = parseDate(name, value);
                haveFrom = true;
            } else if (name == "--to") {
                options.to = parseDate(name, value);
                haveTo = true;
            } else if (name == "--scheme") {
                options.scheme = parseScheme(name, value);
            } else if (name == "--format") {
                options.format = chooseOne(name, value, formats, accepted[3].valueHint) == "json"
                    ? TableFormat::Json
                    : TableFormat::Csv;
                haveFormat = true;
            } else if (name == "-o") {
                options.output = std::string(value);
            } else {
                options.help = true;
            }
        },
        [&](std::string_view operand) {
            throw UsageError(
                "table: unexpected argument " + quoted(operand) + "; expected options only");
        });
    if (options.help)
        return options;

    requireOption(haveFrom, "table", accepted[0]);
    requireOption(haveTo, "table", accepted[1]);
    checkRange(options.from, options.to);
    if (!haveFormat && !writesToStandardOutput(options.output)) {
        const std::string ending = fileEnding(options.output);
        if (ending == ".json")
            options.format = TableFormat::Json;
        else if (ending != ".csv") {
            throw UsageError("-o: unknown file ending in " + quoted(options.output)
                + "; expected .csv or .json, or give --format");
        }
    }
    return options;
}

IcsOptions parseIcsOptions(std::span<const std::string_view> args)
{
    static constexpr AcceptedOption accepted[] = {
        { "--team", kOneTeamValues },
        { "--from", "a date YYYY-MM-DD" },
        { "--to", "a date YYYY-MM-DD" },
        { "--scheme", kSchemeValues },
        { "-o", "a file name ending in .ics, or - for standard output", "--output" },
        kHelpOption,
    };

    IcsOptions options;
    bool haveTeam = false;
    bool haveFrom = false;
    bool haveTo = false;
    scanArguments(
        "ics",
        args,
        accepted,
        [&](std::string_view name, std::string_view value) {
            if (name == "--team") {
                options.team = parseTeam(name, value, false);
                haveTeam = true;
            } else if (name == "--from") {
                options.from = parseDate(name, value);
                haveFrom = true;
            } else if (name == "--to") {
                options.to = parseDate(name, value);
                haveTo = true;
            } else if (name == "--scheme") {
                options.scheme = parseScheme(name, value);
            } else if (name == "-o") {
                options.output = std::string(value);
            } else {
                options.help = true;
            }
        },
        [&](std::string_view operand) {
            throw UsageError(
                "ics: unexpected argument " + quoted(operand) + "; expected options only");
        });
    if (options.help)
        return options;

    requireOption(haveTeam, "ics", accepted[0]);
    requireOption(haveFrom, "ics", accepted[1]);
    requireOption(haveTo, "ics", accepted[2]);
    checkRange(options.from, options.to);
    if (!writesToStandardOutput(options.output) && fileEnding(options.output) != ".ics") {
        throw UsageError(
            "-o: unknown file ending in " + quoted(options.output) + "; expected .ics");
    }
    return options;
}

RenderOptions parseRenderOptions(std::span<const std::string_view> args, const LocalDateTime &now)
{
    static constexpr AcceptedOption accepted[] = {
        { "--view", "normal or calendar" },
        { "--start", "a month YYYY-MM" },
        { "--team", kTeamValues },
        { "--scheme", kSchemeValues },
        { "--target", "print or screen" },
        { "--clock", "\"YYYY-MM-DD HH:MM\"" },
        { "-o", "a file name ending in .png or .pdf", "--output" },
        kHelpOption,
    };
    static constexpr std::string_view views[] = { "normal", "calendar" };
    static constexpr std::string_view targets[] = { "print", "screen" };

    RenderOptions options;
    options.startYear = now.year;
    options.startMonth = now.month;
    options.clock = now;
    bool haveOutput = false;
    scanArguments(
        "render",
        args,
        accepted,
        [&](std::string_view name, std::string_view value) {
            if (name == "--view") {
                options.view = chooseOne(name, value, views, accepted[0].valueHint) == "calendar"
                    ? RenderView::Calendar
                    : RenderView::Normal;
            } else if (name == "--start") {
                const CivilDate start = parseYearMonth(name, value);
                options.startYear = yearOf(start);
                options.startMonth = monthOf(start);
            } else if (name == "--team") {
                options.team = parseTeam(name, value, true);
            } else if (name == "--scheme") {
                options.scheme = parseScheme(name, value);
            } else if (name == "--target") {
                options.target = chooseOne(name, value, targets, accepted[4].valueHint) == "screen"
                    ? RenderTarget::Screen
                    : RenderTarget::Print;
            } else if (name == "--clock") {
                options.clock = parseClockReading(name, value);
            } else if (name == "-o") {
                options.output = std::string(value);
                haveOutput = true;
            } else {
                options.help = true;
            }
        },
        [&](std::string_view operand) {
            throw UsageError(
                "render: unexpected argument " + quoted(operand) + "; expected options only");
        });
    if (options.help)
        return options;

    requireOption(haveOutput, "render", accepted[6]);
    const std::string ending = fileEnding(options.output);
    if (ending == ".png")
        options.format = ImageFormat::Png;
    else if (ending == ".pdf")
        options.format = ImageFormat::Pdf;
    else {
        throw UsageError(
            "-o: unknown file ending in " + quoted(options.output) + "; expected .png or .pdf");
    }
    return options;
}

} // namespace shift
