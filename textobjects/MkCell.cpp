#include "textobjects/MkCell.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkCanvas.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkWriter.h"

#include <algorithm>

using mktext::RoundDiv;
using mktext::Sat;
using mktext::SatAdd;

TMkCell::TMkCell(TMkBaseText *parent) : TMkParsedTextList(parent)
{
    AddTextClass(ClassBit);
}

TMkCell::~TMkCell()
{
    // Cells covered by this one, or covering it, must not keep a pointer to a
    // destroyed cell.
    ReleaseSpan();
    if (SpanMaster != nullptr) {
        // A grid is torn down from its last cell back, so the covered cell
        // being destroyed is nearly always the last of its master's list:
        // searching from the back keeps a huge span's teardown linear.
        SpanMaster->SpannedCells.RemoveLast(this);
    }
}

void TMkCell::ReleaseSpan()
{
    if (SpannedCells.empty())
        return; // the usual cell, which spans nothing
    // Iterative, so that a long chain of spans cannot exhaust the stack.
    std::vector<TMkCell *> pending{this};
    while (!pending.empty()) {
        TMkCell *cell = pending.back();
        pending.pop_back();
        for (TMkCell *covered : cell->SpannedCells) {
            covered->SpanMaster = nullptr;
            pending.push_back(covered);
        }
        cell->SpannedCells.clear();
    }
}

TMkTable *TMkCell::OwnerTable() const
{
    return Parent != nullptr ? MkTextCast<TMkTable>(Parent->Parent) : nullptr;
}

bool TMkCell::NeedsLayout(const TMkLayoutArgs &)
{
    return LayoutDirty;
}

void TMkCell::Layout(const TMkLayoutArgs &)
{
    LayoutDirty = false;
    const TMkTable *table = OwnerTable();
    if (table == nullptr) {
        Width = 0;
        Height = 0;
        return;
    }
    if (!SpannedCells.empty()) {
        std::int64_t w = std::int64_t{ColSpan - 1} * table->CellSpacing;
        for (std::int32_t c = ColIndex; c < ColIndex + ColSpan; ++c)
            if (const TMkColumnParam *column = table->Column(c))
                w += column->Width;
        std::int64_t h = std::int64_t{RowSpan - 1} * table->CellSpacing;
        for (std::int32_t r = RowIndex; r < RowIndex + RowSpan; ++r)
            if (const TMkRowParam *row = table->RowParam(r))
                h += row->Height;
        Width = Sat(w);
        Height = Sat(h);
    } else {
        const TMkColumnParam *column = table->Column(ColIndex);
        const TMkRowParam *row = table->RowParam(RowIndex);
        Width = column != nullptr ? column->Width : 0;
        Height = row != nullptr ? row->Height : 0;
    }
    GridWidth = Width;
    GridHeight = Height;
}

namespace {

// The names of the alignments, each in one record that every paragraph of
// every cell shares, so that painting a cell gives its paragraphs their
// alignment without making a string for each.
const TMkSharedString &AlignName(std::uint8_t align)
{
    static const TMkSharedString right("RIGHT");
    static const TMkSharedString center("CENTER");
    static const TMkSharedString justify("JUSTIFY");
    static const TMkSharedString left("LEFT");
    switch (align) {
    case MkAlignRight: return right;
    case MkAlignCenter: return center;
    case MkAlignJustify: return justify;
    default: return left;
    }
}

} // namespace

