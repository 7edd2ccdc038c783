#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shift {

// How long before a shift's start a calendar reminds of it, as `--remind` takes it: whole days,
// hours and minutes, "30m", "12h", "1d", "1h30m", "1d12h" (each unit at most once, in that
// order, any case). Days stay days, so that a reminder of "1d" goes off at the same time of day
// on the day before even across a change of summer time; hours and minutes are exact time.
struct ReminderDuration {
    int days = 0; // 0..kMaxReminderDays
    int minutes = 0; // 0..kMaxReminderDays * 24 * 60, hours included

    friend bool operator==(const ReminderDuration &, const ReminderDuration &) = default;
};

// The longest reminder: four weeks, in any one unit or added up.
inline constexpr int kMaxReminderDays = 28;

inline constexpr std::string_view kReminderValues
    = "a duration such as 30m, 12h, 1d or 1h30m, up to 28d";

// Throws UsageError "OPTION: 'X' is not a duration; expected ..." for any other text, and for a
// duration longer than four weeks.
// Example: parseReminderDuration("--remind", "1h30m") == {0, 90}; "90" and "1m1h" are refused.
ReminderDuration parseReminderDuration(std::string_view option, std::string_view text);

// The iCalendar duration (RFC 5545 dur-value) before a start, for a TRIGGER.
// Examples: {0, 720} -> "-PT12H"; {0, 90} -> "-PT1H30M"; {1, 0} -> "-P1D"; {1, 720} ->
// "-P1DT12H"; {0, 0} -> "PT0S" (at the start).
std::string triggerBeforeStart(const ReminderDuration &duration);

// The reminders in the order given, each once: a second "60m" after "1h" adds no alarm.
// Example: {1h, 30m, 60m} -> {1h, 30m}.
std::vector<ReminderDuration> withoutRepeats(std::span<const ReminderDuration> reminders);

} // namespace shift
