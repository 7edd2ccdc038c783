#pragma once

#include <cstdint>

namespace shift {

struct PrintSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Size at which an image of imageWidth x imageHeight pixels is printed on a printable area of
// areaWidth x areaHeight device pixels: as large as fits, proportions kept. The image fills the
// area's height when that leaves it narrower than the area, otherwise (a tie included) its
// width. Each ratio is rounded to the nearest pixel, halves upward; all sizes must be positive
// and below 2^31, so no intermediate product overflows.
// Example: scaleToPrintableArea(600, 300, 4800, 6600) == {4800, 2400}.
PrintSize scaleToPrintableArea(std::int64_t imageWidth,
    std::int64_t imageHeight,
    std::int64_t areaWidth,
    std::int64_t areaHeight);

} // namespace shift
