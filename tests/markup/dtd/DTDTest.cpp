#include "support/TestParser.h"

#include "markup/dtd/MkDataModel.h"
#include "textobjects/MkParsedTextList.h"

#include <gtest/gtest.h>

#include <vector>

// What the engine tells the handlers, and in which order, is shown by the
// trace cases: trace/NAME.html, a grammar and markup, with NAME.events.
// These tests check what a trace does not show.

// A start tag's handler may make a new container for the element's content:
// the skip handler of that content sees it, and the run hands it back.
TEST(DTD, ContainerSetByAStartTagReachesTheSkipHandlerAndTheCaller)
{
    testkit::TTestParser parser;
    parser.Declare("<!DOCTYPE UL>\n<!ELEMENT LI - O EMPTY>\n");
    TMkParsedTextList list(nullptr);
    std::vector<TMkParsedTextList *> skippedWith;
    parser.DTD.Declarations.AddElement(
        "UL", true,
        [&](TMkParsedTextList *&container, TMkDTDAction) {
            skippedWith.push_back(container);
            parser.Advance();
        },
        [&](TMkParsedTextList *&container, TMkDTDAction action) {
            if (action == TMkDTDAction::StartTagSeen)
                container = &list;
        },
        {}, MkReadContentModel("(LI)*"), {}, true);
    TMkParsedTextList *container = nullptr;
    EXPECT_TRUE(parser.DeduceText("<ul>x</ul>", container));
    EXPECT_EQ(skippedWith, std::vector<TMkParsedTextList *>{&list});
    EXPECT_EQ(container, &list);
}

TEST(DTD, RecyclesNodesAndFreesTheTreeOfEachRun)
{
    testkit::TTestParser parser;
    parser.Declare("<!ELEMENT E O O (#PCDATA | X)*>\n"
                   "<!ELEMENT X - O EMPTY>\n");
    TMkParsedTextList *container = nullptr;
    const std::size_t before = parser.Engine().DeductionNodes.Live;
    EXPECT_TRUE(parser.DeduceText("a<x>b<x>c", container));
    EXPECT_GT(parser.Engine().DeductionNodes.Live, before);    // the record of the match
    EXPECT_GT(parser.Engine().DeductionNodes.FreeCount(), 0u); // discarded attempts wait for reuse
    EXPECT_TRUE(parser.DeduceText("a", container));
    const std::size_t small = parser.Engine().DeductionNodes.Live;
    EXPECT_TRUE(parser.DeduceText("a", container));
    EXPECT_EQ(parser.Engine().DeductionNodes.Live, small); // the previous run's tree was released
}
