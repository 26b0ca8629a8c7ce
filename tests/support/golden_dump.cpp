// Prints what the engine makes of a golden case's input file, for
// run_golden_case.cmake to compare with the expected file:
//
//   golden_dump tokens FILE   the HTML lexer's tokens
//   golden_dump band FILE     the token band after tokenizing, with the
//                             variables N=3, EMPTY empty, any other [NAME]
//   golden_dump events FILE   what the grammar engine tells the handlers
//   golden_dump html-events FILE   the same for the built-in HTML document
//                             type over markup
//   golden_dump paint FILE    the test canvas's calls for a tree description
//
// An input that cannot be read ends with status 1 and the reason on standard
// error, as with mkdump.

#include "support/Files.h"
#include "support/TestParser.h"
#include "support/TextTestSupport.h"
#include "support/TokenDump.h"
#include "support/TreeReader.h"

#include "markup/MkByteStream.h"
#include "markup/MkTreeBuilder.h"
#include "markup/html/MkHTMLDTD.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"

#include <cstdio>
#include <exception>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

namespace {

std::string Band(const std::string &input)
{
    testkit::TTestParser parser;
    parser.TokenizeText(input, [](const TMkHandlerSender &, const std::string &name) {
        return name == "N" ? "3" : name == "EMPTY" ? "" : "[" + name + "]";
    });
    if (parser.TokenPosition() != -1)
        throw std::logic_error("the cursor is not before the first token");
    return testkit::DumpBand(parser.Band);
}

// The actions by their codes; 4 is not used.
const char *ActionName(TMkDTDAction action)
{
    static const char *const names[] = {"start", "end",    "step",   "noprogress",
                                        "?",     "closed", "failed", "undone"};
    const auto code = static_cast<std::size_t>(action);
    return code < std::size(names) ? names[code] : "unknown";
}

// The input is a grammar in TTestParser's notation, then the markup (less
// the file's last line feed).  Each line of the trace is a token position
// and what the handlers were told while the parser stood there: "NAME
// action", or "NAME skip" (with "insert TAG") when a token was skipped, and
// last whether the run matched.  Then comes anything the run must not leave
// behind.
std::string Events(const std::string &input)
{
    testkit::TTestParser parser;
    std::string_view markup = parser.Declare(input);
    if (!markup.empty() && markup.back() == '\n')
        markup.remove_suffix(1);
    std::string trace;
    std::int32_t position = -2;
    const auto log = [&](const std::string &event) {
        const bool moved = parser.TokenPosition() != position;
        position = parser.TokenPosition();
        trace += moved ? (trace.empty() ? "@" : "\n@") + std::to_string(position) + " " : ", ";
        trace += event;
    };
    parser.OnNotify = [&](const std::string &name, TMkDTDAction action) {
        log(name + " " + ActionName(action));
    };
    parser.OnSkip = [&](const std::string &name, TMkDTDAction action, const std::string &insert) {
        // A skip handler is always told of a content step; anything else shows.
        log(name + " skip" +
            (action == TMkDTDAction::ContentStep ? "" : std::string(" ") + ActionName(action)) +
            (insert.empty() ? "" : " insert " + insert));
    };
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    log(parser.DeduceText(markup, tree) ? "matched" : "not matched");
    trace += "\n";
    if (tree.Current() != &root)
        trace += "container replaced\n";
    for (const auto &entry : parser.DTD.Entries()) {
        if (entry->OpenCount != 0)
            trace += entry->Name + " still open\n";
        if (entry->SuppressCount != 0)
            trace += entry->Name + " still excluded\n";
    }
    return trace;
}

// The built-in HTML document type, its handlers telling what they are told:
// each element's notifications but its content steps, the text taken, and
// the skips as the HTML parser's three policies make them (hidden text left
// out).
class THTMLTracer : private testkit::TOwnEngine, public TMkExtParser, public TMkHTMLHandlerSource {
public:
    THTMLTracer() : TMkExtParser(OwnEngine, TMkHTMLLex::StaticClass())
    {
        MkDeclareHTMLDocumentType(DTD.Declarations, *this);
    }
    const TMkParserClass &Class() const override
    {
        static const TMkParserClass cls{"THTMLTracer", {}};
        return cls;
    }
    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &, TMkImageHandler, TMkVariableHandler,
                                             TMkControlHandler, TMkRepeatHandler) override
    {
        return nullptr;
    }

