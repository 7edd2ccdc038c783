#pragma once

namespace shift {

// A rectangle of pixels in a target's client area, right and bottom edges excluded, as
// FillRect takes it. Example: PixelRect { 1, 1, 4, 3 } covers columns 1..3 of rows 1..2 and
// contains (3, 2) but not (4, 2).
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool contains(int x, int y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }

    friend constexpr bool operator==(const PixelRect &, const PixelRect &) = default;
};

} // namespace shift
