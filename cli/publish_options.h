#pragma once

#include "cli/reminder_duration.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shift {

// `shiftcal publish DIR [--months-back N] [--months-ahead N] [--remind D]... [--base-url URL]`.
struct PublishOptions {
    std::string folder; // DIR as given
    int monthsBack = 1; // 0..kMaxMonths
    int monthsAhead = 12; // 0..kMaxMonths
    std::vector<ReminderDuration> reminders; // in the order given, repeats included
    std::string baseUrl; // "" or an http(s) URL without a trailing "/"
    bool help = false;
};

inline constexpr std::string_view kBaseUrlValues
    = "an https:// or http:// address of the folder, such as https://example.org/shifts";

// The options of `publish` from the arguments after its name. Throws UsageError at the first
// argument it cannot accept (command_line.h), for a missing or empty DIR, and for a --base-url
// that is not an http(s) address with a host, or that has a query, a fragment, blanks or
// characters a URL must escape.
// Example: {"site", "--base-url", "https://example.org/shifts/", "--remind", "12h"} -> folder
// "site", base URL "https://example.org/shifts", one reminder of 12 hours.
PublishOptions parsePublishOptions(std::span<const std::string_view> args);

} // namespace shift
