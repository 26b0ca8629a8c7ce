#include "support/TempDir.h"
#include "support/TextTestSupport.h"

#include "textobjects/MkBitmap.h"
#include "textobjects/MkImage.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace {

class ImageTest : public ::testing::Test {
protected:
    testkit::TFakeLoader loader;
    TMkPictureStore pictures;
    TMkScopedPictureLoader scope{pictures, loader};
    TMkParsedTextList root{nullptr};
    TMkTestCanvas canvas;
    TMkFont font = testkit::BaseFont();

    TMkImage *AddImage(const std::string &source, const std::string &width = "",
                       const std::string &height = "", TMkImageCallback callback = {})
    {
        return root.Add(std::make_unique<TMkImage>(&root, std::move(callback), "", height, width,
                                                   source, &pictures));
    }
    TMkRect Bounds(TMkImage *image)
    {
        return image->GetBounds({canvas, {0, 0, 300, 100}, font, true, true});
    }
};

class TThrowingLoader : public TMkPictureLoader {
public:
    std::unique_ptr<TMkGraphic> Load(const std::string &) override
    {
        throw std::runtime_error("unreadable");
    }
};

} // namespace

TEST_F(ImageTest, SizeComesFromTheTextsThenThePictureThenTheFallback)
{
    loader.sizes["im1.bmp"] = {16, 16};
    TMkImage *plain = AddImage("im1.bmp");
    EXPECT_EQ(plain->WidthText, "16");
    EXPECT_EQ(plain->HeightText, "16");
    EXPECT_EQ(Bounds(plain), (TMkRect{0, 0, 16, 16}));

    TMkImage *narrow = AddImage("im1.bmp", "8");
    EXPECT_EQ(Bounds(narrow), (TMkRect{0, 0, 8, 16}));

    TMkImage *missing = AddImage("missing.bmp");
    EXPECT_TRUE(missing->Picture.Empty());
    EXPECT_EQ(missing->WidthText, "0");
    EXPECT_EQ(missing->HeightText, "0");
    EXPECT_EQ(Bounds(missing), (TMkRect{0, 0, 24, 24}));

    // A size that is not a number counts as not given.
    TMkImage *garbage = AddImage("missing.bmp", "wide", "-");
    EXPECT_EQ(Bounds(garbage), (TMkRect{0, 0, 24, 24}));

    // The recorded size outlives the picture.
    plain->Picture.Clear();
    EXPECT_EQ(Bounds(plain), (TMkRect{0, 0, 16, 16}));
}

TEST_F(ImageTest, SourcesAreTurnedIntoLocalFileNamesOrNotLoadedAtAll)
{
    AddImage("pics\\row/im2.bmp");
    AddImage("http://example.org/im1.bmp");
    AddImage("~~PICTURE");
    AddImage("");
    ASSERT_EQ(loader.requested.size(), 1u);
    EXPECT_EQ(loader.requested[0], "pics/row/im2.bmp");
}

TEST_F(ImageTest, LoaderFailuresLeaveAnEmptyPicture)
{
    TThrowingLoader throwing;
    TMkScopedPictureLoader inner(pictures, throwing);
    TMkImage *image = nullptr;
    EXPECT_NO_THROW(image = AddImage("im1.bmp"));
    EXPECT_FALSE(image->Picture.HasGraphic());
    EXPECT_EQ(image->WidthText, "0");
}

TEST_F(ImageTest, CallbackFillsAnEmptyHolderAtLayout)
{
    int calls = 0;
    auto callback = [&](TMkImage &sender, TMkPicture &picture, const std::string &source,
                        std::int32_t index) {
        ++calls;
        EXPECT_EQ(&picture, &sender.Picture);
        EXPECT_EQ(source, "~~PIC");
        EXPECT_EQ(index, 3);
        picture.SetGraphic(testkit::SolidBitmap(10, 12, 0xFF000000));
    };
    auto *image =
        root.Add(std::make_unique<TMkImage>(&root, callback, "3", "", "", "~~PIC", &pictures));
    EXPECT_EQ(Bounds(image), (TMkRect{0, 0, 10, 12}));
    // Once filled, the holder is not asked for again.
    Bounds(image);
    EXPECT_EQ(calls, 1);
}

