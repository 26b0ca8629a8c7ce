#include "support/TestParser.h"

#include "markup/dtd/MkDataModel.h"
#include "textobjects/MkParsedTextList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What the engine tells the handlers, and in which order, is shown by the
// trace cases: trace/NAME.html, a grammar and markup, with NAME.events.
// These tests check what a trace does not show.

// A start tag's handler may open a new container for the element's content:
// the skip handler of that content sees it, and the run hands it back.
TEST(DTD, ContainerSetByAStartTagReachesTheSkipHandlerAndTheCaller)
{
    testkit::TTestParser parser;
    parser.Declare("<!DOCTYPE UL>\n<!ELEMENT LI - O EMPTY>\n");
    TMkParsedTextList *list = nullptr;
    std::vector<TMkParsedTextList *> skippedWith;
    parser.DTD.Declarations.AddElement(
        "UL", true,
        [&](TMkTreeBuilder &tree, TMkDTDAction) {
            skippedWith.push_back(tree.Current());
            parser.Advance();
        },
        [&](TMkTreeBuilder &tree, TMkDTDAction action) {
            if (action == TMkDTDAction::StartTagSeen)
                list = tree.Open<TMkParsedTextList>();
        },
        {}, MkReadContentModel("(LI)*"), {}, true);
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    EXPECT_TRUE(parser.DeduceText("<ul>x</ul>", tree));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(skippedWith, std::vector<TMkParsedTextList *>{list});
    EXPECT_EQ(tree.Current(), list);
}

TEST(DTD, RecyclesNodesAndFreesTheTreeOfEachRun)
{
    testkit::TTestParser parser;
    parser.Declare("<!ELEMENT E O O (#PCDATA | X)*>\n"
                   "<!ELEMENT X - O EMPTY>\n");
    const TMkNodePool &nodes = parser.Engine().DeductionNodes;
    EXPECT_TRUE(parser.DeduceText("a<x>b<x>c"));
    EXPECT_GT(parser.DTD.LastRunNodes(), 5u); // the record of the match
    EXPECT_EQ(nodes.Live(), 0u);              // dropped when the run ended
    const std::size_t room = nodes.Capacity();
    for (int i = 0; i < 50; ++i)
        EXPECT_TRUE(parser.DeduceText("a<x>b<x>c"));
    EXPECT_EQ(nodes.Capacity(), room); // later runs reuse the same blocks

    // A long run's nodes go back to the heap, all but a few rows' worth.
    std::string many;
    for (int i = 0; i < 20000; ++i)
        many += "a<x>";
    EXPECT_TRUE(parser.DeduceText(many));
    EXPECT_GT(parser.DTD.LastRunNodes(), 40000u);
    EXPECT_LT(nodes.Capacity(), 10000u);
}

// A long run keeps a node for each match that may have to be taken back,
// and none for the groups and content passes around them: with one element
// per tag, that is about one node per tag.
TEST(DTD, KeepsNoNodeForAGroupOrAContentPass)
{
    testkit::TTestParser parser;
    parser.Declare("<!ELEMENT E O O (G)*>\n"
                   "<!ENTITY G \"(X | Y)\">\n"
                   "<!ELEMENT X - O EMPTY>\n"
                   "<!ELEMENT Y - O (X)* ENDS(Y)>\n");
    std::string tags;
    for (int i = 0; i < 1000; ++i)
        tags += "<y><x>";
    EXPECT_TRUE(parser.DeduceText(tags));
    EXPECT_GE(parser.DTD.LastRunNodes(), 2000u);
    EXPECT_LT(parser.DTD.LastRunNodes(), 2100u);
}

// The deduction tree keeps marks, not pointers: when a handler takes back a
// container that an enclosing element's node still names, that element's
// later calls find no container where a pointer would have found a
// destroyed one.
TEST(DTD, ANodeWhoseContainerWasRolledBackFindsNoContainer)
{
    testkit::TTestParser parser;
    parser.Declare("<!ELEMENT DOC O O (A, Z)>\n<!ELEMENT Z - O EMPTY>\n");
    struct TCall {
        TMkDTDAction Action;
        bool HasContainer;
        bool Stale;
    };
    std::vector<TCall> calls;
    parser.DTD.Declarations.AddElement(
        "A", true, {},
        [&](TMkTreeBuilder &tree, TMkDTDAction action) {
            if (action == TMkDTDAction::StartTagSeen)
                tree.Open<TMkParsedTextList>();
            else if (action != TMkDTDAction::ContentStep && action != TMkDTDAction::NoProgress)
                calls.push_back({action, tree.Current() != nullptr, tree.IsStale(tree.Here())});
        },
        {}, MkReadContentModel("(B)*"), {}, true);
    parser.DTD.Declarations.AddElement(
        "B", true, {},
        [&](TMkTreeBuilder &tree, TMkDTDAction action) {
            if (action == TMkDTDAction::StartTagSeen)
                tree.RollBack(); // takes back A's container
        },
        {}, nullptr, {}, false);
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    EXPECT_FALSE(parser.DeduceText("<a><b></a>", tree)); // Z is missing: A is undone
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].Action, TMkDTDAction::EndTagSeen);
    EXPECT_EQ(calls[1].Action, TMkDTDAction::Closed);
    EXPECT_EQ(calls[2].Action, TMkDTDAction::Undone);
    for (const TCall &call : calls) {
        EXPECT_FALSE(call.HasContainer);
        EXPECT_TRUE(call.Stale);
    }
    EXPECT_EQ(root.Count(), 0u);
    EXPECT_EQ(tree.Current(), &root);
}
