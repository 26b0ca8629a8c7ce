#include "support/TextTestSupport.h"

#include "textobjects/MkErrors.h"
#include "textobjects/MkHiddenText.h"
#include "textobjects/MkImage.h"
#include "textobjects/MkLineBreak.h"
#include "textobjects/MkList.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkRepeat.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTestCanvas.h"
#include "textobjects/MkText.h"
#include "textobjects/MkTree.h"
#include "textobjects/MkWriter.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TMkVariableCallback Variables(std::map<std::string, std::string> values,
                              std::vector<std::string> *asked = nullptr)
{
    return [values, asked](TMkBaseText &, const std::string &name) {
        if (asked)
            asked->push_back(name);
        auto it = values.find(name);
        return it == values.end() ? std::string("?") : it->second;
    };
}

// Records the writer calls as one line of words.
class TRecordingWriter : public TMkWriter {
public:
    std::string log;
    void Write(std::string_view s) override { log += "write[" + std::string(s) + "] "; }
    void BeginDocument() override { log += "doc "; }
    void EndDocument() override { log += "/doc"; }
    void BeginParagraph(const TMkParagraph &) override { log += "p "; }
    void EndParagraph() override { log += "/p "; }
    void BeginList(const TMkList &) override { log += "list "; }
    void ListItem(std::int32_t i) override { log += "item" + std::to_string(i) + " "; }
    void EndList() override { log += "/list "; }
    void Text(const TMkText &t) override { log += "text[" + t.Text.str() + "] "; }
};

} // namespace

TEST(TextModel, CloneCopiesEveryAttributeAndKeepsTheParent)
{
    TMkParagraph paragraph(nullptr, "center");
    EXPECT_EQ(paragraph.Align, "CENTER");
    EXPECT_EQ(TMkParagraph(nullptr, "centr\xE9").Align, "CENTR\xC9");
    auto *word = paragraph.Add(std::make_unique<TMkText>("casa", &paragraph));
    TMkTextStyle &style = word->EditStyle();
    style.FontName = "verdana";
    style.FontSize = "14";
    style.FontStyle = MkFontBold;
    style.Color = 0x000044;
    style.Style3D = 4;
    style.Position = 2;
    style.LightDepth = 3;
    style.ShadowColor = 0x123456;
    word->IsLink = 1;
    word->LinkRef = "go";
    // Longer than a word's text keeps in place.
    auto *longWord =
        paragraph.Add(std::make_unique<TMkText>("precipitevolissimevolmente", &paragraph));

    auto copy = paragraph.Clone();
    longWord->Text = "x";
    auto *p = dynamic_cast<TMkParagraph *>(copy.get());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Align, "CENTER");
    ASSERT_EQ(p->Count(), 2u);
    EXPECT_EQ(dynamic_cast<TMkText &>(*p->Child(1)).Text, "precipitevolissimevolmente");
    auto *w = dynamic_cast<TMkText *>(p->Child(0));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Parent, p); // the copy's children belong to the copy
    EXPECT_EQ(w->Text, "casa");
    EXPECT_EQ(w->Style().FontName, "verdana");
    EXPECT_EQ(w->Style().FontSize, "14");
    EXPECT_EQ(w->Style().FontStyle, MkFontBold);
    EXPECT_EQ(w->Style().Color, 0x000044u);
    EXPECT_EQ(w->Style().Style3D, 4);
    EXPECT_EQ(w->Style().Position, 2);
    EXPECT_EQ(w->Style().LightDepth, 3);
    EXPECT_EQ(w->Style().ShadowColor, 0x123456u);
    EXPECT_EQ(w->IsLink, 1);
    EXPECT_EQ(w->LinkRef, "go");

    // Classes whose own fields would otherwise be lost in a copy.
    TMkList list(nullptr, 1);
    EXPECT_EQ(dynamic_cast<TMkList &>(*list.Clone()).Numbered, 1);
    TMkHiddenText hidden(nullptr, "<!-- kept -->");
    EXPECT_EQ(dynamic_cast<TMkHiddenText &>(*hidden.Clone()).Text, "<!-- kept -->");
    TMkTree tree(nullptr);
    tree.Indent = 7;
    tree.TreeKind = 1;
    auto treeCopy = tree.Clone();
    EXPECT_EQ(dynamic_cast<TMkTree &>(*treeCopy).Indent, 7);
    EXPECT_EQ(dynamic_cast<TMkTree &>(*treeCopy).TreeKind, 1);
}

