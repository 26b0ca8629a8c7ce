#pragma once

#include "textobjects/MkColor.h"
#include "textobjects/MkFont.h"
#include "textobjects/MkGeometry.h"

#include <cstdint>
#include <string_view>

class TMkGraphic;

enum class TMkBrushStyle : std::uint8_t { Solid, Clear };
enum class TMkPenStyle : std::uint8_t { Solid, Dotted };

// The drawing surface the text objects lay out on and paint into.  It keeps
// a current font, brush and pen like a device context does; painting changes
// them as it goes.  Texts are byte strings in the single-byte code page.
//
// Back-ends: the QPainter canvas (widgets/QtCanvas.h) and the recording test
// canvas (textobjects/MkTestCanvas.h).
class TMkCanvas {
public:
    virtual ~TMkCanvas() = default;

    // How deeply the layout and painting calls on this canvas are nested
    // now, kept by TMkBaseText::GetBounds and PaintGuarded.  The depth is a
    // property of the paint under way, and every paint goes through exactly
    // one canvas, so it is kept here rather than anywhere shared.
    int NestingDepth = 0;

    // The current font.  The reference stays valid and follows later changes:
    // the list box hands this very object down as the base font.
    virtual const TMkFont &Font() const = 0;
    // Copies every attribute of the given font.
    virtual void SetFont(const TMkFont &font) = 0;
    virtual void SetFontName(std::string_view name) = 0;
    virtual void SetFontSize(std::int32_t points) = 0;
    virtual void SetFontStyle(TMkFontStyleSet style) = 0;
    virtual void SetFontColor(TMkColor color) = 0;

    // Size of a text in the current font.
    virtual std::int32_t TextWidth(std::string_view text) = 0;
    virtual std::int32_t TextHeight(std::string_view text) = 0;

    // Draws text with its top-left corner at (x, y), on a transparent
    // background, clipped to clip.
    virtual void TextRect(const TMkRect &clip, std::int32_t x, std::int32_t y,
                          std::string_view text) = 0;
    // Draws text at (x, y) without clipping, on a transparent background.
    virtual void TextOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;

    // Setting a colour makes a clear brush solid again, as device contexts
    // do: a cell background must show after words have cleared the brush.
    virtual TMkColor BrushColor() const = 0;
    virtual TMkBrushStyle BrushStyle() const = 0;
    virtual void SetBrushColor(TMkColor color) = 0;
    virtual void SetBrushStyle(TMkBrushStyle style) = 0;

    virtual TMkColor PenColor() const = 0;
    virtual void SetPenColor(TMkColor color) = 0;
    virtual void SetPenWidth(std::int32_t width) = 0;
    virtual void SetPenStyle(TMkPenStyle style) = 0;

    // Fills with the brush (nothing with a clear brush).
    virtual void FillRect(const TMkRect &rect) = 0;
    // Draws the outline with the pen; the inside is left alone.
    virtual void OutlineRect(const TMkRect &rect) = 0;
    // The pen position, and a line with the pen from it to (x, y), which then
    // becomes the pen position.
    virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
    virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
    // Fills with the brush and outlines with the pen.
    virtual void Ellipse(const TMkRect &rect) = 0;
    // The dotted rectangle that marks keyboard focus.
    virtual void DrawFocusRect(const TMkRect &rect) = 0;
    // Draws a graphic stretched into rect, leaving its transparent colour out.
    virtual void StretchDrawTransparent(const TMkRect &rect, const TMkGraphic &graphic) = 0;
};
