#pragma once

#include "core/plant.h"
#include "core/schedule_texts.h"

#include <string>

namespace shift {

// The title both views draw, its trailing blank included: "ShiftSchedule " and the plant's
// name. Example, built-in plant: "ShiftSchedule Tervialund ".
inline std::string viewTitle(const Plant &plant)
{
    return "ShiftSchedule " + plant.name + " ";
}

} // namespace shift
