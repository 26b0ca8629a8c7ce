#include "support/TextTestSupport.h"

#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"
#include "textobjects/MkTestCanvas.h"
#include "textobjects/MkText.h"

#include <gtest/gtest.h>

namespace {

// Rows of cells; each number is a cell's ColSpan, negative numbers a cell
// with RowSpan 2 and that ColSpan.
std::unique_ptr<TMkTable> MakeTable(const std::vector<std::vector<int>> &rows)
{
    auto table = std::make_unique<TMkTable>(nullptr);
    for (const auto &spans : rows) {
        auto *row = table->Add(std::make_unique<TMkTableRow>(table.get()));
        for (int span : spans) {
            auto *cell = row->Add(std::make_unique<TMkCell>(row));
            cell->ColSpan = span < 0 ? -span : span;
            cell->RowSpan = span < 0 ? 2 : 1;
        }
    }
    return table;
}

} // namespace

TEST(TableGrid, ColumnSpanGetsAPlaceholderCoveredByTheFirstCell)
{
    auto tableOwner = MakeTable({{2}, {1, 1}});
    TMkTable &table = *tableOwner;
    TMkCell *first = table.Row(0)->CellAt(0);
    table.NormalizeGrid();
    EXPECT_EQ(table.ColCount(), 2);
    EXPECT_EQ(table.RowCount(), 2);
    ASSERT_EQ(table.Row(0)->CellCount(), 2);
    EXPECT_EQ(table.Cell(0, 0), first);
    EXPECT_EQ(table.Cell(0, 1)->SpanMaster, first);
    EXPECT_EQ(first->SpannedCells, (std::vector<TMkCell *>{table.Cell(0, 1)}));
    EXPECT_TRUE(first->IsSpanned());
    EXPECT_FALSE(table.Cell(1, 1)->IsSpanned());
    EXPECT_EQ(table.Cell(1, 1)->RowIndex, 1);
    EXPECT_EQ(table.Cell(1, 1)->ColIndex, 1);
    EXPECT_EQ(table.Cell(2, 0), nullptr);
    EXPECT_EQ(table.Cell(0, 2), nullptr);
    EXPECT_EQ(table.Column(2), nullptr);
    EXPECT_NE(table.RowParam(1), nullptr);
}

TEST(TableGrid, RowSpanPushesTheCoveredRowsCellsRight)
{
    auto tableOwner = MakeTable({{-1, 1}, {1}});
    TMkTable &table = *tableOwner;
    TMkCell *lower = table.Row(1)->CellAt(0);
    table.NormalizeGrid();
    EXPECT_EQ(table.ColCount(), 2);
    EXPECT_EQ(table.Cell(1, 0)->SpanMaster, table.Cell(0, 0));
    EXPECT_EQ(table.Cell(1, 1), lower);

    // A span below the last row adds rows.
    auto grownOwner = MakeTable({{-1}});
    TMkTable &grown = *grownOwner;
    grown.NormalizeGrid();
    EXPECT_EQ(grown.RowCount(), 2);
    EXPECT_EQ(grown.Cell(1, 0)->SpanMaster, grown.Cell(0, 0));

    // Short rows are filled up with empty cells; a span of 0 counts as 1.
    auto raggedOwner = MakeTable({{1, 0, 1}, {1}});
    TMkTable &ragged = *raggedOwner;
    ragged.NormalizeGrid();
    EXPECT_EQ(ragged.ColCount(), 3);
    EXPECT_EQ(ragged.Cell(0, 1)->ColSpan, 1);
    ASSERT_EQ(ragged.Row(1)->CellCount(), 3);
    EXPECT_EQ(ragged.Cell(1, 2)->RowIndex, 1);
    EXPECT_EQ(ragged.Cell(1, 2)->ColIndex, 2);

    // Normalising again does not add placeholders twice.
    grown.NormalizeGrid();
    EXPECT_EQ(grown.Row(1)->CellCount(), 1);
}

// Lays the table out and paints it on the test canvas, as a list paints an
// item.
void LayOutAndPaint(TMkTable &table)
{
    TMkTestCanvas canvas;
    const TMkFont font = testkit::BaseFont();
    const TMkRect rect{0, 0, 400, 1 << 30};
    table.GetBounds({canvas, rect, font, true, true});
    table.Paint({canvas, rect, {}, font, 0xFFFFFF, true, true, false});
}

