#pragma once

#include <cstdint>

// A colour travels through the engine as one 32-bit value:
//   0x00BBGGRR       an RGB colour, red in the low byte;
//   0xFF000000 + n   the platform's system colour number n;
//   NoColor          no colour was given, the painter's default applies;
//   MkNoneColor        the colour named "None" in markup.
// The canvas back-ends resolve system colours when they paint.
using TMkColor = std::uint32_t;

inline constexpr TMkColor NoColor = 0x20000000;
inline constexpr TMkColor MkNoneColor = 0x1FFFFFFF;
inline constexpr TMkColor MkSystemColorBase = 0xFF000000;

inline constexpr TMkColor MkColorBlack = 0x000000;
inline constexpr TMkColor MkColorWhite = 0xFFFFFF;
inline constexpr TMkColor MkColorRed = 0x0000FF;
inline constexpr TMkColor MkColorNavy = 0x800000;
inline constexpr TMkColor MkColorGray = 0x808080;

constexpr TMkColor MkRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return static_cast<TMkColor>(r) | (static_cast<TMkColor>(g) << 8) |
           (static_cast<TMkColor>(b) << 16);
}

constexpr TMkColor MkSystemColor(std::uint8_t number)
{
    return MkSystemColorBase + number;
}
