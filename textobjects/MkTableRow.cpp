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
    std::int32_t n = 0;
    for (std::size_t i = 0; i < Count(); ++i)
        if (MkTextCast<TMkCell>(Child(i)) != nullptr)
            ++n;
    return n;
}

TMkCell *TMkTableRow::CellAt(std::int32_t index) const
{
    if (index < 0)
        return nullptr;
    for (std::size_t i = 0; i < Count(); ++i)
        if (auto *cell = MkTextCast<TMkCell>(Child(i)))
            if (index-- == 0)
                return cell;
    return nullptr;
}
