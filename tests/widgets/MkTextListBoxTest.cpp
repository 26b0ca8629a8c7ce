#include "widgets/MkTextListBox.h"
#include "markup/MkByteStream.h"
#include "markup/MkParserRegistry.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkParsedTextList.h"
#include "widgets/QtSystemColors.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The HTML parser, counting its parses and the bytes it was given.
class TCountingParser : public TMkParserOf<TCountingParser, TMkHTMLParser> {
public:
    static constexpr const char *ClassName = "TCountingParser";
    static inline int parses = 0;
    static inline std::int64_t lastSize = 0;

    explicit TCountingParser(TMkEngine &engine) : TMkParserOf(engine) {}

    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &stream, TMkImageHandler image,
                                             TMkVariableHandler variable, TMkControlHandler control,
                                             TMkRepeatHandler repeat) override
    {
        ++parses;
        lastSize = stream.Size();
        return TMkHTMLParser::Parse(stream, std::move(image), std::move(variable),
                                    std::move(control), std::move(repeat));
    }
};

constexpr TMkColor InfoBk = MkSystemColor(24);
constexpr const char *BadRow = R"(<font color="#44000G">x</font>)";

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        box_.Engine().Parsers.Register(TCountingParser::StaticClass(), {}, false);
        TCountingParser::parses = 0;
        box_.resize(200, 100);
        box_.SetItemHeight(24);
        box_.SetColor(InfoBk);
        box_.TextSettings().SetParserClass("TCountingParser");
        box_.OnItemError = [this](std::exception_ptr) { ++errors_; };
    }

    // One item drawn by itself into a white image, as the list draws it.
    QImage Draw(int index, TMkTextListBox::TItemState state = {}, QSize size = {200, 24})
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        box_.DrawItem(painter, index, QRect(QPoint(0, 0), size), state);
        return image;
    }

    TMkTextListBox box_;
    int errors_ = 0;
};

bool AllPixels(const QImage &image, const QRect &area, const QColor &color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != color)
                return false;
    return true;
}

} // namespace

TEST_F(ListBoxTest, TheGamesListOperations)
{
    EXPECT_EQ(box_.Count(), 0);
    box_.AddItem("<b>uno</b>");
    box_.AddItem("due");
    ASSERT_EQ(box_.Count(), 2);
    EXPECT_EQ(box_.Item(1), "due");
    box_.SetItemIndex(1);
    EXPECT_EQ(box_.ItemIndex(), 1);
    EXPECT_TRUE(box_.item(1)->isSelected());
    EXPECT_FALSE(box_.item(0)->isSelected());

    box_.Clear();
    EXPECT_EQ(box_.Count(), 0);
    box_.AddItem("tre \xE8");
    box_.SetItemIndex(0);
    EXPECT_EQ(box_.ItemIndex(), 0);
    EXPECT_EQ(box_.Item(0), "tre \xE8") << "items are kept byte for byte";
}

