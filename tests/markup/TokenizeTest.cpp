#include "support/TestParser.h"
#include "support/TokenDump.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkRepeat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testkit::DumpBand;
using testkit::TTestParser;

// The data cases, tokenize/NAME.html and NAME.band, are run by CTest.

TEST(Tokenize, RepeatHandlerIsToldOfEachCopyBeforeItsVariables)
{
    std::vector<std::string> calls;
    TTestParser parser;
    const TTestParser *self = &parser;
    parser.TokenizeText(
        "<repeat count=3><~~x></repeat>",
        [&](const TMkHandlerSender &sender, const std::string &name) {
            EXPECT_EQ(sender.Parser, self);
            calls.push_back("var " + name);
            return std::to_string(calls.size());
        },
        [&](const TMkHandlerSender &sender, std::int32_t index) {
            EXPECT_EQ(sender.Parser, self);
            calls.push_back("copy " + std::to_string(index));
        });
    EXPECT_EQ(calls,
              (std::vector<std::string>{"copy 0", "var X", "copy 1", "var X", "copy 2", "var X"}));
    EXPECT_EQ(DumpBand(parser.Band), "text \"2\"\ntext \"4\"\ntext \"6\"\nend\n");
}

// A count given as a variable is asked for whenever its block is passed
// over inside an enclosing block's body, and again when its own turn comes;
// a literal count is never asked for.
TEST(Tokenize, NestedVariableCountsAreAskedForAtEveryPass)
{
    std::string calls;
    TTestParser parser;
    parser.TokenizeText(
        "<repeat count=2>a<repeat count=~~m>b<repeat count=~~k>c</repeat>"
        "<repeat count=3>d</repeat></repeat></repeat>",
        [&](const TMkHandlerSender &, const std::string &name) {
            calls += name + ' ';
            return std::string(name == "M" ? "2" : "1");
        },
        [&](const TMkHandlerSender &, std::int32_t index) {
            calls += std::to_string(index) + ' ';
        });
    // Copy numbers, and the variables M and K as they are asked for.
    // The outer block: its body scanned, then each copy substituted.
    const std::string outer = "M K 0 M K 1 M K ";
    // Each copy's M block: its count, its body scanned, its two copies, then
    // each copy's K block (one copy) and literal block (three copies).
    const std::string inner = "M K 0 K 1 K K 0 0 1 2 K 0 0 1 2 ";
    EXPECT_EQ(calls, outer + inner + inner);
}

TEST(Tokenize, CountOfOneOrLessCallsTheRepeatHandlerOnce)
{
    for (const char *count : {"1", "0", "-2", "x"}) {
        SCOPED_TRACE(count);
        std::vector<std::int32_t> indexes;
        TTestParser parser;
        parser.TokenizeText(
            std::string("<repeat count=") + count + ">a</repeat>", {},
            [&](const TMkHandlerSender &, std::int32_t i) { indexes.push_back(i); });
        EXPECT_EQ(indexes, std::vector<std::int32_t>{0});
    }
}

TEST(Tokenize, UnassignedVariableHandlerEmptiesReferences)
{
    TTestParser parser;
    parser.TokenizeText("<repeat count=~~n><img src=~~a alt=x><~~b></repeat>");
    EXPECT_EQ(DumpBand(parser.Band), "tag \"img\"\n  attr \"alt=x\"\ntext \"\"\nend\n");
}

// A lexer that hands out a dropped token between two words.
class TDroppingLex : public TMkLex {
public:
    std::unique_ptr<TMkToken> NextToken(TMkByteStream &stream) override
    {
        std::uint8_t c = 0;
        if (!stream.ReadByte(c))
            return std::make_unique<TMkEofToken>();
        if (c == '#') {
            auto dropped = std::make_unique<TMkTextToken>("#");
            dropped->Kind = TMkTokenKind::Dropped;
            return dropped;
        }
        return std::make_unique<TMkTextToken>(std::string(1, static_cast<char>(c)));
    }
    static const TMkLexClass &StaticClass()
    {
        static const TMkLexClass cls{"TDroppingLex",
                                     [] { return std::unique_ptr<TMkLex>(new TDroppingLex); }};
        return cls;
    }
};

TEST(Tokenize, DroppedTokensVanishAndSplitTextRuns)
{
    TTestParser parser(TDroppingLex::StaticClass());
    EXPECT_EQ(parser.LexerClass().ClassName, std::string("TDroppingLex"));
    parser.TokenizeText("ab#c");
    EXPECT_EQ(DumpBand(parser.Band), "text \"ab\"\ntext \"c\"\nend\n");
}

TEST(Tokenize, ParseReadsFromTheStreamPosition)
{
    TTestParser parser;
    TMkMemoryStream stream(std::string_view("skip<b>"));
    stream.SetPosition(4);
    parser.Parse(stream, {}, {}, {}, {});
    EXPECT_EQ(DumpBand(parser.Band), "tag \"b\"\nend\n");
}

// Hostile counts: the copies are bounded, so neither memory nor time runs away.
TEST(Tokenize, RepeatExpansionIsBounded)
{
    TTestParser parser;
    parser.TokenizeText("<repeat count=2000000000>w</repeat>");
    EXPECT_EQ(parser.Band.Count(), MkMaxRepeatCount + 1); // the copies and the end token

    parser.TokenizeText("<repeat count=10000><repeat count=10000><b>w</b></repeat></repeat>");
    EXPECT_LE(parser.Band.Count(), parser.MaxExpandedTokens + 4);
    EXPECT_GT(parser.Band.Count(), parser.MaxExpandedTokens / 2);

    // An empty body with a huge count asks the handler only a bounded number of times.
    std::int64_t calls = 0;
    parser.TokenizeText("<repeat count=2147483647></repeat>x", {},
                        [&](const TMkHandlerSender &, std::int32_t) { ++calls; });
    EXPECT_LE(calls, MkMaxRepeatCount);
    EXPECT_EQ(DumpBand(parser.Band), "text \"x\"\nend\n");
}

namespace {

// The piece again and again, until the text is 64 KiB or just over.
std::string At64KiB(const std::string &piece)
{
    std::string text;
    while (text.size() < 64 * 1024)
        text += piece;
    return text;
}

} // namespace

TEST(Tokenize, EveryOneOfManySmallRepeatBlocksExpands)
{
    // 64 KiB of small blocks: each expansion must not rescan the whole band.
    const std::string markup = At64KiB("<repeat count=3>ab</repeat>");
    TTestParser parser;
    parser.TokenizeText(markup);
    EXPECT_EQ(parser.Band.Count(), static_cast<std::int32_t>(markup.size() / 27) * 3 + 1);
}

TEST(Tokenize, UnclosedRepeatBlocksStopOnTheWorkBound)
{
    // Every block lacks its /REPEAT, so each one's body is the whole rest of
    // the band, copies included.  Expansion stops on its bounds and leaves
    // the blocks it did not reach as REPEAT tags for the parser.
    const std::string markup = At64KiB("<repeat count=2>ab");
    TTestParser parser;
    parser.TokenizeText(markup);
    EXPECT_LE(parser.Band.Count(),
              parser.MaxExpandedTokens + static_cast<std::int32_t>(markup.size()));
    std::int32_t left = 0;
    for (std::int32_t i = 0; i < parser.Band.Count(); ++i)
        left += testkit::DumpToken(*parser.Band.TokenAt(i)).rfind("tag \"repeat\"", 0) == 0;
    EXPECT_GT(left, 0);
}
