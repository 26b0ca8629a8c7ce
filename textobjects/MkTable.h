#pragma once

#include "textobjects/MkCell.h"
#include "textobjects/MkColor.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTableLayout.h"
#include "textobjects/MkTableRow.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TMkTableRow;

// A table: rows of cells on a grid that NormalizeGrid makes rectangular.
class TMkTable : public TMkParsedTextList {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::Table;

    explicit TMkTable(TMkBaseText *parent);
    ~TMkTable() override;

    // Made anew, one per grid column and row, each time the grid is
    // normalised; kept by value, as they are a few numbers each.
    std::vector<TMkColumnParam> Columns;
    std::vector<TMkRowParam> Rows;
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

    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
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
    const TMkColumnParam *Column(std::int32_t index) const;
    const TMkRowParam *RowParam(std::int32_t index) const;

    void NormalizeGrid();
    void MergeCells(std::int32_t row, std::int32_t column, std::int32_t lastColumn,
                    std::int32_t lastRow);

    // The grid as it is now: rows up to the length of Rows, cells up to the
    // column count.  Layout and painting work on such a snapshot rather than
    // walking the children for every lookup.
    TMkGrid Grid() const;
    // Calls startRow(row) for each row of that grid and visit(cell) for each
    // of its cells in order, without making the snapshot.
    template <class StartRow, class Visit> void VisitGrid(StartRow startRow, Visit visit) const;
    static TMkCell *GridCell(const TMkGrid &grid, std::int32_t row, std::int32_t column);

private:
    void NormalizeWithoutSpans();
    void MergeCellsIn(const TMkGrid &grid, std::int32_t row, std::int32_t column,
                      std::int32_t lastColumn, std::int32_t lastRow);
    void ComputeMinWidths(const TMkGrid &grid, TMkCanvas &canvas, const TMkFont &font);
    void DistributeWidths(const TMkGrid &grid);
    void AssignCellWidths(TMkGrid::TRow row);
    void ComputeDesiredWidths(const TMkGrid &grid);
    void ComputeRowHeights(const TMkGrid &grid, TMkCanvas &canvas, const TMkFont &font);
    std::int32_t ColumnsWidth(std::int32_t first, std::int32_t count) const;
    std::int32_t RowsHeight(std::int32_t first, std::int32_t count) const;
    std::int32_t ExtraInset() const;
    friend class TMkCell;
};

template <class StartRow, class Visit>
void TMkTable::VisitGrid(StartRow startRow, Visit visit) const
{
    const std::size_t rows = Rows.size();
    const auto columns = static_cast<std::size_t>(ColCount());
    std::size_t r = 0;
    for (std::size_t i = 0; i < Count() && r < rows; ++i) {
        const auto *row = MkTextCast<const TMkTableRow>(Child(i));
        if (row == nullptr)
            continue;
        startRow(*row);
        ++r;
        std::size_t k = 0;
        for (std::size_t j = 0; j < row->Count() && k < columns; ++j)
            if (auto *cell = MkTextCast<TMkCell>(row->Child(j))) {
                visit(*cell);
                ++k;
            }
    }
}
