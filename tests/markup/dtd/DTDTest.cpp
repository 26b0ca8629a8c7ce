#include "MarkupTestSupport.h"

#include "markup/dtd/MkDTD.h"
#include "markup/dtd/MkDataModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char *ActionName(TMkDTDAction action)
{
    switch (action) {
    case TMkDTDAction::StartTagSeen: return "start";
    case TMkDTDAction::EndTagSeen: return "end";
    case TMkDTDAction::ContentStep: return "step";
    case TMkDTDAction::NoProgress: return "noprogress";
    case TMkDTDAction::Closed: return "closed";
    case TMkDTDAction::Failed: return "failed";
    case TMkDTDAction::Undone: return "undone";
    }
    return "?";
}

using TLog = std::vector<std::string>;

// A document type over the test parser whose handlers write what they are
// told into Log as "NAME action@position".  Skip handlers log and advance
// (the "drop" policy of the HTML document type).
class DTDTest : public ::testing::Test {
protected:
    TMkDTDHandler Notify(std::string name)
    {
        return [this, name](TMkParsedTextList *&, TMkDTDAction action) {
            Log.push_back(name + " " + ActionName(action) + "@" +
                          std::to_string(Parser.TokenPosition()));
        };
    }
    TMkDTDHandler Drop(std::string name)
    {
        return [this, name](TMkParsedTextList *&, TMkDTDAction action) {
            EXPECT_EQ(action, TMkDTDAction::ContentStep);
            Log.push_back(name + " skip@" + std::to_string(Parser.TokenPosition()));
            Parser.Advance();
        };
    }
    void Text()
    {
        Dtd.Declarations.AddType("#PCDATA", Notify("#PCDATA"),
                                 [this] { return Parser.CurrentIsText(); });
    }
    void Entity(const std::string &name, const std::string &model)
    {
        Dtd.Declarations.AddEntity(name, MkReadContentModel(model));
    }
    void Element(const std::string &name, bool startRequired, const char *model, bool endRequired,
                 std::optional<TMkNameList> terminators = {},
                 std::optional<TMkNameList> exclusions = {})
    {
        Dtd.Declarations.AddElement(
            name, startRequired, Drop(name), Notify(name), std::move(exclusions),
            model ? MkReadContentModel(model) : nullptr, std::move(terminators), endRequired);
    }
    bool Run(std::string_view markup, std::string_view start = "DOC")
    {
        Parser.TokenizeText(markup);
        Log.clear();
        return Dtd.Deduce(start, Container);
    }

    TTestParser Parser;
    TMkDTD Dtd{&Parser};
    TMkParsedTextList *Container = nullptr;
    TLog Log;
};

} // namespace

TEST_F(DTDTest, MissingStartEntryLeavesTheContainerAlone)
{
    Text();
    auto *marker = reinterpret_cast<TMkParsedTextList *>(&Log);
    Container = marker;
    EXPECT_FALSE(Run("x", "NOSUCH"));
    EXPECT_EQ(Container, marker);
    EXPECT_TRUE(Log.empty());
}

TEST_F(DTDTest, RequiredStartTagMissingFailsSilently)
{
    Text();
    Element("E", true, "(#PCDATA)*", false);
    EXPECT_FALSE(Run("x", "E"));
    EXPECT_TRUE(Log.empty());
}

TEST_F(DTDTest, ImpliedElementGetsPassesAndClosedWithoutStartTag)
{
    Text();
    Entity("DOC", "BODY");
    Element("BODY", false, "(P | B | #PCDATA)*", false);
    Element("P", true, "(#PCDATA | B)*", false, TMkNameList{"P"});
    Element("B", true, "(#PCDATA | B)*", true);
    EXPECT_TRUE(Run("x"));
    EXPECT_EQ(Log, (TLog{"BODY step@0", "#PCDATA step@0", "BODY closed@1"}));
}

