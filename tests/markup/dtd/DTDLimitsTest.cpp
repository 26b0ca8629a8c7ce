#include "MarkupTestSupport.h"

#include "markup/dtd/MkDTD.h"
#include "markup/dtd/MkDataModel.h"

#include <gtest/gtest.h>

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

class DTDLimitsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dtd.Declarations.AddType(
            "#PCDATA", [this](TMkParsedTextList *&, TMkDTDAction) { Words += CurrentWord(); },
            [this] { return Parser.CurrentIsText(); });
    }
    std::string CurrentWord() const { return Parser.CurrentText(); }
    TMkDTDHandler Count(int &opened, int &closed)
    {
        return [&opened, &closed](TMkParsedTextList *&, TMkDTDAction action) {
            if (action == TMkDTDAction::StartTagSeen)
                ++opened;
            else if (action == TMkDTDAction::Closed)
                ++closed;
        };
    }
    TMkDTDHandler Drop()
    {
        return [this](TMkParsedTextList *&, TMkDTDAction) { Parser.Advance(); };
    }
    void Element(const std::string &name, bool startRequired, const char *model, bool endRequired,
                 std::optional<TMkNameList> terminators = {}, TMkDTDHandler notify = {})
    {
        Dtd.Declarations.AddElement(name, startRequired, Drop(), std::move(notify), {},
                                    model ? MkReadContentModel(model) : nullptr,
                                    std::move(terminators), endRequired);
    }
    bool Run(const std::string &markup)
    {
        Parser.TokenizeText(markup);
        Words.clear();
        TMkParsedTextList *container = nullptr;
        return Dtd.Deduce("DOC", container);
    }

    TTestParser Parser;
    TMkDTD Dtd{&Parser};
    std::string Words;
};

} // namespace

TEST_F(DTDLimitsTest, DeeplyNestedInlineTagsKeepTheirText)
{
    int opened = 0;
    int closed = 0;
    Dtd.Declarations.AddEntity("DOC", MkReadContentModel("BODY"));
    Element("BODY", false, "(%flow)*", false);
    Dtd.Declarations.AddEntity("%flow", MkReadContentModel("%inline"));
    Dtd.Declarations.AddEntity("%inline", MkReadContentModel("#PCDATA | %fontstyle"));
    Dtd.Declarations.AddEntity("%fontstyle", MkReadContentModel("I | B"));
    Element("I", true, "(%flow)*", true);
    Element("B", true, "(%flow)*", true, {}, Count(opened, closed));

    // Ordinary nesting matches exactly.
    ASSERT_TRUE(Run(Repeat("<b>", 40) + "x" + Repeat("</b>", 40) + "y"));
    EXPECT_EQ(opened, 40);
    EXPECT_EQ(closed, 40);
    EXPECT_EQ(Words, "xy");
    EXPECT_FALSE(Dtd.LastRunHitDepthLimit());

    // A 64 KiB row of 9,000 levels: the elements past the limit do not open,
    // their tags are dropped, and every word is still matched as text.
    opened = closed = 0;
    ASSERT_TRUE(
        Run(Repeat("<b>", 9000) + "x " + Repeat("<i>y</i>", 3) + Repeat("</b>", 9000) + "z"));
    EXPECT_TRUE(Dtd.LastRunHitDepthLimit());
    EXPECT_FALSE(Dtd.LastRunExhausted());
    EXPECT_EQ(opened, Dtd.Limits.MaxElementDepth - 1); // BODY is the first level
    EXPECT_EQ(closed, opened);
    EXPECT_EQ(Words, "x yyyz");

    // 100,000 levels (ten times the largest row) end on the bounds as well.
    Run(Repeat("<b>", 100000) + "x" + Repeat("</b>", 100000));
    EXPECT_TRUE(Dtd.LastRunHitDepthLimit());
    EXPECT_EQ(Words.substr(0, 1), "x");
}