    std::string Run(std::string_view markup)
    {
        TMkMemoryStream stream(markup);
        Tokenize(stream);
        TMkParsedTextList root(nullptr);
        TMkTreeBuilder tree(&root);
        Log(DTD.Deduce("HTML_DOCUMENT", tree) ? "matched" : "not matched");
        return trace_ + "\n";
    }

    TMkDTD DTD{this};

private:
    TMkDTDHandler TextHandler() override
    {
        return [this](TMkTreeBuilder &, TMkDTDAction action) {
            if (action == TMkDTDAction::ContentStep)
                Log("text " + CurrentText());
        };
    }
    TMkTypeTest TextTest() override
    {
        return [this] { return CurrentIsText(); };
    }
    TMkDTDHandler ElementHandler(const TMkHTMLDeclaration &element) override
    {
        return [this, &element](TMkTreeBuilder &, TMkDTDAction action) {
            if (action != TMkDTDAction::ContentStep && action != TMkDTDAction::NoProgress)
                Log(std::string(element.Name) + " " + ActionName(action));
        };
    }
    TMkDTDHandler SkipHandler(const TMkHTMLDeclaration &element) override
    {
        return [this, &element](TMkTreeBuilder &, TMkDTDAction) {
            if (element.Skip == TMkSkipPolicy::Paragraph) {
                Log(std::string(element.Name) + " skip insert P");
                InsertTag("P");
            } else {
                Log(std::string(element.Name) + " skip " + CurrentText());
                Advance();
            }
        };
    }

    void Log(const std::string &event)
    {
        const bool moved = TokenPosition() != position_;
        position_ = TokenPosition();
        trace_ += moved ? (trace_.empty() ? "@" : "\n@") + std::to_string(position_) + " " : ", ";
        trace_ += event;
    }

    std::string trace_;
    std::int32_t position_ = -2;
};

std::string HTMLEvents(const std::string &input)
{
    std::string_view markup = input;
    if (!markup.empty() && markup.back() == '\n')
        markup.remove_suffix(1);
    return THTMLTracer().Run(markup);
}

std::string Paint(const std::string &input)
{
    testkit::TFakeLoader loader;
    loader.sizes = {{"im1.bmp", {16, 16}}, {"im2.bmp", {16, 16}}};
    TMkPictureStore pictures;
    TMkScopedPictureLoader scope(pictures, loader);
    testkit::TPaintCase c = testkit::ReadPaintCase(input, pictures);
    TMkTestCanvas canvas;
    canvas.SetFont(testkit::BaseFont());
    // As the list box does: the canvas's own, live font is the base font.
    c.root->Paint(
        {canvas, c.rect, {}, canvas.Font(), c.back, c.singleLine, c.wordWrap, c.whiteOut});
    return canvas.Dump();
}

const std::map<std::string, std::string (*)(const std::string &)> Modes{
    {"tokens", [](const std::string &in) { return testkit::DumpTokens(testkit::LexAll(in)); }},
    {"band", Band},
    {"events", Events},
    {"html-events", HTMLEvents},
    {"paint", Paint},
};

} // namespace

int main(int argc, char **argv)
{
    const auto mode = argc == 3 ? Modes.find(argv[1]) : Modes.end();
    if (mode == Modes.end()) {
        std::fputs("usage: golden_dump tokens|band|events|html-events|paint FILE\n", stderr);
        return 2;
    }
    try {
        const std::string out = mode->second(testkit::ReadFile(argv[2]));
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
