#include "textobjects/MkTableLayout.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkCanvas.h"
#include "textobjects/MkCell.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"

#include <algorithm>

// Table layout: column minimums, the distribution of the width over fixed,
// percentage, star and automatic cells, row heights; and table painting.

using mktext::RoundDiv;
using mktext::Sat;
using mktext::SatAdd;

namespace {

// Content is measured in a very tall rectangle, wrapped.
constexpr std::int32_t MeasureHeight = 10000;

// The grid turned on its side: the cells of each grid column, top to bottom.
// Rows of a big table may be shorter than the grid is wide, so the cells are
// gathered from the rows rather than looked up at every grid position.
class TCellsByColumn {
public:
    TCellsByColumn(const TMkGrid &grid, std::size_t columns)
    {
        TMkSmallArray<std::size_t, 16> rowsOfLength;
        rowsOfLength.assign(columns + 1, 0);
        for (const TMkGrid::TRow row : grid)
            ++rowsOfLength[std::min(row.size(), columns)];
        // Column c has a cell in each row longer than c.
        starts_.assign(columns + 1, 0);
        std::size_t longer = grid.size() - rowsOfLength[0];
        for (std::size_t c = 0; c < columns; ++c) {
            starts_[c + 1] = starts_[c] + longer;
            longer -= rowsOfLength[c + 1];
        }
        cells_.assign(starts_[columns], nullptr);
        TMkSmallArray<std::size_t, 16> next;
        next.assign(columns, 0);
        std::copy_n(starts_.data(), columns, next.data());
        for (const TMkGrid::TRow row : grid)
            for (std::size_t c = 0; c < std::min(row.size(), columns); ++c)
                cells_[next[c]++] = row[c];
    }

    std::span<const TMkCell *const> operator[](std::size_t column) const
    {
        return {cells_.data() + starts_[column], starts_[column + 1] - starts_[column]};
    }

private:
    TMkSmallArray<std::size_t, 16> starts_;
    TMkSmallArray<const TMkCell *, 16> cells_;
};

bool IsFixed(const TMkCell &cell)
{
    return cell.CellWidth > 0;
}

// size(i) added up for i in [first, first + count), saturated at the end.
template <typename Size> std::int32_t SumOver(std::int32_t first, std::int32_t count, Size size)
{
    std::int64_t sum = 0;
    for (std::int32_t i = first; i < first + count; ++i)
        sum += size(i);
    return Sat(sum);
}

} // namespace

std::int32_t TMkTable::ExtraInset() const
{
    return Sat(2 * (std::int64_t{CellInset} + Border));
}

std::int32_t TMkTable::ColumnsWidth(std::int32_t first, std::int32_t count) const
{
    return SumOver(first, count, [this](std::int32_t c) {
        const TMkColumnParam *column = Column(c);
        return column != nullptr ? column->Width : 0;
    });
}

std::int32_t TMkTable::RowsHeight(std::int32_t first, std::int32_t count) const
{
    return SumOver(first, count, [this](std::int32_t r) {
        const TMkRowParam *row = RowParam(r);
        return row != nullptr ? row->Height : 0;
    });
}

void TMkTable::Layout(const TMkLayoutArgs &args)
{
    const TMkGrid grid = Grid();
    if (!MinWidthsValid)
        ComputeMinWidths(grid, args.Canvas, args.Font);
    std::int64_t w = args.Rect.Width() - 1;
    if (MkIsPercent(TableWidth))
        w = RoundDiv(w * -TableWidth, 100);
    else if (TableWidth > 0 && w >= TableWidth)
        w = TableWidth;
    if (w < MinTableWidth)
        w = MinTableWidth;
    if (Sat(w) != InnerWidth) {
        InnerWidth = Sat(w);
        DistributeWidths(grid);
        ComputeRowHeights(grid, args.Canvas, args.Font);
    }
    Width = TotalWidth;
    Height = TotalHeight;
}

