#include "support/HTMLTestSupport.h"

#include "markup/MkByteStream.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <utility>

namespace {

std::string Times(int n, const std::string &piece)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += piece;
    return text;
}

// Parses, lays out and paints as the list box does, and returns the tree,
// or null when the engine refused the markup with one of its own errors.
// Anything else (a crash, a hang, a foreign exception) fails.
std::unique_ptr<TMkParsedTextList> RunPipeline(const std::string &markup)
{
    TMkEngine engine;
    TMkHTMLParser parser(engine);
    TMkMemoryStream stream(markup);
    std::unique_ptr<TMkParsedTextList> root;
    try {
        root = parser.Parse(stream, {}, {}, {}, {});
    } catch (const EMkError &) {
        return nullptr;
    }
    for (std::int32_t width : {0, 40, 400}) {
        TMkTestCanvas canvas;
        TMkFont font;
        font.Name = "Verdana";
        canvas.SetFont(font);
        const TMkRect rect{0, 0, width, 24};
        try {
            root->GetBounds({canvas, rect, canvas.Font(), true, true});
            root->Paint(
                {canvas, rect, {0, 0}, canvas.Font(), MkSystemColor(24), true, true, false});
        } catch (const EMkError &) {
        }
    }
    return root;
}

struct THostileCase {
    const char *Name;
    std::function<std::string()> Make;
};

class HostileMarkup : public testing::TestWithParam<THostileCase> {};

TEST_P(HostileMarkup, IsHandledInBoundedTime)
{
    const std::string markup = GetParam().Make();
    const auto start = std::chrono::steady_clock::now();
    RunPipeline(markup);
    // Generous for sanitizer builds; a quadratic or exponential path takes
    // minutes here.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileMarkup,
    testing::Values(
        THostileCase{"DeepBold", [] { return Times(20000, "<b>") + "x"; }},
        THostileCase{"DeepTables", [] { return Times(3000, "<table><tr><td>") + "x"; }},
        THostileCase{
            "DeepClosedTables",
            [] { return Times(25, "<table><tr><td>") + "x" + Times(25, "</td></tr></table>"); }},
        THostileCase{"DeepLists", [] { return Times(5000, "<ul><li>"); }},
        THostileCase{"DeepTrees", [] { return Times(3000, "<tree><item>") + "x"; }},
        THostileCase{"DeepHidden", [] { return Times(5000, "<span>") + "x"; }},
        THostileCase{"ManyWords", [] { return Times(50000, "parola "); }},
        THostileCase{"StrayCellTags", [] { return Times(3000, "x</td>"); }},
        THostileCase{"StrayRowTags", [] { return Times(3000, "<tr>y"); }},
        THostileCase{"ManyCells", [] { return "<table><tr>" + Times(3000, "<td>c") + "</table>"; }},
        THostileCase{"WideSpans",
                     [] {
                         return std::string(
                             "<table><tr><td rowspan=30 colspan=300>x</td></tr></table>");
                     }},
        THostileCase{
            "NegativeSpans",
            [] {
                return std::string(
                    "<table><tr><td rowspan=\"50%\" colspan=\"3*\">x</td><td>y</td></tr></table>");
            }},
        THostileCase{
            "NestedRepeats",
            [] { return Times(2, "<repeat count=99>") + "<img src=a>" + Times(2, "</repeat>"); }},
        THostileCase{"FrontRepeat",
                     [] {
                         return "<repeat count=1><repeat count=9999>" + Times(50, "<p>x") +
                                "</repeat></repeat>";
                     }},
        THostileCase{"EntityRun", [] { return Times(100000, "&amp;") + Times(1000, "&#38;#65;"); }},
        THostileCase{"ManyInputs", [] { return Times(2000, "<input width=9999999 height=-5>"); }},
        THostileCase{"ManyTitles", [] { return Times(3000, "<title>t</title>"); }},
        THostileCase{
            "UnclosedEverything",
            [] { return Times(500, "<table><tr><td><ul><li><b><font size=+9><pre><p>x"); }}),
    [](const testing::TestParamInfo<THostileCase> &param) {
        return std::string(param.param.Name);
    });

// A span as large as the grid allows makes a hundred thousand placeholder
// cells, each of which unlinks itself from its master when it is destroyed.
TEST(Robustness, HugeSpansAreFreedInBoundedTime)
{
    const auto start = std::chrono::steady_clock::now();
    RunPipeline("<table><tr><td rowspan=2147483647 colspan=99999>x</td></tr></table>");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

// The words of a tree run together, and how many pictures it holds.
std::pair<std::string, std::ptrdiff_t> Shown(const TMkParsedTextList &root)
{
    std::string text;
    for (const std::string &word : testkit::Words(root))
        text += word;
    const auto names = testkit::ClassNames(root);
    return {text, std::count(names.begin(), names.end(), "TMkImage")};
}

TEST(Robustness, GameRowCutAtEveryByteShowsAtMostTheStartOfTheRow)
{
    // Cut a game row at every byte: each prefix is markup a list item could
    // hold.  It must survive the pipeline and show no more than the start of
    // what the whole row shows, no word or picture of its own.
    const std::string row = "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B><FONT "
                            "FACE=\"verdana\" SIZE=\"3\" COLOR=\"#440000\">casa</FONT></B></td>"
                            "<td><B><repeat count=2><img src=\"im1.bmp\"></repeat></B></td></tr>"
                            "</table>\n";
    const auto whole = RunPipeline(row);
    ASSERT_NE(whole, nullptr);
    const auto [rowText, rowPictures] = Shown(*whole);
    ASSERT_NE(rowText.find("casa"), std::string::npos);
    ASSERT_EQ(rowPictures, 2);
    int refused = 0;
    for (std::size_t n = 0; n < row.size(); ++n) {
        const auto root = RunPipeline(row.substr(0, n));
        if (!root) {
            ++refused; // a value cut short: a colour of "#" alone cannot be converted
            continue;
        }
        const auto [text, pictures] = Shown(*root);
        EXPECT_EQ(rowText.compare(0, text.size(), text), 0) << n << " bytes show " << text;
        EXPECT_LE(pictures, rowPictures) << n << " bytes";
    }
    EXPECT_LE(refused, 1);
}

} // namespace
