// Runs the grammar engine over arbitrary markup with an HTML-like document
// type.  Nothing may crash, leak, overflow the stack or run away in time:
// the engine's nesting and work bounds must hold for every input.

#include "fuzz/MiniHTMLGrammar.h"
#include "markup/MkByteStream.h"
#include "markup/html/MkHTMLLex.h"
#include "textobjects/MkParsedTextList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

class TFuzzParser : public TMkExtParser {
public:
    TFuzzParser() : TMkExtParser(TMkHTMLLex::StaticClass())
    {
        minihtml::Declare(DTD, *this, Counts);
        // A smaller budget keeps each run short under the sanitizers; the
        // bound works the same way at any size.
        DTD.Limits.WorkBudget = 200'000;
    }
    const TMkParserClass &Class() const override
    {
        static const TMkParserClass cls = MkMakeParserClass<TFuzzParser>("TFuzzParser");
        return cls;
    }
    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &stream, TMkImageHandler,
                                             TMkVariableHandler, TMkControlHandler,
                                             TMkRepeatHandler) override
    {
        auto root = std::make_unique<TMkParsedTextList>(nullptr);
        Tokenize(stream);
        TMkParsedTextList *container = root.get();
        DTD.Deduce("HTML_DOCUMENT", container);
        if (container != root.get())
            std::abort(); // no handler here replaces the container
        for (const auto &entry : DTD.Entries())
            if (entry->SuppressCount != 0)
                std::abort(); // exclusions must be lifted at the end of every element
        ClearBand();
        return root;
    }

    TMkDTD DTD{this};
    minihtml::TCounts Counts;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static TFuzzParser parser;
    TMkMemoryStream stream(data, size);
    parser.Parse(stream, {}, {}, {}, {});
    return 0;
}