void TMkTable::ComputeMinWidths(const TMkGrid &grid, TMkCanvas &canvas, const TMkFont &font)
{
    // A 1-pixel-wide rectangle breaks every line at every child, so each
    // child's width is the widest piece that cannot be broken.
    const TMkRect narrow{0, 0, 1, MeasureHeight};
    for (const auto &row : grid)
        for (TMkCell *cell : row) {
            cell->LayoutDirty = true;
            std::int32_t widest = 1;
            for (std::size_t i = 0; i < cell->Count(); ++i)
                widest = std::max(
                    widest, cell->Child(i)->GetBounds({canvas, narrow, font, false, true}).Right);
            cell->MinWidth = widest;
        }
    const std::int32_t columns = ColCount();
    const std::int64_t padding = CellPadding > 0 ? 2 * std::int64_t{CellPadding} : 0;
    const TCellsByColumn byColumn(grid, static_cast<std::size_t>(columns));
    for (std::int32_t c = columns - 1; c >= 0; --c) {
        TMkColumnParam &column = Columns[static_cast<std::size_t>(c)];
        column.MinColWidth = 0;
        for (const TMkCell *cell : byColumn[static_cast<std::size_t>(c)]) {
            std::int64_t s = 0;
            for (std::int32_t k = c; k < std::min(columns, c + cell->ColSpan); ++k)
                s += Columns[static_cast<std::size_t>(k)].MinColWidth;
            if (s < cell->MinWidth)
                column.MinColWidth = Sat(column.MinColWidth + (cell->MinWidth - s));
        }
        column.MinColWidth = Sat(std::int64_t{column.MinColWidth} + ExtraInset() + padding);
    }
    std::int64_t total = 0;
    for (const TMkColumnParam &column : Columns)
        total += column.MinColWidth;
    MinTableWidth = Sat(total);
    MinWidthsValid = true;
}

void TMkTable::DistributeWidths(const TMkGrid &grid)
{
    for (TMkColumnParam &column : Columns) {
        column.Width = 0;
        column.DesiredWidth = 0;
    }
    for (const auto &row : grid)
        AssignCellWidths(row);
    ComputeDesiredWidths(grid);

    std::int64_t extra = std::int64_t{InnerWidth} - MinTableWidth;
    for (TMkColumnParam &column : Columns) {
        column.Width = column.MinColWidth;
        if (column.DesiredWidth >= column.MinColWidth && extra > 0) {
            const std::int64_t want = std::int64_t{column.DesiredWidth} - column.MinColWidth;
            if (want < extra) {
                column.Width = column.DesiredWidth;
                extra -= want;
            } else {
                column.Width = Sat(column.MinColWidth + extra);
                extra = 0;
            }
        }
    }
    if (extra > 0 && !Columns.empty())
        Columns.back().Width = Sat(Columns.back().Width + extra);
    std::int64_t total = std::int64_t{ColCount()} * CellSpacing;
    for (TMkColumnParam &column : Columns)
        total += column.Width;
    TotalWidth = Sat(total);
}

void TMkTable::AssignCellWidths(TMkGrid::TRow row)
{
    // Every width is assigned afresh, so that the result depends on the
    // width alone and not on what an earlier, wider layout left behind.
    for (TMkCell *cell : row)
        cell->AssignedWidth = 0;

    std::int64_t a = InnerWidth;
    for (TMkCell *cell : row)
        if (IsFixed(*cell)) {
            if (a < cell->CellWidth) {
                cell->AssignedWidth = Sat(a);
                a = 0;
            } else {
                cell->AssignedWidth = cell->CellWidth;
                a -= cell->CellWidth;
            }
        }
    std::int64_t b = a;
    if (a >= 1)
        for (TMkCell *cell : row)
            if (MkIsPercent(cell->CellWidth)) {
                cell->AssignedWidth = RoundDiv(a * -std::int64_t{cell->CellWidth}, 100);
                b -= cell->AssignedWidth;
            }
    if (b < 1)
        return;

    std::int64_t weight = 0;
    for (std::size_t c = 0; c < row.size();) {
        const TMkCell &cell = *row[c];
        if (IsFixed(cell) || MkIsPercent(cell.CellWidth)) {
            ++c;
        } else if (cell.SpanMaster != nullptr) {
            weight += 1;
            ++c;
        } else if (!cell.SpannedCells.empty()) {
            weight += cell.IsAutomatic() ? cell.ColSpan : 100 - std::int64_t{cell.CellWidth};
            c += static_cast<std::size_t>(std::max(1, cell.ColSpan));
        } else {
            weight += cell.IsAutomatic() ? 1 : 100 - std::int64_t{cell.CellWidth};
            ++c;
        }
    }
    if (weight <= 0)
        return;
    for (TMkCell *cell : row) {
        if (cell->SpanMaster != nullptr)
            continue;
        if (cell->IsAutomatic())
            cell->AssignedWidth = cell->SpannedCells.empty() ? RoundDiv(b, weight)
                                                             : RoundDiv(b * cell->ColSpan, weight);
        else if (MkIsStar(cell->CellWidth))
            cell->AssignedWidth = RoundDiv((100 - std::int64_t{cell->CellWidth}) * b, weight);
    }
}

