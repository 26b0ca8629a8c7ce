#pragma once

#include "textobjects/MkColor.h"
#include "textobjects/MkFont.h"

#include <cstdint>
#include <string>

// How a word is drawn: what the words of a run of markup under one style
// have alike, and so what they share (see TMkText::Style).
struct TMkTextStyle {
    std::string FontName;
    // Points as decimal text; empty for the base font's size.
    std::string FontSize;
    TMkColor Color = NoColor;
    TMkColor ShadowColor = MkSystemColor(16);
    TMkColor LightColor = MkSystemColor(20);
    std::uint8_t ShadowDepth = 1;
    std::uint8_t LightDepth = 1;
    // 0 flat, 1 sunken, 2 raised, 3 cut in, 4 raised in colour.
    std::uint8_t Style3D = 0;
    // 0 normal, 1 lowered (subscript), 2 raised (superscript).
    std::uint8_t Position = 0;
    TMkFontStyleSet FontStyle = 0;

    friend bool operator==(const TMkTextStyle &, const TMkTextStyle &) = default;
};
