// Engines share nothing: four threads, each with an engine of its own, parse,
// lay out and paint the same random rows and must draw exactly what one
// thread alone draws.  The tsan preset runs this under ThreadSanitizer, which
// reports any state two engines still touch.

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

// Rows as the game writes them, and tag soup made of every kind of element,
// REPEAT blocks, variables, pictures and controls.
std::vector<std::string> RandomRows(std::uint32_t seed, std::size_t count)
{
    static const char *const Pieces[] = {"<b>",
                                         "</b>",
                                         "<i>",
                                         "<u>",
                                         "<font face=\"verdana\" size=\"3\" color=\"#440000\">",
                                         "</font>",
                                         "<font size=+2>",
                                         "<p>",
                                         "<p align=right>",
                                         "</p>",
                                         "<br>",
                                         "<hr>",
                                         "<table border=\"0\">",
                                         "<table border=1 width=\"50%\">",
                                         "</table>",
                                         "<tr>",
                                         "</tr>",
                                         "<td width=\"30\">",
                                         "<td>",
                                         "<td colspan=2>",
                                         "<td rowspan=2>",
                                         "</td>",
                                         "<ul>",
                                         "<ol>",
                                         "<li>",
                                         "</ul>",
                                         "<img src=\"im1.bmp\">",
                                         "<img src=\"im2.bmp\" width=8>",
                                         "<img src=~~PIC>",
                                         "<repeat count=2>",
                                         "<repeat count=~~N>",
                                         "</repeat>",
                                         "<center>",
                                         "<sunken>",
                                         "<raised>",
                                         "<pcolor color=blue>",
                                         "<tree>",
                                         "<item>",
                                         "<plain>",
                                         "<a href=x>",
                                         "<sub>",
                                         "<sup>",
                                         "<h1>",
                                         "<pre>",
                                         "<input>",
                                         "<input type=submit>",
                                         "<control korclass=TEdit width=40>",
                                         "<basefont size=5>",
                                         "</basefont>",
                                         "<select>",
                                         "<option>",
                                         "<title>",
                                         "<!-- c -->",
                                         "casa",
                                         "mare",
                                         "&nbsp;",
                                         "&amp;",
                                         " ",
                                         "x",
                                         "~~W",
                                         "&#65;",
                                         "\xE8"};
    std::mt19937 random(seed);
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < count; ++i) {
        std::string row;
        if (pick(4) == 0) {
            const std::size_t inPlace = pick(6);
            row = "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B><FONT "
                  "FACE=\"verdana\" SIZE=\"3\" COLOR=\"#440000\">parola</FONT></B></td><td><B>"
                  "<repeat count=" +
                  std::to_string(inPlace) +
                  "><img src=\"im1.bmp\"></repeat><repeat count=" + std::to_string(5 - inPlace) +
                  "><img src=\"im2.bmp\"></repeat></B></td></tr>" + "</table>";
        } else {
            for (std::size_t n = pick(30) + 1; n > 0; --n)
                row += Pieces[pick(std::size(Pieces))];
        }
        rows.push_back(row + "\n");
    }
    return rows;
}

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
    const std::vector<std::string> rows = RandomRows(19, 40);
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
