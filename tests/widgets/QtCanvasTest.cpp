#include "widgets/QtCanvas.h"
#include "textobjects/MkBitmap.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkText.h"
#include "widgets/QtPictureLoader.h"
#include "widgets/QtSystemColors.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage WhiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::white);
    return image;
}

bool HasReddishPixel(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                return true;
        }
    return false;
}

} // namespace

TEST(QtCanvas, BitmapsLeaveTheirBottomLeftColourOut)
{
    // Top row: blue, blue; bottom row: red (the transparent colour), green.
    TMkBitmap bitmap(2, 2, {0xFF0000FF, 0xFF0000FF, 0xFFFF0000, 0xFF00FF00}, true);
    QImage image = WhiteImage(40, 40);
    {
        QPainter painter(&image);
        TQtCanvas canvas(painter);
        canvas.StretchDrawTransparent({10, 10, 30, 30}, bitmap);
    }
    EXPECT_EQ(image.pixelColor(12, 12), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(12, 28), QColor(Qt::white)); // red left out
    EXPECT_EQ(image.pixelColor(28, 28), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));

    // At its own size a picture lands pixel for pixel on its rectangle.
    QImage exact = WhiteImage(8, 8);
    {
        QPainter painter(&exact);
        TQtCanvas canvas(painter);
        canvas.StretchDrawTransparent({3, 4, 5, 6}, bitmap);
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            QColor want(Qt::white);
            if (y == 4 && (x == 3 || x == 4))
                want = Qt::blue;
            else if (y == 5 && x == 4)
                want = Qt::green;
            EXPECT_EQ(exact.pixelColor(x, y), want) << x << "," << y;
        }

    // A graphic with its own alpha keeps every opaque colour.
    TMkBitmap opaque(1, 1, {0xFFFF0000}, false);
    QImage second = WhiteImage(10, 10);
    {
        QPainter painter(&second);
        TQtCanvas canvas(painter);
        canvas.StretchDrawTransparent({0, 0, 10, 10}, opaque);
    }
    EXPECT_EQ(second.pixelColor(5, 5), QColor(Qt::red));
}

TEST(QtCanvas, TheFocusRectangleInvertsEveryOtherPixelOfItsOutline)
{
    const QColor ground(0x20, 0x40, 0x80);
    const QColor inverted(0xDF, 0xBF, 0x7F);
    QImage image(20, 20, QImage::Format_ARGB32);
    image.fill(ground);
    const QImage before = image;
    {
        QPainter painter(&image);
        TQtCanvas canvas(painter);
        canvas.DrawFocusRect({2, 3, 12, 10}); // pixels 2..11 by 3..9
    }
    // On where the steps from the top left corner add up to an even number.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool outline =
                (x == 2 || x == 11 || y == 3 || y == 9) && x >= 2 && x <= 11 && y >= 3 && y <= 9;
            const bool on = outline && (x - 2 + y - 3) % 2 == 0;
            EXPECT_EQ(image.pixelColor(x, y), on ? inverted : ground) << x << "," << y;
        }
    {
        QPainter painter(&image);
        TQtCanvas canvas(painter);
        canvas.DrawFocusRect({2, 3, 12, 10});
    }
    EXPECT_EQ(image, before) << "drawn twice, it is gone";
}

TEST(QtCanvas, TextIsDrawnInTheFontColourAndClipped)
{
    QImage image = WhiteImage(200, 40);
    {
        QPainter painter(&image);
        TQtCanvas canvas(painter);
        canvas.SetFont(TMkFont{"DejaVu Sans", 20, MkFontBold, 0x0000FF}); // red
        canvas.TextRect({0, 0, 100, 40}, 2, 2, "WWWWWWWWWWWWWWWWWWWW");
    }
    EXPECT_TRUE(HasReddishPixel(image, QRect(0, 0, 100, 40)));
    EXPECT_FALSE(HasReddishPixel(image, QRect(101, 0, 99, 40))); // clipped

    // "No colour" draws nothing.
    QImage blank = WhiteImage(100, 40);
    {
        QPainter painter(&blank);
        TQtCanvas canvas(painter);
        canvas.SetFontColor(NoColor);
        canvas.TextOut(2, 2, "WWW");
    }
    EXPECT_EQ(blank, WhiteImage(100, 40));
}

