#include "textobjects/MkBitmap.h"

#include <array>
#include <fstream>
#include <iterator>

TMkBitmap::TMkBitmap(std::int32_t width, std::int32_t height, std::vector<std::uint32_t> pixels,
                     bool cornerTransparent)
    : width_(width),
      height_(height),
      cornerTransparent_(cornerTransparent)
{
    const std::int64_t needed =
        width_ > 0 && height_ > 0 ? std::int64_t{width_} * height_ : std::int64_t{0};
    if (needed == 0) {
        width_ = 0;
        height_ = 0;
    }
    pixels.resize(static_cast<std::size_t>(needed), 0);
    shared_ = std::make_shared<const TShared>(TShared{std::move(pixels), nullptr});
}

// Copies share the pixels, which never change.
std::unique_ptr<TMkGraphic> TMkBitmap::Clone() const
{
    return std::make_unique<TMkBitmap>(*this);
}

std::uint32_t TMkBitmap::Pixel(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return shared_->Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                           static_cast<std::size_t>(x)];
}

std::uint32_t TMkBitmap::TransparentPixel() const
{
    return Pixel(0, height_ - 1);
}

namespace {

// Reads little-endian fields; every access is bounds-checked by the caller.
class TBytes {
public:
    explicit TBytes(std::span<const std::uint8_t> data) : data_(data) {}
    bool Has(std::uint64_t offset, std::uint64_t count) const
    {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    std::uint32_t U16(std::size_t at) const
    {
        return static_cast<std::uint32_t>(data_[at]) |
               (static_cast<std::uint32_t>(data_[at + 1]) << 8);
    }
    std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::uint8_t operator[](std::size_t at) const { return data_[at]; }

private:
    std::span<const std::uint8_t> data_;
};

struct TBmpHeader {
    std::uint64_t pixelOffset = 0;
    std::uint64_t paletteOffset = 0;
    std::uint32_t paletteEntrySize = 4;
    std::uint32_t paletteCount = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: rows stored top-down
    std::uint32_t bitCount = 0;
    std::uint32_t compression = 0;
};

constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiBitfields = 3;

bool ReadHeader(const TBytes &in, TBmpHeader &h)
{
    if (!in.Has(0, 18) || in[0] != 'B' || in[1] != 'M')
        return false;
    h.pixelOffset = in.U32(10);
    const std::uint32_t infoSize = in.U32(14);
    if (infoSize == 12) { // OS/2 core header
        if (!in.Has(14, 12))
            return false;
        h.width = in.U16(18);
        h.height = in.U16(20);
        h.bitCount = in.U16(24);
        h.paletteEntrySize = 3;
    } else if (infoSize >= 40) {
        if (!in.Has(14, 40))
            return false;
        h.width = in.I32(18);
        h.height = in.I32(22);
        h.bitCount = in.U16(28);
        h.compression = in.U32(30);
        h.paletteCount = in.U32(46);
    } else {
        return false;
    }
    h.paletteOffset = 14 + std::uint64_t{infoSize};
    if (h.compression == BiBitfields && infoSize == 40)
        h.paletteOffset += 12; // the three masks follow the header
    return true;
}

bool SizeAcceptable(const TBmpHeader &h)
{
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    return h.width > 0 && rows > 0 && h.width <= MkMaxBitmapSide && rows <= MkMaxBitmapSide &&
           h.width * rows <= MkMaxBitmapPixels;
}

std::vector<std::uint32_t> ReadPalette(const TBytes &in, const TBmpHeader &h)
{
    std::vector<std::uint32_t> palette;
    if (h.bitCount > 8)
        return palette;
    std::uint32_t count = h.paletteCount == 0 ? (1u << h.bitCount) : h.paletteCount;
    count = std::min<std::uint32_t>(count, 1u << h.bitCount);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t at = h.paletteOffset + std::uint64_t{i} * h.paletteEntrySize;
        if (!in.Has(at, 3))
            break;
        const auto p = static_cast<std::size_t>(at);
        palette.push_back(0xFF000000u | (std::uint32_t{in[p + 2]} << 16) |
                          (std::uint32_t{in[p + 1]} << 8) | in[p]);
    }
    palette.resize(std::size_t{1} << h.bitCount, 0xFF000000u);
    return palette;
}

std::uint32_t Channel5(std::uint32_t v)
{
    return (v << 3) | (v >> 2);
}

// Pixel x of a row that starts at byte `row`.
std::uint32_t DecodePixel(const TBytes &in, std::size_t row, std::int64_t x, const TBmpHeader &h,
                          const std::vector<std::uint32_t> &palette)
{
    const auto ux = static_cast<std::size_t>(x);
    switch (h.bitCount) {
    case 1: return palette[(in[row + ux / 8] >> (7 - ux % 8)) & 1u];
    case 4: return palette[(in[row + ux / 2] >> (ux % 2 == 0 ? 4 : 0)) & 0xFu];
    case 8: return palette[in[row + ux]];
    case 16: {
        const std::uint32_t v = in.U16(row + ux * 2);
        return 0xFF000000u | (Channel5((v >> 10) & 31u) << 16) | (Channel5((v >> 5) & 31u) << 8) |
               Channel5(v & 31u);
    }
    case 24: {
        const std::size_t p = row + ux * 3;
        return 0xFF000000u | (std::uint32_t{in[p + 2]} << 16) | (std::uint32_t{in[p + 1]} << 8) |
               in[p];
    }
    default: { // 32: BGRX, the fourth byte is not alpha in plain bitmaps
        const std::size_t p = row + ux * 4;
        return 0xFF000000u | (std::uint32_t{in[p + 2]} << 16) | (std::uint32_t{in[p + 1]} << 8) |
               in[p];
    }
    }
}

} // namespace

