#include "support/EngineTest.h"
#include "support/HTMLTestSupport.h"

#include "markup/MkByteStream.h"
#include "markup/MkEmbdControl.h"
#include "markup/MkParserRegistry.h"
#include "markup/MkToken.h"
#include "markup/MkTreeDump.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkImage.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkRepeat.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class HTMLElements : public testkit::TEngineTest {};
class HTMLParser : public testkit::TEngineTest {};
class HTMLParserClass : public testkit::TEngineTest {};
class HTMLText : public testkit::TEngineTest {};

using testkit::At;
using testkit::ClassNames;
using testkit::Parse;
using testkit::Words;

std::unique_ptr<TMkParsedTextList> ParseWith(TMkHTMLParser &parser, std::string_view markup,
                                             TMkVariableHandler variables = {})
{
    TMkMemoryStream stream(markup);
    return parser.Parse(stream, {}, std::move(variables), {}, {});
}

// --- registration ------------------------------------------------------------

TEST_F(HTMLParserClass, RegistersOnceUnderItsClassName)
{
    MkRegisterHTMLParser(engine.Parsers);
    MkRegisterHTMLParser(engine.Parsers);
    const auto &entries = engine.Parsers.Entries();
    const auto count =
        std::count_if(entries.begin(), entries.end(), [](const TMkParserRegistryEntry &e) {
            return e.ParserClass == &TMkHTMLParser::StaticClass();
        });
    EXPECT_EQ(count, 1);
    const auto entry =
        std::find_if(entries.begin(), entries.end(), [](const TMkParserRegistryEntry &e) {
            return e.ParserClass == &TMkHTMLParser::StaticClass();
        });
    ASSERT_NE(entry, entries.end());
    EXPECT_EQ(entry->FileKinds, "HTML;HTM");
    EXPECT_FALSE(entry->IsDefault);

    const TMkParserClass *found = engine.Parsers.Find("tmkhtmlparser");
    ASSERT_EQ(found, &TMkHTMLParser::StaticClass());
    std::unique_ptr<TMkParser> parser = found->Create(engine);
    EXPECT_EQ(&parser->Engine(), &engine);
    EXPECT_EQ(&parser->Class(), found);
    EXPECT_STREQ(parser->LexerClass().ClassName, "TMkHTMLLex");
}

// --- the parse -------------------------------------------------------------------

TEST_F(HTMLParser, DocumentThatDoesNotMatchGivesAnEmptyRoot)
{
    // "!DOCTYPE?" matching twice fails the whole document.
    auto root = Parse(engine, "<!DOCTYPE html><!DOCTYPE html>ciao");
    EXPECT_EQ(root->Count(), 0u);
    EXPECT_EQ(root->Parent, nullptr);
}

TEST_F(HTMLParser, LeavesTheBandEmptyAndForgetsTheStyleBetweenParses)
{
    TMkHTMLParser parser(engine);
    auto first = ParseWith(parser, "<basefont size=7 color=red><b>x");
    EXPECT_EQ(parser.Band.Count(), 0);
    auto second = ParseWith(parser, "y");
    auto *word = dynamic_cast<TMkText *>(At(*second, {0, 0}));
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(word->Style().FontSize, "10");
    EXPECT_EQ(word->Style().Color, NoColor);
    EXPECT_EQ(word->Style().FontStyle, 0);
    EXPECT_EQ(parser.HiddenDepth, 0);
}

TEST_F(HTMLParser, ConversionErrorAbandonsTheParseAndLeavesTheParserUsable)
{
    TMkHTMLParser parser(engine);
    try {
        ParseWith(parser, "<table><tr><td bgcolor=\"#12G\">x</td></tr></table>");
        ADD_FAILURE() << "no error";
    } catch (const EConvertError &error) {
        EXPECT_STREQ(error.what(), "'$12G' is not a valid integer value");
    }
    EXPECT_EQ(parser.Band.Count(), 0);
    auto root = ParseWith(parser, "<title>t</title>x");
    EXPECT_EQ(Words(*root), std::vector<std::string>{"x"});
    EXPECT_EQ(parser.HiddenDepth, 0);
}