TEST_F(ListBoxTest, CtrlClickKeepsTheOneSelectedRow)
{
    box_.AddItem("uno");
    box_.AddItem("due");
    box_.show();
    box_.SetItemIndex(1);
    const QPoint second = box_.visualItemRect(box_.item(1)).center();
    QTest::mouseClick(box_.viewport(), Qt::LeftButton, Qt::ControlModifier, second);
    EXPECT_EQ(box_.ItemIndex(), 1);
    EXPECT_TRUE(box_.item(1)->isSelected());
    QTest::keyClick(&box_, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(box_.item(1)->isSelected());

    // Ctrl+click on another row still selects that one alone.
    const QPoint first = box_.visualItemRect(box_.item(0)).center();
    QTest::mouseClick(box_.viewport(), Qt::LeftButton, Qt::ControlModifier, first);
    EXPECT_EQ(box_.ItemIndex(), 0);
    EXPECT_EQ(box_.selectedItems().size(), 1);
}

TEST_F(ListBoxTest, SelectingTheLastItemScrollsItIntoView)
{
    for (int i = 0; i < 40; ++i)
        box_.AddItem("riga " + std::to_string(i));
    box_.show();
    box_.SetItemIndex(39);
    EXPECT_TRUE(box_.viewport()->rect().contains(box_.visualItemRect(box_.item(39))));
    EXPECT_FALSE(box_.viewport()->rect().intersects(box_.visualItemRect(box_.item(0))));
}

TEST_F(ListBoxTest, EveryDrawParsesAgainAndOnlyTheLastTreeStays)
{
    box_.AddItem("<b>uno</b>");
    box_.AddItem("due");
    box_.show();
    box_.grab();
    const int first = TCountingParser::parses;
    EXPECT_GE(first, 2);
    box_.grab();
    EXPECT_EQ(TCountingParser::parses, 2 * first);
    Draw(0);
    EXPECT_EQ(TCountingParser::parses, 2 * first + 1);
    // The tree of the item drawn last: "uno" in bold.
    ASSERT_NE(box_.TextSettings().Root(), nullptr);
    EXPECT_GT(box_.TextSettings().Root()->Count(), 0u);
}

TEST_F(ListBoxTest, AnEmptyItemIsParsedAndDrawsNothingVisible)
{
    box_.AddItem("");
    const QImage image = Draw(0);
    EXPECT_EQ(TCountingParser::parses, 1);
    EXPECT_EQ(TCountingParser::lastSize, 1) << "the line feed alone";
    EXPECT_TRUE(AllPixels(image, image.rect(), ColorFromValue(InfoBk)));
}

TEST_F(ListBoxTest, WithoutVerticalScrollBarNoneShowsEvenOnOverflow)
{
    for (int i = 0; i < 10; ++i)
        box_.AddItem("riga");
    box_.show();
    EXPECT_TRUE(box_.verticalScrollBar()->isVisible());
    box_.SetVerticalScrollBar(false);
    QApplication::processEvents();
    EXPECT_FALSE(box_.verticalScrollBar()->isVisible());
}

// Which colour fills a selected item: the selection colour while the list is
// enabled, unless HideSelection hides it without the focus; the disabled
// colour on a disabled list.
TEST_F(ListBoxTest, SelectionColours)
{
    struct TCase {
        bool selected, enabled, hideSelection;
        TMkColor fill;
    } cases[] = {
        {false, true, false, InfoBk},
        {true, true, false, MkSystemColor(13)},
        {true, true, true, InfoBk}, // the list has no focus
        {true, false, false, MkSystemColor(5)},
        {false, false, false, MkSystemColor(5)},
    };
    box_.AddItem("");
    for (const TCase &c : cases) {
        box_.setEnabled(c.enabled);
        box_.SetHideSelection(c.hideSelection);
        const QImage image = Draw(0, {c.selected, false});
        EXPECT_EQ(image.pixelColor(5, 5), ColorFromValue(c.fill))
            << c.selected << c.enabled << c.hideSelection;
    }
}

TEST_F(ListBoxTest, GridLineAndFocusRectangle)
{
    box_.AddItem("");
    const QColor background = ColorFromValue(InfoBk);
    EXPECT_EQ(Draw(0).pixelColor(10, 23), background);
    box_.SetHorzGridLine(true);
    EXPECT_EQ(Draw(0).pixelColor(10, 23), QColor(0xC0, 0xC0, 0xC0));
    box_.SetHorzGridLine(false);

    // The focus rectangle marks the item's edges, unless HideFocus is set.
    const QImage focused = Draw(0, {false, true});
    EXPECT_FALSE(AllPixels(focused, QRect(0, 0, 200, 1), background));
    EXPECT_FALSE(AllPixels(focused, QRect(0, 23, 200, 1), background));
    EXPECT_TRUE(AllPixels(focused, QRect(1, 1, 198, 22), background));
    box_.SetHideFocus(true);
    EXPECT_TRUE(AllPixels(Draw(0, {false, true}), QRect(0, 0, 200, 24), background));
}

TEST_F(ListBoxTest, MarkupTallerThanTheItemIsCutOff)
{
    box_.AddItem("<font size=7>Alto</font><br><font size=7>Alto</font>");
    QImage image(200, 80, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        box_.DrawItem(painter, 0, QRect(0, 20, 200, 24), {});
    }
    EXPECT_TRUE(AllPixels(image, QRect(0, 0, 200, 20), Qt::white));
    EXPECT_TRUE(AllPixels(image, QRect(0, 44, 200, 36), Qt::white));
}

TEST_F(ListBoxTest, VariablesAreAnsweredByOnGetVariable)
{
    std::vector<std::string> asked;
    box_.OnGetVariable = [&](TMkTextListBox &sender, const std::string &name, std::string &value) {
        EXPECT_EQ(&sender, &box_);
        asked.push_back(name);
        value = "#0000FF";
    };
    box_.AddItem("<font color=~~colore>blu</font>");
    const QImage image = Draw(0);
    EXPECT_EQ(asked, std::vector<std::string>{"COLORE"});
    bool blue = false;
    for (int x = 0; x < 60 && !blue; ++x)
        for (int y = 0; y < 24 && !blue; ++y)
            blue = image.pixelColor(x, y) == QColor(0, 0, 0xFF);
    EXPECT_TRUE(blue);
}

TEST_F(ListBoxTest, MeasuredItemsTakeTheHeightOfTheirMarkup)
{
    box_.SetOptions(box_.Options() | lboCalcHeight);
    box_.AddItem("piccolo");
    box_.AddItem("<font size=7>grande</font>");
    box_.show();
    QApplication::processEvents();
    const int small = box_.visualItemRect(box_.item(0)).height();
    const int large = box_.visualItemRect(box_.item(1)).height();
    EXPECT_EQ(small, box_.MeasureItem(0));
    EXPECT_GT(large, small);
    EXPECT_NE(small, 24);
}

TEST_F(ListBoxTest, AFailingRowIsReportedOnceAndDrawsItsBackground)
{
    box_.AddItem(BadRow);
    box_.AddItem("buona");
    const QImage image = Draw(0);
    EXPECT_EQ(errors_, 1);
    EXPECT_TRUE(AllPixels(image, image.rect(), ColorFromValue(InfoBk)));
    const int parses = TCountingParser::parses;
    Draw(0);
    Draw(1);
    EXPECT_EQ(errors_, 1);
    EXPECT_EQ(TCountingParser::parses, parses + 1) << "the failed row is not parsed again";

    // A new text gets another try.
    box_.SetItem(0, std::string(BadRow) + " ");
    Draw(0);
    EXPECT_EQ(errors_, 2);
    box_.SetItem(0, "ora buona");
    Draw(0);
    EXPECT_EQ(errors_, 2);
}
