#pragma once

#include "textobjects/MkPicture.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// A decoded raster graphic: pixels as 0xAARRGGBB, rows from the top.
// Bitmaps read from BMP files are drawn with the colour of their bottom-left
// pixel left out (CornerTransparent); graphics with their own alpha channel
// keep it instead.
class TMkBitmap : public TMkGraphic {
public:
    TMkBitmap(std::int32_t width, std::int32_t height, std::vector<std::uint32_t> pixels,
              bool cornerTransparent);

    std::int32_t Width() const override { return width_; }
    std::int32_t Height() const override { return height_; }
    bool Empty() const override { return width_ <= 0 || height_ <= 0; }
    std::unique_ptr<TMkGraphic> Clone() const override;

    std::uint32_t Pixel(std::int32_t x, std::int32_t y) const;
    const std::vector<std::uint32_t> &Pixels() const { return shared_->Pixels; }
    bool CornerTransparent() const { return cornerTransparent_; }
    // The colour left out when drawing transparently: the bottom-left pixel.
    std::uint32_t TransparentPixel() const;

    // What a drawing back-end made of the pixels (a QImage for the Qt
    // canvas), kept so that it is made once, not at every paint.  The pixels
    // never change, and copies of the bitmap share both.
    std::shared_ptr<const void> &Rendition() const { return shared_->Rendition; }

private:
    struct TShared {
        std::vector<std::uint32_t> Pixels;
        mutable std::shared_ptr<const void> Rendition;
    };

    std::int32_t width_;
    std::int32_t height_;
    std::shared_ptr<const TShared> shared_;
    bool cornerTransparent_;
};

// Largest bitmap the reader accepts, so that a hostile header cannot make us
// allocate without bound.
inline constexpr std::int32_t MkMaxBitmapSide = 16384;
inline constexpr std::int64_t MkMaxBitmapPixels = std::int64_t{1} << 24;

// Decodes an uncompressed BMP (1, 4, 8, 16, 24 or 32 bits per pixel).  Returns
// null for anything it does not understand or that is truncated.
std::unique_ptr<TMkBitmap> MkReadBmp(std::span<const std::uint8_t> data);

// The engine's default picture loader: BMP files through MkReadBmp.
class TMkBmpLoader : public TMkPictureLoader {
public:
    std::unique_ptr<TMkGraphic> Load(const std::string &fileName) override;
};
