#include "markup/MkTagNames.h"
#include "markup/MkToken.h"
#include "markup/MkTokenBand.h"
#include "markup/MkTokenStock.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TMkToken> Word(const char *text)
{
    return std::make_unique<TMkTextToken>(text);
}

std::string TextAt(const TMkTokenBand &band, std::int32_t i)
{
    const auto *token = dynamic_cast<const TMkTextToken *>(band.TokenAt(i));
    return token ? token->Text : "<none>";
}

std::string Texts(const TMkTokenBand &band)
{
    std::string out;
    for (std::int32_t i = 0; i < band.Count(); ++i)
        out += TextAt(band, i);
    return out;
}

} // namespace

TEST(TokenBand, CursorMovesThroughTheSpecialValues)
{
    TMkTokenBand band;
    EXPECT_EQ(band.Cursor, -1);
    band.Next();
    band.Prev();
    band.First();
    EXPECT_EQ(band.Cursor, -1); // an empty band does not move
    EXPECT_EQ(band.Current(), nullptr);

    band.Append(std::make_unique<TMkEofToken>());
    band.Next();
    EXPECT_EQ(band.Cursor, 0);
    band.Next();
    EXPECT_EQ(band.Cursor, -2);
    EXPECT_TRUE(band.AtEnd());
    band.Next();
    EXPECT_EQ(band.Cursor, -2);
    band.Prev();
    EXPECT_EQ(band.Cursor, 0);
    band.Prev();
    EXPECT_EQ(band.Cursor, -1);
    band.Prev();
    EXPECT_EQ(band.Cursor, -1);
    EXPECT_EQ(band.TokenAt(1), nullptr);
    EXPECT_EQ(band.TokenAt(-1), nullptr);
}

TEST(TokenBand, InsertAtCursorDependsOnWhereTheCursorStands)
{
    TMkTokenBand band;
    band.Append(Word("a"));
    band.Append(Word("b"));
    band.InsertAtCursor(Word("x")); // before the first: in front, cursor stays
    EXPECT_EQ(Texts(band), "xab");
    EXPECT_EQ(band.Cursor, -1);

    band.Cursor = 2;
    band.InsertAtCursor(Word("y")); // becomes current, "b" follows it
    EXPECT_EQ(Texts(band), "xayb");
    EXPECT_EQ(TextAt(band, band.Cursor), "y");

    band.Cursor = -2;
    band.InsertAtCursor(Word("z")); // past the end: appended and current
    EXPECT_EQ(Texts(band), "xaybz");
    EXPECT_EQ(band.Cursor, 4);

    band.InsertAtCursor(nullptr);
    band.Append(nullptr);
    EXPECT_EQ(band.Count(), 5);
}

TEST(TokenBand, DeleteCurrentDesignatesTheNextToken)
{
    TMkTokenBand band;
    for (const char *w : {"a", "b", "c"})
        band.Append(Word(w));
    band.Cursor = 1;
    band.DeleteCurrent();
    EXPECT_EQ(Texts(band), "ac");
    EXPECT_EQ(TextAt(band, band.Cursor), "c");
    band.DeleteCurrent(); // the last one goes: past the end
    EXPECT_EQ(band.Cursor, -2);
    band.DeleteCurrent(); // nothing to delete
    EXPECT_EQ(Texts(band), "a");
    band.Cursor = -1;
    band.DeleteCurrent(); // before the first is not a token either
    EXPECT_EQ(band.Cursor, -2);
    EXPECT_EQ(band.Count(), 1);

    band.Clear();
    EXPECT_EQ(band.Count(), 0);
    EXPECT_EQ(band.Cursor, -1);
}

