#pragma once

#include "textobjects/MkCanvas.h"

#include <QFont>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

class QPainter;
class QColor;
class QImage;

// The engine's canvas over a QPainter.  Fonts are chosen by face, point size
// and style at 96 dots per inch, whatever the device; colour values are RGB or
// system colour numbers (widgets/QtSystemColors.h); "no colour" values draw
// nothing.  The painter must outlive the canvas; its state is saved on
// construction and restored on destruction.
class TQtCanvas : public TMkCanvas {
private:
    struct TFace;
    struct TLaidOut;
    struct TRecentFace {
        TMkFont Font;
        std::shared_ptr<TFace> Face;
    };

public:
    // What canvases learn of the fonts they draw with: the QFont and line
    // metrics of each face, size and style, the widths of the words measured
    // in it and the words laid out as glyphs.  Every row of a list sets up
    // and measures the same few words in the same few fonts again and again,
    // so a list box keeps one cache for all the canvases it draws its items
    // with.  Only the thread that owns the cache may use it.
    class TFaceCache {
    private:
        friend class TQtCanvas;
        std::unordered_map<std::string, std::shared_ptr<TFace>> faces_;
        // The faces found last, and the fonts they were found for.
        std::array<TRecentFace, 4> recent_;
    };

    // A canvas that keeps what it learns of fonts in faces, which must
    // outlive it.
    TQtCanvas(QPainter &painter, TFaceCache &faces);
    // A canvas with a font cache of its own, for a single drawing.
    explicit TQtCanvas(QPainter &painter);
    ~TQtCanvas() override;
    TQtCanvas(const TQtCanvas &) = delete;
    TQtCanvas &operator=(const TQtCanvas &) = delete;

    const TMkFont &Font() const override { return font_; }
    void SetFont(const TMkFont &font) override;
    void SetFontName(std::string_view name) override;
    void SetFontSize(std::int32_t points) override;
    void SetFontStyle(TMkFontStyleSet style) override;
    void SetFontColor(TMkColor color) override { font_.Color = color; }

    std::int32_t TextWidth(std::string_view text) override;
    std::int32_t TextHeight(std::string_view text) override;
    void TextRect(const TMkRect &clip, std::int32_t x, std::int32_t y,
                  std::string_view text) override;
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;

    TMkColor BrushColor() const override { return brushColor_; }
    TMkBrushStyle BrushStyle() const override { return brushStyle_; }
    void SetBrushColor(TMkColor color) override;
    void SetBrushStyle(TMkBrushStyle style) override { brushStyle_ = style; }

    TMkColor PenColor() const override { return penColor_; }
    void SetPenColor(TMkColor color) override { penColor_ = color; }
    void SetPenWidth(std::int32_t width) override;
    void SetPenStyle(TMkPenStyle style) override { penStyle_ = style; }

    void FillRect(const TMkRect &rect) override;
    void OutlineRect(const TMkRect &rect) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Ellipse(const TMkRect &rect) override;
    void DrawFocusRect(const TMkRect &rect) override;
    void StretchDrawTransparent(const TMkRect &rect, const TMkGraphic &graphic) override;

    // The QFont a font description stands for: pixel size = points * 96 / 72.
    static QFont ToQFont(const TMkFont &font);
    // The image a graphic is drawn from, with the transparent colour of a
    // bitmap made fully transparent.
    static QImage ToQImage(const TMkGraphic &graphic);

private:
    std::shared_ptr<TFace> FaceFor(const TMkFont &font);
    TFace &Face();
    void UpdateFont();
    // The word laid out in the face, kept with the face; null for a text
    // too long to keep.
    static const TLaidOut *LaidOut(TFace &face, std::string_view text);
    // Draws the text in the face, from its laid-out glyphs when it has them.
    void DrawText(TFace &face, const TLaidOut *laidOut, std::int32_t x, std::int32_t y,
                  std::string_view text);
    bool ApplyPen();
    bool ApplyBrush();

    QPainter &painter_;
    std::unique_ptr<TFaceCache> ownFaces_; // when not given one
    TFaceCache &faces_;
    TMkFont font_;
    std::shared_ptr<TFace> face_;
    TMkColor brushColor_ = MkColorWhite;
    TMkBrushStyle brushStyle_ = TMkBrushStyle::Solid;
    TMkColor penColor_ = MkColorBlack;
    std::int32_t penWidth_ = 1;
    TMkPenStyle penStyle_ = TMkPenStyle::Solid;
    TMkPoint penPos_;
};