std::unique_ptr<TMkBitmap> MkReadBmp(std::span<const std::uint8_t> data)
{
    const TBytes in(data);
    TBmpHeader h;
    if (!ReadHeader(in, h) || !SizeAcceptable(h))
        return nullptr;
    const bool knownDepth = h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 ||
                            h.bitCount == 16 || h.bitCount == 24 || h.bitCount == 32;
    // Bit fields are accepted only for the layouts they describe by default.
    const bool plain = h.compression == BiRgb ||
                       (h.compression == BiBitfields && (h.bitCount == 16 || h.bitCount == 32));
    if (!knownDepth || !plain)
        return nullptr;
    const bool topDown = h.height < 0;
    const std::int64_t rows = topDown ? -h.height : h.height;
    const std::uint64_t stride = ((static_cast<std::uint64_t>(h.width) * h.bitCount + 31) / 32) * 4;
    if (!in.Has(h.pixelOffset, stride * static_cast<std::uint64_t>(rows)))
        return nullptr; // truncated: refuse before allocating anything
    const std::vector<std::uint32_t> palette = ReadPalette(in, h);

    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(h.width * rows));
    for (std::int64_t y = 0; y < rows; ++y) {
        const std::int64_t stored = topDown ? y : rows - 1 - y;
        const auto row =
            static_cast<std::size_t>(h.pixelOffset + stride * static_cast<std::uint64_t>(stored));
        for (std::int64_t x = 0; x < h.width; ++x)
            pixels[static_cast<std::size_t>(y * h.width + x)] = DecodePixel(in, row, x, h, palette);
    }
    return std::make_unique<TMkBitmap>(static_cast<std::int32_t>(h.width),
                                       static_cast<std::int32_t>(rows), std::move(pixels), true);
}

std::unique_ptr<TMkGraphic> TMkBmpLoader::Load(const std::string &fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return nullptr;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    // Larger files cannot hold a bitmap the reader would accept anyway.
    constexpr std::streamoff MaxFile = MkMaxBitmapPixels * 4 + 65536;
    if (size <= 0 || size > MaxFile)
        return nullptr;
    file.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!file.read(reinterpret_cast<char *>(bytes.data()), size))
        return nullptr;
    return MkReadBmp(bytes);
}
