#include "textobjects/MkTable.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkTableRow.h"
#include "textobjects/MkWriter.h"

#include <algorithm>

// Grid construction, accessors, cloning and export of tables.  Layout and
// painting are in MkTableLayout.cpp, cells and rows in MkCell.cpp.

TMkTable::TMkTable(TMkBaseText *parent) : TMkParsedTextList(parent)
{
    AddTextClass(ClassBit);
    LayOutEveryTime();
}

TMkTable::~TMkTable() = default;

std::int32_t TMkTable::RowCount() const
{
    return CountOf<TMkTableRow>();
}

std::int32_t TMkTable::ColCount() const
{
    return Count() == 0 ? 0 : static_cast<std::int32_t>(Columns.size());
}

TMkTableRow *TMkTable::Row(std::int32_t index) const
{
    return NthChildOf<TMkTableRow>(index);
}

TMkCell *TMkTable::Cell(std::int32_t row, std::int32_t column) const
{
    if (column < 0 || column >= ColCount())
        return nullptr;
    const TMkTableRow *r = Row(row);
    return r != nullptr ? r->CellAt(column) : nullptr;
}

const TMkColumnParam *TMkTable::Column(std::int32_t index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < Columns.size()
               ? &Columns[static_cast<std::size_t>(index)]
               : nullptr;
}

const TMkRowParam *TMkTable::RowParam(std::int32_t index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < Rows.size()
               ? &Rows[static_cast<std::size_t>(index)]
               : nullptr;
}

namespace {

// Each row's cells, gathered for normalising a grid with spans.
using TCellRows = std::vector<std::vector<TMkCell *>>;

// Spans from markup may be 0, negative or huge; the grid takes them as 1 to
// MkMaxSpan, and the cell keeps the value the grid used.
void ClampSpans(const TCellRows &cells)
{
    for (const auto &row : cells)
        for (TMkCell *cell : row) {
            cell->ColSpan = std::clamp(cell->ColSpan, 1, MkMaxSpan);
            cell->RowSpan = std::clamp(cell->RowSpan, 1, MkMaxSpan);
        }
}

// Spans are paid for in document order out of the placeholder budget; a
// span the budget cannot pay for in full is dropped.  A cell already
// covering others (a grid normalised before) has its placeholders.
void PayForSpans(const TCellRows &cells, std::int64_t &budget)
{
    for (const auto &row : cells)
        for (TMkCell *cell : row) {
            if (cell->SpanMaster != nullptr || !cell->SpannedCells.empty())
                continue;
            const std::int64_t added = std::int64_t{cell->ColSpan} * cell->RowSpan - 1;
            if (added <= budget) {
                budget -= added;
            } else {
                cell->ColSpan = 1;
                cell->RowSpan = 1;
            }
        }
}

// The widest row, counting the cells of earlier rows that reach down into it.
std::int32_t CountGridColumns(const TCellRows &cells)
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
    return mktext::Sat(columns);
}

std::int32_t CountGridRows(const TCellRows &cells)
{
    auto count = static_cast<std::int64_t>(cells.size());
    for (std::size_t r = 0; r < cells.size(); ++r)
        for (const TMkCell *cell : cells[r])
            count = std::max(count, static_cast<std::int64_t>(r) + cell->RowSpan);
    return mktext::Sat(count);
}

// The slots of a row, free or taken, for finding the n-th free one in
// logarithmic time (a Fenwick tree of free counts).
class TFreeSlots {
public:
    explicit TFreeSlots(std::size_t size) : tree_(size + 1, 0)
    {
        for (std::size_t i = 1; i <= size; ++i) {
            tree_[i] += 1;
            if (const std::size_t up = i + (i & (~i + 1)); up <= size)
                tree_[up] += tree_[i];
        }
    }

    // Takes the free slot that has `n` free slots before it.
    std::size_t Take(std::size_t n)
    {
        std::size_t at = 0;
        std::size_t step = 1;
        while (step * 2 < tree_.size())
            step *= 2;
        for (; step > 0; step /= 2)
            if (at + step < tree_.size() && tree_[at + step] <= n) {
                at += step;
                n -= tree_[at];
            }
        for (std::size_t i = at + 1; i < tree_.size(); i += i & (~i + 1))
            tree_[i] -= 1;
        return at;
    }

private:
    std::vector<std::size_t> tree_;
};

