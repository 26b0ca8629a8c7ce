#include "textobjects/MkTestCanvas.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkBitmap.h"

#include <algorithm>
#include <cstdio>

namespace {

std::int64_t ClampedPoints(std::int32_t points)
{
    return std::clamp(points, 0, 100000);
}

std::string Hex(TMkColor c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(c));
    return buf;
}

std::string RectText(const TMkRect &r)
{
    return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
           std::to_string(r.Right) + "," + std::to_string(r.Bottom) + ")";
}

std::string PointText(const TMkPoint &p)
{
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

std::string StyleText(TMkFontStyleSet s)
{
    std::string out;
    if (s & MkFontBold)
        out += 'B';
    if (s & MkFontItalic)
        out += 'I';
    if (s & MkFontUnderline)
        out += 'U';
    if (s & MkFontStrikeOut)
        out += 'S';
    return out.empty() ? "-" : out;
}

std::string FontText(const TMkFont &f)
{
    return "font \"" + f.Name + "\" " + std::to_string(f.Size) + " " + StyleText(f.Style) + " " +
           Hex(f.Color);
}

std::string BrushText(const TMkCanvasCall &c)
{
    return "brush " +
           (c.BrushStyle == TMkBrushStyle::Clear ? std::string("clear") : Hex(c.BrushColor));
}

std::string PenText(const TMkCanvasCall &c)
{
    return "pen " + Hex(c.PenColor) + " " + std::to_string(c.PenWidth) +
           (c.PenStyle == TMkPenStyle::Dotted ? " dotted" : " solid");
}

} // namespace

std::string TMkCanvasCall::ToString() const
{
    const std::string quoted = "\"" + Text + "\"";
    switch (Op) {
    case Kind::TextRect:
        return "TextRect " + RectText(Rect) + " at " + PointText(At) + " " + quoted + " " +
               FontText(Font);
    case Kind::TextOut: return "TextOut at " + PointText(At) + " " + quoted + " " + FontText(Font);
    case Kind::FillRect: return "FillRect " + RectText(Rect) + " " + BrushText(*this);
    case Kind::OutlineRect: return "OutlineRect " + RectText(Rect) + " " + PenText(*this);
    case Kind::MoveTo: return "MoveTo " + PointText(At);
    case Kind::LineTo: return "LineTo " + PointText(At) + " " + PenText(*this);
    case Kind::Ellipse:
        return "Ellipse " + RectText(Rect) + " " + BrushText(*this) + " " + PenText(*this);
    case Kind::FocusRect: return "FocusRect " + RectText(Rect);
    case Kind::Picture:
        return "Picture " + RectText(Rect) + " " + std::to_string(PictureWidth) + "x" +
               std::to_string(PictureHeight);
    }
    return {};
}

TMkTestCanvas::TMkTestCanvas()
{
    font_.Name = "Verdana";
}

std::int32_t TMkTestCanvas::CharWidth(std::int32_t points)
{
    return static_cast<std::int32_t>((3 * ClampedPoints(points) + 2) / 5);
}

std::int32_t TMkTestCanvas::LineHeight(std::int32_t points)
{
    return static_cast<std::int32_t>((5 * ClampedPoints(points) + 2) / 4);
}

std::int32_t TMkTestCanvas::TextWidth(std::string_view text)
{
    return mktext::Sat(static_cast<std::int64_t>(text.size()) * CharWidth(font_.Size));
}

std::int32_t TMkTestCanvas::TextHeight(std::string_view)
{
    return LineHeight(font_.Size);
}

void TMkTestCanvas::SetFont(const TMkFont &font)
{
    font_ = font;
}

void TMkTestCanvas::SetBrushColor(TMkColor color)
{
    brushColor_ = color;
    brushStyle_ = TMkBrushStyle::Solid;
}

TMkCanvasCall TMkTestCanvas::Record(TMkCanvasCall::Kind kind) const
{
    TMkCanvasCall call;
    call.Op = kind;
    call.Font = font_;
    call.BrushColor = brushColor_;
    call.BrushStyle = brushStyle_;
    call.PenColor = penColor_;
    call.PenWidth = penWidth_;
    call.PenStyle = penStyle_;
    return call;
}

void TMkTestCanvas::RecordRect(TMkCanvasCall::Kind kind, const TMkRect &rect)
{
    TMkCanvasCall call = Record(kind);
    call.Rect = rect;
    calls_.push_back(std::move(call));
}

void TMkTestCanvas::TextRect(const TMkRect &clip, std::int32_t x, std::int32_t y,
                             std::string_view text)
{
    TMkCanvasCall call = Record(TMkCanvasCall::Kind::TextRect);
    call.Rect = clip;
    call.At = {x, y};
    call.Text = text;
    calls_.push_back(std::move(call));
}

void TMkTestCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text)
{
    TMkCanvasCall call = Record(TMkCanvasCall::Kind::TextOut);
    call.At = {x, y};
    call.Text = text;
    calls_.push_back(std::move(call));
}

void TMkTestCanvas::FillRect(const TMkRect &rect)
{
    // A clear brush paints nothing, as on a real device.
    if (brushStyle_ == TMkBrushStyle::Clear)
        return;
    RecordRect(TMkCanvasCall::Kind::FillRect, rect);
}

void TMkTestCanvas::OutlineRect(const TMkRect &rect)
{
    RecordRect(TMkCanvasCall::Kind::OutlineRect, rect);
}

void TMkTestCanvas::MoveTo(std::int32_t x, std::int32_t y)
{
    penPos_ = {x, y};
    TMkCanvasCall call = Record(TMkCanvasCall::Kind::MoveTo);
    call.At = penPos_;
    calls_.push_back(std::move(call));
}

void TMkTestCanvas::LineTo(std::int32_t x, std::int32_t y)
{
    TMkCanvasCall call = Record(TMkCanvasCall::Kind::LineTo);
    call.Rect = {penPos_.X, penPos_.Y, x, y};
    call.At = {x, y};
    calls_.push_back(std::move(call));
    penPos_ = {x, y};
}

void TMkTestCanvas::Ellipse(const TMkRect &rect)
{
    RecordRect(TMkCanvasCall::Kind::Ellipse, rect);
}

void TMkTestCanvas::DrawFocusRect(const TMkRect &rect)
{
    RecordRect(TMkCanvasCall::Kind::FocusRect, rect);
}

void TMkTestCanvas::StretchDrawTransparent(const TMkRect &rect, const TMkGraphic &graphic)
{
    TMkCanvasCall call = Record(TMkCanvasCall::Kind::Picture);
    call.Rect = rect;
    call.PictureWidth = graphic.Width();
    call.PictureHeight = graphic.Height();
    calls_.push_back(std::move(call));
}

std::vector<TMkCanvasCall> TMkTestCanvas::CallsOf(TMkCanvasCall::Kind kind) const
{
    std::vector<TMkCanvasCall> out;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(out),
                 [kind](const TMkCanvasCall &c) { return c.Op == kind; });
    return out;
}

std::string TMkTestCanvas::Dump() const
{
    std::string out;
    for (const TMkCanvasCall &call : calls_)
        out += call.ToString() + "\n";
    return out;
}
