#pragma once

#include "views/drawing_surface.h"

namespace shift {

// A canvas whose pixels nobody would see, such as a window that is hidden or not yet shown.
// Drawing on it does nothing, but a view still runs through it for its other effects: the
// scratch fields of the state, and the window size that the calendar view sets.
class UnseenSurface : public DrawingSurface {
public:
    using DrawingSurface::DrawingSurface;

    void FillRect(int, int, int, int) override { }
    void Rectangle(int, int, int, int) override { }
    void TextOut(int, int, std::string_view) override { }
    void MoveTo(int, int) override { }
    void LineTo(int, int) override { }
};

} // namespace shift
