#include "support/TextTestSupport.h"

#include "textobjects/MkBitmap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

using testkit::MakeBmp;
using testkit::Put32;

TEST(BmpReader, DecodesTwentyFourBitRowsInEitherOrder)
{
    // 3 wide so that each row needs padding to 4 bytes.
    const std::vector<std::uint32_t> px = {0x112233, 0x445566, 0x778899,
                                           0xAABBCC, 0xDDEEFF, 0x010203};
    for (int sign : {1, -1}) {
        const auto bytes = MakeBmp(3, 2 * sign, 24, px);
        const auto bmp = MkReadBmp(bytes);
        ASSERT_NE(bmp, nullptr) << sign;
        EXPECT_EQ(bmp->Width(), 3);
        EXPECT_EQ(bmp->Height(), 2);
        EXPECT_EQ(bmp->Pixel(0, 0), 0xFF112233u);
        EXPECT_EQ(bmp->Pixel(2, 0), 0xFF778899u);
        EXPECT_EQ(bmp->Pixel(1, 1), 0xFFDDEEFFu);
        // The transparent colour is the bottom-left pixel of the picture.
        EXPECT_EQ(bmp->TransparentPixel(), 0xFFAABBCCu);
        EXPECT_TRUE(bmp->CornerTransparent());
    }
}

TEST(BmpReader, DecodesPalettedAndThirtyTwoBitBitmaps)
{
    const auto paletted = MkReadBmp(MakeBmp(2, 1, 8, {1, 0}, {0x000000, 0x00FF8000}));
    ASSERT_NE(paletted, nullptr);
    EXPECT_EQ(paletted->Pixel(0, 0), 0xFFFF8000u);
    EXPECT_EQ(paletted->Pixel(1, 0), 0xFF000000u);

    const auto wide = MkReadBmp(MakeBmp(1, 1, 32, {0xABCDEF}));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->Pixel(0, 0), 0xFFABCDEFu);
}

TEST(BmpReader, RefusesTruncatedAndHostileFiles)
{
    auto good = MakeBmp(4, 4, 24, std::vector<std::uint32_t>(16, 0));
    ASSERT_NE(MkReadBmp(good), nullptr);

    // Every prefix of a valid file is refused without reading past its end.
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_EQ(MkReadBmp(std::span(good.data(), n)), nullptr) << n;

    auto huge = good;
    Put32(huge, 18, 0x7FFFFFFF); // width
    EXPECT_EQ(MkReadBmp(huge), nullptr);
    auto tall = good;
    Put32(tall, 22, 0x80000000); // most negative height
    EXPECT_EQ(MkReadBmp(tall), nullptr);
    auto zero = good;
    Put32(zero, 18, 0);
    EXPECT_EQ(MkReadBmp(zero), nullptr);
    auto offset = good;
    Put32(offset, 10, 0xFFFFFFF0); // pixel data far beyond the end
    EXPECT_EQ(MkReadBmp(offset), nullptr);
    auto compressed = good;
    Put32(compressed, 30, 1); // run-length encoded
    EXPECT_EQ(MkReadBmp(compressed), nullptr);
    auto depth = good;
    depth[28] = 7;
    EXPECT_EQ(MkReadBmp(depth), nullptr);

    // A palette index beyond a short palette reads as black, not out of bounds.
    const auto shortPalette = MkReadBmp(MakeBmp(1, 1, 8, {200}, {0x123456}));
    ASSERT_NE(shortPalette, nullptr);
    EXPECT_EQ(shortPalette->Pixel(0, 0), 0xFF000000u);
}

TEST(BmpReader, DefaultLoaderReadsFilesAndRejectsOthers)
{
    const auto dir = std::filesystem::temp_directory_path();
    const auto good = (dir / "vesmar_bmp_reader_test.bmp").string();
    const auto bad = (dir / "vesmar_bmp_reader_test.txt").string();
    {
        const auto bytes = MakeBmp(2, 3, 24, std::vector<std::uint32_t>(6, 0x808080));
        std::ofstream(good, std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        std::ofstream(bad) << "not a picture";
    }
    TMkBmpLoader loader;
    const auto graphic = loader.Load(good);
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->Width(), 2);
    EXPECT_EQ(graphic->Height(), 3);
    EXPECT_EQ(loader.Load(bad), nullptr);
    EXPECT_EQ(loader.Load((dir / "vesmar_no_such_file.bmp").string()), nullptr);
    std::filesystem::remove(good);
    std::filesystem::remove(bad);
}

TEST(BmpReader, SurvivesMutatedHeaders)
{
    // Seeded byte flips over the headers and palette of valid files of every
    // depth; whatever the reader accepts must be a consistent bitmap.
    std::mt19937 rng(7);
    const std::vector<std::vector<std::uint8_t>> seeds = {
        MakeBmp(3, 2, 24, std::vector<std::uint32_t>(6, 0x123456)),
        MakeBmp(5, -3, 32, std::vector<std::uint32_t>(15, 0x654321)),
        MakeBmp(7, 2, 8, std::vector<std::uint32_t>(14, 1), {0, 0xFFFFFF}),
    };
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        auto bytes = seeds[static_cast<std::size_t>(round) % seeds.size()];
        for (int flips = 1 + static_cast<int>(rng() % 4); flips > 0; --flips)
            bytes[rng() % std::min<std::size_t>(bytes.size(), 64)] =
                static_cast<std::uint8_t>(rng());
        if (rng() % 4 == 0)
            bytes.resize(rng() % bytes.size());
        const auto bmp = MkReadBmp(bytes);
        if (bmp == nullptr)
            continue;
        ++accepted;
        ASSERT_EQ(bmp->Pixels().size(),
                  static_cast<std::size_t>(bmp->Width()) * static_cast<std::size_t>(bmp->Height()));
        ASSERT_LE(bmp->Width(), MkMaxBitmapSide);
    }
    EXPECT_GT(accepted, 0);
}
