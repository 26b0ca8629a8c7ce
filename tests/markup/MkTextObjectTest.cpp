#include "markup/MkTextObject.h"
#include "markup/MkEngine.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"

#include <gtest/gtest.h>

namespace {

// A second parser class to switch to: the HTML parser under another name.
class TOtherParser : public TMkParserOf<TOtherParser, TMkHTMLParser> {
public:
    static constexpr const char *ClassName = "TOtherParser";
    explicit TOtherParser(TMkEngine &engine) : TMkParserOf(engine) {}
};

class TextObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MkRegisterHTMLParser(engine_.Parsers);
        engine_.Parsers.Register(TOtherParser::StaticClass(), {}, false);
        container_.OnChange = [this] { ++changes_; };
    }

    TMkEngine engine_;
    TMkTextObject container_{engine_};
    int changes_ = 0;
};

} // namespace

TEST_F(TextObjectTest, ChoosingTheParserByClassName)
{
    EXPECT_EQ(container_.ParserClass(), "");
    container_.SetParserClass("TMkHTMLParser");
    EXPECT_EQ(container_.ParserClass(), "TMkHTMLParser");
    EXPECT_EQ(changes_, 0) << "no tree and no notify flag";
    const TMkParser *parser = container_.Parser();

    container_.SetParserClass("tmkhtmlparser");
    EXPECT_EQ(container_.Parser(), parser) << "the same class, ignoring case, keeps its parser";
    container_.SetParserClass("TMkNoSuchParser");
    EXPECT_EQ(container_.Parser(), parser) << "an unknown name changes nothing";

    // With a tree to show, or the notify flag, a change reaches the owner.
    container_.Parse("<b>x</b>\n");
    container_.SetParserClass("TOtherParser");
    EXPECT_EQ(container_.ParserClass(), "TOtherParser");
    EXPECT_EQ(changes_, 1);
    container_.Parse("");
    container_.NotifyParserChanges = true;
    container_.SetParserClass("TMkHTMLParser");
    EXPECT_EQ(changes_, 2);

    TMkTextObject copy(engine_);
    copy.Assign(container_);
    EXPECT_EQ(copy.ParserClass(), "TMkHTMLParser");
    EXPECT_TRUE(copy.NotifyParserChanges);
}

TEST_F(TextObjectTest, ParsingReplacesTheTree)
{
    TMkTestCanvas canvas;
    EXPECT_EQ(container_.Bounds(canvas, {0, 0, 300, 24}, canvas.Font(), true, true),
              (TMkRect{0, 0, 10, 10}));
    container_.Paint(canvas, {0, 0, 300, 24}, {0, 0}, canvas.Font(), MkColorWhite, true, true);

    // Never given a class, the container reads with the registry's default.
    int host = 0, window = 0;
    container_.HostControl = &host;
    container_.ParentWindow = &window;
    container_.Parse("<b>casa</b>\n");
    ASSERT_NE(container_.Root(), nullptr);
    EXPECT_EQ(container_.ParserClass(), engine_.Parsers.DefaultClass().ClassName);
    EXPECT_EQ(container_.Root()->HostControl(), &host);
    EXPECT_EQ(container_.Root()->ParentWindow(), &window);
    const TMkRect bounds = container_.Bounds(canvas, {0, 0, 300, 24}, canvas.Font(), true, true);
    EXPECT_GT(bounds.Right, 0);

    container_.Parse("");
    EXPECT_EQ(container_.Root(), nullptr) << "empty text leaves no tree";
}
