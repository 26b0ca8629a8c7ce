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

#include <gtest/gtest.h>

using Kind = TMkCanvasCall::Kind;

namespace {

class PaintTest : public ::testing::Test {
protected:
    TMkTestCanvas canvas;
    TMkFont font = testkit::BaseFont();

    // As a container does: bounds first, then paint.
    void Paint(TMkBaseText &object, TMkRect rect, bool whiteOut = false, TMkColor back = 0x00FF00,
               TMkPoint offset = {})
    {
        object.GetBounds({canvas, rect, font, true, true});
        object.Paint({canvas, rect, offset, font, back, true, true, whiteOut});
    }

    // A table of one row; every cell holds one word and has a red background.
    static std::unique_ptr<TMkTable> Table(const std::vector<std::string> &words)
    {
        auto table = std::make_unique<TMkTable>(nullptr);
        auto *row = table->Add(std::make_unique<TMkTableRow>(table.get()));
        for (const auto &word : words) {
            auto *cell = row->Add(std::make_unique<TMkCell>(row));
            cell->BgColor = MkColorRed;
            cell->Add(std::make_unique<TMkText>(word, cell));
        }
        table->NormalizeGrid();
        return table;
    }
};

} // namespace

TEST_F(PaintTest, ReliefStylesDrawTheirPassesInOrder)
{
    TMkText word("ab", nullptr);
    word.EditStyle().Color = 0x0000AA;
    word.EditStyle().LightColor = 0x111111;
    word.EditStyle().ShadowColor = 0x222222;
    word.EditStyle().Style3D = 4;
    Paint(word, {10, 20, 100, 100});
    const auto texts = canvas.CallsOf(Kind::TextRect);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].At, (TMkPoint{12, 22}));
    EXPECT_EQ(texts[0].Font.Color, 0x222222u);
    EXPECT_EQ(texts[1].At, (TMkPoint{10, 20}));
    EXPECT_EQ(texts[1].Font.Color, 0x111111u);
    EXPECT_EQ(texts[2].At, (TMkPoint{11, 21}));
    EXPECT_EQ(texts[2].Font.Color, 0x00FF00u); // the face in the back colour
    EXPECT_EQ(texts[2].Rect, (TMkRect{10, 20, 100, 100}));
    EXPECT_EQ(canvas.Font().Color, 0x0000AAu); // restored
    EXPECT_EQ(canvas.BrushStyle(), TMkBrushStyle::Clear);

    const std::vector<std::vector<TMkPoint>> expected = {
        {{10, 20}},
        {{12, 22}, {10, 20}},
        {{8, 18}, {10, 20}},
        {{10, 20}, {13, 23}, {11, 21}},
    };
    word.EditStyle().LightDepth = 2;
    for (std::uint8_t style = 0; style < 4; ++style) {
        canvas.ClearCalls();
        word.EditStyle().Style3D = style;
        Paint(word, {10, 20, 100, 100});
        std::vector<TMkPoint> at;
        for (const auto &c : canvas.CallsOf(Kind::TextRect))
            at.push_back(c.At);
        EXPECT_EQ(at, expected[style]) << int(style);
    }
    canvas.ClearCalls();
    word.EditStyle().Style3D = 9;
    Paint(word, {10, 20, 100, 100});
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(PaintTest, LoweredAndRaisedTextAreHalfSize)
{
    TMkText sub("x", nullptr);
    sub.EditStyle().Position = 1;
    Paint(sub, {0, 0, 100, 100});
    auto texts = canvas.CallsOf(Kind::TextRect);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Font.Size, 5);
    // The full line is 13 high, the half-size text 6: it sits on the bottom.
    EXPECT_EQ(texts[0].At, (TMkPoint{0, 7}));

    canvas.ClearCalls();
    TMkText sup("x", nullptr);
    sup.EditStyle().Position = 2;
    Paint(sup, {0, 0, 100, 100});
    texts = canvas.CallsOf(Kind::TextRect);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Font.Size, 5);
    EXPECT_EQ(texts[0].At, (TMkPoint{0, 0}));

    // Nothing is drawn at or past the rectangle's far edges.
    canvas.ClearCalls();
    Paint(sub, {0, 0, 100, 7});
    Paint(sup, {0, 0, 100, 100}, false, 0, {100, 0});
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(PaintTest, WhiteOutPaintsEverythingWhite)
{
    testkit::TFakeLoader loader;
    loader.sizes["im1.bmp"] = {16, 16};
    TMkPictureStore pictures;
    TMkScopedPictureLoader scope(pictures, loader);

    auto table = Table({"ab"});
    auto *cell = table->Cell(0, 0);
    cell->Add(
        std::make_unique<TMkImage>(cell, TMkImageCallback{}, "", "", "", "im1.bmp", &pictures));
    Paint(*table, {0, 0, 200, 100}, true);
    const auto fills = canvas.CallsOf(Kind::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].BrushColor, MkColorWhite); // the red cell
    EXPECT_EQ(fills[1].BrushColor, MkColorWhite); // the picture
    EXPECT_EQ(fills[1].Rect.Right - fills[1].Rect.Left, 16);
    EXPECT_TRUE(canvas.CallsOf(Kind::Picture).empty());
    const auto texts = canvas.CallsOf(Kind::TextRect);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Font.Color, MkColorWhite);
}

