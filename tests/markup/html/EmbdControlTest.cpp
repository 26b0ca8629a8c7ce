#include "support/FakeControl.h"
#include "support/HTMLTestSupport.h"

#include "markup/MkControlHost.h"
#include "markup/MkEmbdControl.h"
#include "markup/MkEngine.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"
#include "textobjects/MkWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using testkit::TFakeControl;

class EmbdControl : public testing::Test {
protected:
    void SetUp() override { engine.Controls.SetHost(&host); }

    // The markup's only piece, in a tree that sits in the fake window.
    TMkEmbdControl &Piece(std::string_view markup, TMkControlHandler handler = {})
    {
        testkit::THandlers handlers;
        handlers.Control = std::move(handler);
        root = testkit::Parse(engine, markup, handlers);
        root->SetParentWindow(&host.Window);
        root->SetHostControl(&host.Owner);
        auto *piece = dynamic_cast<TMkEmbdControl *>(testkit::At(*root, {0, 0}));
        if (!piece)
            throw std::runtime_error("no control piece");
        return *piece;
    }

    void Layout(TMkEmbdControl &piece)
    {
        piece.GetBounds({canvas, {0, 0, 300, 100}, font, true, true});
    }

    TFakeControl *Control(TMkEmbdControl &piece)
    {
        return static_cast<TFakeControl *>(piece.Control.get());
    }

    TMkEngine engine;
    testkit::TFakeHost host;
    std::unique_ptr<TMkParsedTextList> root;
    TMkTestCanvas canvas;
    TMkFont font;
};

TEST_F(EmbdControl, InputWithoutAttributesIsAnEditOfTheDefaultSize)
{
    TMkEmbdControl &piece = Piece("<input>");
    Layout(piece);
    ASSERT_NE(Control(piece), nullptr);
    EXPECT_EQ(Control(piece)->Cls.Name, "TEdit");
    EXPECT_EQ(piece.Width, 100);
    EXPECT_EQ(piece.Height, 13);
    EXPECT_EQ(piece.WidthText, "100");
    EXPECT_EQ(piece.HeightText, "13");
    EXPECT_EQ(Control(piece)->Window, &host.Window);
    EXPECT_FALSE(Control(piece)->Shown); // hidden until painted
    EXPECT_EQ(host.Journal, std::vector<std::string>{"create TEdit owned"});
}

// Each kind of control gets its default size where the markup gives none (a
// size of 1 asks for it too), and only buttons take the caption.
TEST_F(EmbdControl, KindsGetTheirDefaultSizesAndOnlyButtonsTheCaption)
{
    engine.Controls.RegisterClass({"TMemoTest", TMkControlKind::Edit});
    const struct {
        const char *Markup;
        const char *Made; // the control's class, size and text
    } cases[] = {
        {"<input type=SUBMIT>", "TButton 50x20 Submit"},
        {"<input type=checkbox>", "TCheckBox 13x20 "},
        {"<input type=radio width=30 height=1>", "TRadioButton 30x20 "},
        {"<control korclass=tmemotest>", "TMemoTest 100x13 "},
    };
    for (const auto &c : cases) {
        TMkEmbdControl &piece = Piece(c.Markup);
        if (piece.Caption.empty())
            piece.Caption = "ignored";
        Layout(piece);
        ASSERT_NE(Control(piece), nullptr) << c.Markup;
        EXPECT_EQ(Control(piece)->Cls.Name + " " + std::to_string(piece.Width) + "x" +
                      std::to_string(piece.Height) + " " + Control(piece)->Text,
                  c.Made);
    }
}

TEST_F(EmbdControl, HandlerSeesTheSizedHiddenControlOnce)
{
    std::vector<std::string> calls;
    TMkEmbdControl *seen = nullptr;
    TMkEmbdControl &piece = Piece("<input name=nome>", [&](TMkBaseText &sender, void *control,
                                                           const std::string &name) {
        auto *fake = static_cast<TFakeControl *>(control);
        seen = dynamic_cast<TMkEmbdControl *>(&sender);
        calls.push_back(name + " " + std::to_string(fake->W) + "x" + std::to_string(fake->H) +
                        (fake->Shown ? " shown" : " hidden") + (fake->Window ? " in window" : ""));
    });
    Layout(piece);
    Layout(piece);
    piece.Paint({canvas, {0, 0, 300, 100}, {0, 0}, font, 0, true, true, false});
    EXPECT_EQ(seen, &piece);
    EXPECT_EQ(calls, std::vector<std::string>{"nome 100x13 hidden in window"});
}

