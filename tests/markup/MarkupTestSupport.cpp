#include "MarkupTestSupport.h"

#include "markup/MkByteStream.h"
#include "markup/html/MkHTMLLex.h"
#include "markup/MkToken.h"
#include "markup/MkTokenBand.h"
#include "textobjects/MkParsedTextList.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 32 || b >= 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

} // namespace

std::string DumpToken(const TMkToken &token)
{
    switch (token.Kind) {
    case TMkTokenKind::End: return "end\n";
    case TMkTokenKind::Dropped: return "dropped\n";
    case TMkTokenKind::Text:
        return "text " + Quote(static_cast<const TMkTextToken &>(token).Text) + "\n";
    case TMkTokenKind::Tag: break;
    }
    const auto &tag = static_cast<const TMkTagToken &>(token);
    std::string out = "tag " + Quote(tag.Text) + "\n";
    for (const std::string &line : tag.Attributes)
        out += "  attr " + Quote(line) + "\n";
    return out;
}

std::string DumpTokens(const std::vector<std::unique_ptr<TMkToken>> &tokens)
{
    std::string out;
    for (const auto &token : tokens)
        out += DumpToken(*token);
    return out;
}

std::string DumpBand(const TMkTokenBand &band)
{
    std::string out;
    for (std::int32_t i = 0; i < band.Count(); ++i)
        out += DumpToken(*band.TokenAt(i));
    return out;
}

std::vector<std::unique_ptr<TMkToken>> LexAll(std::string_view bytes)
{
    TMkHTMLLex lex;
    TMkMemoryStream stream(bytes);
    std::vector<std::unique_ptr<TMkToken>> tokens;
    do {
        tokens.push_back(lex.NextToken(stream));
    } while (tokens.back()->Kind != TMkTokenKind::End);
    return tokens;
}

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> DataFiles(const std::string &folder, const std::string &extension)
{
    std::vector<std::string> files;
    for (const auto &entry :
         std::filesystem::directory_iterator(std::string(VESMAR_TEST_DATA) + "/" + folder))
        if (entry.path().extension() == extension)
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

TTestParser::TTestParser() : TMkExtParser(TMkHTMLLex::StaticClass()) {}

const TMkParserClass &TTestParser::StaticClass()
{
    static const TMkParserClass cls = MkMakeParserClass<TTestParser>("TTestParser");
    return cls;
}

const TMkParserClass &TTestParser::Class() const
{
    return StaticClass();
}

std::unique_ptr<TMkParsedTextList> TTestParser::Parse(TMkByteStream &stream,
                                                      TMkImageHandler imageHandler,
                                                      TMkVariableHandler variableHandler,
                                                      TMkControlHandler controlHandler,
                                                      TMkRepeatHandler repeatHandler)
{
    SetHandlers(std::move(imageHandler), std::move(variableHandler), std::move(controlHandler),
                std::move(repeatHandler));
    Tokenize(stream);
    return std::make_unique<TMkParsedTextList>(nullptr);
}

void TTestParser::TokenizeText(std::string_view text, TMkVariableHandler variables,
                               TMkRepeatHandler repeats)
{
    SetHandlers({}, std::move(variables), {}, std::move(repeats));
    TMkMemoryStream stream(text);
    Tokenize(stream);
}
