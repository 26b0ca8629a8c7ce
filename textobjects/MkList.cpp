#include "textobjects/MkList.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkCanvas.h"
#include "textobjects/MkHiddenText.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkText.h"
#include "textobjects/MkWriter.h"

#include <algorithm>
#include <string>

using mktext::Sat;
using mktext::SatAdd;

namespace {

constexpr std::int32_t ItemIndent = 20;
constexpr std::int32_t TextMarkerHeight = 13;

} // namespace

TMkList::TMkList(TMkBaseText *parent) : TMkParsedTextList(parent) {}

TMkList::TMkList(TMkBaseText *parent, std::uint8_t numbered)
    : TMkParsedTextList(parent),
      Numbered(numbered)
{
}

void TMkList::Layout(const TMkLayoutArgs &args)
{
    // Start from nothing: the width would otherwise grow by the indent at
    // every layout of the same list.
    Width = 0;
    Height = 0;
    std::int32_t y = 0;
    for (std::size_t i = 0; i < Count(); ++i) {
        auto *item = MkTextCast<TMkListItem>(Child(i));
        if (item == nullptr)
            continue;
        const TMkRect area{SatAdd(args.Rect.Left, ItemIndent), SatAdd(args.Rect.Top, y),
                           args.Rect.Right, args.Rect.Bottom};
        const TMkRect b = item->GetBounds(args.WithRect(area));
        Width = std::max(Width, b.Right);
        y = SatAdd(y, b.Bottom != 0 ? b.Bottom : args.Canvas.TextHeight("W"));
        Height = std::max(Height, y);
        y = SatAdd(y, 2);
    }
    Width = SatAdd(Width, ItemIndent);
    Height = y;
}

void TMkList::DrawMarker(TMkCanvas &canvas, std::int32_t left, std::int32_t top,
                         std::int32_t number, std::int32_t markerHeight, std::int32_t heightOfW)
{
    if (Numbered != 0) {
        const TMkColor color = canvas.Font().Color;
        const std::int32_t size = canvas.Font().Size;
        const TMkFontStyleSet style = canvas.Font().Style;
        canvas.SetFontColor(MkColorBlack);
        canvas.SetFontSize(10);
        canvas.SetFontStyle(0);
        const std::string digits = std::to_string(number);
        const std::int32_t hn = canvas.TextHeight(digits);
        const std::int32_t y = markerHeight == TextMarkerHeight
                                   ? Sat(std::int64_t{top} + TextMarkerHeight - hn + 3)
                                   : Sat(std::int64_t{top} + heightOfW - hn);
        canvas.TextOut(SatAdd(left, 2), y, digits + ".");
        canvas.SetFontColor(color);
        canvas.SetFontSize(size);
        canvas.SetFontStyle(style);
        return;
    }
    const TMkColor brushColor = canvas.BrushColor();
    const TMkBrushStyle brushStyle = canvas.BrushStyle();
    const TMkColor penColor = canvas.PenColor();
    canvas.SetBrushColor(MkColorBlack);
    canvas.SetBrushStyle(TMkBrushStyle::Solid);
    canvas.SetPenColor(MkColorBlack);
    const std::int32_t x = SatAdd(std::int64_t{left} + 2, heightOfW / 4);
    const std::int32_t y = SatAdd(top, markerHeight != 0 ? markerHeight / 2 : 3);
    canvas.Ellipse(TMkRect{x, y, SatAdd(x, 6), SatAdd(y, 6)});
    canvas.SetBrushColor(brushColor);
    canvas.SetBrushStyle(brushStyle);
    canvas.SetPenColor(penColor);
}

void TMkList::Paint(const TMkPaintArgs &args)
{
    const std::int32_t left = SatAdd(args.Rect.Left, args.Offset.X);
    const std::int32_t top = SatAdd(args.Rect.Top, args.Offset.Y);
    std::int32_t number = 0;
    std::int32_t y = 0;
    for (std::size_t i = 0; i < Count(); ++i) {
        auto *item = MkTextCast<TMkListItem>(Child(i));
        if (item == nullptr)
            continue;
        ++number;
        if (args.WhiteOut)
            args.Canvas.SetFontColor(MkColorWhite);
        const std::int32_t heightOfW = args.Canvas.TextHeight("W");
        if (std::int64_t{top} + y + heightOfW > args.Rect.Bottom)
            return;
        const std::int32_t m = item->MarkerHeight();
        DrawMarker(args.Canvas, left, SatAdd(top, y), number, m, heightOfW);
        if (m == 0) {
            y = SatAdd(y, heightOfW);
            // Compared with the bottom edge as the list has always done.
            if (y > args.Rect.Bottom)
                return;
        }
        const TMkRect area{SatAdd(left, ItemIndent), SatAdd(top, y), args.Rect.Right,
                           args.Rect.Bottom};
        item->PaintGuarded(args.Within(area));
        item->Left = ItemIndent;
        item->Top = y;
        y = SatAdd(std::int64_t{y} + (item->Height != 0 ? item->Height : heightOfW), 2);
        if (y > args.Rect.Height())
            return;
    }
}

std::unique_ptr<TMkBaseText> TMkList::Clone() const
{
    // Numbered is copied too: a copy of a numbered list stays numbered.
    auto copy = std::make_unique<TMkList>(Parent, Numbered);
    CloneChildrenInto(*copy);
    return copy;
}

void TMkList::Export(TMkWriter &writer) const
{
    writer.BeginList(*this);
    std::int32_t index = 0;
    for (std::size_t i = 0; i < Count(); ++i) {
        if (MkTextCast<const TMkListItem>(Child(i)) == nullptr)
            continue;
        writer.ListItem(index++);
        Child(i)->Export(writer);
    }
    writer.EndList();
}

TMkListItem::TMkListItem(TMkBaseText *parent) : TMkParsedTextList(parent)
{
    AddTextClass(ClassBit);
}

std::unique_ptr<TMkBaseText> TMkListItem::Clone() const
{
    auto copy = std::make_unique<TMkListItem>(Parent);
    CloneChildrenInto(*copy);
    return copy;
}

std::int32_t TMkListItem::MarkerHeight() const
{
    for (std::size_t i = 0; i < Count(); ++i) {
        const TMkBaseText *child = Child(i);
        if (MkTextCast<const TMkHiddenText>(child) != nullptr)
            continue;
        if (const auto *paragraph = MkTextCast<const TMkParagraph>(child)) {
            if (paragraph->Count() == 0)
                continue;
            return TextMarkerHeight;
        }
        return MkTextCast<const TMkText>(child) != nullptr ? TextMarkerHeight : 0;
    }
    return TextMarkerHeight; // an empty item
}
