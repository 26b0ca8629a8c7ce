#pragma once

#include "textobjects/MkCanvas.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One recorded drawing call with its arguments and the canvas state that
// shaped it.
struct TMkCanvasCall {
    enum class Kind : std::uint8_t {
        TextRect,
        TextOut,
        FillRect,
        OutlineRect,
        MoveTo,
        LineTo,
        Ellipse,
        FocusRect,
        Picture
    };
    Kind Op = Kind::TextRect;
    TMkRect Rect;     // clip, filled/outlined/ellipse/picture rectangle
    TMkPoint At;      // text position, line end point, pen position
    std::string Text; // text drawn
    TMkFont Font;     // font at the call
    TMkColor BrushColor = 0;
    TMkBrushStyle BrushStyle = TMkBrushStyle::Solid;
    TMkColor PenColor = 0;
    std::int32_t PenWidth = 1;
    TMkPenStyle PenStyle = TMkPenStyle::Solid;
    std::int32_t PictureWidth = 0; // graphic size, for pictures
    std::int32_t PictureHeight = 0;

    // One line naming the call and what matters for it, e.g.
    //   TextRect (0,0,100,20) at 1,1 "casa" font "verdana" 14 B #440000
    std::string ToString() const;
};

// A canvas with fixed metrics that draws nothing and records every drawing
// call, for the engine's tests, the dump tool and the fuzz targets.
//
// Metrics: for a font of S points (S taken in 0..100000), a string of n bytes
// is n * ((3*S + 2) / 5) pixels wide and (5*S + 2) / 4 pixels high, whatever
// the face and style.  At 10 points: 6 pixels per byte, 13 pixels high.
class TMkTestCanvas : public TMkCanvas {
public:
    TMkTestCanvas();

    const std::vector<TMkCanvasCall> &Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    // The calls of one kind, in order.
    std::vector<TMkCanvasCall> CallsOf(TMkCanvasCall::Kind kind) const;
    // Every call's ToString(), one per line.
    std::string Dump() const;

    static std::int32_t CharWidth(std::int32_t points);
    static std::int32_t LineHeight(std::int32_t points);

    std::int32_t PenWidth() const { return penWidth_; }
    TMkPenStyle PenStyle() const { return penStyle_; }
    TMkPoint PenPosition() const { return penPos_; }

    const TMkFont &Font() const override { return font_; }
    void SetFont(const TMkFont &font) override;
    void SetFontName(std::string_view name) override { font_.Name = name; }
    void SetFontSize(std::int32_t points) override { font_.Size = points; }
    void SetFontStyle(TMkFontStyleSet style) override { font_.Style = style; }
    void SetFontColor(TMkColor color) override { font_.Color = color; }

    std::int32_t TextWidth(std::string_view text) override;
    std::int32_t TextHeight(std::string_view text) override;
    void TextRect(const TMkRect &clip, std::int32_t x, std::int32_t y,
                  std::string_view text) override;
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;

    TMkColor BrushColor() const override { return brushColor_; }
    TMkBrushStyle BrushStyle() const override { return brushStyle_; }
    void SetBrushColor(TMkColor color) override;
    void SetBrushStyle(TMkBrushStyle style) override { brushStyle_ = style; }

    TMkColor PenColor() const override { return penColor_; }
    void SetPenColor(TMkColor color) override { penColor_ = color; }
    void SetPenWidth(std::int32_t width) override { penWidth_ = width; }
    void SetPenStyle(TMkPenStyle style) override { penStyle_ = style; }

    void FillRect(const TMkRect &rect) override;
    void OutlineRect(const TMkRect &rect) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Ellipse(const TMkRect &rect) override;
    void DrawFocusRect(const TMkRect &rect) override;
    void StretchDrawTransparent(const TMkRect &rect, const TMkGraphic &graphic) override;

private:
    TMkCanvasCall Record(TMkCanvasCall::Kind kind) const;
    // Records a call whose only argument is a rectangle.
    void RecordRect(TMkCanvasCall::Kind kind, const TMkRect &rect);

    TMkFont font_;
    TMkColor brushColor_ = MkColorWhite;
    TMkBrushStyle brushStyle_ = TMkBrushStyle::Solid;
    TMkColor penColor_ = MkColorBlack;
    std::int32_t penWidth_ = 1;
    TMkPenStyle penStyle_ = TMkPenStyle::Solid;
    TMkPoint penPos_;
    std::vector<TMkCanvasCall> calls_;
};
