#include "support/TextTestSupport.h"

#include "textobjects/MkImage.h"
#include "textobjects/MkLine.h"
#include "textobjects/MkLineBreak.h"
#include "textobjects/MkList.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkPieceOfText.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"
#include "textobjects/MkTestCanvas.h"
#include "textobjects/MkText.h"
#include "textobjects/MkTree.h"

#include <gtest/gtest.h>

namespace {

// On the test canvas at 10 points every byte is 6 pixels wide and a line 13
// pixels high.
class LayoutTest : public ::testing::Test {
protected:
    TMkTestCanvas canvas;
    TMkFont font = testkit::BaseFont();

    static TMkParagraph *Words(TMkParsedTextList &parent, const std::vector<std::string> &words)
    {
        auto *p = parent.Add(std::make_unique<TMkParagraph>(&parent));
        for (const auto &w : words) {
            if (w == "<BR>")
                p->Add(std::make_unique<TMkLineBreak>(p));
            else
                p->Add(std::make_unique<TMkText>(w, p));
        }
        return p;
    }
    TMkRect Bounds(TMkBaseText &object, std::int32_t width, bool singleLine = false,
                   bool wordWrap = true)
    {
        return object.GetBounds({canvas, {0, 0, width, 1000}, font, singleLine, wordWrap});
    }

    // One row of cells holding one word each; widths in the size encoding.
    std::unique_ptr<TMkTable> Table(const std::vector<std::pair<std::string, std::int32_t>> &cells)
    {
        auto table = std::make_unique<TMkTable>(nullptr);
        auto *row = table->Add(std::make_unique<TMkTableRow>(table.get()));
        for (const auto &[word, width] : cells) {
            auto *cell = row->Add(std::make_unique<TMkCell>(row));
            cell->CellWidth = width;
            cell->Add(std::make_unique<TMkText>(word, cell));
        }
        table->NormalizeGrid();
        return table;
    }
    std::vector<std::int32_t> ColumnWidths(const TMkTable &table)
    {
        std::vector<std::int32_t> widths;
        for (const TMkColumnParam &c : table.Columns)
            widths.push_back(c.Width);
        return widths;
    }
};

} // namespace

TEST_F(LayoutTest, ParagraphWrapsBeforeTheWordThatDoesNotFit)
{
    TMkParsedTextList root(nullptr);
    TMkParagraph *p = Words(root, {"a", " ", "b"});
    // "a " is 12 wide, "a b" 18: a width of 15 holds the first two only.
    EXPECT_EQ(Bounds(*p, 15), (TMkRect{0, 0, 13, 26}));
    EXPECT_EQ(Bounds(*p, 15, true), (TMkRect{0, 0, 19, 13}));
    EXPECT_EQ(Bounds(*p, 15, false, false), (TMkRect{0, 0, 19, 13}));
    // Exactly as wide as all three still wraps: a line must stay narrower.
    EXPECT_EQ(Bounds(*p, 18), (TMkRect{0, 0, 13, 26}));
    EXPECT_EQ(Bounds(*p, 19), (TMkRect{0, 0, 19, 13}));
}

TEST_F(LayoutTest, ParagraphEdgeCases)
{
    TMkParsedTextList root(nullptr);
    TMkParagraph *wide = Words(root, {"a", "abcd", "b"});
    // The wide word stands alone: lines "a", "abcd", "b".
    EXPECT_EQ(Bounds(*wide, 10), (TMkRect{0, 0, 25, 39}));

    TMkParagraph *spaces = Words(root, {" ", " ", " ", "a"});
    // The overflowing line of blanks is dropped without height.
    EXPECT_EQ(Bounds(*spaces, 15), (TMkRect{0, 0, 13, 13}));

    TMkParagraph *onlySpaces = Words(root, {" "});
    EXPECT_EQ(Bounds(*onlySpaces, 100, true), (TMkRect{0, 0, 1, 0}));

    // A break on an empty line takes the height of "W"; two breaks two lines.
    TMkParagraph *breaks = Words(root, {"<BR>", "ab", "<BR>"});
    EXPECT_EQ(Bounds(*breaks, 100, true), (TMkRect{0, 0, 13, 26}));

    // Without wrapping, a break cuts the width down to the available width.
    TMkParagraph *cut = Words(root, {"abcdefghij", "<BR>"});
    EXPECT_EQ(Bounds(*cut, 30, false, false), (TMkRect{0, 0, 31, 13}));

    TMkParagraph *right = Words(root, {"ab"});
    right->Align = "RIGHT";
    EXPECT_EQ(Bounds(*right, 100, true), (TMkRect{0, 0, 101, 13}));
    TMkParagraph *center = Words(root, {"ab"});
    center->Align = "center";
    // 12 + (100 - 12) / 2 = 56
    EXPECT_EQ(Bounds(*center, 100, true), (TMkRect{0, 0, 57, 13}));
}

