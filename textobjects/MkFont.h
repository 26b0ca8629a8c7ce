#pragma once

#include "textobjects/MkColor.h"

#include <cstdint>
#include <string>

// Font styles as a set of four bits; markup and text objects store the set as
// one byte.
using TMkFontStyleSet = std::uint8_t;

inline constexpr TMkFontStyleSet MkFontBold = 1;
inline constexpr TMkFontStyleSet MkFontItalic = 2;
inline constexpr TMkFontStyleSet MkFontUnderline = 4;
inline constexpr TMkFontStyleSet MkFontStrikeOut = 8;

// A font description: what the list box hands down as the base font and what
// a canvas keeps as its current font.  Size is in points.
struct TMkFont {
    std::string Name;
    std::int32_t Size = 10;
    TMkFontStyleSet Style = 0;
    TMkColor Color = MkColorBlack;

    friend bool operator==(const TMkFont &, const TMkFont &) = default;
};