// A row's cells once the placeholders that spans from earlier rows put into
// it are in, each put so that it became the row's `at`-th cell when it was
// put (or its last, when the row had fewer).  The insertions are resolved
// together, from the last: moving the row's cells at every insertion would
// take time quadratic in the row's length.  A new placeholder is nullptr.
std::vector<TMkCell *> WithInsertions(std::vector<TMkCell *> cells,
                                      const std::vector<std::int32_t> &insertions)
{
    if (insertions.empty())
        return cells;
    const std::size_t length = cells.size() + insertions.size();
    std::vector<TMkCell *> result(length, nullptr);
    std::vector<bool> placeholder(length, false);
    TFreeSlots free(length);
    for (std::size_t j = insertions.size(); j-- > 0;) {
        const std::size_t at = std::min(static_cast<std::size_t>(insertions[j]), cells.size() + j);
        placeholder[free.Take(at)] = true;
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < length; ++i)
        if (!placeholder[i])
            result[i] = cells[next++];
    return result;
}

// Gives a row the cells of `wanted` in that order, the nullptr entries as
// new placeholders.  Any other children stay before the cell they came
// before, ahead of the placeholders put before that cell.
void RebuildRow(TMkTableRow &row, std::vector<TMkCell *> &wanted)
{
    bool appendOnly = true;
    std::size_t old = 0;
    std::size_t oldCells = 0;
    for (std::size_t i = 0; i < row.Count(); ++i)
        oldCells += MkTextCast<TMkCell>(row.Child(i)) != nullptr ? 1 : 0;
    for (const TMkCell *cell : wanted) {
        if (cell != nullptr)
            ++old;
        else if (old < oldCells)
            appendOnly = false;
    }
    if (appendOnly) {
        for (TMkCell *&cell : wanted)
            if (cell == nullptr)
                cell = row.Add(std::make_unique<TMkCell>(&row));
        return;
    }
    std::vector<std::unique_ptr<TMkBaseText>> children;
    while (row.Count() > 0)
        children.push_back(row.Extract(row.Count() - 1));
    std::reverse(children.begin(), children.end());
    std::size_t nextChild = 0;
    // Puts back the children that are no cells up to the next cell.
    const auto putOthers = [&] {
        while (nextChild < children.size() &&
               MkTextCast<TMkCell>(children[nextChild].get()) == nullptr) {
            children[nextChild]->Parent = &row;
            row.AddChild(std::move(children[nextChild++]));
        }
    };
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i] == nullptr) {
            if (i == 0 || wanted[i - 1] != nullptr)
                putOthers();
            wanted[i] = row.Add(std::make_unique<TMkCell>(&row));
            continue;
        }
        putOthers();
        children[nextChild]->Parent = &row;
        row.AddChild(std::move(children[nextChild++]));
    }
    putOthers();
    for (; nextChild < children.size(); ++nextChild) {
        children[nextChild]->Parent = &row;
        row.AddChild(std::move(children[nextChild]));
    }
}

// Whether every cell covers itself alone and no earlier normalisation left
// a span behind.
bool SpansNothing(const TMkTable &table)
{
    for (std::size_t i = 0; i < table.Count(); ++i)
        if (const auto *row = MkTextCast<const TMkTableRow>(table.Child(i)))
            for (std::size_t j = 0; j < row->Count(); ++j)
                if (const auto *cell = MkTextCast<const TMkCell>(row->Child(j));
                    cell != nullptr &&
                    (cell->ColSpan > 1 || cell->RowSpan > 1 || cell->IsSpanned()))
                    return false;
    return true;
}

} // namespace

TMkGrid TMkTable::Grid() const
{
    TMkGrid grid;
    VisitGrid([&grid](const TMkTableRow &) { grid.StartRow(); },
              [&grid](TMkCell &cell) { grid.Add(&cell); });
    return grid;
}

TMkCell *TMkTable::GridCell(const TMkGrid &grid, std::int32_t row, std::int32_t column)
{
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= grid.size())
        return nullptr;
    const TMkGrid::TRow cells = grid[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                           : nullptr;
}

