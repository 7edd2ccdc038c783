#include "views/print_scaling.h"

namespace shift {

namespace {

// a * b / c rounded to the nearest integer, halves upward; a, b, c positive, a * b < 2^63.
std::int64_t scaledRounded(std::int64_t a, std::int64_t b, std::int64_t c)
{
    return (2 * a * b + c) / (2 * c);
}

} // namespace

PrintSize scaleToPrintableArea(std::int64_t imageWidth,
    std::int64_t imageHeight,
    std::int64_t areaWidth,
    std::int64_t areaHeight)
{
    const std::int64_t widthAtFullHeight = scaledRounded(imageWidth, areaHeight, imageHeight);
    if (widthAtFullHeight < areaWidth)
        return { widthAtFullHeight, areaHeight };
    return { areaWidth, scaledRounded(imageHeight, areaWidth, imageWidth) };
}

} // namespace shift
