#pragma once

#include "version/version.h"

#include <string_view>

namespace shift {

// The --help texts of shiftcal and of each of its commands, each ending in a newline.
extern const std::string_view kToolHelp;
extern const std::string_view kMonthHelp;
extern const std::string_view kTableHelp;
extern const std::string_view kIcsHelp;
extern const std::string_view kRenderHelp;
extern const std::string_view kNowHelp;
extern const std::string_view kNextHelp;
extern const std::string_view kHoursHelp;
extern const std::string_view kCompareHelp;
extern const std::string_view kPublishHelp;
extern const std::string_view kPlantHelp;
extern const std::string_view kDaysHelp;
extern const std::string_view kRestHelp;

inline constexpr std::string_view kVersionText = "shiftcal " SHIFT_VERSION "\n";

} // namespace shift