void TMkTable::NormalizeGrid()
{
    if (SpansNothing(*this)) {
        NormalizeWithoutSpans();
        return;
    }
    std::vector<TMkTableRow *> rows = ChildrenOf<TMkTableRow>();
    TCellRows cells;
    cells.reserve(rows.size());
    for (TMkTableRow *row : rows)
        cells.push_back(row->ChildrenOf<TMkCell>());
    ClampSpans(cells);
    std::int64_t budget = MkMaxPlaceholderCells;
    PayForSpans(cells, budget);
    const std::int32_t columns = CountGridColumns(cells);
    const std::int32_t gridRows = CountGridRows(cells);
    while (static_cast<std::int32_t>(rows.size()) < gridRows) {
        rows.push_back(Add(std::make_unique<TMkTableRow>(this)));
        cells.emplace_back();
    }

    // Row by row, each row's cells are placed after the placeholders that
    // spans from above put into it; a cell whose span covers more than
    // itself puts placeholders after itself and into the rows below.
    std::vector<std::vector<std::int32_t>> insertions(static_cast<std::size_t>(gridRows));
    for (std::int32_t r = 0; r < gridRows; ++r) {
        const auto ri = static_cast<std::size_t>(r);
        const std::vector<TMkCell *> placed = WithInsertions(std::move(cells[ri]), insertions[ri]);
        insertions[ri] = {};
        std::vector<TMkCell *> wanted;
        wanted.reserve(static_cast<std::size_t>(columns) + placed.size());
        std::size_t next = 0;
        std::int32_t covered = 0; // placeholders still due after a spanning cell
        for (std::int32_t k = 0; k < columns; ++k) {
            if (covered > 0) {
                wanted.push_back(nullptr);
                --covered;
                continue;
            }
            if (next == placed.size()) {
                if (budget == 0)
                    break; // the row stays short
                --budget;
                wanted.push_back(nullptr);
                continue;
            }
            TMkCell *cell = placed[next++];
            wanted.push_back(cell);
            // A placeholder, or a grid normalised before, needs nothing more.
            if (cell == nullptr || !cell->SpannedCells.empty() || cell->SpanMaster != nullptr)
                continue;
            const std::int32_t lastRow = std::min(gridRows - 1, r + cell->RowSpan - 1);
            const std::int32_t lastCol = std::min(columns - 1, k + cell->ColSpan - 1);
            covered = lastCol - k;
            for (std::int32_t rr = r + 1; rr <= lastRow; ++rr)
                for (std::int32_t kk = k; kk <= lastCol; ++kk)
                    insertions[static_cast<std::size_t>(rr)].push_back(kk);
        }
        wanted.insert(wanted.end(), placed.begin() + static_cast<std::ptrdiff_t>(next),
                      placed.end());
        RebuildRow(*rows[ri], wanted);
    }

    Columns.assign(static_cast<std::size_t>(columns), TMkColumnParam{});
    Rows.assign(static_cast<std::size_t>(gridRows), TMkRowParam{});

    // Rows cut short hold fewer cells than the grid has columns: the walk is
    // over the cells there are, not over every grid position.
    const TMkGrid grid = Grid();
    for (std::size_t r = 0; r < grid.size(); ++r)
        for (std::size_t k = 0; k < grid[r].size(); ++k) {
            TMkCell *cell = grid[r][k];
            const auto row = static_cast<std::int32_t>(r);
            const auto column = static_cast<std::int32_t>(k);
            if (cell->SpanMaster == nullptr && (cell->ColSpan > 1 || cell->RowSpan > 1)) {
                // A span cut at the grid's edge keeps what fits.
                cell->ColSpan = std::min(cell->ColSpan, columns - column);
                cell->RowSpan = std::min(cell->RowSpan, gridRows - row);
                MergeCellsIn(grid, row, column, column + cell->ColSpan - 1,
                             row + cell->RowSpan - 1);
            }
            cell->RowIndex = row;
            cell->ColIndex = column;
        }
}

// What NormalizeGrid comes to when no cell spans, without its snapshots of
// the grid: the grid is as wide as the longest row, and the shorter rows are
// filled up with placeholders at their ends, as far as the budget goes.
void TMkTable::NormalizeWithoutSpans()
{
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    for (std::size_t i = 0; i < Count(); ++i)
        if (auto *row = MkTextCast<TMkTableRow>(Child(i))) {
            std::int32_t column = 0;
            for (std::size_t j = 0; j < row->Count(); ++j)
                if (auto *cell = MkTextCast<TMkCell>(row->Child(j))) {
                    cell->ColSpan = 1; // a span of 0 or less counts as 1
                    cell->RowSpan = 1;
                    cell->RowIndex = rows;
                    cell->ColIndex = column++;
                }
            columns = std::max(columns, column);
            ++rows;
        }
    std::int64_t budget = MkMaxPlaceholderCells;
    std::int32_t rowIndex = 0;
    for (std::size_t i = 0; i < Count() && budget > 0; ++i)
        if (auto *row = MkTextCast<TMkTableRow>(Child(i))) {
            for (std::int32_t column = row->CountOf<TMkCell>(); column < columns && budget > 0;
                 ++column, --budget) {
                TMkCell *placeholder = row->Add(std::make_unique<TMkCell>(row));
                placeholder->RowIndex = rowIndex;
                placeholder->ColIndex = column;
            }
            ++rowIndex;
        }
    Columns.assign(static_cast<std::size_t>(columns), TMkColumnParam{});
    Rows.assign(static_cast<std::size_t>(rows), TMkRowParam{});
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
    copy->Columns = Columns;
    copy->Rows = Rows;
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
