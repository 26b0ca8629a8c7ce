#include "textobjects/MkTableRow.h"

#include "textobjects/MkCell.h"
#include "textobjects/MkWriter.h"

TMkTableRow::TMkTableRow(TMkBaseText *parent) : TMkParsedTextList(parent)
{
    AddTextClass(ClassBit);
}

std::unique_ptr<TMkBaseText> TMkTableRow::Clone() const
{
    auto copy = std::make_unique<TMkTableRow>(Parent);
    copy->RowHeight = RowHeight;
    copy->VAlign = VAlign;
    CloneChildrenInto(*copy);
    return copy;
}

void TMkTableRow::Export(TMkWriter &writer) const
{
    writer.BeginRow(*this);
    ExportChildren(writer);
    writer.EndRow();
}

std::int32_t TMkTableRow::CellCount() const
{
    return CountOf<TMkCell>();
}

TMkCell *TMkTableRow::CellAt(std::int32_t index) const
{
    return NthChildOf<TMkCell>(index);
}
