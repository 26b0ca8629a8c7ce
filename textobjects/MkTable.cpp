#include "textobjects/MkTable.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkWriter.h"

#include <algorithm>

// Grid construction, accessors, cloning and export of tables.  Layout and
// painting are in MkTableLayout.cpp, cells and rows in MkCell.cpp.

TMkTable::TMkTable(TMkBaseText *parent) : TMkParsedTextList(parent)
{
    AddTextClass(ClassBit);
}

TMkTable::~TMkTable() = default;

std::int32_t TMkTable::RowCount() const
{
    std::int32_t n = 0;
    for (std::size_t i = 0; i < Count(); ++i)
        if (MkTextCast<TMkTableRow>(Child(i)) != nullptr)
            ++n;
    return n;
}

std::int32_t TMkTable::ColCount() const
{
    return Count() == 0 ? 0 : static_cast<std::int32_t>(Columns.size());
}

TMkTableRow *TMkTable::Row(std::int32_t index) const
{
    if (index < 0)
        return nullptr;
    for (std::size_t i = 0; i < Count(); ++i)
        if (auto *row = MkTextCast<TMkTableRow>(Child(i)))
            if (index-- == 0)
                return row;
    return nullptr;
}

TMkCell *TMkTable::Cell(std::int32_t row, std::int32_t column) const
{
    if (column < 0 || column >= ColCount())
        return nullptr;
    const TMkTableRow *r = Row(row);
    return r != nullptr ? r->CellAt(column) : nullptr;
}

TMkColumnParam *TMkTable::Column(std::int32_t index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < Columns.size()
               ? Columns[static_cast<std::size_t>(index)].get()
               : nullptr;
}

TMkRowParam *TMkTable::RowParam(std::int32_t index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < Rows.size()
               ? Rows[static_cast<std::size_t>(index)].get()
               : nullptr;
}

namespace {

std::vector<TMkTableRow *> RowsOf(const TMkTable &table)
{
    std::vector<TMkTableRow *> rows;
    for (std::size_t i = 0; i < table.Count(); ++i)
        if (auto *row = MkTextCast<TMkTableRow>(table.Child(i)))
            rows.push_back(row);
    return rows;
}

std::vector<TMkCell *> CellsOf(const TMkTableRow &row)
{
    std::vector<TMkCell *> cells;
    for (std::size_t i = 0; i < row.Count(); ++i)
        if (auto *cell = MkTextCast<TMkCell>(row.Child(i)))
            cells.push_back(cell);
    return cells;
}

// Spans from markup may be 0, negative or huge; the grid takes them as 1 to
// MkMaxSpan, and the cell keeps the value the grid used.
void ClampSpans(const TMkGrid &cells)
{
    for (const auto &row : cells)
        for (TMkCell *cell : row) {
            cell->ColSpan = std::clamp(cell->ColSpan, 1, MkMaxSpan);
            cell->RowSpan = std::clamp(cell->RowSpan, 1, MkMaxSpan);
        }
}

// The widest row, counting the cells of earlier rows that reach down into it.
std::int32_t CountGridColumns(const TMkGrid &cells)
{
    const std::size_t n = cells.size();
    std::vector<std::int64_t> reach(n + 1, 0); // difference array over rows
    for (std::size_t r = 0; r < n; ++r)
        for (const TMkCell *cell : cells[r]) {
            if (cell->SpanMaster != nullptr)
                continue; // counted with the cell whose span covers it
            reach[r] += cell->ColSpan;
            reach[std::min(n, r + static_cast<std::size_t>(cell->RowSpan))] -= cell->ColSpan;
        }
    std::int64_t columns = 0;
    std::int64_t running = 0;
    for (std::size_t r = 0; r < n; ++r) {
        running += reach[r];
        columns = std::max(columns, running);
    }
    // Keep the whole grid within its cell budget.
    const std::int64_t byBudget =
        MkMaxGridCells / std::max<std::int64_t>(1, static_cast<std::int64_t>(n));
    return static_cast<std::int32_t>(
        std::min({columns, std::int64_t{MkMaxGridColumns}, std::max<std::int64_t>(1, byBudget)}));
}

std::int32_t CountGridRows(const TMkGrid &cells, std::int32_t columns)
{
    const auto existing = static_cast<std::int64_t>(cells.size());
    std::int64_t count = existing;
    for (std::size_t r = 0; r < cells.size(); ++r)
        for (const TMkCell *cell : cells[r])
            count = std::max(count, static_cast<std::int64_t>(r) + cell->RowSpan);
    // Rows added for spans stop where the grid would pass its cell budget.
    const std::int64_t budget = MkMaxGridCells / std::max(1, columns);
    return static_cast<std::int32_t>(std::min(count, std::max(existing, budget)));
}

// Puts a new empty cell into a row so that it becomes the row's k-th cell.
void InsertPlaceholder(TMkTableRow &row, std::vector<TMkCell *> &cells, std::int32_t k)
{
    const auto at = static_cast<std::size_t>(k);
    std::size_t childIndex = row.Count();
    if (at < cells.size())
        childIndex = cells.size() == row.Count() ? at : row.IndexOf(cells[at]);
    auto cell = std::make_unique<TMkCell>(&row);
    TMkCell *raw = cell.get();
    row.Insert(childIndex, std::move(cell));
    cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(std::min(at, cells.size())), raw);
}

} // namespace