TEST(TextModel, ChildrenKeepTheirOrderAsOnesInTheMiddleComeAndGo)
{
    TMkParsedTextList list(nullptr);
    const auto words = [&list] {
        std::string all;
        for (std::size_t i = 0; i < list.Count(); ++i)
            all += dynamic_cast<const TMkText &>(*list.Child(i)).Text;
        return all;
    };
    for (const char *word : {"a", "c", "e"})
        list.Add(std::make_unique<TMkText>(word, nullptr));
    list.Insert(1, std::make_unique<TMkText>("b", nullptr));
    list.Insert(3, std::make_unique<TMkText>("d", nullptr));
    list.Insert(99, std::make_unique<TMkText>("f", nullptr));
    EXPECT_EQ(words(), "abcdef");
    EXPECT_EQ(list.Child(5)->Parent, &list);

    list.Delete(2);
    EXPECT_EQ(words(), "abdef");
    const std::unique_ptr<TMkBaseText> taken = list.Extract(1);
    EXPECT_EQ(words(), "adef");
    EXPECT_EQ(taken->Parent, nullptr);
    list.Replace(3, std::make_unique<TMkText>("g", nullptr));
    EXPECT_EQ(words(), "adeg");
    EXPECT_EQ(list.IndexOf(list.Child(2)), 2u);
}

TEST(TextModel, ResolvesReferencesInTheirOrderAndLeavesOtherTextsAlone)
{
    TMkParsedTextList root(nullptr);
    auto *paragraph = root.Add(std::make_unique<TMkParagraph>(&root, "~~align"));
    auto *word = paragraph->Add(std::make_unique<TMkText>("~~word", paragraph));
    word->EditStyle().FontName = "~~face";
    word->EditStyle().FontSize = "~~Size";
    word->LinkRef = "~~link";
    auto *plain = paragraph->Add(std::make_unique<TMkText>("~plain", paragraph));
    plain->EditStyle().FontName = "arial";

    std::vector<std::string> asked;
    root.ResolveVariables(Variables(
        {{"ALIGN", "right"}, {"WORD", "casa"}, {"FACE", "verdana"}, {"SIZE", "14"}, {"LINK", "go"}},
        &asked));
    EXPECT_EQ(asked, (std::vector<std::string>{"LINK", "FACE", "SIZE", "WORD", "ALIGN"}));
    EXPECT_EQ(word->Text, "casa");
    EXPECT_EQ(word->Style().FontName, "verdana");
    EXPECT_EQ(word->Style().FontSize, "14");
    EXPECT_EQ(word->LinkRef, "go");
    EXPECT_EQ(paragraph->AlignValue(), 1);
    EXPECT_EQ(plain->Text, "~plain");
    EXPECT_EQ(plain->Style().FontName, "arial");

    // Without a callback a reference becomes empty.
    TMkText lonely("~~X", nullptr);
    lonely.ResolveVariables({});
    EXPECT_EQ(lonely.Text, "");
}

TEST(TextModel, ResolvingAWordLeavesTheReferencesOfItsCopiesAlone)
{
    TMkText word("casa", nullptr);
    word.EditStyle().FontName = "~~face";
    word.LinkRef = "~~link";
    const auto copy = word.Clone();
    word.ResolveVariables(Variables({{"FACE", "verdana"}, {"LINK", "go"}}));
    const auto &kept = dynamic_cast<const TMkText &>(*copy);
    EXPECT_EQ(word.Style().FontName, "verdana");
    EXPECT_EQ(kept.Style().FontName, "~~face");
    EXPECT_EQ(kept.LinkRef, "~~link");
}

TEST(TextModel, UnresolvedAlignmentAndBadFontSizesRaise)
{
    TMkParagraph paragraph(nullptr, "~~where");
    try {
        paragraph.AlignValue();
        FAIL() << "no error";
    } catch (const EMkUnresolvedVariable &e) {
        EXPECT_STREQ(e.what(), "Unresolved variable~~WHERE");
    }
    TMkTestCanvas canvas;
    EXPECT_THROW(paragraph.GetBounds({canvas, {0, 0, 100, 100}, testkit::BaseFont(), true, true}),
                 EMkUnresolvedVariable);

    TMkText word("x", nullptr);
    word.EditStyle().FontSize = "big";
    try {
        word.GetBounds({canvas, {0, 0, 100, 100}, testkit::BaseFont(), true, true});
        FAIL() << "no error";
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'big' is not a valid integer value");
    }
}

