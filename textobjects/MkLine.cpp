#include "textobjects/MkLine.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkCanvas.h"
#include "textobjects/MkWriter.h"

TMkLine::TMkLine(TMkBaseText *parent) : TMkPieceOfText(parent)
{
    LayOutEveryTime();
}

void TMkLine::Layout(TMkCanvas &, const TMkRect &rect, const TMkFont &, bool, bool)
{
    Width = mktext::Sat(rect.Width());
    Height = 8;
}

void TMkLine::Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
                    TMkColor backColor, bool singleLine, bool wordWrap, bool whiteOut)
{
    GetBounds(canvas, rect, font, singleLine, wordWrap);
    canvas.SetBrushColor(whiteOut ? MkColorWhite : backColor);
    const std::int32_t y = mktext::SatAdd(std::int64_t{rect.Top} + offset.Y, 4);
    canvas.MoveTo(mktext::SatAdd(rect.Left, offset.X), y);
    canvas.LineTo(rect.Right, y);
}

std::unique_ptr<TMkBaseText> TMkLine::Clone() const
{
    auto copy = std::make_unique<TMkLine>(Parent);
    CopyPieceTo(*copy);
    return copy;
}

void TMkLine::Export(TMkWriter &writer) const
{
    writer.Rule();
}
