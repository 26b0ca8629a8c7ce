#include "widgets/QtCanvas.h"

#include "textobjects/MkBitmap.h"
#include "widgets/QtSystemColors.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QStaticText>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

namespace {

// Coordinates from hostile layouts can be anywhere in 32 bits; Qt's rectangle
// arithmetic is not safe there, and nothing that far away is visible.
constexpr std::int32_t Far = 1 << 24;

int Near(std::int32_t v)
{
    return std::clamp(v, -Far, Far);
}

// The pixels from left to right - 1 and top to bottom - 1; empty when the
// edges are crossed.
QRect ToQRect(const TMkRect &r)
{
    const int l = Near(r.Left);
    const int t = Near(r.Top);
    return QRect(l, t, std::max(0, Near(r.Right) - l), std::max(0, Near(r.Bottom) - t));
}

QString Text(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Sizes beyond this are not fonts anyone reads; the clamp keeps the font
// engine from building gigantic glyph caches for hostile markup.
constexpr int MaxPoints = 1000;
constexpr int MaxPenWidth = 1000;

// Widths are kept for short texts only: words, not whole paragraphs.
constexpr std::size_t MaxMeasuredLength = 64;
constexpr std::size_t MaxWidthsPerFace = 4096;
constexpr std::size_t MaxFaces = 256;

struct TTextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const
    {
        return std::hash<std::string_view>{}(text);
    }
};

} // namespace

// A word laid out once as glyphs, drawn again without shaping, with the box
// its ink covers when drawn at (0, 0).
struct TQtCanvas::TLaidOut {
    QStaticText Glyphs;
    QRect Ink;
};

// What the canvas knows of one font: the QFont, its line metrics, the
// widths of texts measured in it and the words laid out in it.  They depend
// on the font's face, size and style alone, so they are kept in the face
// cache for the canvases after this one.  A canvas holds on to the face it
// uses.
struct TQtCanvas::TFace {
    QFont Font;
    int Ascent = 0;
    int Height = 0;
    std::unordered_map<std::string, int, TTextHash, std::equal_to<>> Widths;
    std::unordered_map<std::string, TLaidOut, TTextHash, std::equal_to<>> Texts;
};

namespace {

std::string FaceKey(const TMkFont &font)
{
    std::string key = font.Name;
    key += '\0';
    key += std::to_string(std::clamp(font.Size, 1, MaxPoints));
    key += static_cast<char>('A' + (font.Style & 15));
    return key;
}

} // namespace

std::shared_ptr<TQtCanvas::TFace> TQtCanvas::FaceFor(const TMkFont &font)
{
    auto &faces = faces_.faces_;
    std::string key = FaceKey(font);
    const auto it = faces.find(key);
    if (it != faces.end())
        return it->second;
    // Hostile markup may ask for many sizes and faces; the faces of a
    // canvas that is drawing survive a clear through its own reference.
    if (faces.size() >= MaxFaces)
        faces.clear();
    auto face = std::make_shared<TFace>();
    face->Font = ToQFont(font);
    const QFontMetrics metrics(face->Font);
    face->Ascent = metrics.ascent();
    face->Height = metrics.height();
    faces.emplace(std::move(key), face);
    return face;
}

TQtCanvas::TQtCanvas(QPainter &painter, TFaceCache &faces) : painter_(painter), faces_(faces)
{
    painter_.save();
}

TQtCanvas::TQtCanvas(QPainter &painter)
    : painter_(painter),
      ownFaces_(std::make_unique<TFaceCache>()),
      faces_(*ownFaces_)
{
    painter_.save();
}

TQtCanvas::~TQtCanvas()
{
    painter_.restore();
}

QFont TQtCanvas::ToQFont(const TMkFont &font)
{
    QFont q;
    if (!font.Name.empty())
        q.setFamily(Text(font.Name));
    // 96 dots per inch: a point is 4/3 of a pixel, rounded as the classic
    // desktop does (10 points are 13 pixels).
    const int points = std::clamp(font.Size, 1, MaxPoints);
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    q.setBold((font.Style & MkFontBold) != 0);
    q.setItalic((font.Style & MkFontItalic) != 0);
    q.setUnderline((font.Style & MkFontUnderline) != 0);
    q.setStrikeOut((font.Style & MkFontStrikeOut) != 0);
    return q;
}

void TQtCanvas::UpdateFont()
{
    face_.reset(); // found again when the font is next used
}