TEST_F(LayoutTest, WordsTakeTheirFontAndLinksTheirColour)
{
    TMkText word("casa", nullptr);
    word.EditStyle().FontName = "verdana";
    word.EditStyle().FontSize = "14";
    word.EditStyle().FontStyle = MkFontBold;
    word.EditStyle().Color = 0x000044;
    // 14 points: (42 + 2) / 5 = 8 per byte, (70 + 2) / 4 = 18 high.
    EXPECT_EQ(Bounds(word, 100), (TMkRect{0, 0, 32, 18}));
    EXPECT_EQ(canvas.Font().Name, "verdana");
    EXPECT_EQ(canvas.Font().Style, MkFontBold);
    EXPECT_EQ(canvas.Font().Color, 0x000044u);

    TMkText link("go", nullptr);
    link.IsLink = 1;
    Bounds(link, 100);
    EXPECT_EQ(canvas.Font().Color, MkColorNavy);
    EXPECT_EQ(canvas.Font().Style, MkFontUnderline);
    EXPECT_EQ(canvas.Font().Size, 10);

    // The size cache follows the canvas font: a change there re-measures.
    TMkText plain("abc", nullptr);
    EXPECT_EQ(Bounds(plain, 100).Right, 18);
    plain.Text = "abcdef";
    EXPECT_EQ(Bounds(plain, 100).Right, 18); // nothing changed: cached
    canvas.SetFontSize(20);
    EXPECT_EQ(Bounds(plain, 100).Right, 36);
}

TEST_F(LayoutTest, AWordIsLaidOutAgainWhenTheFontNameChangesAnywhereButInCase)
{
    TMkText word("casa", nullptr);
    const TMkLayoutArgs args{canvas, {0, 0, 100, 1000}, font, false, true};
    // Names past 15 bytes, which the laid state keeps apart from short ones.
    canvas.SetFontName("Lucida Sans Unicode");
    EXPECT_TRUE(word.NeedsLayout(args));
    EXPECT_FALSE(word.NeedsLayout(args));
    canvas.SetFontName("LUCIDA SANS UNICODE");
    EXPECT_FALSE(word.NeedsLayout(args));
    canvas.SetFontName("Lucida Sans Unicodf");
    EXPECT_TRUE(word.NeedsLayout(args));
    canvas.SetFontName("Verdana");
    EXPECT_TRUE(word.NeedsLayout(args));
    canvas.SetFontName("Lucida Sans Unicodf");
    EXPECT_TRUE(word.NeedsLayout(args));
    // Accented letters of the code page count as one name in either case,
    // whatever the C library's locale says.
    canvas.SetFontName("Caract\xE8re");
    EXPECT_TRUE(word.NeedsLayout(args));
    canvas.SetFontName("CARACT\xC8RE");
    EXPECT_FALSE(word.NeedsLayout(args));
}

TEST_F(LayoutTest, PlainListsStackTwoPixelsApartAndSkipEmptyChildren)
{
    TMkParsedTextList root(nullptr);
    Words(root, {"ab"});
    root.Add(std::make_unique<TMkParagraph>(&root)); // 1 by 0: skipped
    auto *rule = root.Add(std::make_unique<TMkLine>(&root));
    Words(root, {"abcdef"});
    const TMkRect b = Bounds(root, 100);
    EXPECT_EQ(rule->Width, 100);
    // 13, gap, rule 8, gap, 13
    EXPECT_EQ(b, (TMkRect{0, 0, 100, 13 + 2 + 8 + 2 + 13}));
}

TEST_F(LayoutTest, PercentTableRoundsHalvesToEven)
{
    auto table = Table({{"x", 0}});
    table->TableWidth = -50;
    EXPECT_EQ(Bounds(*table, 201).Right, 100); // round(200 * 50 / 100)
    table->TableWidth = -25;
    EXPECT_EQ(Bounds(*table, 203).Right, 50); // 50.5 goes to 50
    EXPECT_EQ(Bounds(*table, 207).Right, 52); // 51.5 goes to 52

    // The minimum wins over the percentage.
    auto wide = Table({{std::string(30, 'w'), 0}});
    wide->TableWidth = -50;
    EXPECT_EQ(Bounds(*wide, 201).Right, 182); // 180 + 2 of inset
}

