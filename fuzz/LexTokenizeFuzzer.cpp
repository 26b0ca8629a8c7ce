// Runs the HTML lexer and the token band's preparation (text merging, REPEAT
// expansion, variable substitution, the /BASEFONT rename) over arbitrary
// bytes.  Nothing may crash, leak, hang or grow without bound.

#include "support/TestParser.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"
#include "markup/html/MkHTMLLex.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

// Variables: names made of digits read as themselves (so counts can come from
// variables), others as a short text, EMPTY as nothing.
std::string Variable(const TMkHandlerSender &, const std::string &name)
{
    if (name == "EMPTY")
        return {};
    if (!name.empty() && name.find_first_not_of("0123456789-") == std::string::npos)
        return name;
    return "v";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    {
        TMkHTMLLex lex;
        TMkMemoryStream stream(data, size);
        // Every call consumes at least one byte or returns the end token.
        for (std::size_t i = 0; i <= size + 1; ++i)
            if (lex.NextToken(stream)->Kind == TMkTokenKind::End)
                break;
        if (stream.Position() != stream.Size())
            std::abort();
    }
    testkit::TTestParser parser;
    // Smaller expansion bounds keep each run short under the sanitizers (a
    // few hundred bytes of unclosed REPEAT blocks otherwise take seconds);
    // the bounds stop expansion the same way at any size.
    parser.MaxExpandedTokens = 4096;
    parser.MaxRepeatWork = 50'000;
    std::size_t copies = 0;
    parser.TokenizeText(std::string_view(reinterpret_cast<const char *>(data), size), Variable,
                        [&](const TMkHandlerSender &, std::int32_t) { ++copies; });
    // Walk the band the way the grammar engine does.
    while (parser.HasCurrent() || parser.TokenPosition() == TMkTokenBand::BeforeFirst) {
        (void)parser.CurrentText();
        parser.Advance();
    }
    return 0;
}