TEST(TableGrid, HostileSpansAreBoundedButNeverTheDocumentsCells)
{
    auto wideOwner = MakeTable({{2000000000}, {0, -5}});
    TMkTable &wide = *wideOwner;
    wide.NormalizeGrid();
    EXPECT_EQ(wide.Cell(0, 0)->ColSpan, MkMaxSpan);
    EXPECT_EQ(wide.Cell(1, 0)->ColSpan, 1); // 0 counts as 1

    // COLSPAN=1000 on a thousand rows would be a million placeholders: the
    // spans the bound cannot pay for are dropped, and the rows under them
    // stay short, but every row keeps its one cell in its place.
    auto hostileOwner = MakeTable(std::vector<std::vector<int>>(1000, {MkMaxSpan}));
    TMkTable &hostile = *hostileOwner;
    hostile.NormalizeGrid();
    LayOutAndPaint(hostile);
    std::int64_t cells = 0;
    for (std::int32_t r = 0; r < hostile.RowCount(); ++r) {
        cells += hostile.Row(r)->CellCount();
        const TMkCell *first = hostile.Row(r)->CellAt(0);
        EXPECT_EQ(first->RowIndex, r);
        EXPECT_EQ(first->ColIndex, 0);
    }
    EXPECT_EQ(hostile.ColCount(), MkMaxSpan);
    EXPECT_LE(cells, 1000 + MkMaxPlaceholderCells);
    EXPECT_EQ(hostile.Row(0)->CellAt(1)->SpanMaster, hostile.Row(0)->CellAt(0));
    EXPECT_EQ(hostile.Row(999)->CellAt(0)->ColSpan, 1);

    // One row far wider than the rest: the short rows cannot all be filled.
    std::vector<std::vector<int>> ragged(50'000, {1});
    ragged.front().assign(50'000, 1);
    auto raggedOwner = MakeTable(ragged);
    TMkTable &table = *raggedOwner;
    table.NormalizeGrid();
    LayOutAndPaint(table);
    EXPECT_EQ(table.ColCount(), 50'000);
    EXPECT_EQ(table.Cell(0, 49'999)->ColIndex, 49'999);
    // The placeholders fill rows 1 and 2 and two places of row 3.
    EXPECT_EQ(table.Row(2)->CellCount(), 50'000);
    ASSERT_EQ(table.Row(3)->CellCount(), 3);
    EXPECT_EQ(table.Cell(3, 2)->RowIndex, 3);
    EXPECT_EQ(table.Cell(3, 2)->ColIndex, 2);
    EXPECT_EQ(table.Row(4)->CellCount(), 1);
    EXPECT_EQ(table.Row(49'999)->CellAt(0)->RowIndex, 49'999);
}

TEST(TableGrid, MergeCellsDissolvesOverlappingSpansAndIgnoresBadBlocks)
{
    auto tableOwner = MakeTable({{1, 1, 1}, {1, 1, 1}});
    TMkTable &table = *tableOwner;
    table.NormalizeGrid();
    table.MergeCells(0, 0, 1, 0); // (0,0)-(0,1)
    EXPECT_EQ(table.Cell(0, 1)->SpanMaster, table.Cell(0, 0));

    table.MergeCells(0, 1, 2, 1); // a block over the covered cell
    EXPECT_EQ(table.Cell(0, 0)->SpannedCells.size(), 0u);
    EXPECT_EQ(table.Cell(0, 1)->SpanMaster, nullptr);
    EXPECT_EQ(table.Cell(0, 1)->ColSpan, 2);
    EXPECT_EQ(table.Cell(0, 1)->RowSpan, 2);
    EXPECT_EQ(table.Cell(1, 2)->SpanMaster, table.Cell(0, 1));
    EXPECT_EQ(table.Cell(0, 1)->SpannedCells.size(), 3u);

    table.MergeCells(1, 0, 3, 1); // past the last column
    table.MergeCells(1, 0, 0, 1); // a single cell
    EXPECT_EQ(table.Cell(1, 0)->SpanMaster, nullptr);
    EXPECT_TRUE(table.Cell(1, 0)->SpannedCells.empty());
}

TEST(TableGrid, CloneRecreatesTheSpansAmongTheCopiedCells)
{
    auto tableOwner = MakeTable({{2}, {1, 1}});
    TMkTable &table = *tableOwner;
    table.CellSpacing = 3;
    table.Border = 2;
    table.NormalizeGrid();
    table.Cell(0, 0)->Add(std::make_unique<TMkText>("x", table.Cell(0, 0)));
    auto copy = table.Clone();
    auto &t = dynamic_cast<TMkTable &>(*copy);
    EXPECT_EQ(t.CellSpacing, 3);
    EXPECT_EQ(t.Border, 2);
    ASSERT_EQ(t.ColCount(), 2);
    TMkCell *master = t.Cell(0, 0);
    EXPECT_NE(master, table.Cell(0, 0));
    EXPECT_EQ(t.Cell(0, 1)->SpanMaster, master);
    EXPECT_EQ(master->SpannedCells, (std::vector<TMkCell *>{t.Cell(0, 1)}));
    EXPECT_EQ(master->Count(), 1u);
    EXPECT_EQ(master->OwnerTable(), &t);

    // Destroying the original leaves the copy's spans intact.
    table.Delete(0);
    EXPECT_EQ(t.Cell(0, 1)->SpanMaster, master);
}