TEST(TextModel, RepeatBlocksBecomePlainListsOfResolvedCopies)
{
    testkit::TFakeLoader loader;
    loader.sizes["im1.bmp"] = {16, 16};
    TMkPictureStore pictures;
    TMkScopedPictureLoader scope(pictures, loader);

    auto expand = [&pictures](const std::string &count, std::vector<std::int32_t> *indexes) {
        auto root = std::make_unique<TMkParsedTextList>(nullptr);
        auto onRepeat = [indexes](TMkBaseText &, std::int32_t i) { indexes->push_back(i); };
        auto *repeat = root->Add(std::make_unique<TMkRepeat>(root.get(), onRepeat, count));
        repeat->Add(std::make_unique<TMkImage>(repeat, TMkImageCallback{}, "", "", "", "im1.bmp",
                                               &pictures));
        root->ResolveVariables(Variables({{"N", "3"}}));
        return root;
    };

    std::vector<std::int32_t> indexes;
    auto two = expand("2", &indexes);
    ASSERT_EQ(two->Count(), 1u);
    auto *list = two->Child(0);
    EXPECT_EQ(typeid(*list), typeid(TMkParsedTextList));
    EXPECT_EQ(list->Parent, two.get());
    auto &copies = dynamic_cast<TMkParsedTextList &>(*list);
    ASSERT_EQ(copies.Count(), 2u);
    auto &first = dynamic_cast<TMkImage &>(*copies.Child(0));
    auto &second = dynamic_cast<TMkImage &>(*copies.Child(1));
    EXPECT_EQ(first.Parent, &copies);
    EXPECT_EQ(first.Picture.Width(), 16);
    EXPECT_NE(first.Picture.Graphic(), second.Picture.Graphic());
    EXPECT_EQ(indexes, (std::vector<std::int32_t>{0, 1}));

    indexes.clear();
    EXPECT_EQ(dynamic_cast<TMkParsedTextList &>(*expand("0", &indexes)->Child(0)).Count(), 0u);
    EXPECT_TRUE(indexes.empty());
    EXPECT_EQ(dynamic_cast<TMkParsedTextList &>(*expand("-4", &indexes)->Child(0)).Count(), 0u);
    EXPECT_EQ(dynamic_cast<TMkParsedTextList &>(*expand("two", &indexes)->Child(0)).Count(), 1u);
    EXPECT_EQ(dynamic_cast<TMkParsedTextList &>(*expand("~~n", &indexes)->Child(0)).Count(), 3u);
    // A hostile count is bounded.
    EXPECT_EQ(dynamic_cast<TMkParsedTextList &>(*expand("2000000000", &indexes)->Child(0)).Count(),
              static_cast<std::size_t>(MkMaxRepeatCount));
}