TEST_F(HTMLParser, AttributeVariablesAreAnsweredForTheTag)
{
    std::vector<std::string> senders;
    auto variables = [&](const TMkHandlerSender &sender, const std::string &name) -> std::string {
        senders.push_back(sender.Tag    ? "tag " + sender.Tag->Text
                          : sender.Text ? "object"
                                        : "parser");
        return name == "B" ? "2" : "";
    };
    testkit::THandlers handlers;
    handlers.Variable = variables;
    auto root = Parse(
        engine, "<table border=\"~~b\" bgcolor=\"~~none\"><tr><td>x</td></tr></table>", handlers);
    auto *table = dynamic_cast<TMkTable *>(At(*root, {0}));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->Border, 2);
    // Present but empty once resolved: the colour parser gets "".
    EXPECT_EQ(table->BgColor, NoColor);
    EXPECT_EQ(senders, (std::vector<std::string>{"tag table", "tag table"}));
}

TEST_F(HTMLParser, RawAttributesAreResolvedOnTheObjectAfterTheParse)
{
    std::vector<std::string> asked;
    auto variables = [&](const TMkHandlerSender &sender, const std::string &name) -> std::string {
        asked.push_back(name + (sender.Text ? " by " + MkTextClassName(*sender.Text) : " by tag"));
        return name == "ALIGN" ? "right" : "pic.bmp";
    };
    testkit::THandlers handlers;
    handlers.Variable = variables;
    auto root = Parse(engine, "<p align=\"~~align\"><img src=\"~~src\"></p>", handlers);
    auto *paragraph = dynamic_cast<TMkParagraph *>(At(*root, {0}));
    auto *image = dynamic_cast<TMkImage *>(At(*root, {0, 0}));
    ASSERT_NE(paragraph, nullptr);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Source, "pic.bmp");
    EXPECT_EQ(paragraph->Align, "right");
    EXPECT_EQ(paragraph->AlignValue(), 1);
    EXPECT_EQ(asked, (std::vector<std::string>{"SRC by TMkImage", "ALIGN by TMkParagraph"}));
}

TEST_F(HTMLParser, HandlersReachTheObjectsTheyBelongTo)
{
    std::vector<std::string> copies;
    testkit::THandlers handlers;
    handlers.Image = [](TMkImage &, TMkPicture &, const std::string &, std::int32_t) {};
    handlers.Control = [](TMkBaseText &, void *, const std::string &) {};
    handlers.Repeat = [&](const TMkHandlerSender &sender, std::int32_t index) {
        copies.push_back((sender.Parser ? "band "
                          : sender.Text ? "tree "
                                        : "? ") +
                         std::to_string(index));
    };
    // A REPEAT at the very front of the expanded band stays for the parser.
    auto root = Parse(
        engine, "<repeat count=1><repeat count=2><img src=x><input></repeat></repeat>", handlers);
    // The outer block is expanded in the band, the inner one in the tree.
    EXPECT_EQ(copies, (std::vector<std::string>{"band 0", "tree 0", "tree 1"}));
    const auto names = ClassNames(*root);
    EXPECT_EQ(std::count(names.begin(), names.end(), "TMkRepeat"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "TMkImage"), 2);
    auto *image = dynamic_cast<TMkImage *>(At(*root, {0, 0, 0}));
    auto *control = dynamic_cast<TMkEmbdControl *>(At(*root, {0, 0, 1}));
    ASSERT_NE(image, nullptr);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(image->OnGetImage);
    EXPECT_TRUE(control->ControlHandler);
}

// --- text ------------------------------------------------------------------------------

TEST_F(HTMLText, EveryWhiteSpaceRunBecomesOneSpace)
{
    // The lexer folds literal white space already; references bring TAB, LF
    // and CR back.
    auto root = Parse(engine, "a&#9;&#10;&#13;b&#32;&nbsp;c");
    EXPECT_EQ(Words(*root), (std::vector<std::string>{"a", " ", "b", " ", "c"}));
}

