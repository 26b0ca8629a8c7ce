#pragma once

#include <cstdint>
#include <vector>

// What table layout works with: the grid of cells, the column and row
// parameters it computes, the alignment codes and the size encoding of
// widths and heights.  The layout itself is TMkTable's (MkTableLayout.cpp).

class TMkCell;

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
