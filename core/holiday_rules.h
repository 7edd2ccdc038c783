#pragma once

// The holiday rules themselves are data of the plant (plant.h: HolidayRule, Plant::marksOfYear);
// ShiftCalendar::classifyDay applies them. This header keeps the names callers include.
#include "core/plant.h"
#include "core/schedule_texts.h"
