#include "widgets/QtSystemColors.h"

#include <array>

namespace {

// Classic desktop colours.  The two highlights are the darker blue of the
// classic desktops rather than a modern light one: white text on them and
// the messages drawn in them on the window's face keep a contrast above
// 4.5:1.
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
    0x316AC5, // Highlight
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
    0x316AC5, // MenuHighlight
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

QPalette DesignPalette()
{
    using C = TSystemColor;
    const auto color = [](TSystemColor c) { return SystemColor(c); };
    QPalette p(color(C::BtnText), color(C::BtnFace), color(C::BtnHighlight), color(C::BtnShadow),
               color(C::BtnShadow), color(C::WindowText), color(C::BtnHighlight), color(C::Window),
               color(C::BtnFace));
    p.setColor(QPalette::Midlight, color(C::Light3D));
    p.setColor(QPalette::Shadow, color(C::DkShadow3D));
    p.setColor(QPalette::Highlight, color(C::Highlight));
    p.setColor(QPalette::HighlightedText, color(C::HighlightText));
    p.setColor(QPalette::ToolTipBase, color(C::InfoBk));
    p.setColor(QPalette::ToolTipText, color(C::InfoText));
    p.setColor(QPalette::Link, color(C::HotLight));
    p.setColor(QPalette::LinkVisited, QColor(0x80, 0, 0x80));
    p.setColor(QPalette::PlaceholderText, color(C::GrayText));
    p.setColor(QPalette::AlternateBase, color(C::Light3D));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, color(C::GrayText));
    return p;
}
