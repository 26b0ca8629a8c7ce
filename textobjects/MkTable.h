#pragma once

#include "textobjects/MkColor.h"
#include "textobjects/MkParsedTextList.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TMkCell;
class TMkTableRow;

// The cells of a table by grid row and column, taken at one moment.
using TMkGrid = std::vector<std::vector<TMkCell *>>;

struct TMkColumnParam {
    std::int32_t Width = 0;
    std::int32_t MinColWidth = 0;
    std::int32_t DesiredWidth = 0;
};

struct TMkRowParam {
    std::int32_t Height = 0;
};

// Alignment codes of tables, rows and cells.
inline constexpr std::uint8_t MkAlignLeft = 0;
inline constexpr std::uint8_t MkAlignRight = 1;
inline constexpr std::uint8_t MkAlignCenter = 2;
inline constexpr std::uint8_t MkAlignJustify = 3;
inline constexpr std::uint8_t MkVAlignTop = 0;
inline constexpr std::uint8_t MkVAlignMiddle = 1;
inline constexpr std::uint8_t MkVAlignBottom = 2;
inline constexpr std::uint8_t MkVAlignNone = 3;

// Grid limits: a hostile span or row count must not make the grid grow
// without bound.
inline constexpr std::int32_t MkMaxSpan = 1000;
inline constexpr std::int32_t MkMaxGridColumns = 1000;
inline constexpr std::int64_t MkMaxGridCells = 10000;

// Size encoding of widths, heights and padding: positive pixels, -1..-100 a
// percentage, below -100 a star weight N stored as -(N + 100), 0 not given.
constexpr bool MkIsPercent(std::int32_t size)
{
    return size >= -100 && size <= -1;
}
constexpr bool MkIsStar(std::int32_t size)
{
    return size < -100;
}

// A table: rows of cells on a grid that NormalizeGrid makes rectangular.
class TMkTable : public TMkParsedTextList {
public:
    explicit TMkTable(TMkBaseText *parent);
    ~TMkTable() override;

    std::vector<std::unique_ptr<TMkColumnParam>> Columns;
    std::vector<std::unique_ptr<TMkRowParam>> Rows;
    bool MinWidthsValid = false;
    std::int32_t MinTableWidth = 0;
    std::int32_t InnerWidth = 0;
    std::int32_t TotalWidth = 0;
    std::int32_t TotalHeight = 0;
    std::int32_t TableWidth = -100;
    std::uint8_t Align = MkAlignCenter;
    std::uint8_t VAlign = MkVAlignNone;
    std::int32_t CellSpacing = 0;
    std::int32_t CellPadding = 0;
    std::int32_t Border = 0;
    TMkColor BgColor = NoColor;
    std::int32_t CellInset = 1;

    bool NeedsLayout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                     bool wordWrap) override;
    void Layout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                bool wordWrap) override;
    void Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
               TMkColor backColor, bool singleLine, bool wordWrap, bool whiteOut) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
    bool PlacesLikePlainList() const override { return false; }

    // Rows are the children that are TMkTableRow.
    std::int32_t RowCount() const;
    // Grid columns: the length of Columns, 0 for a table without children.
    std::int32_t ColCount() const;
    TMkTableRow *Row(std::int32_t index) const;
    // Cell at a grid position, null outside the grid.
    TMkCell *Cell(std::int32_t row, std::int32_t column) const;
    TMkColumnParam *Column(std::int32_t index) const;
    TMkRowParam *RowParam(std::int32_t index) const;

    void NormalizeGrid();
    void MergeCells(std::int32_t row, std::int32_t column, std::int32_t lastColumn,
                    std::int32_t lastRow);

    // The grid as it is now: rows up to the length of Rows, cells up to the
    // column count.  Layout and painting work on such a snapshot rather than
    // walking the children for every lookup.
    TMkGrid Grid() const;
    static TMkCell *GridCell(const TMkGrid &grid, std::int32_t row, std::int32_t column);

private:
    void MergeCellsIn(const TMkGrid &grid, std::int32_t row, std::int32_t column,
                      std::int32_t lastColumn, std::int32_t lastRow);
    void ComputeMinWidths(const TMkGrid &grid, TMkCanvas &canvas, const TMkFont &font);
    void DistributeWidths(const TMkGrid &grid);
    void AssignCellWidths(const std::vector<TMkCell *> &row);
    void ComputeDesiredWidths(const TMkGrid &grid);
    void ComputeRowHeights(const TMkGrid &grid, TMkCanvas &canvas, const TMkFont &font);
    std::int32_t ColumnsWidth(std::int32_t first, std::int32_t count) const;
    std::int32_t RowsHeight(std::int32_t first, std::int32_t count) const;
    std::int32_t ExtraInset() const;
    friend class TMkCell;
};

// A table row: its children are its cells.
class TMkTableRow : public TMkParsedTextList {
public:
    explicit TMkTableRow(TMkBaseText *parent);

    std::int32_t RowHeight = 13;
    std::uint8_t VAlign = MkVAlignNone;

    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;

    // The cells among the children.
    std::int32_t CellCount() const;
    TMkCell *CellAt(std::int32_t index) const;
};

// A table cell.  Its size comes from the grid of its table.
class TMkCell : public TMkParsedTextList {
public:
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

    bool NeedsLayout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                     bool wordWrap) override;
    void Layout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                bool wordWrap) override;
    void Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
               TMkColor backColor, bool singleLine, bool wordWrap, bool whiteOut) override;
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
