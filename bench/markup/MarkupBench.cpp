// Pathological 64 KiB list rows through the lexer, the band's preparation and
// the grammar engine (with an HTML-like document type).  Each must take well
// under a second in the release build; ordinary rows far less.

#include "support/MiniHTMLGrammar.h"
#include "support/TestParser.h"

#include "markup/MkByteStream.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkParsedTextList.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::size_t RowSize = 64 * 1024;

std::string Fill(const std::string &head, const std::string &unit, const std::string &tail = {})
{
    std::string out = head;
    while (out.size() + unit.size() + tail.size() <= RowSize)
        out += unit;
    return out + tail;
}

std::string Nest(const std::string &open, const std::string &middle, const std::string &close)
{
    const std::size_t levels = (RowSize - middle.size()) / (open.size() + close.size());
    std::string out;
    for (std::size_t i = 0; i < levels; ++i)
        out += open;
    out += middle;
    for (std::size_t i = 0; i < levels; ++i)
        out += close;
    return out;
}

const std::string GameRow =
    "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B><FONT FACE=\"verdana\" SIZE=\"3\" "
    "COLOR=\"#440000\">casa</FONT></B></td><td><B><repeat count=2><img src=\"im1.bmp\"></repeat>"
    "<repeat count=1><img src=\"im2.bmp\"></repeat></B></td></tr></table>";

void Run(benchmark::State &state, const std::string &markup)
{
    testkit::TTestParser parser;
    parser.Declare(testkit::MiniHTMLGrammar);
    for (auto _ : state) {
        TMkMemoryStream stream(markup);
        benchmark::DoNotOptimize(parser.Parse(stream, {}, {}, {}, {}));
    }
    state.counters["bytes"] = static_cast<double>(markup.size());
    state.counters["work"] = static_cast<double>(parser.DTD.LastRunWork());
    state.counters["nodes"] = static_cast<double>(TMkDeductionTree::LiveCount());
    state.counters["exhausted"] = parser.DTD.LastRunExhausted();
    state.counters["depth_limit"] = parser.DTD.LastRunHitDepthLimit();
}

// The same rows through the HTML parser with its own document type, which
// also builds the text objects.
void RunHTML(benchmark::State &state, const std::string &markup)
{
    TMkHTMLParser parser;
    for (auto _ : state) {
        TMkMemoryStream stream(markup);
        benchmark::DoNotOptimize(parser.Parse(stream, {}, {}, {}, {}));
    }
    state.counters["work"] = static_cast<double>(parser.DTD.LastRunWork());
    state.counters["exhausted"] = parser.DTD.LastRunExhausted();
    state.counters["depth_limit"] = parser.DTD.LastRunHitDepthLimit();
}

void GameRowOnce(benchmark::State &s)
{
    Run(s, GameRow);
}
void GameRows64K(benchmark::State &s)
{
    Run(s, Fill("", GameRow));
}
void Words64K(benchmark::State &s)
{
    Run(s, Fill("", "parola "));
}
void Paragraphs64K(benchmark::State &s)
{
    Run(s, Fill("", "<p>una riga <b>di</b> testo "));
}
void NestedBold64K(benchmark::State &s)
{
    Run(s, Nest("<b>", "x", "</b>"));
}
void UnclosedBold64K(benchmark::State &s)
{
    Run(s, Fill("", "<b>x"));
}
void NestedTables64K(benchmark::State &s)
{
    Run(s, Nest("<table><tr><td>", "x", "</td></tr></table>"));
}
void UnclosedTables64K(benchmark::State &s)
{
    Run(s, Fill("", "<table><tr><td>x"));
}
void StrayEndTags64K(benchmark::State &s)
{
    Run(s, Fill("", "</td></tr></table></b>"));
}
void Cells64K(benchmark::State &s)
{
    Run(s, Fill("<table><tr>", "<td>x"));
}
void NestedRepeats64K(benchmark::State &s)
{
    Run(s, Fill("", "<repeat count=9999><b>x</b>", ""));
}
void UnclosedRepeats64K(benchmark::State &s)
{
    Run(s, Fill("", "<repeat count=2>ab"));
}
void Comment64K(benchmark::State &s)
{
    Run(s, Fill("<!--", "-", ""));
}
void Lists64K(benchmark::State &s)
{
    Run(s, Fill("", "<ul><li>a<li>b"));
}

