#include "widgets/QtSystemColors.h"

#include <array>

namespace {

// Classic desktop colours, used for every number the palette does not cover.
constexpr std::array<QRgb, 31> FixedColors = {
    0xC8C8C8, // ScrollBar
    0x000000, // Background
    0x99B4D1, // ActiveCaption
    0xBFCDDB, // InactiveCaption
    0xF0F0F0, // Menu
    0xFFFFFF, // Window
    0x646464, // WindowFrame
    0x000000, // MenuText
    0x000000, // WindowText
    0x000000, // CaptionText
    0xB4B4B4, // ActiveBorder
    0xF4F7FC, // InactiveBorder
    0xABABAB, // AppWorkSpace
    0x3399FF, // Highlight
    0xFFFFFF, // HighlightText
    0xF0F0F0, // BtnFace
    0xA0A0A0, // BtnShadow
    0x6D6D6D, // GrayText
    0x000000, // BtnText
    0x434E54, // InactiveCaptionText
    0xFFFFFF, // BtnHighlight
    0x696969, // 3DDkShadow
    0xE3E3E3, // 3DLight
    0x000000, // InfoText
    0xFFFFE1, // InfoBk
    0x000000, // (unused)
    0x0066CC, // HotLight
    0xB9D1EA, // GradientActiveCaption
    0xD7E4F2, // GradientInactiveCaption
    0x3399FF, // MenuHighlight
    0xF0F0F0, // MenuBar
};

} // namespace

QColor SystemColor(int number)
{
    if (number < 0 || number >= static_cast<int>(FixedColors.size()))
        return QColor(Qt::black);
    return QColor::fromRgb(FixedColors[static_cast<std::size_t>(number)]);
}

QColor ColorFromValue(std::uint32_t value)
{
    const std::uint32_t kind = value >> 24;
    if (kind == 0xFF)
        return SystemColor(static_cast<int>(value & 0xFFFFFF));
    if (kind != 0)
        return QColor();
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}
