#include "TextTestSupport.h"
#include "TreeReader.h"

#include "textobjects/MkTestCanvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

// Every dumps/<name>.tree is painted on the test canvas and the recorded
// calls are compared with dumps/<name>.expected.  A new case is a new pair of
// files; a missing or different expectation fails with the actual dump.

namespace {

std::string ReadFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string PaintDump(const std::string &description)
{
    testsupport::FakeLoader loader;
    loader.sizes["im1.bmp"] = {16, 16};
    loader.sizes["im2.bmp"] = {16, 16};
    TMkScopedPictureLoader scope(loader);
    testsupport::PaintCase c = testsupport::ReadPaintCase(description);
    TMkTestCanvas canvas;
    canvas.SetFont(testsupport::BaseFont());
    // As the list box does: the canvas's own, live font is the base font.
    c.root->Paint(canvas, c.rect, {}, canvas.Font(), c.back, c.singleLine, c.wordWrap, c.whiteOut);
    return canvas.Dump();
}

} // namespace

TEST(PaintDump, EveryCaseDrawsAsExpected)
{
    const std::filesystem::path dir = std::filesystem::path(VESMAR_TEST_DATA) / "dumps";
    int cases = 0;
    for (const auto &entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".tree")
            continue;
        ++cases;
        auto expectedPath = entry.path();
        expectedPath.replace_extension(".expected");
        const std::string actual = PaintDump(ReadFile(entry.path()));
        EXPECT_EQ(actual, ReadFile(expectedPath)) << entry.path().filename() << " draws:\n"
                                                  << actual;
    }
    EXPECT_GT(cases, 0);
}

TEST(PaintDump, ReaderRejectsMalformedDescriptions)
{
    EXPECT_THROW(testsupport::ReadPaintCase("p\n"), std::runtime_error);
    EXPECT_THROW(testsupport::ReadPaintCase("list\n  text \"a\"\n    text \"b\"\n"),
                 std::runtime_error);
    EXPECT_THROW(testsupport::ReadPaintCase("list\n  blink\n"), std::runtime_error);
}
