#include "markup/MkTreeBuilder.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A container that counts its destructions, to tell a roll-back that
// destroys from one that only unlinks.
class TCountedList : public TMkParsedTextList {
public:
    TCountedList(TMkBaseText *parent, int *destroyed)
        : TMkParsedTextList(parent),
          destroyed_(destroyed)
    {
    }
    ~TCountedList() override { ++*destroyed_; }

private:
    int *destroyed_;
};

TMkText *AddWord(TMkTreeBuilder &tree, const std::string &word)
{
    return tree.Add(std::make_unique<TMkText>(word, tree.Current()));
}

} // namespace

TEST(TreeBuilder, OpenNestsInTheCurrentContainerAndLeaveGoesBackUp)
{
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    EXPECT_EQ(tree.Current(), &root);
    auto *paragraph = tree.Open<TMkParagraph>(std::string("CENTER"));
    ASSERT_NE(paragraph, nullptr);
    EXPECT_EQ(tree.Current(), paragraph);
    EXPECT_EQ(paragraph->Parent, &root);
    TMkText *word = AddWord(tree, "casa");
    EXPECT_EQ(word->Parent, paragraph);
    EXPECT_EQ(tree.Current(), paragraph) << "a leaf does not become current";
    tree.Leave();
    EXPECT_EQ(tree.Current(), &root);
    TMkText *second = AddWord(tree, "mare");
    ASSERT_EQ(root.Count(), 2u);
    EXPECT_EQ(root.Child(0), paragraph);
    EXPECT_EQ(root.Child(1), second);
    EXPECT_EQ(second->Parent, &root);
    ASSERT_EQ(paragraph->Count(), 1u);
    EXPECT_EQ(paragraph->Child(0), word);
    tree.Leave();
    EXPECT_EQ(tree.Current(), nullptr) << "the root has no parent";
    EXPECT_FALSE(tree.IsStale(tree.Here()));
}

TEST(TreeBuilder, RollBackDestroysTheSubtreeStalesItsMarksAndMakesTheParentCurrent)
{
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    int destroyed = 0;
    tree.Open<TCountedList>(&destroyed);
    const TMkTreeMark outer = tree.Here();
    tree.Open<TCountedList>(&destroyed);
    const TMkTreeMark middle = tree.Here();
    tree.Open<TCountedList>(&destroyed);
    const TMkTreeMark inner = tree.Here();
    AddWord(tree, "x");
    EXPECT_EQ(tree.LiveContainers(), 4u);

    tree.MoveTo(outer);
    tree.RollBack();
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(root.Count(), 0u);
    EXPECT_EQ(tree.Current(), &root);
    EXPECT_EQ(tree.LiveContainers(), 1u);
    for (const TMkTreeMark mark : {outer, middle, inner}) {
        EXPECT_TRUE(tree.IsStale(mark));
        EXPECT_EQ(tree.Resolve(mark), nullptr);
    }
}

// The slots of rolled-back containers are used again; the marks made of them
// before must not find the newcomers.
TEST(TreeBuilder, AMarkStaysStaleWhenItsSlotIsReused)
{
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    std::vector<TMkTreeMark> gone;
    for (int i = 0; i < 3; ++i) {
        tree.Open<TMkParagraph>();
        gone.push_back(tree.Here());
        tree.RollBack();
    }
    auto *kept = tree.Open<TMkParagraph>();
    const TMkTreeMark here = tree.Here();
    EXPECT_EQ(tree.Resolve(here), kept);
    for (const TMkTreeMark mark : gone) {
        EXPECT_TRUE(tree.IsStale(mark));
        EXPECT_EQ(tree.Resolve(mark), nullptr);
    }
    EXPECT_EQ(root.Count(), 1u);
}

// A roll-back from the middle of a row of siblings keeps the others, their
// order and what is opened in them later.
TEST(TreeBuilder, RollingBackOneSiblingKeepsTheOthersAndTheirContent)
{
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    std::vector<TMkTreeMark> marks;
    std::vector<TMkParsedTextList *> lists;
    for (int i = 0; i < 3; ++i) {
        lists.push_back(tree.Open<TMkParsedTextList>());
        marks.push_back(tree.Here());
        tree.Open<TMkParagraph>();
        tree.MoveTo(tree.RootMark());
    }
    tree.MoveTo(marks[1]);
    tree.RollBack();
    EXPECT_EQ(root.Count(), 2u);
    EXPECT_EQ(root.Child(0), lists[0]);
    EXPECT_EQ(root.Child(1), lists[2]);
    EXPECT_EQ(tree.Resolve(marks[0]), lists[0]);
    EXPECT_EQ(tree.Resolve(marks[2]), lists[2]);
    EXPECT_EQ(tree.LiveContainers(), 5u); // the root, two lists and their paragraphs

    // The last and the first go too, each with its paragraph.
    tree.MoveTo(marks[2]);
    tree.Open<TMkParagraph>();
    const TMkTreeMark late = tree.Here();
    tree.MoveTo(marks[2]);
    tree.RollBack();
    EXPECT_TRUE(tree.IsStale(late));
    tree.MoveTo(marks[0]);
    tree.RollBack();
    EXPECT_EQ(root.Count(), 0u);
    EXPECT_EQ(tree.LiveContainers(), 1u);
    tree.Open<TMkParagraph>();
    EXPECT_EQ(root.Count(), 1u);
}

