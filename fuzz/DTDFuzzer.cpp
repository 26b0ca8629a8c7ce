// Runs the grammar engine over arbitrary markup with an HTML-like document
// type.  Nothing may crash, leak, overflow the stack or run away in time:
// the engine's nesting and work bounds must hold for every input.

#include "support/MiniHTMLGrammar.h"
#include "support/TestParser.h"
#include "textobjects/MkParsedTextList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

struct TFuzzParser : testkit::TTestParser {
    TFuzzParser()
    {
        Declare(testkit::MiniHTMLGrammar);
        // A smaller budget keeps each run short under the sanitizers; the
        // bound works the same way at any size.
        DTD.Limits.WorkBudget = 200'000;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static TFuzzParser parser;
    TMkParsedTextList root(nullptr);
    TMkTreeBuilder tree(&root);
    parser.DeduceText(std::string_view(reinterpret_cast<const char *>(data), size), tree);
    if (tree.Current() != &root)
        std::abort(); // no handler here replaces the container
    for (const auto &entry : parser.DTD.Entries())
        if (entry->SuppressCount != 0)
            std::abort(); // exclusions must be lifted at the end of every element
    parser.ClearBand();
    return 0;
}