// TextRect leaves out the clip when the word lies well inside it; the pixels
// must be those of a clipped drawing all the same, however tight the
// rectangle, for upright, bold, italic and underlined words.
TEST(QtCanvas, TextRectDrawsWhatAClipAllowsEvenWithoutOne)
{
    const TMkFontStyleSet styles[] = {0, MkFontBold, MkFontItalic, MkFontUnderline};
    for (const char *word : {"casse", "Wj", "f_", "&nbsp;", "PaRoLe"})
        for (const TMkFontStyleSet style : styles) {
            const TMkFont font{"Verdana", 10, style, 0x440000};
            QImage probe = WhiteImage(120, 40);
            QPainter probePainter(&probe);
            TQtCanvas probeCanvas(probePainter);
            probeCanvas.SetFont(font);
            const int width = probeCanvas.TextWidth(word);
            const int height = probeCanvas.TextHeight(word);
            probePainter.end();
            for (int inset = -3; inset <= 2; ++inset) {
                const QRect area(10 - inset, 10 - inset, width + 2 * inset, height + 2 * inset);
                QImage drawn = WhiteImage(120, 40);
                QImage clipped = WhiteImage(120, 40);
                {
                    QPainter painter(&drawn);
                    TQtCanvas canvas(painter);
                    canvas.SetFont(font);
                    canvas.TextRect({area.left(), area.top(), area.right() + 1, area.bottom() + 1},
                                    10, 10, word);
                }
                {
                    QPainter painter(&clipped);
                    painter.setClipRect(area);
                    TQtCanvas canvas(painter);
                    canvas.SetFont(font);
                    canvas.TextOut(10, 10, word);
                }
                EXPECT_EQ(drawn, clipped) << word << " style " << int(style) << " inset " << inset;
            }
        }
}

TEST(QtCanvas, FontsAreSizedAtNinetySixDotsPerInch)
{
    EXPECT_EQ(TQtCanvas::ToQFont(TMkFont{"Verdana", 10, 0, 0}).pixelSize(), 13);
    EXPECT_EQ(TQtCanvas::ToQFont(TMkFont{"Verdana", 14, 0, 0}).pixelSize(), 19);
    const QFont styled =
        TQtCanvas::ToQFont(TMkFont{"Verdana", 10, MkFontBold | MkFontUnderline, 0});
    EXPECT_TRUE(styled.bold());
    EXPECT_TRUE(styled.underline());
    EXPECT_FALSE(styled.italic());
    // Hostile sizes stay within reason.
    EXPECT_EQ(TQtCanvas::ToQFont(TMkFont{"", -5, 0, 0}).pixelSize(), 1);
    EXPECT_LE(TQtCanvas::ToQFont(TMkFont{"", 2000000000, 0, 0}).pixelSize(), 1334);
}

TEST(QtCanvas, SystemColoursAndClearBrushes)
{
    QImage image = WhiteImage(30, 10);
    {
        QPainter painter(&image);
        TQtCanvas canvas(painter);
        canvas.SetBrushColor(MkSystemColor(24)); // InfoBk
        canvas.FillRect({0, 0, 10, 10});
        canvas.SetBrushStyle(TMkBrushStyle::Clear);
        canvas.FillRect({10, 0, 20, 10});
        canvas.SetBrushColor(0x00FF00);
        canvas.FillRect({20, 0, 30, 10});
    }
    EXPECT_EQ(image.pixelColor(5, 5), SystemColor(TSystemColor::InfoBk));
    EXPECT_EQ(image.pixelColor(15, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(25, 5), QColor(Qt::green));
}

TEST(QtCanvas, PaintsATextTreeEndToEnd)
{
    TMkParagraph paragraph(nullptr);
    auto *word = paragraph.Add(std::make_unique<TMkText>("casa", &paragraph));
    word->EditStyle().Color = 0x0000FF;
    word->EditStyle().FontSize = "20";
    QImage image = WhiteImage(200, 50);
    {
        QPainter painter(&image);
        TQtCanvas canvas(painter);
        const TMkFont base{"DejaVu Sans", 10, 0, 0};
        const TMkRect rect{0, 0, 200, 50};
        paragraph.GetBounds({canvas, rect, base, true, true});
        paragraph.Paint({canvas, rect, {}, base, NoColor, true, true, false});
    }
    EXPECT_GT(word->Width, 0);
    EXPECT_TRUE(HasReddishPixel(image, QRect(0, 0, word->Width, word->Height)));
}

TEST(QtPictureLoader, ReadsBitmapsAndOtherFormats)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage source(3, 2, QImage::Format_RGB32);
    source.fill(Qt::blue);
    source.setPixelColor(0, 1, Qt::red);
    const QString bmp = dir.filePath("im1.bmp");
    const QString png = dir.filePath("im2.png");
    ASSERT_TRUE(source.save(bmp, "BMP"));
    ASSERT_TRUE(source.save(png, "PNG"));

    TQtPictureLoader loader;
    const auto fromBmp = loader.Load(bmp.toStdString());
    const auto *bitmap = dynamic_cast<const TMkBitmap *>(fromBmp.get());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 3);
    EXPECT_EQ(bitmap->Height(), 2);
    EXPECT_TRUE(bitmap->CornerTransparent());
    EXPECT_EQ(bitmap->TransparentPixel(), 0xFFFF0000u);

    const auto fromPng = loader.Load(png.toStdString());
    ASSERT_NE(fromPng, nullptr);
    EXPECT_FALSE(dynamic_cast<const TMkBitmap &>(*fromPng).CornerTransparent());

    EXPECT_EQ(loader.Load(dir.filePath("missing.bmp").toStdString()), nullptr);

    // The engine's own reader agrees with Qt about the same file.
    TMkBmpLoader own;
    const auto ownBmp = own.Load(bmp.toStdString());
    ASSERT_NE(ownBmp, nullptr);
    EXPECT_EQ(dynamic_cast<const TMkBitmap &>(*ownBmp).Pixels(), bitmap->Pixels());
}
