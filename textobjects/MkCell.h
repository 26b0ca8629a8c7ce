#pragma once

#include "textobjects/MkColor.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTableLayout.h"

#include <cstdint>
#include <memory>
#include <vector>

class TMkTable;

// A table cell.  Its size comes from the grid of its table.
class TMkCell : public TMkParsedTextList {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::Cell;

    explicit TMkCell(TMkBaseText *parent);
    ~TMkCell() override;

    bool LayoutDirty = true;
    std::int32_t RowIndex = 0;
    std::int32_t ColIndex = 0;
    // Cells covered by this cell's span (not owned).
    std::vector<TMkCell *> SpannedCells;
    TMkCell *SpanMaster = nullptr;
    std::int32_t RowSpan = 1;
    std::int32_t ColSpan = 1;
    std::uint8_t Align = MkAlignLeft;
    std::uint8_t VAlign = MkVAlignMiddle;
    TMkColor BgColor = NoColor;
    std::int32_t CellWidth = 0;
    std::int32_t CellHeight = 10;
    std::int32_t MinWidth = 0;
    std::int32_t ContentHeight = 0;
    std::int32_t AssignedWidth = 0;
    std::int32_t GridWidth = 0;
    std::int32_t GridHeight = 0;

    bool NeedsLayout(const TMkLayoutArgs &args) override;
    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
    bool PlacesLikePlainList() const override { return false; }

    // The parent's parent when that is a table.
    TMkTable *OwnerTable() const;
    bool IsSpanned() const { return SpanMaster != nullptr || !SpannedCells.empty(); }
    bool IsAutomatic() const { return CellWidth == 0; }
    // Lets go of every cell this one covers, and of what those cover.
    void ReleaseSpan();
};
