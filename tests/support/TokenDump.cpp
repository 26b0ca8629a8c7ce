#include "support/TokenDump.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"
#include "markup/MkTokenBand.h"
#include "markup/MkTreeDump.h"
#include "markup/html/MkHTMLLex.h"

namespace testkit {

std::string DumpToken(const TMkToken &token)
{
    switch (token.Kind) {
    case TMkTokenKind::End: return "end\n";
    case TMkTokenKind::Dropped: return "dropped\n";
    case TMkTokenKind::Text:
        return "text " + MkDumpString(static_cast<const TMkTextToken &>(token).Text) + "\n";
    case TMkTokenKind::Tag: break;
    }
    const auto &tag = static_cast<const TMkTagToken &>(token);
    std::string out = "tag " + MkDumpString(tag.Text) + "\n";
    for (const std::string &line : tag.Attributes)
        out += "  attr " + MkDumpString(line) + "\n";
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

} // namespace testkit
