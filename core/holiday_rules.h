#pragma once

#include "core/schedule_texts.h"

namespace shift {

// Easter day of the year that stands for "no Easter known" (years outside 1583..2599):
// no real Easter falls on day 0, so no Easter-relative rule can match it.
inline constexpr int kNoEaster = 0;

} // namespace shift
