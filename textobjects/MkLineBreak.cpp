#include "textobjects/MkLineBreak.h"

#include "textobjects/MkWriter.h"

TMkLineBreak::TMkLineBreak(TMkBaseText *parent) : TMkPieceOfText(parent)
{
    AddTextClass(ClassBit);
    LayOutEveryTime();
}

void TMkLineBreak::Layout(const TMkLayoutArgs &)
{
    Width = 0;
    Height = 0;
}

void TMkLineBreak::Paint(const TMkPaintArgs &) {}

std::unique_ptr<TMkBaseText> TMkLineBreak::Clone() const
{
    auto copy = std::make_unique<TMkLineBreak>(Parent);
    CopyPieceTo(*copy);
    return copy;
}

void TMkLineBreak::Export(TMkWriter &writer) const
{
    writer.LineBreak();
}
