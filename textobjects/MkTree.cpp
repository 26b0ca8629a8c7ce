#include "textobjects/MkTree.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkCanvas.h"
#include "textobjects/MkWriter.h"

#include <algorithm>

using mktext::Sat;
using mktext::SatAdd;

namespace {

// A nested tree is indented under its parent item.
bool IsTree(const TMkBaseText &object)
{
    return MkTextCast<const TMkTree>(&object) != nullptr;
}

} // namespace

TMkTree::TMkTree(TMkBaseText *parent) : TMkParsedTextList(parent)
{
    AddTextClass(ClassBit);
    LayOutEveryTime();
}

void TMkTree::Layout(const TMkLayoutArgs &args)
{
    TotalHeight = 0;
    MaxWidth = 0;
    const std::int64_t width = args.Rect.Width();
    const std::int64_t height = args.Rect.Height();
    for (std::size_t i = 0; i < Count(); ++i) {
        TMkBaseText &child = *Child(i);
        const bool nested = IsTree(child);
        const TMkRect area{0, 0, Sat(nested ? width - Indent : width), Sat(height - TotalHeight)};
        const TMkRect b = child.GetBounds(args.WithRect(area));
        const std::int32_t counted = nested ? SatAdd(b.Right, Indent) : b.Right;
        TotalHeight = SatAdd(std::int64_t{TotalHeight} + b.Bottom, 2);
        MaxWidth = std::max(MaxWidth, counted);
    }
    Width = MaxWidth;
    Height = TotalHeight;
}

void TMkTree::Paint(const TMkPaintArgs &args)
{
    args.Canvas.SetBrushColor(args.WhiteOut ? MkColorWhite : args.BackColor);
    const std::int64_t width = args.Rect.Width() - args.Offset.X;
    const std::int64_t height = args.Rect.Height() - args.Offset.Y;
    std::int32_t y = 0;
    for (std::size_t i = 0; i < Count(); ++i) {
        TMkBaseText &child = *Child(i);
        const bool nested = IsTree(child);
        const std::int64_t left =
            std::int64_t{args.Rect.Left} + args.Offset.X + (nested ? Indent : 0);
        const TMkRect area{Sat(left), Sat(std::int64_t{args.Rect.Top} + args.Offset.Y + y),
                           args.Rect.Right, args.Rect.Bottom};
        const TMkRect measure{0, 0, Sat(nested ? width - Indent : width), Sat(height - y)};
        TMkRect b;
        if (nested) {
            child.PaintGuarded(args.Within(area));
            child.Left = Indent;
            child.Top = y;
            b = child.GetBounds(args.WithRect(measure));
        } else {
            b = child.GetBounds(args.WithRect(measure));
            child.PaintGuarded(args.Within(area));
            child.Left = 0;
            child.Top = y;
        }
        y = SatAdd(std::int64_t{y} + b.Bottom, 2);
        if (y > args.Rect.Bottom)
            break;
    }
}

std::unique_ptr<TMkBaseText> TMkTree::Clone() const
{
    auto copy = std::make_unique<TMkTree>(Parent);
    copy->Indent = Indent;
    copy->TreeKind = TreeKind;
    CloneChildrenInto(*copy);
    return copy;
}

void TMkTree::Export(TMkWriter &writer) const
{
    if (TreeKind != 0)
        writer.BeginTree();
    else
        writer.BeginItem();
    ExportChildren(writer);
    if (TreeKind != 0)
        writer.EndTree();
    else
        writer.EndItem();
}