TEST_F(DTDTest, MissingEndTagClosesOrFailsAsDeclared)
{
    Text();
    Entity("DOC", "BODY");
    Element("BODY", false, "(P | B | #PCDATA)*", false);
    Element("P", true, "(#PCDATA | B)*", false, TMkNameList{"P"});
    Element("B", true, "(#PCDATA | B)*", true);

    // P may end without its end tag; the next P start tag ends it.
    EXPECT_TRUE(Run("<p>x<p>y"));
    EXPECT_EQ(Log,
              (TLog{"BODY step@0", "P start@0", "P step@1", "#PCDATA step@1", "P closed@2",
                    "P start@2", "P step@3", "#PCDATA step@3", "P closed@4", "BODY closed@4"}));

    // B needs its end tag: it fails, and what it consumed stays consumed.
    EXPECT_TRUE(Run("<b>x"));
    EXPECT_EQ(Log, (TLog{"BODY step@0", "B start@0", "B step@1", "#PCDATA step@1", "B failed@2",
                         "BODY closed@2"}));
    EXPECT_EQ(Parser.TokenPosition(), 2);
}

TEST_F(DTDTest, ElementWithoutContentModelGetsOnePassThenTheEndTagCheck)
{
    Element("BR", true, nullptr, false);
    EXPECT_TRUE(Run("<br></br>", "BR"));
    EXPECT_EQ(Log, (TLog{"BR start@0", "BR step@1", "BR end@1", "BR closed@1"}));
    EXPECT_EQ(Parser.TokenPosition(), 2);
}

TEST_F(DTDTest, OptionalMatchedTwiceIsTakenBackAndFails)
{
    Element("BODY", false, "X?", false);
    Element("X", true, nullptr, false);
    EXPECT_TRUE(Run("<x><x>", "BODY"));
    EXPECT_EQ(Log, (TLog{"BODY step@0",
                         // the first pass: X twice, so both are undone, the last first,
                         // and the position goes back to the start of the pass
                         "X start@0", "X step@1", "X closed@1", "X start@1", "X step@2",
                         "X closed@2", "X undone@2", "X undone@0",
                         // the pass made no progress: skip, then try again one token on
                         "BODY skip@0", "BODY noprogress@1", "BODY step@1", "X start@1", "X step@2",
                         "X closed@2", "BODY closed@2"}));
}

TEST_F(DTDTest, FailingSecondItemRewindsTheFirst)
{
    Element("BODY", false, "X, Y", false);
    Element("X", true, nullptr, false);
    Element("Y", true, nullptr, false);
    EXPECT_FALSE(Run("<x><z>", "BODY"));
    EXPECT_EQ(Log, (TLog{"BODY step@0", "X start@0", "X step@1", "X closed@1", "X undone@1",
                         "BODY skip@0", "BODY noprogress@1", "BODY step@1", "BODY skip@1",
                         "BODY noprogress@2", "BODY failed@2"}));

    // A failing first item is only discarded: nothing is undone.
    EXPECT_FALSE(Run("<y>", "BODY"));
    EXPECT_EQ(Log, (TLog{"BODY step@0", "BODY skip@0", "BODY noprogress@1", "BODY failed@1"}));
}

TEST_F(DTDTest, FirstMatchingAlternativeIsTaken)
{
    Element("BODY", true, "X | Y", true);
    Element("X", true, nullptr, false);
    Element("Y", true, nullptr, false);
    EXPECT_TRUE(Run("<body><y></body>", "BODY"));
    EXPECT_EQ(Log, (TLog{"BODY start@0", "BODY step@1", "Y start@1", "Y step@2", "Y closed@2",
                         "BODY end@2", "BODY closed@2"}));

    // Both alternatives could match without a tag: the first one wins.
    Dtd.Declarations.Clear();
    Element("BODY", true, "X | Y", true);
    Element("X", false, nullptr, false);
    Element("Y", false, nullptr, false);
    EXPECT_TRUE(Run("<body></body>", "BODY"));
    EXPECT_EQ(Log, (TLog{"BODY start@0", "BODY step@1", "X step@1", "X closed@1", "BODY end@1",
                         "BODY closed@1"}));
}

