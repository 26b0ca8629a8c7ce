#include "markup/MkToken.h"
#include "markup/MkTokenBand.h"

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
