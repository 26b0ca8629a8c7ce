#include "HTMLTestSupport.h"

#include "markup/MkControlHost.h"
#include "markup/MkEmbdControl.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"
#include "textobjects/MkWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// What the fake platform did, in order.
struct TJournal {
    std::vector<std::string> Lines;
    void Add(const std::string &line) { Lines.push_back(line); }
};

class TFakeControl : public TMkWindowControl {
public:
    TFakeControl(const TMkControlClass &cls, TJournal &journal) : Cls(cls), Journal(journal) {}
    ~TFakeControl() override { Journal.Add("destroy " + Cls.Name); }

    const TMkControlClass &Class() const override { return Cls; }
    void *Native() override { return this; }
    void SetParentWindow(void *window) override { Window = window; }
    void *ParentWindow() const override { return Window; }
    void SetVisible(bool visible) override { Shown = visible; }
    bool Visible() const override { return Shown; }
    void SetSize(std::int32_t width, std::int32_t height) override
    {
        W = width;
        H = height;
    }
    std::int32_t Width() const override { return W; }
    std::int32_t Height() const override { return H; }
    void SetText(std::string_view text) override { Text = text; }
    void MoveTo(TMkPoint position) override { Position = position; }

    TMkControlClass Cls;
    TJournal &Journal;
    void *Window = nullptr;
    bool Shown = true; // platforms make controls visible; the piece must hide it
    std::int32_t W = 0;
    std::int32_t H = 0;
    std::string Text;
    TMkPoint Position{-1, -1};
};

// Client coordinates of the owner sit at (100, 200) on the screen, those of
// any window at (10, 20).
class TFakeHost : public TMkControlHost {
public:
    std::unique_ptr<TMkWindowControl> CreateControl(const TMkControlClass &cls,
                                                    void *owner) override
    {
        Journal.Add("create " + cls.Name + (owner == &Owner ? " owned" : ""));
        return std::make_unique<TFakeControl>(cls, Journal);
    }
    TMkPoint ClientToScreen(void *control, TMkPoint p) override
    {
        return control == &Owner ? TMkPoint{p.x + 100, p.y + 200} : p;
    }
    TMkPoint ScreenToClient(void *, TMkPoint p) override { return {p.x - 10, p.y - 20}; }

    TJournal Journal;
    int Owner = 0;
    int Window = 0;
};

class EmbdControl : public testing::Test {
protected:
    void SetUp() override { previous = MkSetControlHost(&host); }
    void TearDown() override { MkSetControlHost(previous); }

    // The markup's only piece, in a tree that sits in the fake window.
    TMkEmbdControl &Piece(std::string_view markup, TMkControlHandler handler = {})
    {
        htmltest::THandlers handlers;
        handlers.Control = std::move(handler);
        root = htmltest::Parse(markup, handlers);
        root->ParentWindow = &host.Window;
        root->HostControl = &host.Owner;
        auto *piece = dynamic_cast<TMkEmbdControl *>(htmltest::At(*root, {0, 0}));
        if (!piece)
            throw std::runtime_error("no control piece");
        return *piece;
    }

    void Layout(TMkEmbdControl &piece)
    {
        piece.GetBounds(canvas, {0, 0, 300, 100}, font, true, true);
    }

    TFakeControl *Control(TMkEmbdControl &piece)
    {
        return static_cast<TFakeControl *>(piece.Control.get());
    }

    TFakeHost host;
    TMkControlHost *previous = nullptr;
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
    EXPECT_EQ(host.Journal.Lines, std::vector<std::string>{"create TEdit owned"});
}

TEST_F(EmbdControl, SubmitIsAButtonWithItsCaption)
{
    TMkEmbdControl &piece = Piece("<input type=SUBMIT>");
    Layout(piece);
    ASSERT_NE(Control(piece), nullptr);
    EXPECT_EQ(Control(piece)->Cls.Name, "TButton");
    EXPECT_EQ(piece.Width, 50);
    EXPECT_EQ(piece.Height, 20);
    EXPECT_EQ(Control(piece)->Text, "Submit");
}

