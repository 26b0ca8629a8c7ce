// How much heap a parse takes for each byte it reads.  Seven inputs of 1 MiB,
// made here, each the worst of its kind found so far, go through the parser
// that reads them; the program prints, per input, the peak heap of the parse
// (the tree it returns included, the input itself not) over the input's size,
// the tree's share of it, what the parser and its engine still hold once the
// tree is gone (which must not grow with the input), and last the worst peak:
//
//   most: X bytes of peak heap per input byte (INPUT)

#include "HeapCounter.h"

#include "markup/MkByteStream.h"
#include "markup/MkEngine.h"
#include "markup/MkParser.h"
#include "markup/MkParserRegistry.h"
#include "markup/html/MkHTMLParser.h"
#include "markup/simple/MkSimpleParsers.h"
#include "textobjects/MkParsedTextList.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>

namespace {

constexpr std::size_t InputSize = 1 << 20;

// unit repeated until the next one would not fit.
std::string Repeat(const std::string &unit)
{
    std::string out;
    out.reserve(InputSize);
    while (out.size() + unit.size() <= InputSize)
        out += unit;
    return out;
}

std::string Nesting(const std::string &open, const std::string &close)
{
    const std::size_t levels = InputSize / (open.size() + close.size());
    std::string out;
    out.reserve(InputSize);
    for (std::size_t i = 0; i < levels; ++i)
        out += open;
    for (std::size_t i = 0; i < levels; ++i)
        out += close;
    return out;
}

void PutLittle(std::string &bytes, std::size_t at, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A table that claims four billion records of one byte (the deletion mark
// and one empty character field), followed by 1 MiB of them.
std::string DBFOfOneByteRecords()
{
    std::string header(32 + 32 + 1, '\0');
    header[0] = 3;
    header[1] = 124; // 2024-01-01
    header[2] = 1;
    header[3] = 1;
    PutLittle(header, 4, 0xFFFF'FFFF, 4);
    PutLittle(header, 8, static_cast<std::uint32_t>(header.size()), 2);
    PutLittle(header, 10, 1, 2);
    header.replace(32, 4, "NOME");
    header[32 + 11] = 'C';
    header[64] = 0x0D;
    return header + std::string(InputSize - header.size(), ' ');
}

struct TInput {
    const char *Name;
    const char *ParserClass;
    std::string (*Make)();
};

const TInput Inputs[] = {
    {"lines of one letter", "TMkHTMLParser", [] { return Repeat("a\n"); }},
    {"prose with markup", "TMkHTMLParser",
     [] {
         return Repeat("Nel mezzo del <b>cammin</b> di nostra vita <font color=\"#800000\" "
                       "size=\"3\">mi ritrovai</font> per una selva oscura,\n<p>");
     }},
    // A list, an item and a paragraph for every five bytes, and the most
    // the grammar engine keeps besides the tree.
    {"list items", "TMkHTMLParser", [] { return Repeat("<li>a"); }},
    {"nested elements", "TMkSimpleXMLParser", [] { return Nesting("<a>", "</a>"); }},
    {"carriage returns", "TMkPlainTextParser", [] { return std::string(InputSize, '\r'); }},
    {"lines of one field", "TMkCSVParser", [] { return Repeat("a\n"); }},
    {"one-byte records", "TMkDBFParser", DBFOfOneByteRecords},
};

struct TMeasure {
    std::size_t Peak = 0; // during the parse, the tree included
    std::size_t Kept = 0; // after the parse: the tree, and what Held counts
    std::size_t Held = 0; // by the parser, once the tree is gone
};

TMeasure Measure(const TInput &input)
{
    const std::string bytes = input.Make();
    TMkEngine engine;
    MkRegisterSimpleParsers(engine.Parsers);
    MkRegisterHTMLParser(engine.Parsers);
    const TMkParserClass *parserClass = engine.Parsers.Find(input.ParserClass);
    if (parserClass == nullptr)
        throw std::runtime_error(std::string("no parser ") + input.ParserClass);
    std::unique_ptr<TMkParser> parser = parserClass->Create(engine);
    TMkMemoryStream stream(bytes);
    const std::size_t before = MkHeapLive();
    MkHeapResetPeak();
    std::unique_ptr<TMkParsedTextList> tree = parser->Parse(stream, {}, {}, {}, {});
    TMeasure measure;
    measure.Peak = MkHeapPeak() - before;
    measure.Kept = MkHeapLive() - before;
    tree.reset();
    measure.Held = MkHeapLive() - before;
    return measure;
}

double PerByte(std::size_t bytes)
{
    return static_cast<double>(bytes) / static_cast<double>(InputSize);
}

} // namespace

int main()
{
    try {
        std::printf("%-22s %-20s %12s %12s %12s\n", "input (1 MiB)", "parser", "peak B/B",
                    "tree B/B", "held KiB");
        double most = 0;
        const char *worst = "";
        for (const TInput &input : Inputs) {
            const TMeasure measure = Measure(input);
            std::printf("%-22s %-20s %12.1f %12.1f %12zu\n", input.Name, input.ParserClass,
                        PerByte(measure.Peak), PerByte(measure.Kept), measure.Held / 1024);
            if (PerByte(measure.Peak) > most) {
                most = PerByte(measure.Peak);
                worst = input.Name;
            }
        }
        std::printf("most: %.1f bytes of peak heap per input byte (%s)\n", most, worst);
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "memory_bench: %s\n", error.what());
        return 1;
    }
}
