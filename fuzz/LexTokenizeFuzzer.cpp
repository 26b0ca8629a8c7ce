// Runs the HTML lexer and the token band's preparation (text merging, REPEAT
// expansion, variable substitution, the /BASEFONT rename) over arbitrary
// bytes.  Nothing may crash, leak, hang or grow without bound.

#include "markup/MkByteStream.h"
#include "markup/html/MkHTMLLex.h"
#include "markup/MkParser.h"
#include "markup/MkToken.h"
#include "textobjects/MkParsedTextList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

class TFuzzParser : public TMkExtParser {
public:
    TFuzzParser() : TMkExtParser(TMkHTMLLex::StaticClass())
    {
        // Smaller expansion bounds keep each run short under the sanitizers
        // (a few hundred bytes of unclosed REPEAT blocks otherwise take
        // seconds); the bounds stop expansion the same way at any size.
        MaxExpandedTokens = 4096;
        MaxRepeatWork = 50'000;
    }
    const TMkParserClass &Class() const override
    {
        static const TMkParserClass cls = MkMakeParserClass<TFuzzParser>("TFuzzParser");
        return cls;
    }
    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &stream, TMkImageHandler imageHandler,
                                             TMkVariableHandler variableHandler,
                                             TMkControlHandler controlHandler,
                                             TMkRepeatHandler repeatHandler) override
    {
        SetHandlers(std::move(imageHandler), std::move(variableHandler), std::move(controlHandler),
                    std::move(repeatHandler));
        Tokenize(stream);
        // Walk the band the way the grammar engine does.
        while (HasCurrent() || TokenPosition() == TMkTokenBand::BeforeFirst) {
            (void)CurrentText();
            Advance();
        }
        ClearBand();
        return std::make_unique<TMkParsedTextList>(nullptr);
    }
};

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
    TFuzzParser parser;
    TMkMemoryStream stream(data, size);
    std::size_t copies = 0;
    parser.Parse(stream, {}, Variable, {},
                 [&](const TMkHandlerSender &, std::int32_t) { ++copies; });
    return 0;
}