TEST_F(DTDTest, ExcludedElementCannotOpenInsideAndItsTagsAreUnknownThere)
{
    Text();
    Entity("DOC", "BODY");
    Element("BODY", false, "(A | B | #PCDATA)*", false);
    Element("A", true, "(#PCDATA | B)*", true, {}, TMkNameList{"B", "NOSUCH"});
    Element("B", true, "(#PCDATA)*", true);
    EXPECT_TRUE(Run("<a>x<b>y</b></a><b>z</b>"));
    EXPECT_EQ(Log, (TLog{"BODY step@0", "A start@0", "A step@1",
                         // inside A the b tags are dropped after text, the text stays
                         "#PCDATA step@1", "#PCDATA step@3", "A end@5", "A closed@5",
                         // after A, B opens again
                         "B start@6", "B step@7", "#PCDATA step@7", "B end@8", "B closed@8",
                         "BODY closed@9"}));
    for (const auto &entry : Dtd.Entries())
        EXPECT_EQ(entry->SuppressCount, 0) << entry->Name;

    // An element that excludes itself still ends at its own end tag; a
    // second start tag inside it is dropped.
    Dtd.Declarations.Clear();
    Text();
    Entity("DOC", "BODY");
    Element("BODY", false, "(F | #PCDATA)*", false);
    Element("F", true, "(#PCDATA | F)*", true, {}, TMkNameList{"F"});
    EXPECT_TRUE(Run("<f>x<f>y</f>z"));
    EXPECT_EQ(Log, (TLog{"BODY step@0", "F start@0", "F step@1", "#PCDATA step@1", "#PCDATA step@3",
                         "F end@4", "F closed@4", "#PCDATA step@5", "BODY closed@6"}));
    for (const auto &entry : Dtd.Entries()) {
        EXPECT_EQ(entry->SuppressCount, 0) << entry->Name;
        EXPECT_EQ(entry->OpenCount, 0) << entry->Name;
    }
}

TEST_F(DTDTest, TextWhereContentRefusesItGoesToTheSkipHandlerWithThePassContainer)
{
    auto *list = reinterpret_cast<TMkParsedTextList *>(&Parser);
    std::vector<TMkParsedTextList *> skippedWith;
    Element("LI", true, nullptr, false);
    Dtd.Declarations.AddElement(
        "UL", true,
        [&](TMkParsedTextList *&container, TMkDTDAction) {
            skippedWith.push_back(container);
            Log.push_back("UL skip@" + std::to_string(Parser.TokenPosition()));
            Parser.Advance();
        },
        [&](TMkParsedTextList *&container, TMkDTDAction action) {
            if (action == TMkDTDAction::StartTagSeen)
                container = list; // the list opens: its content goes into it
            Log.push_back(std::string("UL ") + ActionName(action) + "@" +
                          std::to_string(Parser.TokenPosition()));
        },
        {}, MkReadContentModel("(LI)*"), {}, true);
    EXPECT_TRUE(Run("<ul>x</ul>", "UL"));
    EXPECT_EQ(Log, (TLog{"UL start@0", "UL step@1", "UL skip@1", "UL noprogress@2", "UL end@2",
                         "UL closed@2"}));
    EXPECT_EQ(skippedWith, std::vector<TMkParsedTextList *>{list});
    EXPECT_EQ(Container, list); // the start entry's container comes back
}

