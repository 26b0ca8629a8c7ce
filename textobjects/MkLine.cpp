#include "textobjects/MkLine.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkCanvas.h"
#include "textobjects/MkWriter.h"

TMkLine::TMkLine(TMkBaseText *parent) : TMkPieceOfText(parent)
{
    LayOutEveryTime();
}

void TMkLine::Layout(const TMkLayoutArgs &args)
{
    Width = mktext::Sat(args.Rect.Width());
    Height = 8;
}

void TMkLine::Paint(const TMkPaintArgs &args)
{
    GetBounds(args);
    args.Canvas.SetBrushColor(args.WhiteOut ? MkColorWhite : args.BackColor);
    const std::int32_t y = mktext::SatAdd(std::int64_t{args.Rect.Top} + args.Offset.Y, 4);
    args.Canvas.MoveTo(mktext::SatAdd(args.Rect.Left, args.Offset.X), y);
    args.Canvas.LineTo(args.Rect.Right, y);
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