TEST(TextModel, NestedRepeatBlocksExpandInsideTheirCopies)
{
    TMkParsedTextList root(nullptr);
    auto *outer = root.Add(std::make_unique<TMkRepeat>(&root, TMkRepeatCallback{}, "2"));
    auto *inner = outer->Add(std::make_unique<TMkRepeat>(outer, TMkRepeatCallback{}, "3"));
    inner->Add(std::make_unique<TMkText>("~~w", inner));
    root.ResolveVariables(Variables({{"W", "ciao"}}));

    auto &outerList = dynamic_cast<TMkParsedTextList &>(*root.Child(0));
    ASSERT_EQ(outerList.Count(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        auto *innerList = outerList.Child(i);
        ASSERT_EQ(typeid(*innerList), typeid(TMkParsedTextList)) << i;
        auto &words = dynamic_cast<TMkParsedTextList &>(*innerList);
        ASSERT_EQ(words.Count(), 3u);
        EXPECT_EQ(dynamic_cast<TMkText &>(*words.Child(2)).Text, "ciao");
    }

    // Deep nesting of big counts (100 to the sixth words) stops at the shared
    // copy budget: every block is expanded, into no more objects than the
    // budget allows (a few over, for the blocks under way when it runs out).
    TMkParsedTextList bomb(nullptr);
    TMkParsedTextList *at = &bomb;
    for (int i = 0; i < 6; ++i)
        at = at->Add(std::make_unique<TMkRepeat>(at, TMkRepeatCallback{}, "100"));
    at->Add(std::make_unique<TMkText>("x", at));
    bomb.ResolveVariables({});
    // Every object below the root is one copy, or a list that took the place
    // of one of the six blocks; without a shared budget there would be 10^12.
    std::int64_t objects = 0;
    std::int64_t words = 0;
    std::vector<const TMkBaseText *> pending{&bomb};
    while (!pending.empty()) {
        const TMkBaseText *object = pending.back();
        pending.pop_back();
        EXPECT_EQ(dynamic_cast<const TMkRepeat *>(object), nullptr);
        words += dynamic_cast<const TMkText *>(object) != nullptr;
        if (const auto *list = dynamic_cast<const TMkParsedTextList *>(object))
            for (std::size_t i = 0; i < list->Count(); ++i) {
                pending.push_back(list->Child(i));
                ++objects;
            }
    }
    EXPECT_LE(objects, MkMaxRepeatCopies + 6);
    EXPECT_GT(words, MkMaxRepeatCopies / 2);
}

TEST(TextModel, ExportBracketsContainersAndSkipsEmptyParts)
{
    TMkParsedTextList root(nullptr);
    auto *p = root.Add(std::make_unique<TMkParagraph>(&root));
    p->Add(std::make_unique<TMkText>("ciao", p));
    p->Add(std::make_unique<TMkText>("  ", p));
    p->Add(std::make_unique<TMkText>("", p));
    root.Add(std::make_unique<TMkParagraph>(&root)); // empty: nothing
    root.Add(std::make_unique<TMkHiddenText>(&root, "<X>"));
    auto *list = root.Add(std::make_unique<TMkList>(&root, 1));
    list->Add(std::make_unique<TMkListItem>(list));
    list->Add(std::make_unique<TMkText>("skipped", list));
    list->Add(std::make_unique<TMkListItem>(list));

    TRecordingWriter writer;
    root.Export(writer);
    EXPECT_EQ(writer.log, "doc p text[ciao] write[ ] /p write[<X>] list item0 item1 /list /doc");
}

TEST(TextModel, DeepTreesAreDestroyedAndLaidOutWithoutExhaustingTheStack)
{
    auto root = std::make_unique<TMkParsedTextList>(nullptr);
    TMkParsedTextList *at = root.get();
    for (int i = 0; i < 200000; ++i)
        at = at->Add(std::make_unique<TMkParsedTextList>(at));
    at->Add(std::make_unique<TMkText>("deep", at));
    TMkTestCanvas canvas;
    const TMkRect b = root->GetBounds({canvas, {0, 0, 100, 100}, testkit::BaseFont(), true, true});
    EXPECT_EQ(b, (TMkRect{0, 0, 0, 0})); // the word lies past the nesting limit
    root->Paint({canvas, {0, 0, 100, 100}, {}, testkit::BaseFont(), NoColor, true, true, false});
    EXPECT_TRUE(canvas.Calls().empty());
    root.reset();
}

// Objects that note their name in a shared log as they are destroyed.
template <class TBase> class TLogged : public TBase {
public:
    TLogged(TMkBaseText *parent, std::string name, std::vector<std::string> &log)
        : TBase(parent),
          name_(std::move(name)),
          log_(log)
    {
    }
    ~TLogged() override { log_.push_back(name_); }

private:
    std::string name_;
    std::vector<std::string> &log_;
};

TEST(TextModel, DestroyingATreeDestroysEachObjectOnceAndInnerListsAfterTheirChildren)
{
    // Lists with and without children, nested at several depths, with leaves
    // before and after them.
    std::vector<std::string> log;
    using TList = TLogged<TMkParsedTextList>;
    using TLeaf = TLogged<TMkLineBreak>;
    auto root = std::make_unique<TList>(nullptr, "root", log);
    root->Add(std::make_unique<TLeaf>(root.get(), "a", log));
    auto *b = root->Add(std::make_unique<TList>(root.get(), "b", log));
    b->Add(std::make_unique<TList>(b, "b1", log));
    auto *b2 = b->Add(std::make_unique<TList>(b, "b2", log));
    b2->Add(std::make_unique<TLeaf>(b2, "b2a", log));
    b->Add(std::make_unique<TLeaf>(b, "b3", log));
    auto *c = root->Add(std::make_unique<TList>(root.get(), "c", log));
    auto *c1 = c->Add(std::make_unique<TList>(c, "c1", log));
    c1->Add(std::make_unique<TLeaf>(c1, "c1a", log));
    root->Add(std::make_unique<TLeaf>(root.get(), "d", log));

    // The root's own destructor runs before its children go (they go in its
    // base's), the last child first and each list after what it holds.
    root.reset();
    EXPECT_EQ(log, (std::vector<std::string>{"root", "d", "c1a", "c1", "c", "b3", "b2a", "b2", "b1",
                                             "b", "a"}));
}

TEST(TextModel, HitTestFindsTheLeafUnderThePoint)
{
    TMkParsedTextList root(nullptr);
    auto *p = root.Add(std::make_unique<TMkParagraph>(&root));
    auto *a = p->Add(std::make_unique<TMkText>("aa", p));
    auto *b = p->Add(std::make_unique<TMkText>("bb", p));
    TMkTestCanvas canvas;
    const TMkFont font = testkit::BaseFont();
    root.Paint({canvas, {0, 0, 200, 50}, {}, font, NoColor, true, true, false});
    EXPECT_EQ(root.HitTest({3, 3}, {canvas, {0, 0, 200, 50}, font, true, true}), a);
    EXPECT_EQ(root.HitTest({15, 3}, {canvas, {0, 0, 200, 50}, font, true, true}), b);
    EXPECT_EQ(root.HitTest({150, 3}, {canvas, {0, 0, 200, 50}, font, true, true}), nullptr);
}
