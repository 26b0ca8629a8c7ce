// mkdump: shows what the markup engine makes of markup.
//
//   mkdump [--parser CLASS] [--raw] [--var NAME=VALUE]... [--rect WxH] [FILE]
//
// Reads FILE (or standard input), adds one line feed as the list box does
// (not with --raw), parses it with the registered parser CLASS (default
// TMkHTMLParser) in the current folder and prints the tree, one object per
// line.  With --rect the tree is first painted into (0, 0, W, H) on the test
// canvas as a list box paints an item, and every line ends with the object's
// place and size.  Errors go to standard error with exit status 1.

#include "markup/MkByteStream.h"
#include "markup/MkHTMLParser.h"
#include "markup/MkParserRegistry.h"
#include "markup/MkStrings.h"
#include "markup/MkTreeDump.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"

#include <cstdint>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

struct TOptions {
    std::string ParserClass = "TMkHTMLParser";
    bool Raw = false;
    std::map<std::string, std::string> Variables;
    std::optional<TMkRect> Rect;
    std::string File; // empty: standard input
};

[[noreturn]] void Usage(const std::string &problem)
{
    throw std::runtime_error(problem +
                             "\nusage: mkdump [--parser CLASS] [--raw] [--var NAME=VALUE]... "
                             "[--rect WxH] [FILE]");
}

std::int32_t ReadSide(const std::string &text, const std::string &whole)
{
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception &) {
        used = 0;
    }
    if (used == 0 || used != text.size() || value < 0)
        Usage("bad rectangle '" + whole + "'");
    return value;
}

TMkRect ReadRect(const std::string &text)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        Usage("bad rectangle '" + text + "'");
    return {0, 0, ReadSide(text.substr(0, x), text), ReadSide(text.substr(x + 1), text)};
}

TOptions ReadOptions(int argc, char **argv)
{
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                Usage(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--parser") {
            options.ParserClass = value();
        } else if (arg == "--raw") {
            options.Raw = true;
        } else if (arg == "--var") {
            const std::string definition = value();
            const std::size_t eq = definition.find('=');
            if (eq == std::string::npos)
                Usage("--var needs NAME=VALUE");
            options.Variables[MkUpperCase(definition.substr(0, eq))] = definition.substr(eq + 1);
        } else if (arg == "--rect") {
            options.Rect = ReadRect(value());
        } else if (arg.size() > 1 && arg[0] == '-') {
            Usage("unknown option " + arg);
        } else if (options.File.empty()) {
            options.File = arg;
        } else {
            Usage("more than one file given");
        }
    }
    return options;
}

std::string ReadInput(const TOptions &options)
{
    std::ostringstream bytes;
    if (options.File.empty()) {
        bytes << std::cin.rdbuf();
    } else {
        std::ifstream in(options.File, std::ios::binary);
        if (!in)
            throw std::runtime_error("cannot open " + options.File);
        bytes << in.rdbuf();
    }
    std::string text = bytes.str();
    if (!options.Raw)
        text += '\n';
    return text;
}

// As the list box paints an item: the live canvas font as base font.
void PaintLikeListBox(TMkParsedTextList &root, const TMkRect &rect)
{
    constexpr TMkColor InfoBk = MkSystemColor(24);
    TMkTestCanvas canvas;
    TMkFont font;
    font.Name = "Verdana";
    font.Size = 10;
    font.Style = 0;
    font.Color = ColorBlack;
    canvas.SetFont(font);
    canvas.SetBrushColor(InfoBk);
    root.Paint(canvas, rect, TMkPoint{0, 0}, canvas.Font(), InfoBk, true, true, false);
}

int Run(int argc, char **argv)
{
    const TOptions options = ReadOptions(argc, argv);
    MkRegisterHTMLParser();
    const TMkParserClass *parserClass = FindParserClass(options.ParserClass);
    if (!parserClass)
        throw std::runtime_error("no parser class named " + options.ParserClass);
    const std::string text = ReadInput(options);

    const auto variables = options.Variables;
    TMkVariableHandler variableHandler = [variables](const TMkHandlerSender &,
                                                     const std::string &name) {
        const auto it = variables.find(name);
        return it == variables.end() ? std::string{} : it->second;
    };
    // The list box hands every picture a handler that does nothing.
    TMkImageHandler imageHandler = [](TMkImage &, TMkPicture &, const std::string &, std::int32_t) {
    };

    std::unique_ptr<TMkParser> parser = parserClass->Create();
    TMkMemoryStream stream(text);
    std::unique_ptr<TMkParsedTextList> root =
        parser->Parse(stream, imageHandler, variableHandler, {}, {});
    if (options.Rect)
        PaintLikeListBox(*root, *options.Rect);
    std::cout << MkDumpTree(*root, options.Rect.has_value());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception &error) {
        std::cerr << error.what() << '\n';
        return 1;
    } catch (...) {
        std::cerr << "unknown error\n";
        return 1;
    }
}
