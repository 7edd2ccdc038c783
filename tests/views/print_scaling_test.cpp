#include "views/print_scaling.h"

#include <gtest/gtest.h>

namespace shift {
namespace {

void expectPrinted(PrintSize actual, std::int64_t width, std::int64_t height)
{
    EXPECT_EQ(actual.width, width);
    EXPECT_EQ(actual.height, height);
}

TEST(PrintScaling, WideImageOnUprightPageFillsTheWidth)
{
    expectPrinted(scaleToPrintableArea(600, 300, 4800, 6600), 4800, 2400);
}

TEST(PrintScaling, WideImageOnLandscapePageFillsTheWidth)
{
    expectPrinted(scaleToPrintableArea(600, 300, 6600, 4800), 6600, 3300);
}

TEST(PrintScaling, TallImageFillsTheHeight)
{
    expectPrinted(scaleToPrintableArea(300, 600, 4800, 6600), 3300, 6600);
}

TEST(PrintScaling, ExactFitIsATieAndFillsTheWidth)
{
    expectPrinted(scaleToPrintableArea(480, 660, 4800, 6600), 4800, 6600);
}

TEST(PrintScaling, RoundsHalvesUpward)
{
    // 3 * 5 / 2 = 7.5 -> 8 across; 1 * 7 / 3 = 2.33 -> 2 down.
    expectPrinted(scaleToPrintableArea(3, 2, 100, 5), 8, 5);
    expectPrinted(scaleToPrintableArea(3, 1, 7, 100), 7, 2);
    // 1 * 5 / 2 = 2.5 -> 3, which is not below 3: the width is filled instead.
    expectPrinted(scaleToPrintableArea(1, 2, 3, 5), 3, 6);
    // The height when the width is filled: 5 * 1 / 2 = 2.5 -> 3, not 2.
    expectPrinted(scaleToPrintableArea(2, 5, 1, 100), 1, 3);
}

TEST(PrintScaling, HugeAreasDoNotOverflow)
{
    const std::int64_t big = (std::int64_t { 1 } << 31) - 1;
    expectPrinted(scaleToPrintableArea(678, 555, big, big), big, 1757895906);
    expectPrinted(scaleToPrintableArea(1, big, big, big), 1, big);
}

TEST(PrintScaling, ViewsOnAnA4PageAtPrinterResolution)
{
    // The multi-month print image on the printable area of an A4 page at 1200 dpi.
    expectPrinted(scaleToPrintableArea(678, 555, 9583, 13699), 9583, 7844);
}

} // namespace
} // namespace shift
