#pragma once

#include "textobjects/MkColor.h"

#include <cstdint>
#include <string>

// Font styles as a set of four bits; markup and text objects store the set as
// one byte.
using TMkFontStyleSet = std::uint8_t;

inline constexpr TMkFontStyleSet FontBold = 1;
inline constexpr TMkFontStyleSet FontItalic = 2;
inline constexpr TMkFontStyleSet FontUnderline = 4;
inline constexpr TMkFontStyleSet FontStrikeOut = 8;

// A font description: what the list box hands down as the base font and what
// a canvas keeps as its current font.  Size is in points.
struct TMkFont {
    std::string Name;
    std::int32_t Size = 10;
    TMkFontStyleSet Style = 0;
    TMkColor Color = ColorBlack;

    friend bool operator==(const TMkFont &, const TMkFont &) = default;
};