void HTMLGameRowOnce(benchmark::State &s)
{
    RunHTML(s, GameRow);
}
void HTMLGameRows64K(benchmark::State &s)
{
    RunHTML(s, Fill("", GameRow));
}
void HTMLNestedBold64K(benchmark::State &s)
{
    RunHTML(s, Nest("<b>", "x", "</b>"));
}
void HTMLUnclosedBold64K(benchmark::State &s)
{
    RunHTML(s, Fill("", "<b>x"));
}
void HTMLNestedTables64K(benchmark::State &s)
{
    RunHTML(s, Nest("<table><tr><td>", "x", "</td></tr></table>"));
}
void HTMLStrayEndTags64K(benchmark::State &s)
{
    RunHTML(s, Fill("", "</td></tr></table></b>"));
}
void HTMLCells64K(benchmark::State &s)
{
    RunHTML(s, Fill("<table><tr>", "<td>x"));
}
void HTMLNestedRepeats64K(benchmark::State &s)
{
    RunHTML(s, Fill("", "<repeat count=9999><b>x</b>", ""));
}
void HTMLLists64K(benchmark::State &s)
{
    RunHTML(s, Fill("", "<ul><li>a<li>b"));
}
void HTMLHeadText64K(benchmark::State &s)
{
    RunHTML(s, Fill("<title>", "t "));
}

} // namespace

BENCHMARK(HTMLGameRowOnce);
BENCHMARK(HTMLGameRows64K)->Unit(benchmark::kMillisecond);
BENCHMARK(HTMLNestedBold64K)->Unit(benchmark::kMillisecond);
BENCHMARK(HTMLUnclosedBold64K)->Unit(benchmark::kMillisecond);
BENCHMARK(HTMLNestedTables64K)->Unit(benchmark::kMillisecond);
BENCHMARK(HTMLStrayEndTags64K)->Unit(benchmark::kMillisecond);
BENCHMARK(HTMLCells64K)->Unit(benchmark::kMillisecond);
BENCHMARK(HTMLNestedRepeats64K)->Unit(benchmark::kMillisecond);
BENCHMARK(HTMLLists64K)->Unit(benchmark::kMillisecond);
BENCHMARK(HTMLHeadText64K)->Unit(benchmark::kMillisecond);
BENCHMARK(GameRowOnce);
BENCHMARK(GameRows64K)->Unit(benchmark::kMillisecond);
BENCHMARK(Words64K)->Unit(benchmark::kMillisecond);
BENCHMARK(Paragraphs64K)->Unit(benchmark::kMillisecond);
BENCHMARK(NestedBold64K)->Unit(benchmark::kMillisecond);
BENCHMARK(UnclosedBold64K)->Unit(benchmark::kMillisecond);
BENCHMARK(NestedTables64K)->Unit(benchmark::kMillisecond);
BENCHMARK(UnclosedTables64K)->Unit(benchmark::kMillisecond);
BENCHMARK(StrayEndTags64K)->Unit(benchmark::kMillisecond);
BENCHMARK(Cells64K)->Unit(benchmark::kMillisecond);
BENCHMARK(NestedRepeats64K)->Unit(benchmark::kMillisecond);
BENCHMARK(UnclosedRepeats64K)->Unit(benchmark::kMillisecond);
BENCHMARK(Comment64K)->Unit(benchmark::kMillisecond);
BENCHMARK(Lists64K)->Unit(benchmark::kMillisecond);
