#include "textobjects/MkHiddenText.h"

#include "textobjects/MkWriter.h"

TMkHiddenText::TMkHiddenText(TMkBaseText *parent, std::string text)
    : TMkBaseText(parent),
      Text(std::move(text))
{
    AddTextClass(ClassBit);
    LayOutEveryTime();
}

void TMkHiddenText::Layout(const TMkLayoutArgs &)
{
    Width = 0;
    Height = 0;
}

void TMkHiddenText::Paint(const TMkPaintArgs &) {}

std::unique_ptr<TMkBaseText> TMkHiddenText::Clone() const
{
    // The source text is the whole point of the object, so a copy keeps it.
    return std::make_unique<TMkHiddenText>(Parent, Text);
}

void TMkHiddenText::Export(TMkWriter &writer) const
{
    writer.Write(Text);
}