TEST_F(LayoutTest, TablesShareSurplusWidthByCellKind)
{
    auto automatic = Table({{"x", 0}, {"x", 0}, {"x", 0}});
    EXPECT_EQ(Bounds(*automatic, 101).Right, 100);
    EXPECT_EQ(ColumnWidths(*automatic), (std::vector<std::int32_t>{33, 33, 34}));

    auto fixed = Table({{"x", 20}, {"x", 20}, {"x", 20}});
    EXPECT_EQ(Bounds(*fixed, 101).Right, 100);
    EXPECT_EQ(ColumnWidths(*fixed), (std::vector<std::int32_t>{20, 20, 60}));

    // A fixed first column, as in the game's rows, and two automatic ones.
    auto game = Table({{" ", 30}, {"casa", 0}, {"x", 0}});
    EXPECT_EQ(Bounds(*game, 301).Right, 300);
    EXPECT_EQ(ColumnWidths(*game), (std::vector<std::int32_t>{30, 135, 135}));

    // Star widths weigh 100 + N more than automatic cells: 1* takes 201 of
    // 202 shares.
    auto star = Table({{"x", -101}, {"x", 0}});
    Bounds(*star, 203);
    EXPECT_EQ(ColumnWidths(*star), (std::vector<std::int32_t>{194, 8}));

    // Percent cells take their share of what the fixed cells left.
    auto percent = Table({{"x", 40}, {"x", -50}, {"x", 0}});
    Bounds(*percent, 141);
    EXPECT_EQ(ColumnWidths(*percent), (std::vector<std::int32_t>{40, 50, 50}));
}

TEST_F(LayoutTest, PaddingAddsMoreToRowsThanToColumns)
{
    auto plain = Table({{"x", 0}});
    auto padded = Table({{"x", 0}});
    padded->CellPadding = 2;
    Bounds(*plain, 101);
    Bounds(*padded, 101);
    EXPECT_EQ(padded->MinTableWidth - plain->MinTableWidth, 4);
    EXPECT_EQ(padded->TotalHeight - plain->TotalHeight, 2 * 2 + 9);
    // Content 13 + 2 exceeds the cell's default height of 10; plus the inset.
    EXPECT_EQ(plain->TotalHeight, 17);

    // Border and spacing count as well.
    auto framed = Table({{"x", 0}, {"y", 0}});
    framed->Border = 2;
    framed->CellSpacing = 3;
    Bounds(*framed, 101);
    EXPECT_EQ(framed->MinTableWidth, 2 * (6 + 2 * (1 + 2)));
    EXPECT_EQ(framed->Width, 100 + 2 * 3);
    EXPECT_EQ(framed->Height, 13 + 2 + 2 * 3 + 3);
}

TEST_F(LayoutTest, CellsTakeTheirSizeFromTheGrid)
{
    auto table = Table({{"x", 0}, {"y", 0}});
    table->CellSpacing = 3;
    auto *row = table->Row(0);
    row->CellAt(0)->ColSpan = 2;
    row->Delete(1);
    table->Add(std::make_unique<TMkTableRow>(table.get()))
        ->Add(std::make_unique<TMkCell>(table->Row(1)));
    table->NormalizeGrid();
    Bounds(*table, 101);
    TMkCell *span = table->Cell(0, 0);
    const TMkRect b = span->GetBounds({canvas, {}, font, false, true});
    EXPECT_EQ(b.Right, table->Columns[0].Width + table->Columns[1].Width + 3);
    EXPECT_EQ(table->Cell(1, 1)->GetBounds({canvas, {}, font, false, true}).Right,
              table->Columns[1].Width);
}

TEST_F(LayoutTest, HostileTableValuesStayInRange)
{
    auto table = Table({{"x", 2147483647}, {"y", -2147483647 - 1}, {"z", -100}});
    table->CellPadding = 2147483647;
    table->Border = 2147483647;
    table->CellSpacing = 2147483647;
    table->TableWidth = 2147483647;
    const TMkRect b = Bounds(*table, 2147483647);
    EXPECT_GE(b.Right, 0);
    EXPECT_GE(b.Bottom, 0);
    table->Paint({canvas, {0, 0, 100, 100}, {}, font, NoColor, false, true, false});
}

TEST_F(LayoutTest, ListsIndentTheirItemsAndCountTheGaps)
{
    TMkList list(nullptr, 1);
    for (const char *w : {"ab", "abcd"}) {
        auto *item = list.Add(std::make_unique<TMkListItem>(&list));
        Words(*item, {w});
    }
    list.Add(std::make_unique<TMkListItem>(&list)); // empty: height of "W"
    // Items 25, 13 high (+1 width of the paragraph); empty item 13 high.
    EXPECT_EQ(Bounds(list, 200, true), (TMkRect{0, 0, 25 + 20, 3 * (13 + 2)}));
    // Laying out again does not widen the list.
    EXPECT_EQ(Bounds(list, 150, true).Right, 45);
}

TEST_F(LayoutTest, TreesIndentNestedTrees)
{
    TMkTree tree(nullptr);
    tree.TreeKind = 1;
    Words(tree, {"abc"});
    auto *nested = tree.Add(std::make_unique<TMkTree>(&tree));
    Words(*nested, {"abcdef"});
    const TMkRect b = Bounds(tree, 200, true);
    // Nested: 37 wide + 10 of indent; heights (13 + 2) + ((13 + 2) + 2).
    EXPECT_EQ(b, (TMkRect{0, 0, 47, 32}));
}
