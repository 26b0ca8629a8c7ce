// Engines share nothing: four threads, each with an engine of its own, parse,
// lay out and paint the same random rows and must draw exactly what one
// thread alone draws.  The tsan preset runs this under ThreadSanitizer, which
// reports any state two engines still touch.

#include "support/RandomRows.h"
#include "support/TextTestSupport.h"

#include "markup/MkByteStream.h"
#include "markup/MkEngine.h"
#include "markup/MkTreeDump.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Variable(const TMkHandlerSender &, const std::string &name)
{
    if (name == "N")
        return "3";
    if (name == "PIC")
        return "im1.bmp";
    return "ciao";
}

// What one engine makes of every row: the tree with where each object
// landed, then every call the painting made, as a list box paints an item.
std::vector<std::string> Draw(const std::vector<std::string> &rows)
{
    testkit::TFakeLoader loader;
    loader.sizes = {{"im1.bmp", {16, 16}}, {"im2.bmp", {16, 16}}};
    TMkEngine engine;
    engine.Pictures.SetLoader(&loader);
    TMkHTMLParser parser(engine);
    std::vector<std::string> drawn;
    for (const std::string &row : rows) {
        try {
            const TMkPictureBatch pictures(engine.Pictures);
            TMkMemoryStream stream(row);
            auto root = parser.Parse(
                stream, [](TMkImage &, TMkPicture &, const std::string &, std::int32_t) {},
                Variable, {}, {});
            TMkTestCanvas canvas;
            canvas.SetFont(testkit::BaseFont());
            const TMkRect rect{0, 0, 364, 24};
            root->Paint(
                {canvas, rect, {0, 0}, canvas.Font(), MkSystemColor(24), true, true, false});
            drawn.push_back(MkDumpTree(*root, true) + canvas.Dump());
        } catch (const EMkError &error) {
            drawn.push_back(std::string("refused: ") + error.what());
        }
    }
    return drawn;
}

TEST(Concurrent, FourEnginesDrawWhatOneDrawsAlone)
{
    const std::vector<std::string> rows = testkit::RandomRows(19, 40);
    const std::vector<std::string> alone = Draw(rows);

    constexpr std::size_t Threads = 4;
    std::vector<std::vector<std::string>> together(Threads);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < Threads; ++t)
        threads.emplace_back([&rows, &together, t] { together[t] = Draw(rows); });
    for (std::thread &thread : threads)
        thread.join();

    for (std::size_t t = 0; t < Threads; ++t) {
        ASSERT_EQ(together[t].size(), rows.size()) << "thread " << t;
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(together[t][i], alone[i]) << "thread " << t << ", row " << rows[i];
    }
}

} // namespace