TQtCanvas::TFace &TQtCanvas::Face()
{
    // Words set up the font anew from the base font, most often to one of
    // the few faces the words before them used.
    if (face_)
        return *face_;
    auto &recentFaces = faces_.recent_;
    for (const TRecentFace &recent : recentFaces)
        if (recent.Face && font_.Name == recent.Font.Name && font_.Size == recent.Font.Size &&
            font_.Style == recent.Font.Style) {
            face_ = recent.Face;
            return *face_;
        }
    face_ = FaceFor(font_);
    std::rotate(recentFaces.rbegin(), recentFaces.rbegin() + 1, recentFaces.rend());
    recentFaces.front() = {font_, face_};
    return *face_;
}

void TQtCanvas::SetFont(const TMkFont &font)
{
    if (&font != &font_)
        font_ = font;
    UpdateFont();
}

void TQtCanvas::SetFontName(std::string_view name)
{
    font_.Name = name;
    UpdateFont();
}

void TQtCanvas::SetFontSize(std::int32_t points)
{
    font_.Size = points;
    UpdateFont();
}

void TQtCanvas::SetFontStyle(TMkFontStyleSet style)
{
    font_.Style = style;
    UpdateFont();
}

std::int32_t TQtCanvas::TextWidth(std::string_view text)
{
    TFace &face = Face();
    const auto known = face.Widths.find(text);
    if (known != face.Widths.end())
        return known->second;
    const int width = QFontMetrics(face.Font).horizontalAdvance(Text(text));
    if (text.size() <= MaxMeasuredLength) {
        if (face.Widths.size() >= MaxWidthsPerFace)
            face.Widths.clear();
        face.Widths.emplace(text, width);
    }
    return width;
}

std::int32_t TQtCanvas::TextHeight(std::string_view)
{
    return Face().Height;
}

const TQtCanvas::TLaidOut *TQtCanvas::LaidOut(TFace &face, std::string_view text)
{
    if (text.size() > MaxMeasuredLength)
        return nullptr;
    auto known = face.Texts.find(text);
    if (known == face.Texts.end()) {
        if (face.Texts.size() >= MaxWidthsPerFace)
            face.Texts.clear();
        const QString string = Text(text);
        QStaticText glyphs(string);
        glyphs.setTextFormat(Qt::PlainText);
        glyphs.setPerformanceHint(QStaticText::AggressiveCaching);
        glyphs.prepare(QTransform(), face.Font);
        // The bounding rectangle covers every pixel the word touches; it is
        // measured from the baseline, and the word is placed by its top.
        const QRect ink = QFontMetrics(face.Font).boundingRect(string).translated(0, face.Ascent);
        known = face.Texts.emplace(text, TLaidOut{std::move(glyphs), ink}).first;
    }
    return &known->second;
}

void TQtCanvas::DrawText(TFace &face, const TLaidOut *laidOut, std::int32_t x, std::int32_t y,
                         std::string_view text)
{
    const QColor color = ColorFromValue(font_.Color);
    if (!color.isValid())
        return;
    painter_.setFont(face.Font);
    painter_.setPen(color);
    painter_.setBrush(Qt::NoBrush);
    if (laidOut)
        // Placed by its top-left corner, which is where the line's top is.
        painter_.drawStaticText(QPoint(Near(x), Near(y)), laidOut->Glyphs);
    else
        painter_.drawText(QPoint(Near(x), Near(y) + face.Ascent), Text(text));
}

void TQtCanvas::TextRect(const TMkRect &clip, std::int32_t x, std::int32_t y, std::string_view text)
{
    const QRect area = ToQRect(clip);
    if (area.isEmpty())
        return;
    TFace &face = Face();
    const TLaidOut *laidOut = LaidOut(face, text);
    // Setting up a clip costs more than drawing a short word; a word whose
    // ink lies inside the rectangle is drawn without one, to the same pixels.
    if (laidOut && area.contains(laidOut->Ink.translated(Near(x), Near(y)))) {
        DrawText(face, laidOut, x, y, text);
        return;
    }
    painter_.save();
    painter_.setClipRect(area, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    DrawText(face, laidOut, x, y, text);
    painter_.restore();
}

void TQtCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text)
{
    TFace &face = Face();
    DrawText(face, LaidOut(face, text), x, y, text);
}

void TQtCanvas::SetBrushColor(TMkColor color)
{
    brushColor_ = color;
    brushStyle_ = TMkBrushStyle::Solid;
}

void TQtCanvas::SetPenWidth(std::int32_t width)
{
    penWidth_ = std::clamp(width, 0, MaxPenWidth);
}

