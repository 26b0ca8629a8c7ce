#include "textobjects/MkParagraph.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkCanvas.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkLineBreak.h"
#include "textobjects/MkSameText.h"
#include "textobjects/MkText.h"
#include "textobjects/MkWriter.h"

#include <algorithm>
#include <string_view>

using mktext::Sat;
using mktext::SatAdd;
using mktext::SatSub;

namespace {

bool IsBlankWord(const TMkBaseText &child)
{
    const auto *text = MkTextCast<const TMkText>(&child);
    return text != nullptr && text->Text == " ";
}

bool IsLineBreak(const TMkBaseText &child)
{
    return MkTextCast<const TMkLineBreak>(&child) != nullptr;
}

// Offset of a line of width lineW: right-aligned lines move by all the free
// room, centred ones by half of it (truncated), the rest stay left.
std::int32_t AlignOffset(std::int32_t align, std::int64_t avail, std::int64_t lineW)
{
    if (align == 1)
        return Sat(avail - lineW);
    if (align == 2)
        return Sat((avail - lineW) / 2);
    return 0;
}

// The line being filled.
struct TLine {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool blank = true;
    std::size_t first = 0; // index of the line's first child

    void Reset(std::size_t next)
    {
        width = 0;
        height = 0;
        blank = true;
        first = next;
    }
    void Join(const TMkBaseText &child, std::int32_t w, std::int32_t h)
    {
        width = SatAdd(width, w);
        height = std::max(height, h);
        if (!IsBlankWord(child))
            blank = false;
    }
};

std::int32_t HeightOfW(TMkCanvas &canvas, const TMkFont &font)
{
    canvas.SetFont(font);
    return canvas.TextHeight("W");
}

} // namespace

TMkParagraph::TMkParagraph(TMkBaseText *parent) : TMkParsedTextList(parent)
{
    AddTextClass(ClassBit);
}

TMkParagraph::TMkParagraph(TMkBaseText *parent, const std::string &align)
    : TMkParsedTextList(parent),
      Align(MkUpperCase(align))
{
    AddTextClass(ClassBit);
}

std::int32_t TMkParagraph::AlignValue() const
{
    if (MkTextIsVariableRef(Align))
        throw EMkUnresolvedVariable("Unresolved variable" + Align.str());
    // Align may have been set since construction (a resolved variable), so
    // it is compared ignoring case, without making an upper-case copy at
    // every layout and paint.
    if (MkSameText(Align.str(), "RIGHT"))
        return 1;
    if (MkSameText(Align.str(), "CENTER"))
        return 2;
    if (MkSameText(Align.str(), "JUSTIFY"))
        return 3;
    return 0;
}

namespace {

// The line breaking that layout and painting share.  Children are walked in
// order and fed into lines; the callbacks hear what becomes of a line and may
// stop the walk by returning false:
//   onBreak(line, i)       a line break at child i ends the line, blank or not;
//   onClose(line, end)     the line of children [line.first, end) is complete
//                          and not blank;
//   onAlone(child, w, h)   the child stands on a line of its own.
// Without wrapping (a single line, or word wrap off) every child joins the
// line and only line breaks end it.  When wrapping, a child at least as wide
// as the rectangle stands alone.  So does a nested paragraph, but only when
// painting (paragraphsAlone): layout measures a narrow nested paragraph as
// one more piece of the line, and the sizes of list items and table cells
// are built on what layout reports, so the two walks differ on purpose.
template <typename OnBreak, typename OnClose, typename OnAlone>
void BreakLines(TMkParagraph &paragraph, const TMkLayoutArgs &args, bool paragraphsAlone,
                OnBreak onBreak, OnClose onClose, OnAlone onAlone)
{
    const std::int64_t avail = args.Rect.Width();
    const bool wrapping = args.WordWrap && !args.SingleLine;
    TLine line;
    for (std::size_t i = 0; i < paragraph.Count(); ++i) {
        TMkBaseText &child = *paragraph.Child(i);
        if (IsLineBreak(child)) {
            const bool go = onBreak(line, i);
            line.Reset(i + 1);
            if (!go)
                return;
            continue;
        }
        const TMkRect b = child.GetBounds(args);
        const std::int32_t w = b.Right;
        const std::int32_t h = b.Bottom;
        if (!wrapping) {
            line.Join(child, w, h);
            continue;
        }
        if (w >= avail || (paragraphsAlone && MkTextCast<const TMkParagraph>(&child) != nullptr)) {
            if (!line.blank && line.width > 0 && !onClose(line, i))
                return;
            const bool go = onAlone(child, w, h);
            line.Reset(i + 1);
            if (!go)
                return;
            continue;
        }
        if (std::int64_t{line.width} + w >= avail) {
            // Does not fit behind the line: close it, or drop it when it
            // holds only blanks, and start the child on a fresh line.
            if (!line.blank && !onClose(line, i))
                return;
            line.Reset(i);
        }
        line.Join(child, w, h);
    }
    if (!line.blank && line.width > 0)
        onClose(line, paragraph.Count());
}

} // namespace

