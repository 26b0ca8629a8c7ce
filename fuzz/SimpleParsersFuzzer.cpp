// Runs the plain-text, XML, DBF and CSV parsers over arbitrary bytes: the
// first byte picks the parser, the rest is the file.  Each tree is then laid
// out and painted on the test canvas.  The only error these parsers raise is
// a DBF header's bad date; nothing may crash, leak, hang or grow without
// bound.

#include "markup/MkByteStream.h"
#include "markup/MkEngine.h"
#include "markup/simple/MkCSVParser.h"
#include "markup/simple/MkDBFParser.h"
#include "markup/simple/MkPlainTextParser.h"
#include "markup/simple/MkSimpleXMLParser.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    TMkEngine engine;
    TMkPlainTextParser plain(engine);
    TMkSimpleXMLParser xml(engine);
    TMkDBFParser dbf(engine);
    TMkCSVParser csv(engine);
    TMkParser *const parsers[] = {&plain, &xml, &dbf, &csv};
    TMkParser &parser = *parsers[data[0] % 4];

    TMkMemoryStream stream(data + 1, size - 1);
    try {
        const auto variables = [](const TMkHandlerSender &, const std::string &name) {
            return name.substr(0, 8);
        };
        std::unique_ptr<TMkParsedTextList> root = parser.Parse(stream, {}, variables, {}, {});
        TMkTestCanvas canvas;
        const TMkRect rect{0, 0, 300, 200};
        root->GetBounds({canvas, rect, canvas.Font(), false, true});
        root->Paint({canvas, rect, {0, 0}, canvas.Font(), MkColorWhite, false, true, false});
    } catch (const EConvertError &) {
        // A DBF header whose date is no date.
    }
    return 0;
}