TEST(TreeBuilder, WithoutACurrentContainerNothingIsBuiltOrDestroyed)
{
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    tree.Open<TMkParagraph>();
    const TMkTreeMark paragraph = tree.Here();
    tree.Open<TMkParagraph>();
    const TMkTreeMark inner = tree.Here();
    tree.MoveTo(paragraph);
    tree.RollBack();

    // A stale cursor: a roll-back there must not reach the freed objects.
    tree.MoveTo(inner);
    EXPECT_EQ(tree.Current(), nullptr);
    tree.RollBack();
    EXPECT_EQ(tree.Here(), inner);
    EXPECT_EQ(tree.Open<TMkParagraph>(), nullptr);
    EXPECT_EQ(AddWord(tree, "x"), nullptr);
    EXPECT_EQ(root.Count(), 0u);

    // Rolling back the root destroys nothing and leaves no container current.
    tree.MoveTo(tree.RootMark());
    AddWord(tree, "kept");
    tree.RollBack();
    EXPECT_EQ(tree.Current(), nullptr);
    EXPECT_TRUE(tree.Here().IsNone());
    EXPECT_EQ(tree.Root(), &root);
    EXPECT_EQ(root.Count(), 1u);
    EXPECT_EQ(tree.Open<TMkParagraph>(), nullptr);
    tree.MoveTo(tree.RootMark());
    EXPECT_NE(tree.Open<TMkParagraph>(), nullptr);
    EXPECT_EQ(root.Count(), 2u);

    TMkTreeBuilder none(nullptr);
    EXPECT_EQ(none.Current(), nullptr);
    EXPECT_EQ(none.Root(), nullptr);
    EXPECT_EQ(none.Open<TMkParagraph>(), nullptr);
    none.RollBack();
    none.Leave();
    EXPECT_EQ(none.LiveContainers(), 0u);
}

// Markup may nest deeply; taking such a subtree back must not recurse.
TEST(TreeBuilder, RollsBackADeeplyNestedSubtree)
{
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    tree.Open<TMkParsedTextList>();
    const TMkTreeMark top = tree.Here();
    constexpr int Depth = 200'000;
    for (int i = 0; i < Depth; ++i)
        tree.Open<TMkParsedTextList>();
    const TMkTreeMark bottom = tree.Here();
    EXPECT_EQ(tree.LiveContainers(), static_cast<std::size_t>(Depth) + 2);
    tree.MoveTo(top);
    tree.RollBack();
    EXPECT_EQ(tree.LiveContainers(), 1u);
    EXPECT_TRUE(tree.IsStale(bottom));
    EXPECT_EQ(root.Count(), 0u);
}

// Marks made across many slots, some of them freed and used again, each
// name their own container or none.
TEST(TreeBuilder, MarksOfManyContainersStayTrueAsSlotsAreReused)
{
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    std::vector<TMkTreeMark> marks;
    std::vector<TMkParsedTextList *> lists;
    auto openSibling = [&] {
        tree.MoveTo(tree.RootMark());
        lists.push_back(tree.Open<TMkParsedTextList>());
        marks.push_back(tree.Here());
    };
    for (int i = 0; i < 100; ++i)
        openSibling();
    for (int i = 0; i < 100; i += 3) {
        tree.MoveTo(marks[i]);
        tree.RollBack();
    }
    for (int i = 0; i < 40; ++i)
        openSibling();
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const bool rolledBack = i < 100 && i % 3 == 0;
        EXPECT_EQ(tree.IsStale(marks[i]), rolledBack) << i;
        EXPECT_EQ(tree.Resolve(marks[i]), rolledBack ? nullptr : lists[i]) << i;
    }
    EXPECT_EQ(tree.LiveContainers(), 1u + 100 - 34 + 40);
}