TEST_F(HTMLText, WordsTakeTheStyleOfTheirMoment)
{
    auto root = Parse(engine, "a<b>b<font color=red size=1>c</font>d</b>e");
    std::vector<std::string> styled;
    for (std::size_t i = 0; i < 5; ++i) {
        auto *word = dynamic_cast<TMkText *>(At(*root, {0, i}));
        ASSERT_NE(word, nullptr);
        styled.push_back(word->Text.str() + ":" + std::to_string(word->Style().FontStyle) + ":" +
                         word->Style().FontSize + ":" + MkDumpColor(word->Style().Color));
    }
    EXPECT_EQ(styled, (std::vector<std::string>{"a:0:10:0x20000000", "b:1:10:0x20000000",
                                                "c:1:10:0x000000FF", "d:1:10:0x20000000",
                                                "e:0:10:0x20000000"}));
}

TEST_F(HTMLText, WordsMadeUnderOneStyleTakeNewFormattingOneByOne)
{
    auto root = Parse(engine, "<font face=verdana size=4><a href=uno.htm>uno due</a></font>");
    auto *first = dynamic_cast<TMkText *>(At(*root, {0, 0}));
    auto *last = dynamic_cast<TMkText *>(At(*root, {0, 2}));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(last, nullptr);
    first->EditStyle().FontName = "arial";
    first->EditStyle().FontSize = "12";
    first->LinkRef = "tre.htm";
    EXPECT_EQ(first->Style().FontName, "arial");
    EXPECT_EQ(last->Style().FontName, "verdana");
    EXPECT_EQ(last->Style().FontSize, "16");
    EXPECT_EQ(last->LinkRef, "uno.htm");
}

TEST_F(HTMLText, TextInsideHiddenElementsStaysHidden)
{
    auto root =
        Parse(engine,
              "<script>var x;</script><select><option>uno</option><option>due</option></select>ok");
    EXPECT_EQ(Words(*root), std::vector<std::string>{"ok"});
    const auto names = ClassNames(*root);
    EXPECT_GE(std::count(names.begin(), names.end(), "TMkHiddenText"), 3);
}

TEST_F(HTMLText, HiddenTagKeepsItsAttributesAsStored)
{
    auto root = Parse(engine, "<title lang=it dir=ltr>t</title>");
    EXPECT_EQ(MkDumpTree(*root), "TMkParsedTextList\n"
                                 "  TMkHiddenText Text=\"<title lang=it dir=ltr >\"\n"
                                 "  TMkHiddenText Text=\"t\"\n"
                                 "  TMkHiddenText Text=\"</title >\"\n");
}

// --- elements ------------------------------------------------------------------------------

TEST_F(HTMLElements, CellsTakeTheirRowsHeightAndAlignmentUnlessTheyGiveTheirOwn)
{
    auto root =
        Parse(engine, "<table><tr height=7 valign=bottom><td>a</td><td height=3 valign=top>b</td>"
                      "<th height=3>c</th></tr></table>");
    auto *first = dynamic_cast<TMkCell *>(At(*root, {0, 0, 0}));
    auto *second = dynamic_cast<TMkCell *>(At(*root, {0, 0, 1}));
    auto *header = dynamic_cast<TMkCell *>(At(*root, {0, 0, 2}));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(first->CellHeight, 7);
    EXPECT_EQ(first->VAlign, 2);
    EXPECT_EQ(second->CellHeight, 3);
    EXPECT_EQ(second->VAlign, 0);
    // TH reads nothing and takes nothing from its row.
    EXPECT_EQ(header->CellHeight, 10);
    EXPECT_EQ(header->VAlign, 1);
}

TEST_F(HTMLElements, SpansFollowTheLengthRule)
{
    auto root = Parse(engine, "<table><tr><td rowspan=2 colspan=\"2\">a</td></tr></table>");
    auto *cell = dynamic_cast<TMkCell *>(At(*root, {0, 0, 0}));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->RowSpan, 2);
    EXPECT_EQ(cell->ColSpan, 2);
}

TEST_F(HTMLElements, StrayCellTagsInTheBodyAreDroppedAndTheTextKept)
{
    // An implied paragraph ends at once at a TD; implying one again would
    // go round for ever.  The tags go, the words stay.
    auto root = Parse(engine, "x</td>y<td>z</tr>w");
    EXPECT_EQ(Words(*root), (std::vector<std::string>{"x", "y", "z", "w"}));
}

} // namespace
