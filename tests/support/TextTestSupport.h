#pragma once

// Helpers shared by the text object tests: the base font, a picture loader
// that serves made-up bitmaps, and a BMP writer for the reader's tests.

#include "textobjects/MkBitmap.h"
#include "textobjects/MkFont.h"
#include "textobjects/MkPicture.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testkit {

// 10 points on the test canvas: 6 pixels per byte, 13 pixels high.
inline TMkFont BaseFont()
{
    TMkFont font;
    font.Name = "Verdana";
    font.Size = 10;
    return font;
}

inline std::unique_ptr<TMkBitmap> SolidBitmap(std::int32_t w, std::int32_t h, std::uint32_t argb)
{
    return std::make_unique<TMkBitmap>(
        w, h,
        std::vector<std::uint32_t>(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), argb),
        true);
}

// Serves bitmaps by file name and remembers every name it was asked for.
class TFakeLoader : public TMkPictureLoader {
public:
    std::map<std::string, std::pair<std::int32_t, std::int32_t>> sizes;
    std::vector<std::string> requested;

    std::unique_ptr<TMkGraphic> Load(const std::string &fileName) override
    {
        requested.push_back(fileName);
        auto it = sizes.find(fileName);
        if (it == sizes.end())
            return nullptr;
        return SolidBitmap(it->second.first, it->second.second, 0xFF112233);
    }
};

inline void Put16(std::vector<std::uint8_t> &b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void Put32(std::vector<std::uint8_t> &b, std::size_t at, std::uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A BMP with a 40-byte info header.  rows are given top-down as 0xRRGGBB for
// 24/32 bits or palette indexes for 8 bits; height < 0 stores them top-down.
inline std::vector<std::uint8_t> MakeBmp(std::int32_t width, std::int32_t height, int bits,
                                         const std::vector<std::uint32_t> &pixels,
                                         const std::vector<std::uint32_t> &palette = {})
{
    const std::int32_t rows = height < 0 ? -height : height;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::size_t paletteBytes = palette.size() * 4;
    const std::size_t offset = 14 + 40 + paletteBytes;
    std::vector<std::uint8_t> b(offset + stride * static_cast<std::size_t>(rows), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint32_t>(bits));
    Put32(b, 46, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i)
        Put32(b, 54 + i * 4, palette[i]);
    for (std::int32_t y = 0; y < rows; ++y) {
        const std::int32_t stored = height < 0 ? y : rows - 1 - y;
        const std::size_t row = offset + stride * static_cast<std::size_t>(stored);
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
            if (bits == 8) {
                b[row + static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(p);
            } else {
                const std::size_t at =
                    row + static_cast<std::size_t>(x) * static_cast<std::size_t>(bits / 8);
                b[at] = static_cast<std::uint8_t>(p);
                b[at + 1] = static_cast<std::uint8_t>(p >> 8);
                b[at + 2] = static_cast<std::uint8_t>(p >> 16);
            }
        }
    }
    return b;
}

} // namespace testkit
