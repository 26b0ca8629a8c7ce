#include "app/VesmarIcon.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

// The desktop icon is drawn by tools/make_assets, without Qt, into the
// hicolor tree the build installs.  These tests read it back with Qt: every
// PNG must be a valid picture of its size, and it must look like the icon
// the window shows (app/VesmarIcon.cpp), so that the menu and the task bar
// show the same thing.

namespace {

QString IconPath(const QString &size, const char *suffix)
{
    return QStringLiteral(VESMAR_ICON_THEME "/%1/apps/" VESMAR_APP_ID "%2").arg(size, suffix);
}

QImage ReadPng(int side)
{
    QImageReader reader(IconPath(QStringLiteral("%1x%1").arg(side), ".png"), "png");
    QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << reader.fileName().toStdString() << ": "
                                 << reader.errorString().toStdString();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The mean difference of two pictures of one size, per pixel and channel
// (alpha included), from 0 (the same) to 255.
double MeanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return sum / (4.0 * a.width() * a.height());
}

// The colour, as #aarrggbb, of the pixel at a point of the icon's 32-unit
// drawing grid.
std::string At(const QImage &image, double x, double y)
{
    const double scale = image.width() / 32.0;
    return image.pixelColor(static_cast<int>(x * scale), static_cast<int>(y * scale))
        .name(QColor::HexArgb)
        .toStdString();
}

} // namespace

class IconSizeTest : public ::testing::TestWithParam<int> {};

TEST_P(IconSizeTest, IsAPngOfItsSize)
{
    const int side = GetParam();
    const QImage icon = ReadPng(side);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.width(), side);
    EXPECT_EQ(icon.height(), side);
    EXPECT_TRUE(icon.hasAlphaChannel());
    // Outside the rounded board the icon is transparent.
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(icon.pixelColor(side - 1, side - 1).alpha(), 0);
}

TEST_P(IconSizeTest, ShowsTheLetterAndBothPegs)
{
    const QImage icon = ReadPng(GetParam());
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(At(icon, 16, 28), "#ffffffe1") << "the board";
    EXPECT_EQ(At(icon, 16, 15), "#ff440000") << "the V";
    EXPECT_EQ(At(icon, 10, 25), "#ff8b0000") << "the peg of a letter in place";
    EXPECT_EQ(At(icon, 22, 25), "#fff4f4f4") << "the peg of a letter elsewhere";
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconSizeTest, ::testing::Values(16, 24, 32, 48, 64, 128, 256),
                         [](const auto &test) { return std::to_string(test.param) + "px"; });

struct TWindowSize {
    int side;
    double tolerance; // of MeanDifference
};

void PrintTo(const TWindowSize &size, std::ostream *out)
{
    *out << size.side << " px, tolerance " << size.tolerance;
}

class WindowIconTest : public ::testing::TestWithParam<TWindowSize> {};

// The window draws its icon with Qt and a hinted font, the asset tool with
// its own outline of the letter: antialiasing and hinting differ a little,
// most at 16 pixels where hinting moves the letter's edges by a pixel.  A
// missing or misplaced shape, or a peg of the other colour, costs more.
TEST_P(WindowIconTest, LooksLikeTheWindowIcon)
{
    const int side = GetParam().side;
    const QImage icon = ReadPng(side);
    ASSERT_FALSE(icon.isNull());
    const QImage window =
        VesmarIcon().pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(window.size(), icon.size());
    EXPECT_LT(MeanDifference(icon, window), GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowIconTest,
                         ::testing::Values(TWindowSize{16, 18}, TWindowSize{24, 9},
                                           TWindowSize{32, 9}, TWindowSize{48, 9},
                                           TWindowSize{64, 9}),
                         [](const auto &test) { return std::to_string(test.param.side) + "px"; });

TEST(ScalableIconTest, IsAnSvgOnTheIconGrid)
{
    QFile file(IconPath(QStringLiteral("scalable"), ".svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QXmlStreamReader xml(&file);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QStringLiteral("svg"));
    EXPECT_EQ(xml.namespaceUri(), QStringLiteral("http://www.w3.org/2000/svg"));
    EXPECT_EQ(xml.attributes().value(QStringLiteral("viewBox")), QStringLiteral("0 0 32 32"));
    QStringList fills;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.attributes().hasAttribute(QStringLiteral("fill")))
            fills << xml.attributes().value(QStringLiteral("fill")).toString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(fills, QStringList({QStringLiteral("#ffffe1"), QStringLiteral("#440000"),
                                  QStringLiteral("#8b0000"), QStringLiteral("#f4f4f4")}));
}
