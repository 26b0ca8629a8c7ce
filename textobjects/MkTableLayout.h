#pragma once

#include "textobjects/MkSmallArray.h"

#include <cstddef>
#include <cstdint>
#include <span>

// What table layout works with: the grid of cells, the column and row
// parameters it computes, the alignment codes and the size encoding of
// widths and heights.  The layout itself is TMkTable's (MkTableLayout.cpp).

class TMkCell;

// The cells of a table by grid row and column, taken at one moment.  The
// rows lie one after the other in one array, which a table of a few cells
// keeps in place.  The rows are read as spans, top to bottom.
class TMkGrid {
public:
    using TRow = std::span<TMkCell *const>;

    std::size_t size() const noexcept { return rowEnds_.size(); }
    TRow operator[](std::size_t row) const noexcept
    {
        const std::size_t first = row == 0 ? 0 : rowEnds_[row - 1];
        return {cells_.data() + first, rowEnds_[row] - first};
    }

    class TIterator {
    public:
        TIterator(const TMkGrid &grid, std::size_t row) : grid_(&grid), row_(row) {}
        TRow operator*() const { return (*grid_)[row_]; }
        TIterator &operator++()
        {
            ++row_;
            return *this;
        }
        bool operator!=(const TIterator &other) const { return row_ != other.row_; }

    private:
        const TMkGrid *grid_;
        std::size_t row_;
    };
    TIterator begin() const { return {*this, 0}; }
    TIterator end() const { return {*this, size()}; }

    // Begins a row, empty until cells are added to it.
    void StartRow() { rowEnds_.push_back(cells_.size()); }
    void Add(TMkCell *cell)
    {
        cells_.push_back(cell);
        ++rowEnds_.back();
    }

private:
    TMkSmallArray<TMkCell *, 16> cells_;
    TMkSmallArray<std::size_t, 8> rowEnds_;
};

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

// Grid limits.  The grid keeps every cell of the document, however many
// the parser made; only what normalisation adds is bounded, so that a
// hostile span (COLSPAN=1000 on many rows) or a row far wider than the rest
// cannot make it grow without bound.  A span is taken as at most MkMaxSpan
// rows or columns; normalisation adds at most MkMaxPlaceholderCells cells to
// one table, first for the spans in document order (a span it cannot pay for
// in full is dropped: its cell stays, covering itself alone), then to fill
// short rows, which stay short once the bound is reached.
inline constexpr std::int32_t MkMaxSpan = 1000;
inline constexpr std::int64_t MkMaxPlaceholderCells = 100'000;

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
