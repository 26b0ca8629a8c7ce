#include "support/HTMLTestSupport.h"

#include "markup/MkEmbdControl.h"
#include "markup/MkEngine.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"
#include "widgets/QtControlHost.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A tree parsed into a window, with the Qt host installed.
class QtControlHost : public testing::Test {
protected:
    void SetUp() override
    {
        host.Install(engine.Controls);
        window.resize(400, 100);
        window.move(50, 60);
        window.show();
        owner = new QWidget(&window);
        owner->setGeometry(20, 30, 300, 50);
        owner->show();
    }

    TMkEmbdControl &Piece(std::string_view markup, TMkControlHandler handler = {})
    {
        testkit::THandlers handlers;
        handlers.Control = std::move(handler);
        root = testkit::Parse(engine, markup, handlers);
        root->SetParentWindow(static_cast<QWidget *>(&window));
        root->SetHostControl(owner);
        auto *piece = dynamic_cast<TMkEmbdControl *>(testkit::At(*root, {0, 0}));
        if (piece == nullptr)
            throw std::runtime_error("no control piece");
        return *piece;
    }

    void Layout(TMkEmbdControl &piece)
    {
        piece.GetBounds({canvas, {0, 0, 300, 50}, font, true, true});
    }

    TMkEngine engine;
    TQtControlHost host;
    QWidget window;
    QWidget *owner = nullptr;
    std::unique_ptr<TMkParsedTextList> root;
    TMkTestCanvas canvas;
    TMkFont font;
};

TEST_F(QtControlHost, StockClassesBecomeTheirQtWidgets)
{
    struct TCase {
        const char *Markup;
        const char *QtClass;
    };
    for (const TCase &c :
         {TCase{"<input>", "QLineEdit"}, TCase{"<input type=password>", "QLineEdit"},
          TCase{"<input type=submit>", "QPushButton"}, TCase{"<input type=checkbox>", "QCheckBox"},
          TCase{"<input type=radio>", "QRadioButton"}}) {
        TMkEmbdControl &piece = Piece(c.Markup);
        Layout(piece);
        ASSERT_NE(piece.Control, nullptr) << c.Markup;
        const auto *widget = static_cast<QWidget *>(piece.Control->Native());
        ASSERT_NE(widget, nullptr) << c.Markup;
        EXPECT_STREQ(widget->metaObject()->className(), c.QtClass);
    }
}

TEST_F(QtControlHost, NewControlIsSizedHiddenAndInTheWindow)
{
    TMkEmbdControl &piece = Piece("<input type=submit>");
    Layout(piece);
    auto *button = qobject_cast<QPushButton *>(static_cast<QWidget *>(piece.Control->Native()));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), &window);
    EXPECT_EQ(button->size(), QSize(50, 20));
    EXPECT_EQ(button->text(), "Submit");
    EXPECT_TRUE(button->isHidden());
    EXPECT_EQ(piece.Width, 50);
    EXPECT_EQ(piece.Height, 20);
}

TEST_F(QtControlHost, PaintShowsTheControlOverItsPlaceInTheOwner)
{
    TMkEmbdControl &piece = Piece("<input width=80 height=16>");
    piece.Paint({canvas, {10, 5, 300, 50}, {2, 3}, font, 0, true, true, false});
    ASSERT_NE(piece.Control, nullptr);
    auto *edit = static_cast<QWidget *>(piece.Control->Native());
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(edit->isHidden());
    // (12, 8) in the owner, which sits at (20, 30) in the window.
    EXPECT_EQ(edit->pos(), QPoint(32, 38));
    EXPECT_EQ(edit->size(), QSize(80, 16));
}

TEST_F(QtControlHost, HandlerGetsTheWidget)
{
    QWidget *seen = nullptr;
    std::string name;
    TMkEmbdControl &piece = Piece("<input type=checkbox name=scelta>",
                                  [&](TMkBaseText &, void *control, const std::string &n) {
                                      seen = static_cast<QWidget *>(control);
                                      name = n;
                                  });
    Layout(piece);
    EXPECT_NE(qobject_cast<QCheckBox *>(seen), nullptr);
    EXPECT_EQ(name, "scelta");
}

TEST_F(QtControlHost, WidgetGoesWithItsTree)
{
    TMkEmbdControl &piece = Piece("<input>");
    Layout(piece);
    QPointer<QWidget> widget = static_cast<QWidget *>(piece.Control->Native());
    root.reset();
    const QWidget *alive = widget;
    ASSERT_NE(alive, nullptr);
    EXPECT_TRUE(alive->isHidden()); // gone from sight at once
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
}

TEST_F(QtControlHost, ClassWithoutAWidgetPaintsItsRectangle)
{
    engine.Controls.RegisterClass({"TNoWidget", TMkControlKind::Other});
    TMkEmbdControl &piece = Piece("<control korclass=TNoWidget width=4 height=2>");
    piece.Paint({canvas, {0, 0, 300, 50}, {0, 0}, font, 0, true, true, false});
    EXPECT_EQ(piece.Control, nullptr);
    EXPECT_EQ(canvas.CallsOf(TMkCanvasCall::Kind::FillRect).size(), 1u);
}

TEST_F(QtControlHost, HostMapsFurtherClasses)
{
    host.RegisterClass({"TSpinTest", TMkControlKind::Edit},
                       [](QWidget *o) { return new QLineEdit(o); });
    TMkEmbdControl &piece = Piece("<control korclass=tspintest>");
    Layout(piece);
    ASSERT_NE(piece.Control, nullptr);
    EXPECT_EQ(piece.Width, 100); // an edit's default
}

} // namespace