TEST_F(EmbdControl, CheckBoxIsThirteenByTwentyAndTakesNoCaption)
{
    TMkEmbdControl &piece = Piece("<input type=checkbox>");
    piece.Caption = "ignored";
    Layout(piece);
    ASSERT_NE(Control(piece), nullptr);
    EXPECT_EQ(piece.Width, 13);
    EXPECT_EQ(piece.Height, 20);
    EXPECT_EQ(Control(piece)->Text, "");
}

TEST_F(EmbdControl, GivenSizeWinsOverTheDefault)
{
    TMkEmbdControl &piece = Piece("<input type=radio width=30 height=1>");
    Layout(piece);
    EXPECT_EQ(piece.Width, 30);
    EXPECT_EQ(piece.Height, 20); // 1 asks for the default
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
    piece.Paint(canvas, {0, 0, 300, 100}, {0, 0}, font, 0, true, true, false);
    EXPECT_EQ(seen, &piece);
    EXPECT_EQ(calls, std::vector<std::string>{"nome 100x13 hidden in window"});
}

TEST_F(EmbdControl, PaintPlacesTheControlThroughScreenCoordinates)
{
    TMkEmbdControl &piece = Piece("<input>");
    piece.Paint(canvas, {5, 6, 300, 100}, {7, 8}, font, 0, true, true, false);
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
    piece.Paint(canvas, {5, 6, 300, 100}, {1, 1}, font, 0x123456, true, true, false);
    const auto fills = canvas.CallsOf(TMkCanvasCall::Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, (TMkRect{6, 7, 7, 8}));
    EXPECT_EQ(fills[0].BrushColor, 0x123456u);
}

TEST_F(EmbdControl, WhiteOutFillsWhite)
{
    TMkEmbdControl &piece = Piece("<control korclass=TNoSuchControl width=4 height=3>");
    piece.Paint(canvas, {0, 0, 300, 100}, {0, 0}, font, 0x123456, true, true, true);
    const auto fills = canvas.CallsOf(TMkCanvasCall::Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, (TMkRect{0, 0, 4, 3}));
    EXPECT_EQ(fills[0].BrushColor, ColorWhite);
}

TEST_F(EmbdControl, NoControlOutsideAWindowOrWithoutAHost)
{
    TMkEmbdControl &piece = Piece("<input>");
    root->ParentWindow = nullptr;
    Layout(piece);
    EXPECT_EQ(piece.Control, nullptr);
    root->ParentWindow = &host.Window;
    MkSetControlHost(nullptr);
    Layout(piece);
    EXPECT_EQ(piece.Control, nullptr);
    EXPECT_TRUE(host.Journal.Lines.empty());
}

TEST_F(EmbdControl, ClassesRegisteredByTheHostGetTheirKindsDefaults)
{
    MkRegisterControlClass({"TMemoTest", TMkControlKind::Edit});
    TMkEmbdControl &piece = Piece("<control korclass=tmemotest>");
    Layout(piece);
    ASSERT_NE(Control(piece), nullptr);
    EXPECT_EQ(piece.Width, 100);
    EXPECT_EQ(piece.Height, 13);
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
    EXPECT_EQ(host.Journal.Lines.back(), "destroy TButton");
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
    TMkEmbdControl piece(nullptr, {}, "", "40", "n", "TEdit");
    piece.Export(writer);
    EXPECT_EQ(writer.Seen, "TEdit n 40 1");
}

TEST(EmbdControlRegistry, StockClassesAreThereOnceAPieceExists)
{
    TMkEmbdControl piece(nullptr, {}, "", "", "", "TEdit");
    ASSERT_NE(MkFindControlClass("tedit"), nullptr);
    EXPECT_EQ(MkFindControlClass("TEdit")->Kind, TMkControlKind::Edit);
    EXPECT_EQ(MkFindControlClass("TButton")->Kind, TMkControlKind::Button);
    EXPECT_EQ(MkFindControlClass("TCheckBox")->Kind, TMkControlKind::Other);
    EXPECT_EQ(MkFindControlClass("TRadioButton")->Kind, TMkControlKind::Other);
    EXPECT_EQ(MkFindControlClass("TListBox"), nullptr);
}

} // namespace
