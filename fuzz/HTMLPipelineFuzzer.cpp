// Runs the whole markup pipeline over arbitrary bytes: the HTML parser with
// its document type, then layout and painting on the test canvas at several
// widths, as a list box would draw the bytes as an item.  Embedded controls
// are made by the tests' fake host and pictures by their fake loader, so that
// no input reaches the file system.  Conversion errors are the engine's way of
// refusing markup and end a run quietly; nothing may crash, leak, hang or
// grow without bound.

#include "support/FakeControl.h"
#include "support/TextTestSupport.h"

#include "markup/MkByteStream.h"
#include "markup/MkEngine.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkTestCanvas.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

// Variables: names made of digits read as themselves (sizes and counts can
// come from variables), EMPTY as nothing, others as a short word.
std::string Variable(const TMkHandlerSender &, const std::string &name)
{
    if (name == "EMPTY")
        return {};
    if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos)
        return name.substr(0, 9);
    return "v" + name.substr(0, 8);
}

void Draw(TMkParsedTextList &root, std::int32_t width)
{
    TMkTestCanvas canvas;
    TMkFont font;
    font.Name = "Verdana";
    font.Size = 10;
    canvas.SetFont(font);
    const TMkRect rect{0, 0, width, 24};
    root.GetBounds({canvas, rect, canvas.Font(), true, true});
    root.Paint({canvas, rect, {0, 0}, canvas.Font(), MkSystemColor(24), true, true, false});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Every input starts afresh: an engine of its own, with the fake host
    // and a loader for which the game's pictures exist and nothing else does.
    testkit::TFakeHost host;
    testkit::TFakeLoader loader;
    loader.sizes = {{"im1.bmp", {16, 16}}, {"im2.bmp", {16, 16}}};
    TMkEngine engine;
    engine.Controls.SetHost(&host);
    engine.Pictures.SetLoader(&loader);
    TMkHTMLParser parser(engine);

    TMkMemoryStream stream(data, size);
    int window = 0;
    try {
        std::unique_ptr<TMkParsedTextList> root = parser.Parse(
            stream, [](TMkImage &, TMkPicture &, const std::string &, std::int32_t) {}, Variable,
            [](TMkBaseText &, void *, const std::string &) {}, {});
        root->SetParentWindow(&window);
        for (std::int32_t width : {0, 7, 120, 640})
            Draw(*root, width);
    } catch (const EMkError &) {
        // A malformed number in the markup: the list box would show an error.
    }
    return 0;
}
