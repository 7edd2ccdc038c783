#include "cli/reminder_duration.h"

#include "cli/cli_error.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace shift {

namespace {

constexpr int kMinutesPerDay = 24 * 60;

struct Unit {
    char letter;
    std::int64_t minutes;
};

// In the order a duration writes them; days count apart from the minutes.
constexpr std::array<Unit, 3> kUnits { { { 'd', 0 }, { 'h', 60 }, { 'm', 1 } } };

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

ReminderDuration parseReminderDuration(std::string_view option, std::string_view text)
{
    const auto refuse = [&](std::string_view what) -> UsageError {
        return UsageError(std::string(option) + ": " + quotedArgument(text) + " "
            + std::string(what) + "; expected " + std::string(kReminderValues));
    };
    // Nine digits at most a number: the minutes stay within [0, 3 * 999'999'999 * 60].
    std::int64_t days = 0;
    std::int64_t minutes = 0;
    std::size_t nextUnit = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t digitsEnd = at;
        while (digitsEnd < text.size() && text[digitsEnd] >= '0' && text[digitsEnd] <= '9')
            ++digitsEnd;
        if (digitsEnd == at || digitsEnd - at > 9 || digitsEnd == text.size())
            throw refuse("is not a duration");
        std::int64_t number = 0;
        std::from_chars(text.data() + at, text.data() + digitsEnd, number);
        const char letter = lowerAscii(text[digitsEnd]);
        while (nextUnit < kUnits.size() && kUnits[nextUnit].letter != letter)
            ++nextUnit;
        if (nextUnit == kUnits.size())
            throw refuse("is not a duration");
        if (kUnits[nextUnit].letter == 'd')
            days = number;
        else
            minutes += number * kUnits[nextUnit].minutes;
        ++nextUnit;
        at = digitsEnd + 1;
    }
    if (text.empty())
        throw refuse("is not a duration");
    if (days * kMinutesPerDay + minutes > std::int64_t { kMaxReminderDays } * kMinutesPerDay)
        throw refuse("is longer than four weeks");
    return { static_cast<int>(days), static_cast<int>(minutes) };
}

std::string triggerBeforeStart(const ReminderDuration &duration)
{
    if (duration.days == 0 && duration.minutes == 0)
        return "PT0S";
    std::string text = "-P";
    if (duration.days > 0)
        text += std::to_string(duration.days) + "D";
    const int hours = duration.minutes / 60;
    const int minutes = duration.minutes % 60;
    if (hours > 0 || minutes > 0)
        text += "T";
    if (hours > 0)
        text += std::to_string(hours) + "H";
    if (minutes > 0)
        text += std::to_string(minutes) + "M";
    return text;
}

std::vector<ReminderDuration> withoutRepeats(std::span<const ReminderDuration> reminders)
{
    std::vector<ReminderDuration> kept;
    for (const ReminderDuration &reminder : reminders) {
        if (std::find(kept.begin(), kept.end(), reminder) == kept.end())
            kept.push_back(reminder);
    }
    return kept;
}

} // namespace shift