TMkGrid TMkTable::Grid() const
{
    TMkGrid grid;
    const std::size_t rows = Rows.size();
    const auto columns = static_cast<std::size_t>(ColCount());
    for (TMkTableRow *row : RowsOf(*this)) {
        if (grid.size() == rows)
            break;
        grid.push_back(CellsOf(*row));
        if (grid.back().size() > columns)
            grid.back().resize(columns);
    }
    return grid;
}

TMkCell *TMkTable::GridCell(const TMkGrid &grid, std::int32_t row, std::int32_t column)
{
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= grid.size())
        return nullptr;
    const auto &cells = grid[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                           : nullptr;
}

void TMkTable::NormalizeGrid()
{
    std::vector<TMkTableRow *> rows = RowsOf(*this);
    TMkGrid cells;
    for (TMkTableRow *row : rows)
        cells.push_back(CellsOf(*row));
    ClampSpans(cells);
    const std::int32_t columns = CountGridColumns(cells);
    const std::int32_t gridRows = CountGridRows(cells, columns);
    while (static_cast<std::int32_t>(rows.size()) < gridRows) {
        rows.push_back(Add(std::make_unique<TMkTableRow>(this)));
        cells.emplace_back();
    }

    for (std::int32_t r = 0; r < gridRows; ++r) {
        TMkTableRow &row = *rows[static_cast<std::size_t>(r)];
        auto &rowCells = cells[static_cast<std::size_t>(r)];
        for (std::int32_t k = 0; k < columns; ++k) {
            if (static_cast<std::size_t>(k) >= rowCells.size()) {
                while (rowCells.size() <= static_cast<std::size_t>(k))
                    rowCells.push_back(row.Add(std::make_unique<TMkCell>(&row)));
                continue;
            }
            const TMkCell *cell = rowCells[static_cast<std::size_t>(k)];
            // A grid normalised before already has its placeholders.
            if (!cell->SpannedCells.empty() || cell->SpanMaster != nullptr)
                continue;
            const std::int32_t lastRow = std::min(gridRows - 1, r + cell->RowSpan - 1);
            const std::int32_t lastCol = std::min(columns - 1, k + cell->ColSpan - 1);
            for (std::int32_t rr = r; rr <= lastRow; ++rr)
                for (std::int32_t kk = k; kk <= lastCol; ++kk)
                    if (rr != r || kk != k)
                        InsertPlaceholder(*rows[static_cast<std::size_t>(rr)],
                                          cells[static_cast<std::size_t>(rr)], kk);
        }
    }

    Columns.clear();
    Rows.clear();
    for (std::int32_t k = 0; k < columns; ++k)
        Columns.push_back(std::make_unique<TMkColumnParam>());
    for (std::int32_t r = 0; r < gridRows; ++r)
        Rows.push_back(std::make_unique<TMkRowParam>());

    const TMkGrid grid = Grid();
    for (std::int32_t r = 0; r < gridRows; ++r)
        for (std::int32_t k = 0; k < columns; ++k) {
            TMkCell *cell = GridCell(grid, r, k);
            if (cell == nullptr)
                continue;
            if (cell->SpanMaster == nullptr && (cell->ColSpan > 1 || cell->RowSpan > 1)) {
                // A span cut at the grid's edge keeps what fits.
                cell->ColSpan = std::min(cell->ColSpan, columns - k);
                cell->RowSpan = std::min(cell->RowSpan, gridRows - r);
                MergeCellsIn(grid, r, k, k + cell->ColSpan - 1, r + cell->RowSpan - 1);
            }
            cell->RowIndex = r;
            cell->ColIndex = k;
        }
}