TEST_F(PaintTest, PicturesAndTheirPlaceholder)
{
    testkit::TFakeLoader loader;
    loader.sizes["im1.bmp"] = {16, 16};
    TMkPictureStore store;
    TMkScopedPictureLoader scope(store, loader);
    TMkParagraph p(nullptr);
    p.Add(std::make_unique<TMkImage>(&p, TMkImageCallback{}, "", "", "", "im1.bmp", &store));
    p.Add(std::make_unique<TMkImage>(&p, TMkImageCallback{}, "", "", "", "gone.bmp", &store));
    Paint(p, {5, 5, 200, 100});
    const auto pictures = canvas.CallsOf(Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    // The 16-high picture sits on the bottom of the 24-high line.
    EXPECT_EQ(pictures[0].Rect, (TMkRect{5, 13, 21, 29}));
    const auto frames = canvas.CallsOf(Kind::OutlineRect);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Rect, (TMkRect{21, 5, 45, 29}));
    EXPECT_EQ(frames[0].PenColor, MkColorGray);
    EXPECT_EQ(frames[0].PenStyle, TMkPenStyle::Dotted);
    const auto marks = canvas.CallsOf(Kind::TextOut);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].Text, "x");
    EXPECT_EQ(marks[0].At, (TMkPoint{25, 7}));
    EXPECT_EQ(marks[0].Font.Color, MkColorRed);
}

TEST_F(PaintTest, BorderIsDrawnWithAPenOfItsWidth)
{
    auto table = Table({"ab", "cd"});
    table->Border = 2;
    table->Align = MkAlignLeft;
    Paint(*table, {0, 0, 101, 100});
    const auto lines = canvas.CallsOf(Kind::LineTo);
    ASSERT_EQ(lines.size(), 8u);
    for (const auto &l : lines)
        EXPECT_EQ(l.PenWidth, 2);
    const std::int32_t w = table->Columns[0].Width;
    const std::int32_t h = table->Rows[0].Height;
    EXPECT_EQ(lines[0].Rect, (TMkRect{0, 0, w, 0}));
    EXPECT_EQ(lines[3].Rect, (TMkRect{0, h, 0, 0}));
    // The word sits inside inset 1 + border 2.
    EXPECT_EQ(canvas.CallsOf(Kind::TextRect)[0].At, (TMkPoint{3, 3}));
}

TEST_F(PaintTest, CellSpacingOffsetsTheFirstCell)
{
    auto table = Table({"ab", "cd"});
    table->CellSpacing = 3;
    table->Align = MkAlignLeft;
    Paint(*table, {10, 10, 111, 100});
    TMkCell *first = table->Cell(0, 0);
    TMkCell *second = table->Cell(0, 1);
    EXPECT_EQ(first->Left, 3);
    EXPECT_EQ(table->Row(0)->Top, 3);
    EXPECT_EQ(second->Left, 3 + first->Width + 3);
    const auto fills = canvas.CallsOf(Kind::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].Rect.Left, 13);
    EXPECT_EQ(fills[0].Rect.Top, 13);
    EXPECT_EQ(fills[0].BrushColor, MkColorRed);
}