TEST_F(EmbdControl, PaintPlacesTheControlThroughScreenCoordinates)
{
    TMkEmbdControl &piece = Piece("<input>");
    piece.Paint({canvas, {5, 6, 300, 100}, {7, 8}, font, 0, true, true, false});
    ASSERT_NE(Control(piece), nullptr);
    // (5 + 7, 6 + 8) in the owner is (112, 214) on the screen, (102, 194)
    // in the window.
    EXPECT_EQ(Control(piece)->Position, (TMkPoint{102, 194}));
    EXPECT_TRUE(Control(piece)->Shown);
    EXPECT_TRUE(canvas.CallsOf(TMkCanvasCall::Kind::FillRect).empty());
}

TEST_F(EmbdControl, UnregisteredClassPaintsTheRequestedRectangle)
{
    TMkEmbdControl &piece = Piece("<control korclass=TNoSuchControl>");
    Layout(piece);
    EXPECT_EQ(piece.Control, nullptr);
    EXPECT_EQ(piece.Width, 0);
    EXPECT_EQ(piece.Height, 0);
    piece.Paint({canvas, {5, 6, 300, 100}, {1, 1}, font, 0x123456, true, true, false});
    const auto fills = canvas.CallsOf(TMkCanvasCall::Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, (TMkRect{6, 7, 7, 8}));
    EXPECT_EQ(fills[0].BrushColor, 0x123456u);
}

TEST_F(EmbdControl, WhiteOutFillsWhite)
{
    TMkEmbdControl &piece = Piece("<control korclass=TNoSuchControl width=4 height=3>");
    piece.Paint({canvas, {0, 0, 300, 100}, {0, 0}, font, 0x123456, true, true, true});
    const auto fills = canvas.CallsOf(TMkCanvasCall::Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, (TMkRect{0, 0, 4, 3}));
    EXPECT_EQ(fills[0].BrushColor, MkColorWhite);
}

TEST_F(EmbdControl, NoControlOutsideAWindowOrWithoutAHost)
{
    TMkEmbdControl &piece = Piece("<input>");
    root->SetParentWindow(nullptr);
    Layout(piece);
    EXPECT_EQ(piece.Control, nullptr);
    root->SetParentWindow(&host.Window);
    engine.Controls.SetHost(nullptr);
    Layout(piece);
    EXPECT_EQ(piece.Control, nullptr);
    EXPECT_TRUE(host.Journal.empty());
}

TEST_F(EmbdControl, SizeThatIsNotANumberIsAConversionErrorWhenNeeded)
{
    TMkEmbdControl &piece = Piece("<input width=wide>");
    EXPECT_EQ(piece.WidthText, "wide"); // the parse itself does not convert
    EXPECT_THROW(Layout(piece), EConvertError);
}

TEST_F(EmbdControl, ClonesStartWithoutAControlAndTheControlDiesWithThePiece)
{
    TMkEmbdControl &piece = Piece("<input type=reset name=r>");
    Layout(piece);
    auto copy = piece.Clone();
    auto *clone = dynamic_cast<TMkEmbdControl *>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->Control, nullptr);
    EXPECT_EQ(clone->ControlClassName, "TButton");
    EXPECT_EQ(clone->ControlName, "r");
    EXPECT_EQ(clone->Caption, "Reset");
    root.reset();
    EXPECT_EQ(host.Journal.back(), "destroy TButton");
}

TEST(EmbdControlExport, PassesTheRequestedSize)
{
    struct TWriter : TMkWriter {
        std::string Seen;
        void EmbeddedControl(std::string_view cls, std::string_view name, std::int32_t w,
                             std::int32_t h) override
        {
            Seen = std::string(cls) + " " + std::string(name) + " " + std::to_string(w) + " " +
                   std::to_string(h);
        }
    } writer;
    TMkEmbdControl piece(nullptr, {}, "", "40", "n", "TEdit", nullptr);
    piece.Export(writer);
    EXPECT_EQ(writer.Seen, "TEdit n 40 1");
}

TEST(EmbdControlRegistry, StockClassesAreThereInAFreshEngine)
{
    const TMkEngine engine;
    ASSERT_NE(engine.Controls.FindClass("tedit"), nullptr);
    EXPECT_EQ(engine.Controls.FindClass("TEdit")->Kind, TMkControlKind::Edit);
    EXPECT_EQ(engine.Controls.FindClass("TButton")->Kind, TMkControlKind::Button);
    EXPECT_EQ(engine.Controls.FindClass("TCheckBox")->Kind, TMkControlKind::Other);
    EXPECT_EQ(engine.Controls.FindClass("TRadioButton")->Kind, TMkControlKind::Other);
    EXPECT_EQ(engine.Controls.FindClass("TListBox"), nullptr);
}

} // namespace