void TMkTable::ComputeDesiredWidths(const TMkGrid &grid)
{
    const std::int32_t columns = ColCount();
    TMkSmallArray<bool, 16> automatic;
    automatic.assign(static_cast<std::size_t>(columns), true);
    TMkSmallArray<std::int32_t, 16> widest;
    widest.assign(static_cast<std::size_t>(columns), 0);
    for (const auto &row : grid)
        for (std::size_t c = 0; c < row.size(); ++c) {
            const TMkCell *cell = row[c];
            if (!cell->IsAutomatic() || cell->IsSpanned())
                automatic[c] = false;
            widest[c] = std::max(widest[c], cell->AssignedWidth);
        }
    for (std::size_t c = 0; c < widest.size(); ++c)
        if (automatic[c])
            Columns[c].DesiredWidth = widest[c];
    // Walk by grid position rather than by the cells' own indexes, which a
    // caller may have left unset.
    for (const auto &row : grid)
        for (std::int32_t c = 0; c < static_cast<std::int32_t>(row.size()); ++c) {
            const TMkCell *cell = row[static_cast<std::size_t>(c)];
            if (!cell->IsSpanned() && !cell->IsAutomatic()) {
                auto &desired = Columns[static_cast<std::size_t>(c)].DesiredWidth;
                desired = std::max(desired, cell->AssignedWidth);
            }
        }
    for (const auto &row : grid)
        for (std::int32_t c = 0; c < static_cast<std::int32_t>(row.size()); ++c) {
            const TMkCell *cell = row[static_cast<std::size_t>(c)];
            if (cell->SpannedCells.empty())
                continue;
            const auto last = static_cast<std::int32_t>(
                std::min<std::int64_t>(columns, std::int64_t{c} + cell->ColSpan));
            std::int64_t sum = 0;
            std::int32_t zeros = 0;
            for (std::int32_t k = c; k < last; ++k) {
                sum += Columns[static_cast<std::size_t>(k)].DesiredWidth;
                zeros += Columns[static_cast<std::size_t>(k)].DesiredWidth == 0 ? 1 : 0;
            }
            if (sum >= cell->AssignedWidth)
                continue;
            const std::int64_t shortfall = cell->AssignedWidth - sum;
            for (std::int32_t k = c; k < last; ++k) {
                auto &desired = Columns[static_cast<std::size_t>(k)].DesiredWidth;
                if (zeros == 0)
                    desired = SatAdd(desired, RoundDiv(shortfall, cell->ColSpan));
                else if (desired == 0)
                    desired = RoundDiv(shortfall, zeros);
            }
        }
    std::int64_t sum = 0;
    std::int32_t autoCount = 0;
    for (std::int32_t c = 0; c < columns; ++c) {
        sum += Columns[static_cast<std::size_t>(c)].DesiredWidth;
        autoCount += automatic[static_cast<std::size_t>(c)] ? 1 : 0;
    }
    if (columns == 0 || sum >= InnerWidth)
        return;
    const std::int64_t difference = InnerWidth - sum;
    if (autoCount == 0) {
        Columns.back().DesiredWidth = SatAdd(Columns.back().DesiredWidth, difference);
        return;
    }
    for (std::int32_t c = 0; c < columns; ++c)
        if (automatic[static_cast<std::size_t>(c)])
            Columns[static_cast<std::size_t>(c)].DesiredWidth = SatAdd(
                Columns[static_cast<std::size_t>(c)].DesiredWidth, RoundDiv(difference, autoCount));
}

