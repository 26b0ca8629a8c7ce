// Pathological 64 KiB list rows through the lexer, the band's preparation and
// the grammar engine (with an HTML-like document type).  Each must take well
// under a second in the release build; ordinary rows far less.

#include "RatioReporter.h"
#include "support/MiniHTMLGrammar.h"
#include "support/TestParser.h"

#include "app/HeapSettings.h"
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
    state.counters["nodes"] = static_cast<double>(parser.DTD.LastRunNodes());
    state.counters["exhausted"] = parser.DTD.LastRunExhausted();
    state.counters["depth_limit"] = parser.DTD.LastRunHitDepthLimit();
}

// The same rows through the HTML parser with its own document type, which
// also builds the text objects.
void RunHTML(benchmark::State &state, const std::string &markup)
{
    TMkEngine engine;
    TMkHTMLParser parser(engine);
    for (auto _ : state) {
        TMkMemoryStream stream(markup);
        benchmark::DoNotOptimize(parser.Parse(stream, {}, {}, {}, {}));
    }
    state.counters["work"] = static_cast<double>(parser.DTD.LastRunWork());
    state.counters["exhausted"] = parser.DTD.LastRunExhausted();
    state.counters["depth_limit"] = parser.DTD.LastRunHitDepthLimit();
}

// The rows: the game's own, ordinary long ones and pathological ones.
struct TRow {
    const char *Name;
    std::string (*Make)();
};

const TRow Rows[] = {
    {"GameRowOnce", [] { return GameRow; }},
    {"GameRows64K", [] { return Fill("", GameRow); }},
    {"Words64K", [] { return Fill("", "parola "); }},
    {"Paragraphs64K", [] { return Fill("", "<p>una riga <b>di</b> testo "); }},
    {"NestedBold64K", [] { return Nest("<b>", "x", "</b>"); }},
    {"UnclosedBold64K", [] { return Fill("", "<b>x"); }},
    {"NestedTables64K", [] { return Nest("<table><tr><td>", "x", "</td></tr></table>"); }},
    {"UnclosedTables64K", [] { return Fill("", "<table><tr><td>x"); }},
    {"StrayEndTags64K", [] { return Fill("", "</td></tr></table></b>"); }},
    {"Cells64K", [] { return Fill("<table><tr>", "<td>x"); }},
    {"NestedRepeats64K", [] { return Fill("", "<repeat count=9999><b>x</b>", ""); }},
    {"UnclosedRepeats64K", [] { return Fill("", "<repeat count=2>ab"); }},
    {"Comment64K", [] { return Fill("<!--", "-", ""); }},
    {"Lists64K", [] { return Fill("", "<ul><li>a<li>b"); }},
    {"HeadText64K", [] { return Fill("<title>", "t "); }},
};

// Every row through the real HTML parser (named HTML...), then through the
// engine with the test document type.
benchmark::TimeUnit UnitOf(const TRow &row)
{
    return std::string(row.Name) == "GameRowOnce" ? benchmark::kNanosecond
                                                  : benchmark::kMillisecond;
}

const bool Registered = [] {
    MkKeepHeapForRepaints();
    for (const TRow &row : Rows)
        benchmark::RegisterBenchmark((std::string("HTML") + row.Name).c_str(), RunHTML, row.Make())
            ->Unit(UnitOf(row));
    for (const TRow &row : Rows)
        benchmark::RegisterBenchmark(row.Name, Run, row.Make())->Unit(UnitOf(row));
    return true;
}();

} // namespace

// Nothing is compared here; the reporter shows a benchmark run in rounds by
// its best round, as the other benchmark programs do.
int main(int argc, char **argv)
{
    return MkRunWithRatios(argc, argv, {});
}
