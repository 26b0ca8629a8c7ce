// Remembering the failures of groups must change nothing but the time a run
// takes.  Random rows and pathological ones go through the HTML document type
// with the memo and without it, under the usual bounds and under bounds low
// enough to be met (work, depth of matches and elements, nodes): the tree,
// the work counted and the bounds met must be the same.

#include "support/RandomRows.h"

#include "markup/MkByteStream.h"
#include "markup/MkEngine.h"
#include "markup/MkTreeDump.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Repeated(const std::string &unit, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

std::string Variable(const TMkHandlerSender &, const std::string &name)
{
    return name == "N" ? "3" : "ciao";
}

// What the parser makes of a row, with the run's counts.
std::string Outcome(TMkHTMLParser &parser, const std::string &row)
{
    try {
        TMkMemoryStream stream(row);
        auto root =
            parser.Parse(stream, [](TMkImage &, TMkPicture &, const std::string &, std::int32_t) {},
                         Variable, {}, {});
        return MkDumpTree(*root) + "\nwork " + std::to_string(parser.DTD.LastRunWork()) +
               (parser.DTD.LastRunExhausted() ? " exhausted" : "") +
               (parser.DTD.LastRunHitDepthLimit() ? " depth" : "");
    } catch (const EMkError &error) {
        return std::string("refused: ") + error.what();
    }
}

} // namespace

TEST(RememberedFailures, ChangeNothingButTheTime)
{
    std::vector<std::string> rows = testkit::RandomRows(23, 160);
    for (const char *unit : {"<td>x", "<b>x", "</td></tr></table></b>", "<a href=y>z<form><label>",
                             "<ul><li>a<li>b", "<button><a href=y>b</a></button>"})
        rows.push_back("<table><tr>" + Repeated(unit, 80));
    rows.push_back(Repeated("<table><tr><td>", 40) + "x");
    rows.push_back(Repeated("<b><a href=y>", 80) + "x");

    TMkDTDLimits low;
    low.WorkBudget = 2000;
    low.MaxMatchDepth = 90;
    low.MaxElementDepth = 7;
    low.MaxTreeNodes = 400;
    for (const TMkDTDLimits &limits : {TMkDTDLimits{}, low}) {
        TMkEngine engine;
        TMkHTMLParser remembering(engine);
        TMkHTMLParser trying(engine);
        trying.DTD.RememberFailures = false;
        remembering.DTD.Limits = trying.DTD.Limits = limits;
        for (const std::string &row : rows)
            ASSERT_EQ(Outcome(remembering, row), Outcome(trying, row)) << row;
    }
}