void TMkCell::Paint(const TMkPaintArgs &args)
{
    const TMkRect bounds = GetBounds(args);
    const std::int32_t w =
        Sat(std::min<std::int64_t>(bounds.Right, args.Rect.Width() - args.Offset.X));
    const std::int32_t h =
        Sat(std::min<std::int64_t>(bounds.Bottom, args.Rect.Height() - args.Offset.Y));
    const TMkTable *table = OwnerTable();
    const std::int64_t padding = table != nullptr ? std::max(table->CellPadding, 0) : 0;
    const std::int32_t g =
        table != nullptr ? Sat(padding + table->CellInset + std::int64_t{table->Border}) : 0;
    const std::int32_t ox = SatAdd(args.Rect.Left, args.Offset.X);
    const std::int32_t oy = SatAdd(args.Rect.Top, args.Offset.Y);

    TMkColor fill = BgColor;
    if (fill == NoColor && table != nullptr)
        fill = table->BgColor;
    const bool hasFill = fill != NoColor;
    args.Canvas.SetBrushColor(args.WhiteOut ? MkColorWhite : (hasFill ? fill : args.BackColor));
    if (hasFill)
        args.Canvas.FillRect(TMkRect{ox, oy, SatAdd(ox, w), SatAdd(oy, h)});

    // The cell's alignment rules its direct children.
    for (std::size_t i = 0; i < Count(); ++i) {
        if (auto *childTable = MkTextCast<TMkTable>(Child(i)))
            childTable->Align = Align;
        else if (auto *paragraph = MkTextCast<TMkParagraph>(Child(i)))
            if (const TMkSharedString &name = AlignName(Align); paragraph->Align != name)
                paragraph->Align = name;
    }

    const std::int32_t innerH = Sat(std::int64_t{h} - 2 * std::int64_t{g});
    std::int32_t u = 0;
    for (std::size_t i = 0; i < Count(); ++i) {
        const TMkRect inner{g, SatAdd(g, u), Sat(std::int64_t{w} - g), Sat(std::int64_t{h} - g)};
        const TMkRect b = Child(i)->GetBounds(args.WithRect(inner));
        u = Sat(std::min<std::int64_t>(innerH, std::int64_t{u} + b.Bottom + 2));
    }
    std::int32_t v = 0;
    if (VAlign == MkVAlignMiddle)
        v = RoundDiv(std::int64_t{innerH} - u, 2);
    else if (VAlign == MkVAlignBottom)
        v = Sat(std::int64_t{innerH} - u);

    u = 0;
    const TMkColor childBack = hasFill ? fill : NoColor;
    for (std::size_t i = 0; i < Count(); ++i) {
        TMkBaseText &child = *Child(i);
        const std::int32_t top = SatAdd(std::int64_t{g} + u, v);
        const TMkRect area{SatAdd(ox, g), SatAdd(oy, top), Sat(std::int64_t{ox} + w - g),
                           Sat(std::int64_t{oy} + h - g)};
        TMkPaintArgs childArgs = args.Within(area);
        childArgs.BackColor = childBack;
        child.PaintGuarded(childArgs);
        child.Left = g;
        child.Top = top;
        u = SatAdd(u, std::int64_t{child.Height} + 2);
    }

    if (table != nullptr && table->Border > 0) {
        args.Canvas.SetPenWidth(table->Border);
        const std::int32_t right = SatAdd(ox, w);
        const std::int32_t bottom = SatAdd(oy, h);
        args.Canvas.MoveTo(ox, oy);
        args.Canvas.LineTo(right, oy);
        args.Canvas.LineTo(right, bottom);
        args.Canvas.LineTo(ox, bottom);
        args.Canvas.LineTo(ox, oy);
    }
}

std::unique_ptr<TMkBaseText> TMkCell::Clone() const
{
    auto copy = std::make_unique<TMkCell>(Parent);
    copy->LayoutDirty = LayoutDirty;
    copy->RowIndex = RowIndex;
    copy->ColIndex = ColIndex;
    copy->RowSpan = RowSpan;
    copy->ColSpan = ColSpan;
    copy->Align = Align;
    copy->VAlign = VAlign;
    copy->BgColor = BgColor;
    copy->CellWidth = CellWidth;
    copy->CellHeight = CellHeight;
    copy->MinWidth = MinWidth;
    copy->ContentHeight = ContentHeight;
    copy->AssignedWidth = AssignedWidth;
    copy->GridWidth = GridWidth;
    copy->GridHeight = GridHeight;
    copy->Width = Width;
    copy->Height = Height;
    CloneChildrenInto(*copy);
    return copy;
}

void TMkCell::Export(TMkWriter &writer) const
{
    writer.BeginCell(*this);
    ExportChildren(writer);
    writer.EndCell();
}