TEST_F(PaintTest, AlignedTableInAPlainListIsOffsetOnce)
{
    // The list applies the centring offset, the table leaves its own out.
    TMkParsedTextList root(nullptr);
    auto table = Table({"ab"});
    table->TableWidth = 50;
    TMkTable *t = root.Add(std::move(table));
    t->Parent = &root;
    Paint(root, {0, 0, 201, 100});
    // round((201 - 50) / 2) = round(75.5) = 76
    EXPECT_EQ(t->Left, 76);
    const auto fills = canvas.CallsOf(Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, (TMkRect{76, 0, 126, t->Height}));

    // In a cell the table centres itself.
    canvas.ClearCalls();
    auto outer = Table({""});
    TMkCell *cell = outer->Cell(0, 0);
    cell->Delete(0);
    cell->Align = MkAlignCenter;
    auto inner = Table({"ab"});
    inner->TableWidth = 50;
    inner->Align = MkAlignLeft; // the cell pushes its own alignment down
    TMkTable *in = cell->Add(std::move(inner));
    outer->TableWidth = 201;
    outer->Align = MkAlignLeft;
    Paint(*outer, {0, 0, 400, 200});
    EXPECT_EQ(in->Align, MkAlignCenter);
    const auto innerFill = canvas.CallsOf(Kind::FillRect).back();
    // The cell is 200 wide with an inset of 1: (198 - 50) / 2 = 74 from 1.
    EXPECT_EQ(innerFill.Rect.Left, 1 + 74);
}

TEST_F(PaintTest, ParagraphLinesShareTheirBottomAndStopBelowTheRectangle)
{
    TMkParagraph p(nullptr);
    auto *big = p.Add(std::make_unique<TMkText>("A", &p));
    big->EditStyle().FontSize = "20"; // 25 high
    auto *small = p.Add(std::make_unique<TMkText>("b", &p));
    p.Add(std::make_unique<TMkLineBreak>(&p));
    p.Add(std::make_unique<TMkText>("c", &p));
    p.Add(std::make_unique<TMkLineBreak>(&p));
    p.Add(std::make_unique<TMkText>("d", &p));
    Paint(p, {0, 0, 200, 30});
    EXPECT_EQ(small->Left, 12);
    EXPECT_EQ(small->Top, 12);
    const auto texts = canvas.CallsOf(Kind::TextRect);
    // "d" would start at 38, below the rectangle.
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2].Text, "c");
    EXPECT_EQ(texts[2].At, (TMkPoint{0, 25}));
}

TEST_F(PaintTest, ListMarkers)
{
    TMkList numbered(nullptr, 1);
    for (const char *w : {"ab", "cd"}) {
        auto *item = numbered.Add(std::make_unique<TMkListItem>(&numbered));
        auto *p = item->Add(std::make_unique<TMkParagraph>(item));
        p->Add(std::make_unique<TMkText>(w, p));
    }
    Paint(numbered, {0, 0, 200, 200});
    const auto numbers = canvas.CallsOf(Kind::TextOut);
    ASSERT_EQ(numbers.size(), 2u);
    EXPECT_EQ(numbers[0].Text, "1.");
    EXPECT_EQ(numbers[1].Text, "2.");
    EXPECT_EQ(numbers[0].At, (TMkPoint{2, 13 - 13 + 3}));
    EXPECT_EQ(numbers[1].At, (TMkPoint{2, 15 + 3}));
    EXPECT_EQ(numbers[0].Font.Size, 10);
    EXPECT_EQ(numbered.Child(1)->Top, 15);
    EXPECT_EQ(numbered.Child(1)->Left, 20);

    canvas.ClearCalls();
    TMkList bullets(nullptr, 0);
    bullets.Add(std::make_unique<TMkListItem>(&bullets));
    canvas.SetBrushColor(0x123456);
    Paint(bullets, {0, 0, 200, 200});
    const auto dots = canvas.CallsOf(Kind::Ellipse);
    ASSERT_EQ(dots.size(), 1u);
    // 2 + 13 / 4 across, 13 / 2 down, 6 by 6, black.
    EXPECT_EQ(dots[0].Rect, (TMkRect{5, 6, 11, 12}));
    EXPECT_EQ(dots[0].BrushColor, MkColorBlack);
    EXPECT_EQ(canvas.BrushColor(), 0x123456u); // restored
}

TEST_F(PaintTest, RuleDrawsALineAcrossTheRectangle)
{
    TMkLine rule(nullptr);
    Paint(rule, {10, 20, 110, 50}, false, 0x00FF00, {5, 6});
    const auto lines = canvas.CallsOf(Kind::LineTo);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Rect, (TMkRect{15, 30, 110, 30}));
    EXPECT_EQ(lines[0].BrushColor, 0x00FF00u);
}