// Insertions and deletions anywhere, in any order, mixed with appends, cursor
// moves and a final TakeFrom, against a plain list doing the same: the band's
// tokens and cursor must agree with it after every step.
TEST(TokenBand, EditsAnywhereKeepTheOrder)
{
    TMkTokenBand band;
    std::string model; // one letter per token
    std::int32_t cursor = TMkTokenBand::BeforeFirst;
    std::uint32_t seed = 11;
    const auto next = [&seed](std::uint32_t n) {
        return (seed = seed * 1103515245u + 12345u) / 65536u % n;
    };
    for (int step = 0; step < 4000; ++step) {
        const char letter = static_cast<char>('a' + step % 26);
        const std::string text(1, letter);
        const auto count = static_cast<std::int32_t>(model.size());
        switch (next(6)) {
        case 0:
            band.Append(Word(text.c_str()));
            model += letter;
            break;
        case 1:
        case 2:
            band.InsertAtCursor(Word(text.c_str()));
            if (cursor >= 0 && cursor < count) {
                model.insert(model.begin() + cursor, letter);
            } else if (cursor == TMkTokenBand::BeforeFirst) {
                model.insert(model.begin(), letter);
            } else {
                model += letter;
                cursor = count;
            }
            break;
        case 3:
            band.DeleteCurrent();
            if (cursor >= 0 && cursor < count)
                model.erase(model.begin() + cursor);
            if (cursor < 0 || cursor >= static_cast<std::int32_t>(model.size()))
                cursor = TMkTokenBand::PastLast;
            break;
        default: // the cursor jumps, mostly forward by a little, as the grammar moves it
            cursor = count == 0 ? TMkTokenBand::BeforeFirst
                     : next(4) == 0
                         ? static_cast<std::int32_t>(next(static_cast<std::uint32_t>(count)))
                         : std::min(count - 1, std::max(cursor, 0) + 1);
            band.Cursor = cursor;
            break;
        }
        ASSERT_EQ(band.Cursor, cursor) << "step " << step;
        ASSERT_EQ(Texts(band), model) << "step " << step;
    }
    // Taken from the middle, with the gap left wherever the edits put it.
    const auto from = static_cast<std::int32_t>(model.size() / 3);
    std::string taken;
    for (const auto &token : band.TakeFrom(from))
        taken += static_cast<const TMkTextToken &>(*token).Text;
    EXPECT_EQ(taken, model.substr(static_cast<std::size_t>(from)));
    EXPECT_EQ(Texts(band), model.substr(0, static_cast<std::size_t>(from)));
    EXPECT_EQ(band.Cursor, TMkTokenBand::BeforeFirst);
    band.Append(Word("z"));
    EXPECT_EQ(Texts(band), model.substr(0, static_cast<std::size_t>(from)) + "z");
}

// A cleared band gives its tokens to the stock, and the stock hands them out
// again as new: nothing of the last parse (name, attributes, kind, the name's
// number) may show through.  Long strings and other classes are not kept.
TEST(TokenStock, TokensComeBackFresh)
{
    TMkTagNames names;
    names.Intern("TD");
    TMkTokenStock stock;
    TMkTokenBand band;
    auto tag = std::make_unique<TMkTagToken>("td");
    tag->SetAttribute("WIDTH", "30");
    ASSERT_EQ(tag->NameId(names), names.Find("TD"));
    tag->Kind = TMkTokenKind::Dropped;
    const TMkToken *kept = tag.get();
    band.Append(std::move(tag));
    auto space = Word(" ");
    const TMkToken *keptSpace = space.get();
    band.Append(std::move(space));
    band.Append(std::make_unique<TMkTextToken>(std::string(100, 'x')));
    band.Append(std::make_unique<TMkEofToken>());
    band.Clear(&stock);
    EXPECT_EQ(band.Count(), 0);

    std::unique_ptr<TMkTagToken> again = stock.Tag();
    EXPECT_EQ(again.get(), kept);
    EXPECT_EQ(again->Kind, TMkTokenKind::Tag);
    EXPECT_TRUE(again->Text.empty());
    EXPECT_TRUE(again->Attributes.empty());
    again->Text = "p";
    names.Intern("P");
    EXPECT_EQ(again->NameId(names), names.Find("P"));

    // The short text token was kept; the long one went, room and all.
    const std::unique_ptr<TMkTextToken> a = stock.Text("a");
    EXPECT_EQ(a.get(), keptSpace);
    EXPECT_EQ(a->Text, "a");
    const std::unique_ptr<TMkTextToken> b = stock.Text("b");
    EXPECT_EQ(b->Text, "b");
    EXPECT_LT(b->Text.capacity(), 100u);
    EXPECT_EQ(stock.Tag()->Kind, TMkTokenKind::Tag);
}

// A row's room stays for the next row; a long document's goes with it.
TEST(TokenBand, ClearKeepsTheRoomOfAShortDocumentOnly)
{
    TMkTokenBand band;
    for (int i = 0; i < 100; ++i)
        band.Append(Word("a"));
    const std::size_t rowRoom = band.Room();
    band.Clear();
    EXPECT_EQ(band.Room(), rowRoom);

    for (std::size_t i = 0; i <= TMkTokenBand::MostKeptRoom; ++i)
        band.Append(Word("a"));
    band.Cursor = 3;
    band.Clear();
    EXPECT_EQ(band.Room(), 0u);
    EXPECT_EQ(band.Cursor, TMkTokenBand::BeforeFirst);
    band.Append(Word("b"));
    EXPECT_EQ(Texts(band), "b");
}