TEST_F(DTDTest, TerminatorsEndContentAtTagsAndAtText)
{
    Text();
    Element("BODY", false, "(P | Q)*", false);
    Element("P", true, "(#PCDATA)*", false, TMkNameList{"/TABLE", "Q"});
    Element("Q", true, "(P)*", false, TMkNameList{""});
    Element("TABLE", true, nullptr, true);
    EXPECT_TRUE(Run("<p>a</table><q>b", "BODY"));
    EXPECT_EQ(Log, (TLog{"BODY step@0", "P start@0", "P step@1", "#PCDATA step@1", "P closed@2",
                         // "</table>" fits nowhere in BODY: skipped
                         "BODY step@2", "BODY skip@2", "BODY noprogress@3",
                         // Q ends at once at text (the empty terminator)
                         "BODY step@3", "Q start@3", "Q step@4", "Q closed@4", "BODY step@4",
                         "BODY skip@4", "BODY noprogress@5", "BODY closed@5"}));
}

TEST_F(DTDTest, ModelsWithoutItemsNeverMatch)
{
    Text();
    Entity("DOC", "");
    EXPECT_FALSE(Run("x"));
    // A name without a declaration is dropped from the model silently.
    Dtd.Declarations.Clear();
    Text();
    Entity("DOC", "NOSUCH, #PCDATA");
    EXPECT_TRUE(Run("x"));
    EXPECT_EQ(Log, TLog{"#PCDATA step@0"});
}

TEST_F(DTDTest, UnknownTagsBeforeTheFirstTokenAreSkippedByTheStartEntry)
{
    Text();
    Entity("DOC", "E");
    Element("E", false, "(#PCDATA)*", false);
    EXPECT_TRUE(Run("<zz><yy>x"));
    EXPECT_EQ(Log, (TLog{"E step@2", "#PCDATA step@2", "E closed@3"}));
}

TEST_F(DTDTest, RecyclesNodesAndFreesTheTreeOfEachRun)
{
    Text();
    Element("E", false, "(#PCDATA | X)*", false);
    Element("X", true, nullptr, false);
    const std::size_t before = TMkDeductionTree::LiveCount();
    EXPECT_TRUE(Run("a<x>b<x>c", "E"));
    EXPECT_GT(TMkDeductionTree::LiveCount(), before); // the record of the match
    EXPECT_GT(TMkDeductionTree::PoolSize(), 0u);      // discarded attempts wait for reuse
    EXPECT_TRUE(Run("a", "E"));
    const std::size_t small = TMkDeductionTree::LiveCount();
    EXPECT_TRUE(Run("a", "E"));
    EXPECT_EQ(TMkDeductionTree::LiveCount(), small); // the previous run's tree was released
}

// A skip handler that inserts a P instead of moving on loops for ever on a
// token that ends every P at once (a stray "</td>" in a body): the engine
// drops such a token the second time a pass fails on it.
TEST_F(DTDTest, InsertingSkipHandlerCannotLoopOnATokenThatEndsWhatItInserts)
{
    Text();
    Dtd.Declarations.AddElement(
        "BODY", false,
        [this](TMkParsedTextList *&, TMkDTDAction) {
            Log.push_back("BODY para@" + std::to_string(Parser.TokenPosition()));
            Parser.InsertTag("P");
        },
        Notify("BODY"), {}, MkReadContentModel("(P)+"), {}, false);
    Element("P", true, "(#PCDATA)*", false, TMkNameList{"/TD"});
    Element("TD", true, nullptr, false);
    EXPECT_TRUE(Run("a</td>b", "BODY"));
    EXPECT_EQ(Log, (TLog{"BODY step@0", "BODY para@0", "BODY noprogress@0", "BODY step@0",
                         "P start@0", "P step@1", "#PCDATA step@1", "P closed@2",
                         // the first failure on "</td>" gets its paragraph, which ends at once
                         "BODY step@2", "BODY para@2", "BODY noprogress@2", "BODY step@2",
                         "P start@2", "P step@3", "P closed@3",
                         // the second is dropped, and the text after it is still read
                         "BODY step@3", "BODY noprogress@4", "BODY step@4", "BODY para@4",
                         "BODY noprogress@4", "BODY step@4", "P start@4", "P step@5",
                         "#PCDATA step@5", "P closed@6", "BODY closed@6"}));
}
