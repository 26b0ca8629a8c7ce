#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

// Colour values travel through the engine as 32-bit numbers: 0x00BBGGRR is an
// RGB colour (red in the low byte), 0xFF000000 + n names system colour n.
// These helpers turn them into QColors for painting.

// System colour numbers as the markup and the window layout use them.
enum class TSystemColor : int {
    ScrollBar = 0,
    Background = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkSpace = 12,
    Highlight = 13,
    HighlightText = 14,
    BtnFace = 15,
    BtnShadow = 16,
    GrayText = 17,
    BtnText = 18,
    InactiveCaptionText = 19,
    BtnHighlight = 20,
    DkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBk = 24,
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHighlight = 29,
    MenuBar = 30,
};

// The colour of a system colour number, from a fixed table of the classic
// desktop colours, so that the game looks the same on any theme.  Unknown
// numbers read as black.
QColor SystemColor(int number);
inline QColor SystemColor(TSystemColor c)
{
    return SystemColor(static_cast<int>(c));
}

// The colour of a 32-bit colour value: RGB or a system colour number.  Any
// other value (such as "no colour given") yields an invalid QColor.
QColor ColorFromValue(std::uint32_t value);

// The palette the game's windows draw with, made of the same classic colours
// as SystemColor: dark text on light faces, whatever the desktop's palette
// or style.  The design fixes its own colours (the window's face, the
// lists' pale yellow, the messages' blue, the rows' dark red) and the rest
// must go with them; a dark desktop palette would put light text on them.
QPalette DesignPalette();
