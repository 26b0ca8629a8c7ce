#include "support/TokenDump.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"
#include "markup/html/MkHTMLLex.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

// The data cases, lexer/NAME.html and NAME.tokens, are run by CTest.

TEST(HTMLLex, KeepsReturningEndTokensAfterTheEnd)
{
    TMkHTMLLex lex;
    TMkMemoryStream stream(std::string_view("x"));
    EXPECT_EQ(lex.NextToken(stream)->Kind, TMkTokenKind::Text);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lex.NextToken(stream)->Kind, TMkTokenKind::End);
}

TEST(HTMLLex, ReadsFromTheStreamPositionWithoutCopying)
{
    std::string markup = "<b>x";
    TMkMemoryStream stream(markup);
    stream.SetPosition(3);
    TMkHTMLLex lex;
    markup[3] = 'y'; // the stream is a view: the change is seen
    auto token = lex.NextToken(stream);
    ASSERT_EQ(token->Kind, TMkTokenKind::Text);
    EXPECT_EQ(static_cast<TMkTextToken &>(*token).Text, "y");
}

namespace {

// The same bytes as a memory stream, handed out one at a time only: the
// lexers read it through their byte-by-byte path.
class TByteByByteStream : public TMkByteStream {
public:
    explicit TByteByByteStream(std::string_view bytes) : memory_(bytes) {}
    std::int64_t Size() const override { return memory_.Size(); }
    std::int64_t Position() const override { return memory_.Position(); }
    void SetPosition(std::int64_t position) override { memory_.SetPosition(position); }
    bool ReadByte(std::uint8_t &byte) override { return memory_.ReadByte(byte); }

private:
    TMkMemoryStream memory_;
};

std::string LexDump(TMkByteStream &stream)
{
    TMkHTMLLex lex;
    std::string dump;
    for (;;) {
        const auto token = lex.NextToken(stream);
        dump += testkit::DumpToken(*token) + "\n";
        if (token->Kind == TMkTokenKind::End)
            return dump;
    }
}

} // namespace

// Memory streams are scanned a run of bytes at a time; the tokens must be
// those of reading byte by byte, on markup made of the bytes that matter.
TEST(HTMLLex, RunsReadAsByteByByte)
{
    static constexpr char chars[] = "<>=\"' \t\r\n-!/ab\0";
    const std::string alphabet(chars, sizeof chars - 1); // the NUL byte included
    std::mt19937 random(20261209);
    for (int i = 0; i < 3000; ++i) {
        std::string markup(random() % 40, ' ');
        for (char &c : markup)
            c = alphabet[random() % alphabet.size()];
        TMkMemoryStream memory(markup);
        TByteByByteStream bytes(markup);
        ASSERT_EQ(LexDump(memory), LexDump(bytes)) << testing::PrintToString(markup);
    }
}

TEST(HTMLLex, BaseLexerRefusesToRead)
{
    TMkLex lex;
    TMkMemoryStream stream(std::string_view("x"));
    EXPECT_THROW(lex.NextToken(stream), std::logic_error);
    EXPECT_EQ(lex.Class().Create()->Class().ClassName, std::string("TMkLex"));
}

TEST(HTMLLex, CharacterSets)
{
    TMkHTMLLex lex;
    EXPECT_EQ(lex.WhitespaceChars(), MkCharSet("\t\n\r "));
    EXPECT_EQ(lex.QuoteChars(), MkCharSet("\"'"));
    EXPECT_EQ(lex.DelimiterChars(), MkCharSet("<=>\t\n\r "));
    EXPECT_EQ(lex.TMkLex::DelimiterChars(), MkCharSet("\t\n\r "));
    // The class value makes lexers of the same class.
    auto made = TMkHTMLLex::StaticClass().Create();
    EXPECT_NE(dynamic_cast<TMkHTMLLex *>(made.get()), nullptr);
}

TEST(Token, AttributesReadIgnoringCaseAndEmptyReadsAsAbsent)
{
    const auto tokens =
        testkit::LexAll("<FONT FACE=\"verdana\" SIZE=\"3\"><td width=\"\"><!-- note -->");
    const auto &font = static_cast<const TMkTagToken &>(*tokens[0]);
    std::string value = "stale";
    EXPECT_TRUE(font.GetAttribute("size", value));
    EXPECT_EQ(value, "3");
    EXPECT_FALSE(font.GetAttribute("color", value));
    EXPECT_EQ(value, "");

    const auto &td = static_cast<const TMkTagToken &>(*tokens[1]);
    EXPECT_FALSE(td.GetAttribute("width", value));

    TMkTagToken tag("x");
    tag.Attributes = {"a=", "b=1=2"};
    EXPECT_FALSE(tag.GetAttribute("A", value)); // present but empty
    EXPECT_TRUE(tag.GetAttribute("b", value));
    EXPECT_EQ(value, "1=2"); // only the first '=' separates

    // A line without '=' (a comment's text) has no name at all.
    const auto &comment = static_cast<const TMkTagToken &>(*tokens[2]);
    ASSERT_EQ(comment.Attributes.size(), 1u);
    EXPECT_FALSE(comment.GetAttribute("    note --", value));
}

TEST(Token, CloneMakesAnIndependentCopyOfTheSameClass)
{
    TMkTagToken tag("img");
    tag.Attributes = {"src=a.bmp"};
    auto copy = tag.Clone();
    auto *copiedTag = dynamic_cast<TMkTagToken *>(copy.get());
    ASSERT_NE(copiedTag, nullptr);
    EXPECT_EQ(copiedTag->Text, "img");
    tag.Attributes[0] = "src=b.bmp";
    EXPECT_EQ(copiedTag->Attributes, std::vector<std::string>{"src=a.bmp"});

    TMkTextToken text("word");
    auto textCopy = text.Clone();
    EXPECT_EQ(dynamic_cast<TMkTagToken *>(textCopy.get()), nullptr);
    EXPECT_EQ(testkit::DumpToken(*textCopy), "text \"word\"\n");

    EXPECT_EQ(TMkEofToken().Clone()->Kind, TMkTokenKind::End);
    auto renamed = tag.CreateWithText("p");
    EXPECT_EQ(renamed->Kind, TMkTokenKind::Tag);
    EXPECT_TRUE(static_cast<TMkTagToken &>(*renamed).Attributes.empty());
}
