#pragma once

#include "textobjects/MkColor.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTableLayout.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

class TMkTable;
class TMkCell;

// The cells a span covers: a list that takes one pointer while empty, as it
// is for nearly every cell.
class TMkCoveredCells {
public:
    using TList = std::vector<TMkCell *>;
    TMkCoveredCells() noexcept = default;
    bool empty() const noexcept { return !list_ || list_->empty(); }
    std::size_t size() const noexcept { return list_ ? list_->size() : 0; }
    TMkCell *const *begin() const noexcept { return list_ ? list_->data() : nullptr; }
    TMkCell *const *end() const noexcept { return begin() + size(); }
    void push_back(TMkCell *cell)
    {
        if (!list_)
            list_ = std::make_unique<TList>();
        list_->push_back(cell);
    }
    void clear() noexcept { list_.reset(); }
    // Removes the last occurrence of cell, if any.
    void RemoveLast(const TMkCell *cell) noexcept
    {
        if (!list_)
            return;
        const auto found = std::find(list_->rbegin(), list_->rend(), cell);
        if (found != list_->rend())
            list_->erase(std::next(found).base());
    }
    bool operator==(const TList &other) const { return list_ ? *list_ == other : other.empty(); }

private:
    std::unique_ptr<TList> list_;
};

// A table cell.  Its size comes from the grid of its table.
class TMkCell : public TMkParsedTextList {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::Cell;

    explicit TMkCell(TMkBaseText *parent);
    ~TMkCell() override;

    // Cells covered by this cell's span (not owned).
    TMkCoveredCells SpannedCells;
    TMkCell *SpanMaster = nullptr;
    std::int32_t RowIndex = 0;
    std::int32_t ColIndex = 0;
    std::int32_t RowSpan = 1;
    std::int32_t ColSpan = 1;
    TMkColor BgColor = NoColor;
    std::int32_t CellWidth = 0;
    std::int32_t CellHeight = 10;
    std::int32_t MinWidth = 0;
    std::int32_t ContentHeight = 0;
    std::int32_t AssignedWidth = 0;
    std::int32_t GridWidth = 0;
    std::int32_t GridHeight = 0;
    std::uint8_t Align = MkAlignLeft;
    std::uint8_t VAlign = MkVAlignMiddle;
    bool LayoutDirty = true;

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
