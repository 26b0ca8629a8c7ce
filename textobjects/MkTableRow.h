#pragma once

#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTableLayout.h"

#include <cstdint>
#include <memory>

class TMkCell;

// A table row: its children are its cells.
class TMkTableRow : public TMkParsedTextList {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::TableRow;

    explicit TMkTableRow(TMkBaseText *parent);

    std::int32_t RowHeight = 13;
    std::uint8_t VAlign = MkVAlignNone;

    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;

    // The cells among the children.
    std::int32_t CellCount() const;
    TMkCell *CellAt(std::int32_t index) const;
};
