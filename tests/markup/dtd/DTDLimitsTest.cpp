#include "support/TestParser.h"

#include "markup/dtd/MkDTD.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

// Markup from a list item must never overflow the stack or stall the
// program: these inputs stay within the engine's bounds, and ordinary
// nesting is unaffected by them.
namespace {

std::string Repeat(const std::string &text, int times)
{
    std::string out;
    out.reserve(text.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// Runs grammars, each from DOC, over hostile markup, keeping the words matched as
// text and counting, for each element, its start tags and its ends.
class DTDLimitsTest : public ::testing::Test {
protected:
    void Declare(const std::string &grammar)
    {
        Parser.Declare(grammar);
        Parser.OnNotify = [this](const std::string &name, TMkDTDAction action) {
            if (name == "#PCDATA")
                Words += Parser.CurrentText();
            else if (action == TMkDTDAction::StartTagSeen)
                ++Opened[name];
            else if (action == TMkDTDAction::Closed)
                ++Closed[name];
        };
    }
    bool Run(const std::string &markup)
    {
        Words.clear();
        Opened.clear();
        Closed.clear();
        return Parser.DeduceText(markup);
    }

    testkit::TTestParser Parser;
    TMkDTD &Dtd = Parser.DTD;
    std::string Words;
    std::map<std::string, int> Opened;
    std::map<std::string, int> Closed;
};

} // namespace

TEST_F(DTDLimitsTest, DeeplyNestedInlineTagsKeepTheirText)
{
    Declare(R"(<!ENTITY DOC "BODY">
<!ELEMENT BODY O O (%flow)*>
<!ENTITY %flow "%inline">
<!ENTITY %inline "#PCDATA | %fontstyle">
<!ENTITY %fontstyle "I | B">
<!ELEMENT I - - (%flow)*>
<!ELEMENT B - - (%flow)*>
)");

    // Ordinary nesting matches exactly.
    ASSERT_TRUE(Run(Repeat("<b>", 40) + "x" + Repeat("</b>", 40) + "y"));
    EXPECT_EQ(Opened["B"], 40);
    EXPECT_EQ(Closed["B"], 40);
    EXPECT_EQ(Words, "xy");
    EXPECT_FALSE(Dtd.LastRunHitDepthLimit());

    // A 64 KiB row of 9,000 levels: the elements past the limit do not open,
    // their tags are dropped, and every word is still matched as text.
    ASSERT_TRUE(
        Run(Repeat("<b>", 9000) + "x " + Repeat("<i>y</i>", 3) + Repeat("</b>", 9000) + "z"));
    EXPECT_TRUE(Dtd.LastRunHitDepthLimit());
    EXPECT_FALSE(Dtd.LastRunExhausted());
    EXPECT_EQ(Opened["B"], Dtd.Limits.MaxElementDepth - 1); // BODY is the first level
    EXPECT_EQ(Closed["B"], Opened["B"]);
    EXPECT_EQ(Words, "x yyyz");

    // 100,000 levels (ten times the largest row) end on the bounds as well.
    Run(Repeat("<b>", 100000) + "x" + Repeat("</b>", 100000));
    EXPECT_TRUE(Dtd.LastRunHitDepthLimit());
    EXPECT_EQ(Words.substr(0, 1), "x");
}

TEST_F(DTDLimitsTest, DeeplyNestedTablesDoNotOverflowTheStack)
{
    Declare(R"(<!ENTITY DOC "BODY">
<!ELEMENT BODY O O (TABLE | #PCDATA)*>
<!ELEMENT TABLE - - (TBODY)+>
<!ELEMENT TBODY O O (TR)+ ENDS(/TABLE)>
<!ELEMENT TR - O (TD)* ENDS(TR /TABLE)>
<!ELEMENT TD - O (TABLE | #PCDATA)* ENDS(TD TR /TR /TABLE)>
)");

    ASSERT_TRUE(Run(Repeat("<table><tr><td>", 10) + "x" + Repeat("</td></tr></table>", 10)));
    EXPECT_EQ(Opened["TABLE"], 10);
    EXPECT_EQ(Closed["TABLE"], 10);
    EXPECT_EQ(Words, "x");

    Run(Repeat("<table><tr><td>", 10000) + "x" + Repeat("</td></tr></table>", 10000) + "y");
    EXPECT_TRUE(Dtd.LastRunHitDepthLimit());
    EXPECT_LE(Opened["TABLE"], Dtd.Limits.MaxElementDepth / 4 + 1);
    EXPECT_NE(Words.find('y'), std::string::npos);
}

TEST_F(DTDLimitsTest, GroupsNamingThemselvesEndAtTheRecursionBound)
{
    // %loop can only be matched by matching %loop first: without a bound the
    // descent would never end.
    Declare("<!ENTITY DOC \"%loop\">\n<!ENTITY %loop \"%loop | #PCDATA\">\n");
    // At the bound the first alternative fails and the second matches.
    EXPECT_TRUE(Run("x"));
    EXPECT_TRUE(Dtd.LastRunHitDepthLimit());
    EXPECT_EQ(Words, "x");
}

TEST_F(DTDLimitsTest, RepetitionsThatConsumeNothingEndOnTheBudget)
{
    // EMPTYEL matches without a tag and consumes nothing, so (EMPTYEL)* would
    // repeat for ever and fill memory with its record.
    Declare("<!ENTITY DOC \"(EMPTYEL)*, #PCDATA\">\n<!ELEMENT EMPTYEL O O EMPTY>\n");
    Dtd.Limits.WorkBudget = 100000;
    EXPECT_FALSE(Run("x"));
    EXPECT_TRUE(Dtd.LastRunExhausted());
    EXPECT_LE(Dtd.LastRunWork(), Dtd.Limits.WorkBudget + 1);

    Dtd.Limits = TMkDTDLimits{};
    Dtd.Limits.MaxTreeNodes = 5000;
    EXPECT_FALSE(Run("x"));
    EXPECT_TRUE(Dtd.LastRunExhausted());
    EXPECT_LE(Dtd.LastRunNodes(), 5000u + 100u);
}

TEST_F(DTDLimitsTest, SpentBudgetUnwindsWithoutConsumingMore)
{
    Declare("<!ENTITY DOC \"(B | #PCDATA)*\">\n<!ELEMENT B - - (B | #PCDATA)*>\n");
    const std::string markup = Repeat("<b>x</b>", 2000);
    ASSERT_TRUE(Run(markup));
    EXPECT_FALSE(Dtd.LastRunExhausted());
    EXPECT_EQ(Words.size(), 2000u);
    const std::int64_t needed = Dtd.LastRunWork();

    Dtd.Limits.WorkBudget = needed / 2;
    Dtd.Limits.WorkPerToken = 0;
    Run(markup);
    EXPECT_TRUE(Dtd.LastRunExhausted());
    EXPECT_LT(Words.size(), 2000u);
    EXPECT_GT(Words.size(), 0u);
}

// A fixed budget would cut off the end of every long document; the bounds
// grow with the band, so a document far longer than they allow on their own
// is matched to its end.
TEST_F(DTDLimitsTest, ALongDocumentGetsBoundsForEachToken)
{
    Declare("<!ENTITY DOC \"(B | #PCDATA)*\">\n<!ELEMENT B - - (B | #PCDATA)*>\n");
    const std::string markup = Repeat("<b>x</b>", 2000);
    const TMkDTDLimits fixed = [] {
        TMkDTDLimits limits;
        limits.WorkBudget = 1000;
        limits.MaxTreeNodes = 100;
        return limits;
    }();
    for (const bool perToken : {true, false}) {
        SCOPED_TRACE(perToken ? "with bounds per token" : "with fixed bounds");
        Dtd.Limits = fixed;
        if (!perToken) {
            Dtd.Limits.WorkPerToken = 0;
            Dtd.Limits.NodesPerToken = 0;
        }
        Run(markup);
        EXPECT_EQ(Dtd.LastRunExhausted(), !perToken);
        EXPECT_EQ(Words.size() == 2000u, perToken);
    }
}