void TMkParagraph::Layout(const TMkLayoutArgs &args)
{
    const std::int32_t align = AlignValue();
    const std::int64_t avail = args.Rect.Width();
    std::int32_t maxW = 0;
    std::int32_t totalH = 0;
    auto close = [&](const TLine &line, std::int32_t height) {
        maxW = std::max(maxW, SatAdd(line.width, AlignOffset(align, avail, line.width)));
        totalH = SatAdd(totalH, height);
    };
    BreakLines(
        *this, args, false,
        [&](const TLine &line, std::size_t) {
            close(line, line.height != 0 ? line.height : HeightOfW(args.Canvas, args.Font));
            // even a blank line counts here
            if (!args.WordWrap && avail < maxW)
                maxW = Sat(avail);
            return true;
        },
        [&](const TLine &line, std::size_t) {
            close(line, line.height);
            return true;
        },
        [&](const TMkBaseText &, std::int32_t w, std::int32_t h) {
            // Too wide for any line: it stands alone, without alignment.
            maxW = std::max(maxW, w);
            totalH = SatAdd(totalH, h);
            return true;
        });
    Width = SatAdd(maxW, 1);
    Height = totalH;
}

void TMkParagraph::Paint(const TMkPaintArgs &args)
{
    const std::int32_t align = AlignValue();
    const std::int64_t avail = args.Rect.Width();
    std::int32_t top = 0; // height drawn so far

    auto drawChild = [&](TMkBaseText &child, std::int32_t x, std::int32_t y) {
        child.PaintGuarded(args.At(TMkPoint{SatAdd(args.Offset.X, x), SatAdd(args.Offset.Y, y)}));
        child.Left = x;
        child.Top = y;
    };
    // Children [line.first, end) on one line sharing their bottom edge.
    auto drawLine = [&](const TLine &line, std::size_t end) {
        const std::int32_t ao = AlignOffset(align, avail, line.width);
        std::int64_t x = 0;
        for (std::size_t j = line.first; j < end; ++j) {
            TMkBaseText &c = *Child(j);
            const TMkRect b = c.GetBounds(args);
            drawChild(c, SatAdd(x, ao), SatSub(std::int64_t{top} + line.height, b.Bottom));
            x += b.Right;
        }
    };
    // Whatever lies below the rectangle is not drawn.
    auto moveDown = [&](std::int32_t height) {
        top = SatAdd(top, height);
        return std::int64_t{args.Rect.Top} + args.Offset.Y + top <= args.Rect.Bottom;
    };

    BreakLines(
        *this, args, true,
        [&](const TLine &line, std::size_t i) {
            if (!line.blank)
                drawLine(line, i);
            return moveDown(line.height != 0 ? line.height : HeightOfW(args.Canvas, args.Font));
        },
        [&](const TLine &line, std::size_t end) {
            drawLine(line, end);
            return moveDown(line.height);
        },
        [&](TMkBaseText &child, std::int32_t w, std::int32_t h) {
            // Aligned by its own width, which may push it left of the rectangle.
            drawChild(child, AlignOffset(align, avail, w), top);
            return moveDown(h);
        });
}

std::unique_ptr<TMkBaseText> TMkParagraph::Clone() const
{
    auto copy = std::make_unique<TMkParagraph>(Parent);
    copy->Align = Align;
    CloneChildrenInto(*copy);
    return copy;
}

void TMkParagraph::ResolveVariables(const TMkVariableCallback &callback)
{
    TMkParsedTextList::ResolveVariables(callback);
    MkTextResolve(*this, Align, callback);
}

void TMkParagraph::Export(TMkWriter &writer) const
{
    if (Count() == 0)
        return;
    writer.BeginParagraph(*this);
    ExportChildren(writer);
    writer.EndParagraph();
}
