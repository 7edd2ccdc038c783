#pragma once

#include <cstdint>

namespace shift {

// A colour as the window system's 24-bit value in blue-green-red byte order (0x0000FF is red),
// or kButtonFace, which names the system's button-face colour and is resolved when drawn.
using Colour = std::uint32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kSilver = 0xC0C0C0;
inline constexpr Colour kGray = 0x808080;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kGreen = 0x008000;
inline constexpr Colour kTeal = 0x808000;
inline constexpr Colour kMaroon = 0x000080;
inline constexpr Colour kButtonFace = 0x8000000F;

// Red, green and blue parts of a 24-bit colour value, each 0..255.
constexpr int redOf(Colour c)
{
    return static_cast<int>(c & 0xFFu);
}
constexpr int greenOf(Colour c)
{
    return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int blueOf(Colour c)
{
    return static_cast<int>((c >> 16) & 0xFFu);
}

static_assert(redOf(kRed) == 255 && blueOf(kRed) == 0);
static_assert(blueOf(kBlue) == 255 && redOf(kBlue) == 0);

} // namespace shift