TEST_F(ImageTest, CloneHoldsItsOwnCopyOfThePicture)
{
    loader.sizes["im1.bmp"] = {16, 16};
    TMkImage *image = AddImage("im1.bmp");
    image->IsLink = 1;
    image->LinkRef = "go";
    auto copy = image->Clone();
    auto *clone = dynamic_cast<TMkImage *>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->Parent, &root);
    EXPECT_EQ(clone->Source, "im1.bmp");
    EXPECT_EQ(clone->WidthText, "16");
    EXPECT_EQ(clone->LinkRef, "go");
    ASSERT_TRUE(clone->Picture.HasGraphic());
    EXPECT_NE(clone->Picture.Graphic(), image->Picture.Graphic());
    image->Picture.Clear();
    EXPECT_EQ(clone->Picture.Width(), 16);
}

namespace {

// Reads a file as a bitmap one pixel high whose width is the file's size and
// whose pixels are its bytes, and counts the reads.
class TCountingLoader : public TMkPictureLoader {
public:
    int Reads = 0;
    std::unique_ptr<TMkGraphic> Load(const std::string &fileName) override
    {
        ++Reads;
        std::ifstream in(fileName, std::ios::binary);
        std::string bytes(static_cast<std::size_t>(std::filesystem::file_size(fileName)), '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return std::make_unique<TMkBitmap>(static_cast<std::int32_t>(bytes.size()), 1,
                                           std::vector<std::uint32_t>(bytes.begin(), bytes.end()),
                                           true);
    }
};

std::uint32_t FirstPixel(const TMkPicture &picture)
{
    return dynamic_cast<const TMkBitmap &>(*picture.Graphic()).Pixel(0, 0);
}

// A picture file "peg.bmp" holding "abc", and a store that reads pictures
// through a loader counting its reads.  The store looks at the file at every
// load outside a batch, unless a test says otherwise.
class PictureCache : public ::testing::Test {
protected:
    PictureCache() { pictures.CheckInterval = {}; }

    testkit::TTempDir dir;
    const std::string path = dir.Write("peg.bmp", "abc");
    TCountingLoader loader;
    TMkPictureStore pictures;
    const TMkScopedPictureLoader scope{pictures, loader};
};

} // namespace

// A picture is read once while its file stays as it is, and again as soon as
// the file is written anew, even with the same size.
TEST_F(PictureCache, ReadsAFileAgainOnlyWhenItChanged)
{
    TMkPicture first;
    TMkPicture second;
    ASSERT_TRUE(first.LoadFromFile(path, pictures));
    ASSERT_TRUE(second.LoadFromFile(path, pictures));
    EXPECT_EQ(loader.Reads, 1);
    EXPECT_EQ(second.Width(), 3);

    dir.Write("peg.bmp", "xyz");
    const auto written = std::filesystem::last_write_time(path);
    std::filesystem::last_write_time(path, written + std::chrono::seconds(1));
    ASSERT_TRUE(second.LoadFromFile(path, pictures));
    EXPECT_EQ(loader.Reads, 2);
    EXPECT_EQ(FirstPixel(second), std::uint32_t{'x'});
    EXPECT_EQ(FirstPixel(first), std::uint32_t{'a'}) << "a copy keeps what it was given";

    dir.Write("peg.bmp", "abcd");
    ASSERT_TRUE(second.LoadFromFile(path, pictures));
    EXPECT_EQ(loader.Reads, 3);
    EXPECT_EQ(second.Width(), 4);
}

// Within one document a file is looked at once: a picture replaced while the
// document is read still shows as it was for the rest of it, and as it is
// now in the next document.
TEST_F(PictureCache, ADocumentSeesEachFileOnce)
{
    TMkPicture picture;
    {
        const TMkPictureBatch document(pictures);
        ASSERT_TRUE(picture.LoadFromFile(path, pictures));
        dir.Write("peg.bmp", "xyzw");
        {
            const TMkPictureBatch nested(pictures); // the outer document counts
        }
        ASSERT_TRUE(picture.LoadFromFile(path, pictures));
        EXPECT_EQ(picture.Width(), 3);
    }
    ASSERT_TRUE(picture.LoadFromFile(path, pictures));
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(FirstPixel(picture), std::uint32_t{'x'});
}

// A look at a file holds for the store's interval: a file written anew in
// that time still shows as it was read, and shows anew once the look is
// older than the interval.
TEST_F(PictureCache, ALookAtAFileHoldsForTheCheckInterval)
{
    pictures.CheckInterval = std::chrono::hours(1);
    TMkPicture picture;
    ASSERT_TRUE(picture.LoadFromFile(path, pictures));
    dir.Write("peg.bmp", "xyzw");
    ASSERT_TRUE(picture.LoadFromFile(path, pictures));
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(loader.Reads, 1);

    pictures.CheckInterval = std::chrono::milliseconds(20);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ASSERT_TRUE(picture.LoadFromFile(path, pictures));
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(loader.Reads, 2);
}