void TMkTable::MergeCells(std::int32_t row, std::int32_t column, std::int32_t lastColumn,
                          std::int32_t lastRow)
{
    MergeCellsIn(Grid(), row, column, lastColumn, lastRow);
}

void TMkTable::MergeCellsIn(const TMkGrid &grid, std::int32_t row, std::int32_t column,
                            std::int32_t lastColumn, std::int32_t lastRow)
{
    if (GridCell(grid, row, column) == nullptr || GridCell(grid, lastRow, lastColumn) == nullptr ||
        lastRow < row || lastColumn < column || (row == lastRow && column == lastColumn))
        return;
    TMkCell *first = GridCell(grid, row, column);
    first->ColSpan = lastColumn - column + 1;
    first->RowSpan = lastRow - row + 1;
    // Any span touching the block is dissolved first, so that no cell ends up
    // covered twice.
    for (std::int32_t r = row; r <= lastRow; ++r)
        for (std::int32_t c = column; c <= lastColumn; ++c)
            if (TMkCell *cell = GridCell(grid, r, c)) {
                TMkCell *top = cell;
                for (int guard = 0; top->SpanMaster != nullptr && guard < (1 << 20); ++guard)
                    top = top->SpanMaster;
                top->ReleaseSpan();
            }
    for (std::int32_t r = row; r <= lastRow; ++r)
        for (std::int32_t c = column; c <= lastColumn; ++c) {
            TMkCell *cell = GridCell(grid, r, c);
            if (cell == nullptr || cell == first)
                continue;
            first->SpannedCells.push_back(cell);
            cell->SpanMaster = first;
        }
}

std::unique_ptr<TMkBaseText> TMkTable::Clone() const
{
    auto copy = std::make_unique<TMkTable>(Parent);
    copy->MinWidthsValid = MinWidthsValid;
    copy->MinTableWidth = MinTableWidth;
    copy->InnerWidth = InnerWidth;
    copy->TotalWidth = TotalWidth;
    copy->TotalHeight = TotalHeight;
    copy->TableWidth = TableWidth;
    copy->Align = Align;
    copy->VAlign = VAlign;
    copy->CellSpacing = CellSpacing;
    copy->CellPadding = CellPadding;
    copy->Border = Border;
    copy->BgColor = BgColor;
    copy->CellInset = CellInset;
    for (const auto &column : Columns)
        copy->Columns.push_back(std::make_unique<TMkColumnParam>(*column));
    for (const auto &row : Rows)
        copy->Rows.push_back(std::make_unique<TMkRowParam>(*row));
    CloneChildrenInto(*copy);
    const TMkGrid grid = Grid();
    const TMkGrid copyGrid = copy->Grid();
    for (std::int32_t r = 0; r < static_cast<std::int32_t>(grid.size()); ++r)
        for (std::int32_t c = 0; c < ColCount(); ++c) {
            const TMkCell *cell = GridCell(grid, r, c);
            if (cell != nullptr && !cell->SpannedCells.empty())
                copy->MergeCellsIn(copyGrid, r, c, c + cell->ColSpan - 1, r + cell->RowSpan - 1);
        }
    return copy;
}

void TMkTable::Export(TMkWriter &writer) const
{
    writer.BeginTable(*this);
    for (std::size_t i = 0; i < Count(); ++i)
        if (MkTextCast<const TMkTableRow>(Child(i)) != nullptr)
            Child(i)->Export(writer);
    writer.EndTable();
}