TEST_F(DTDLimitsTest, DeeplyNestedTablesDoNotOverflowTheStack)
{
    int tables = 0;
    int closed = 0;
    Dtd.Declarations.AddEntity("DOC", MkReadContentModel("BODY"));
    Element("BODY", false, "(TABLE | #PCDATA)*", false);
    Element("TABLE", true, "(TBODY)+", true, {}, Count(tables, closed));
    Element("TBODY", false, "(TR)+", false, TMkNameList{"/TABLE"});
    Element("TR", true, "(TD)*", false, TMkNameList{"TR", "/TABLE"});
    Element("TD", true, "(TABLE | #PCDATA)*", false, TMkNameList{"TD", "TR", "/TR", "/TABLE"});

    ASSERT_TRUE(Run(Repeat("<table><tr><td>", 10) + "x" + Repeat("</td></tr></table>", 10)));
    EXPECT_EQ(tables, 10);
    EXPECT_EQ(closed, 10);
    EXPECT_EQ(Words, "x");

    tables = closed = 0;
    Run(Repeat("<table><tr><td>", 10000) + "x" + Repeat("</td></tr></table>", 10000) + "y");
    EXPECT_TRUE(Dtd.LastRunHitDepthLimit());
    EXPECT_LE(tables, Dtd.Limits.MaxElementDepth / 4 + 1);
    EXPECT_NE(Words.find('y'), std::string::npos);
}

TEST_F(DTDLimitsTest, GroupsNamingThemselvesEndAtTheRecursionBound)
{
    // %loop can only be matched by matching %loop first: without a bound the
    // descent would never end.
    Dtd.Declarations.AddEntity("DOC", MkReadContentModel("%loop"));
    Dtd.Declarations.AddEntity("%loop", MkReadContentModel("%loop | #PCDATA"));
    // At the bound the first alternative fails and the second matches.
    EXPECT_TRUE(Run("x"));
    EXPECT_TRUE(Dtd.LastRunHitDepthLimit());
    EXPECT_EQ(Words, "x");
}

TEST_F(DTDLimitsTest, RepetitionsThatConsumeNothingEndOnTheBudget)
{
    // EMPTYEL matches without a tag and consumes nothing, so (EMPTYEL)* would
    // repeat for ever and fill memory with its record.
    Dtd.Declarations.AddEntity("DOC", MkReadContentModel("(EMPTYEL)*, #PCDATA"));
    Element("EMPTYEL", false, nullptr, false);
    Dtd.Limits.WorkBudget = 100000;
    EXPECT_FALSE(Run("x"));
    EXPECT_TRUE(Dtd.LastRunExhausted());
    EXPECT_LE(Dtd.LastRunWork(), Dtd.Limits.WorkBudget + 1);

    Dtd.Limits = TMkDTDLimits{};
    Dtd.Limits.MaxTreeNodes = 5000;
    EXPECT_FALSE(Run("x"));
    EXPECT_TRUE(Dtd.LastRunExhausted());
    EXPECT_LE(TMkDeductionTree::LiveCount(), 5000u + 100u);
}

TEST_F(DTDLimitsTest, SpentBudgetUnwindsWithoutConsumingMore)
{
    Dtd.Declarations.AddEntity("DOC", MkReadContentModel("(B | #PCDATA)*"));
    Element("B", true, "(B | #PCDATA)*", true);
    const std::string markup = Repeat("<b>x</b>", 2000);
    ASSERT_TRUE(Run(markup));
    EXPECT_FALSE(Dtd.LastRunExhausted());
    EXPECT_EQ(Words.size(), 2000u);
    const std::int64_t needed = Dtd.LastRunWork();

    Dtd.Limits.WorkBudget = needed / 2;
    Run(markup);
    EXPECT_TRUE(Dtd.LastRunExhausted());
    EXPECT_LT(Words.size(), 2000u);
    EXPECT_GT(Words.size(), 0u);
}