bool TQtCanvas::ApplyPen()
{
    const QColor color = ColorFromValue(penColor_);
    if (!color.isValid()) {
        painter_.setPen(Qt::NoPen);
        return false;
    }
    QPen pen(color);
    pen.setWidth(penWidth_);
    pen.setStyle(penStyle_ == TMkPenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    painter_.setPen(pen);
    return true;
}

bool TQtCanvas::ApplyBrush()
{
    const QColor color = ColorFromValue(brushColor_);
    if (brushStyle_ == TMkBrushStyle::Clear || !color.isValid()) {
        painter_.setBrush(Qt::NoBrush);
        return false;
    }
    painter_.setBrush(color);
    return true;
}

void TQtCanvas::FillRect(const TMkRect &rect)
{
    const QColor color = ColorFromValue(brushColor_);
    if (brushStyle_ == TMkBrushStyle::Clear || !color.isValid())
        return;
    painter_.fillRect(ToQRect(rect), color);
}

void TQtCanvas::OutlineRect(const TMkRect &rect)
{
    if (!ApplyPen())
        return;
    painter_.setBrush(Qt::NoBrush);
    const QRect r = ToQRect(rect);
    if (r.width() > 0 && r.height() > 0)
        painter_.drawRect(r.adjusted(0, 0, -1, -1));
}

void TQtCanvas::MoveTo(std::int32_t x, std::int32_t y)
{
    penPos_ = {x, y};
}

void TQtCanvas::LineTo(std::int32_t x, std::int32_t y)
{
    if (ApplyPen())
        painter_.drawLine(QPoint(Near(penPos_.X), Near(penPos_.Y)), QPoint(Near(x), Near(y)));
    penPos_ = {x, y};
}

void TQtCanvas::Ellipse(const TMkRect &rect)
{
    ApplyBrush();
    ApplyPen();
    const QRect r = ToQRect(rect);
    if (r.width() > 0 && r.height() > 0)
        painter_.drawEllipse(r.adjusted(0, 0, -1, -1));
}

void TQtCanvas::DrawFocusRect(const TMkRect &rect)
{
    const QRect r = ToQRect(rect);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    // Every other pixel of the outline, on, off, on, off, starting with the
    // top left corner, inverted, so that drawing it twice takes it away
    // again.  A pixel is on where its distance from the corner along x plus
    // along y is even, which keeps the rhythm round the corners.  Qt's dotted
    // pens leave two pixels off, so the pixels are set one by one.
    QPolygon dots;
    const auto dot = [&](int x, int y) {
        if ((x - r.left() + y - r.top()) % 2 == 0)
            dots << QPoint(x, y);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        if (r.bottom() != r.top())
            dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        if (r.right() != r.left())
            dot(r.right(), y);
    }
    painter_.save();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(QPen(Qt::white, 1));
    painter_.drawPoints(dots);
    painter_.restore();
}

QImage TQtCanvas::ToQImage(const TMkGraphic &graphic)
{
    const auto *bitmap = dynamic_cast<const TMkBitmap *>(&graphic);
    if (bitmap == nullptr || bitmap->Empty())
        return {};
    QImage image(bitmap->Width(), bitmap->Height(), QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    const std::uint32_t key = bitmap->TransparentPixel() & 0xFFFFFFu;
    for (int y = 0; y < bitmap->Height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < bitmap->Width(); ++x) {
            QRgb p = bitmap->Pixel(x, y);
            if (bitmap->CornerTransparent() && (p & 0xFFFFFFu) == key)
                p = 0; // the transparent colour is not drawn
            line[x] = p;
        }
    }
    return image;
}

void TQtCanvas::StretchDrawTransparent(const TMkRect &rect, const TMkGraphic &graphic)
{
    const QRect target = ToQRect(rect);
    const auto *bitmap = dynamic_cast<const TMkBitmap *>(&graphic);
    if (target.isEmpty() || bitmap == nullptr || bitmap->Empty())
        return;
    // The image is made once per bitmap and kept with its pixels (this
    // canvas is the one back-end that keeps a rendition there), in the
    // format the raster engine draws without converting.
    std::shared_ptr<const void> &rendition = bitmap->Rendition();
    if (!rendition)
        rendition = std::make_shared<const QImage>(
            ToQImage(*bitmap).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    const auto &image = *static_cast<const QImage *>(rendition.get());
    if (image.isNull())
        return;
    // A picture at its own size, as nearly all are, takes the raster
    // engine's direct path; drawing it into a rectangle goes through its
    // scaling code even at a scale of one.
    if (target.size() == image.size())
        painter_.drawImage(target.topLeft(), image);
    else
        painter_.drawImage(target, image);
}
