#include "support/TextTestSupport.h"

#include "textobjects/MkErrors.h"
#include "textobjects/MkHiddenText.h"
#include "textobjects/MkImage.h"
#include "textobjects/MkLine.h"
#include "textobjects/MkLineBreak.h"
#include "textobjects/MkList.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkPieceOfText.h"
#include "textobjects/MkRepeat.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"
#include "textobjects/MkTestCanvas.h"
#include "textobjects/MkText.h"
#include "textobjects/MkTree.h"

#include <gtest/gtest.h>

#include <random>

// Seeded random trees with extreme attribute values: layout and painting
// must not fault (the sanitizer build checks), and a fresh copy of a tree
// paints exactly like its original.

namespace {

class TRandomTrees {
public:
    explicit TRandomTrees(unsigned seed) : rng_(seed) {}

    std::unique_ptr<TMkParsedTextList> Tree()
    {
        auto root = std::make_unique<TMkParsedTextList>(nullptr);
        Fill(*root, 0);
        return root;
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    std::int32_t Extreme()
    {
        static const std::int32_t values[] = {0,       1,        -1,        2,        3,    13,
                                              30,      -50,      -100,      -101,     -150, 200,
                                              1000000, -1000000, INT32_MAX, INT32_MIN};
        return values[Pick(static_cast<int>(std::size(values)))];
    }

    std::string Word()
    {
        static const char *words[] = {" ", "a", "casa", "", "wwwwwwwwwwwwwwwwwwww", "~~VAR"};
        return words[Pick(static_cast<int>(std::size(words)))];
    }

    void Fill(TMkParsedTextList &parent, int depth)
    {
        const int n = Pick(depth < 4 ? 5 : 3);
        for (int i = 0; i < n; ++i)
            AddChild(parent, depth);
    }

    void AddChild(TMkParsedTextList &parent, int depth)
    {
        const int kind = depth < 5 ? Pick(11) : Pick(5);
        switch (kind) {
        case 0: {
            auto *t = parent.Add(std::make_unique<TMkText>(Word(), &parent));
            TMkTextStyle &style = t->EditStyle();
            style.FontSize = std::to_string(Pick(40));
            style.Position = static_cast<std::uint8_t>(Pick(4));
            style.Style3D = static_cast<std::uint8_t>(Pick(6));
            t->IsLink = static_cast<std::uint8_t>(Pick(2));
            style.LightDepth = static_cast<std::uint8_t>(Pick(256));
            break;
        }
        case 1: parent.Add(std::make_unique<TMkLineBreak>(&parent)); break;
        case 2: parent.Add(std::make_unique<TMkLine>(&parent)); break;
        case 3:
            parent.Add(std::make_unique<TMkImage>(
                &parent, TMkImageCallback{}, "", std::to_string(Extreme()),
                std::to_string(Extreme()), "missing.bmp", nullptr));
            break;
        case 4: parent.Add(std::make_unique<TMkHiddenText>(&parent, "<x>")); break;
        case 5: {
            static const char *aligns[] = {"", "RIGHT", "CENTER", "JUSTIFY"};
            Fill(*parent.Add(std::make_unique<TMkParagraph>(&parent, aligns[Pick(4)])), depth + 1);
            break;
        }
        case 6: AddTable(parent, depth); break;
        case 7: {
            auto *list =
                parent.Add(std::make_unique<TMkList>(&parent, static_cast<std::uint8_t>(Pick(2))));
            for (int i = Pick(4); i > 0; --i)
                Fill(*list->Add(std::make_unique<TMkListItem>(list)), depth + 1);
            break;
        }
        case 8: {
            auto *tree = parent.Add(std::make_unique<TMkTree>(&parent));
            tree->Indent = Extreme();
            Fill(*tree, depth + 1);
            break;
        }
        case 9: Fill(*parent.Add(std::make_unique<TMkParsedTextList>(&parent)), depth + 1); break;
        default:
            Fill(*parent.Add(std::make_unique<TMkRepeat>(&parent, TMkRepeatCallback{},
                                                         std::to_string(Pick(3)))),
                 depth + 1);
            break;
        }
    }

    void AddTable(TMkParsedTextList &parent, int depth)
    {
        auto *table = parent.Add(std::make_unique<TMkTable>(&parent));
        table->TableWidth = Extreme();
        table->CellSpacing = Pick(3) == 0 ? Extreme() : Pick(4);
        table->CellPadding = Pick(3) == 0 ? Extreme() : Pick(4);
        table->Border = Pick(3) == 0 ? Extreme() : Pick(3);
        table->Align = static_cast<std::uint8_t>(Pick(4));
        table->VAlign = static_cast<std::uint8_t>(Pick(4));
        table->BgColor = Pick(2) ? NoColor : 0x00FF00;
        for (int r = Pick(4); r > 0; --r) {
            auto *row = table->Add(std::make_unique<TMkTableRow>(table));
            for (int c = Pick(4); c > 0; --c) {
                auto *cell = row->Add(std::make_unique<TMkCell>(row));
                cell->CellWidth = Extreme();
                cell->CellHeight = Extreme();
                cell->ColSpan = Pick(8) == 0 ? Extreme() : 1 + Pick(3);
                cell->RowSpan = Pick(8) == 0 ? Extreme() : 1 + Pick(3);
                cell->VAlign = static_cast<std::uint8_t>(Pick(4));
                Fill(*cell, depth + 1);
            }
        }
        table->NormalizeGrid();
    }

    std::mt19937 rng_;
};

std::string PaintAll(TMkParsedTextList &root, bool singleLine, bool whiteOut)
{
    TMkTestCanvas canvas;
    const TMkFont font = testkit::BaseFont();
    const TMkRect rect{5, 7, 405, 307};
    root.GetBounds({canvas, rect, font, singleLine, true});
    root.Paint({canvas, rect, {}, font, 0xFFFFFF, singleLine, true, whiteOut});
    return canvas.Dump();
}

} // namespace

TEST(TRandomTrees, LayOutAndPaintLikeTheirCopies)
{
    for (unsigned seed = 1; seed <= 100; ++seed) {
        TRandomTrees maker(seed);
        auto tree = maker.Tree();
        tree->ResolveVariables([](TMkBaseText &, const std::string &) { return std::string("v"); });
        auto copy = tree->Clone();
        auto &clone = dynamic_cast<TMkParsedTextList &>(*copy);
        const bool singleLine = seed % 2 == 0;
        const bool whiteOut = seed % 7 == 0;
        const std::string original = PaintAll(*tree, singleLine, whiteOut);
        EXPECT_EQ(PaintAll(clone, singleLine, whiteOut), original) << "seed " << seed;
        // A second paint may differ in font state (words measured from the
        // cache leave another font in the canvas), but must not fault either.
        PaintAll(*tree, !singleLine, !whiteOut);
    }
}
