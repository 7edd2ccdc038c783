#pragma once

#include "core/schedule_texts.h"

#include <string_view>

namespace shift {

// The title both views draw, its trailing blank included.
inline constexpr std::string_view kViewTitle = "ShiftSchedule Tervialund ";

} // namespace shift