void TMkTable::ComputeRowHeights(const TMkGrid &grid, TMkCanvas &canvas, const TMkFont &font)
{
    for (const auto &row : grid)
        for (TMkCell *cell : row) {
            cell->LayoutDirty = true;
            if (cell->Count() == 0) {
                cell->ContentHeight = 1;
                continue;
            }
            // The full column width: padding, border and inset are not taken
            // off here.
            const TMkRect area{0, 0, ColumnsWidth(cell->ColIndex, cell->ColSpan), MeasureHeight};
            std::int64_t sum = 0;
            for (std::size_t i = 0; i < cell->Count(); ++i)
                sum +=
                    std::int64_t{
                        cell->Child(i)->GetBounds({canvas, area, font, false, true}).Bottom} +
                    2;
            cell->ContentHeight = sum == 0 ? 1 : Sat(sum);
        }
    const std::int64_t padding = CellPadding > 0 ? 2 * std::int64_t{CellPadding} + 9 : 0;
    for (std::int32_t r = static_cast<std::int32_t>(grid.size()) - 1; r >= 0; --r) {
        TMkRowParam &rowParam = Rows[static_cast<std::size_t>(r)];
        std::int32_t h = 0;
        for (const TMkCell *cell : grid[static_cast<std::size_t>(r)])
            h = std::max(h, cell->CellHeight);
        rowParam.Height = h;
        for (const TMkCell *cell : grid[static_cast<std::size_t>(r)]) {
            const std::int64_t s = RowsHeight(r, cell->RowSpan);
            if (s < cell->ContentHeight)
                rowParam.Height = Sat(rowParam.Height + (cell->ContentHeight - s));
        }
        rowParam.Height = Sat(std::int64_t{rowParam.Height} + ExtraInset() + padding);
    }
    std::int64_t total = static_cast<std::int64_t>(Rows.size()) * CellSpacing;
    for (const TMkRowParam &row : Rows)
        total += row.Height;
    TotalHeight = Sat(total);
}

void TMkTable::Paint(const TMkPaintArgs &args)
{
    const TMkGrid grid = Grid();
    for (const auto &row : grid)
        for (TMkCell *cell : row)
            cell->GetBounds(args);

    // A container that stacks like a plain list has already aligned this
    // table (TMkParsedTextList::Paint); only elsewhere, as in a cell, does the
    // table align itself.
    const auto *list = MkTextCast<const TMkParsedTextList>(Parent);
    const bool alignedByParent = list != nullptr && list->PlacesLikePlainList();
    std::int32_t a = 0;
    if (!alignedByParent) {
        const std::int64_t free = args.Rect.Width() - args.Offset.X - Width;
        if (Align == MkAlignRight)
            a = Sat(free);
        else if (Align == MkAlignCenter)
            a = RoundDiv(free, 2);
    }

    std::int32_t y = CellSpacing;
    const std::int32_t columns = ColCount();
    std::int32_t r = 0;
    for (std::size_t i = 0; i < Count() && static_cast<std::size_t>(r) < grid.size(); ++i) {
        auto *rowObject = MkTextCast<TMkTableRow>(Child(i));
        if (rowObject == nullptr)
            continue;
        std::int64_t x = 0;
        for (std::int32_t c = 0; c < columns;) {
            TMkCell *cell = GridCell(grid, r, c);
            if (cell == nullptr)
                break;
            if (cell->SpanMaster != nullptr) {
                // Covered from an earlier row: room is kept, nothing drawn.
                x += std::int64_t{cell->Width} + CellSpacing;
                ++c;
                continue;
            }
            const std::int32_t left = Sat(std::int64_t{a} + x + CellSpacing);
            cell->PaintGuarded(
                args.At(TMkPoint{SatAdd(args.Offset.X, left), SatAdd(args.Offset.Y, y)}));
            cell->Left = left;
            cell->Top = 0;
            x += std::int64_t{cell->Width} + CellSpacing;
            c += cell->SpannedCells.empty() ? 1 : std::max(1, cell->ColSpan);
        }
        rowObject->Left = 0;
        rowObject->Top = y;
        y = SatAdd(y, std::int64_t{Rows[static_cast<std::size_t>(r)].Height} + CellSpacing);
        ++r;
    }
}
