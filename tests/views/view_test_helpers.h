#pragma once

#include "recording_surface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace shift::testing {

// The one text drawn at exactly (x, y); adds a failure and returns a call with text
// "<none>" or "<several>" when there is not exactly one.
inline RecordedCall textAt(const RecordingSurface &surface, int x, int y)
{
    const std::vector<RecordedCall> found = surface.textsAt(x, y);
    if (found.size() == 1)
        return found.front();
    ADD_FAILURE() << "expected one text at (" << x << ", " << y << "), found " << found.size();
    RecordedCall missing;
    missing.text = found.empty() ? "<none>" : "<several>";
    return missing;
}

// The texts of every call at the given x, in drawing order.
inline std::vector<std::string> textsInColumn(const RecordingSurface &surface, int x)
{
    std::vector<std::string> out;
    for (const RecordedCall &call : surface.texts()) {
        if (call.x() == x)
            out.push_back(call.text);
    }
    return out;
}

inline std::vector<RecordedCall> textsWithFontColour(const RecordingSurface &surface, Colour colour)
{
    std::vector<RecordedCall> out;
    for (const RecordedCall &call : surface.texts()) {
        if (call.fontColour == colour)
            out.push_back(call);
    }
    return out;
}

} // namespace shift::testing
