// mkdump: shows what the markup engine makes of markup.
//
//   mkdump [--parser CLASS] [--raw] [--var NAME=VALUE]... [--rect WxH]
//          [--png FILE.png] [FILE]
//
// Reads FILE (or standard input), adds one line feed as the list box does
// (not with --raw), parses it with the registered parser CLASS in the current
// folder and prints the tree, one object per line.  Without --parser the
// file's extension picks the parser that registered it as a file kind
// (".csv", ".dbf", ".xml", ".txt", ".html"); anything else, and standard
// input, is read as HTML.  With --rect the tree is first painted into (0, 0, W, H) on the test
// canvas as a list box paints an item, and every line ends with the object's
// place and size.  With --png nothing is printed: the markup is drawn as the
// game's lists draw an item, with Qt, into a picture of the --rect size
// (364x24, a row of the results list, by default).  Errors go to standard
// error with exit status 1.

#include "markup/MkByteStream.h"
#include "markup/MkEngine.h"
#include "markup/MkParserRegistry.h"
#include "markup/MkStrings.h"
#include "markup/MkTreeDump.h"
#include "markup/html/MkHTMLParser.h"
#include "markup/simple/MkSimpleParsers.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"

#ifdef VESMAR_MKDUMP_PNG
#include "widgets/DesignFonts.h"
#include "widgets/MkTextListBox.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#endif

#include <cstdint>
#include <cstdlib>
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
    std::string ParserClass; // empty: by the file's extension
    bool Raw = false;
    std::map<std::string, std::string> Variables;
    std::optional<TMkRect> Rect;
    std::string Png;  // empty: print the tree
    std::string File; // empty: standard input
};

[[noreturn]] void Usage(const std::string &problem)
{
    throw std::runtime_error(problem +
                             "\nusage: mkdump [--parser CLASS] [--raw] [--var NAME=VALUE]... "
                             "[--rect WxH] [--png FILE.png] [FILE]");
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
        } else if (arg == "--png") {
            options.Png = value();
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
    return bytes.str();
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
    font.Color = MkColorBlack;
    canvas.SetFont(font);
    canvas.SetBrushColor(InfoBk);
    root.Paint({canvas, rect, TMkPoint{0, 0}, canvas.Font(), InfoBk, true, true, false});
}

std::string VariableValue(const TOptions &options, const std::string &name)
{
    const auto it = options.Variables.find(name);
    return it == options.Variables.end() ? std::string{} : it->second;
}

#ifdef VESMAR_MKDUMP_PNG
// Draws the markup with a real list box of the game's settings, so that the
// picture is what a row of the game looks like.  The list adds the line
// feed itself.
void WritePng(const TOptions &options, const std::string &markup, char *program)
{
    const TMkRect rect = options.Rect.value_or(TMkRect{0, 0, 364, 24});
    if (rect.Right <= 0 || rect.Bottom <= 0)
        Usage("--png needs a rectangle of at least 1x1");
    // A command-line tool needs no display.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication app(qtArgc, &program);
    InstallFontSubstitutes();

    // The list box's own engine loads the pictures with Qt, as in the game.
    TMkTextListBox box;
    box.setFont(DesignFont("Verdana", 13));
    box.SetColor(MkSystemColor(24));
    box.SetItemHeight(rect.Bottom);
    box.TextSettings().SetParserClass(options.ParserClass);
    box.OnGetVariable = [&](TMkTextListBox &, const std::string &name, std::string &value) {
        value = VariableValue(options, name);
    };
    std::exception_ptr failure;
    box.OnItemError = [&](std::exception_ptr error) { failure = error; };
    box.AddItem(markup);

    QImage image(rect.Right, rect.Bottom, QImage::Format_ARGB32);
    if (image.isNull())
        throw std::runtime_error("the picture is too large");
    {
        QPainter painter(&image);
        box.DrawItem(painter, 0, QRect(0, 0, rect.Right, rect.Bottom), {});
    }
    if (failure)
        std::rethrow_exception(failure);
    if (!image.save(QString::fromLocal8Bit(options.Png.c_str()), "PNG"))
        throw std::runtime_error("cannot write " + options.Png);
}
#endif

// The parser registered for the file's extension, else the HTML parser.
std::string ParserForFile(const std::string &file, const TMkParserRegistry &parsers)
{
    const std::size_t dot = file.find_last_of("./");
    if (dot != std::string::npos && file[dot] == '.') {
        const std::string kind = MkUpperCase(file.substr(dot + 1));
        for (const TMkParserRegistryEntry &entry : parsers.Entries()) {
            const std::string kinds = ";" + entry.FileKinds + ";";
            if (!kind.empty() && kinds.find(";" + kind + ";") != std::string::npos)
                return entry.ParserClass->ClassName;
        }
    }
    return "TMkHTMLParser";
}

int Run(int argc, char **argv)
{
    TOptions options = ReadOptions(argc, argv);
    TMkEngine engine;
    MkRegisterSimpleParsers(engine.Parsers);
    MkRegisterHTMLParser(engine.Parsers);
    if (options.ParserClass.empty())
        options.ParserClass = ParserForFile(options.File, engine.Parsers);
    const TMkParserClass *parserClass = engine.Parsers.Find(options.ParserClass);
    if (!parserClass)
        throw std::runtime_error("no parser class named " + options.ParserClass);
    std::string text = ReadInput(options);
    if (!options.Png.empty()) {
#ifdef VESMAR_MKDUMP_PNG
        WritePng(options, text, argv[0]);
        return 0;
#else
        throw std::runtime_error("this mkdump was built without Qt: --png is not available");
#endif
    }
    if (!options.Raw)
        text += '\n';

    TMkVariableHandler variableHandler = [&options](const TMkHandlerSender &,
                                                    const std::string &name) {
        return VariableValue(options, name);
    };
    // The list box hands every picture a handler that does nothing.
    TMkImageHandler imageHandler = [](TMkImage &, TMkPicture &, const std::string &, std::int32_t) {
    };

    std::unique_ptr<TMkParser> parser = parserClass->Create(engine);
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
