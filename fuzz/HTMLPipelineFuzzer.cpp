// Runs the whole markup pipeline over arbitrary bytes: the HTML parser with
// its document type, then layout and painting on the test canvas at several
// widths, as a list box would draw the bytes as an item.  Embedded controls
// are made by a stand-in host and pictures by a stand-in loader, so that no
// input reaches the file system.  Conversion errors are the engine's way of
// refusing markup and end a run quietly; nothing may crash, leak, hang or
// grow without bound.

#include "markup/MkByteStream.h"
#include "markup/MkControlHost.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkBitmap.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkPicture.h"
#include "textobjects/MkTestCanvas.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

class TStandInControl : public TMkWindowControl {
public:
    explicit TStandInControl(const TMkControlClass &cls) : Cls(cls) {}
    const TMkControlClass &Class() const override { return Cls; }
    void *Native() override { return this; }
    void SetParentWindow(void *window) override { Window = window; }
    void *ParentWindow() const override { return Window; }
    void SetVisible(bool visible) override { Shown = visible; }
    bool Visible() const override { return Shown; }
    void SetSize(std::int32_t width, std::int32_t height) override
    {
        W = width;
        H = height;
    }
    std::int32_t Width() const override { return W; }
    std::int32_t Height() const override { return H; }
    void SetText(std::string_view text) override { Text = text; }
    void MoveTo(TMkPoint) override {}

private:
    TMkControlClass Cls;
    void *Window = nullptr;
    bool Shown = false;
    std::int32_t W = 0;
    std::int32_t H = 0;
    std::string Text;
};

class TStandInHost : public TMkControlHost {
public:
    std::unique_ptr<TMkWindowControl> CreateControl(const TMkControlClass &cls, void *) override
    {
        return std::make_unique<TStandInControl>(cls);
    }
    TMkPoint ClientToScreen(void *, TMkPoint p) override { return p; }
    TMkPoint ScreenToClient(void *, TMkPoint p) override { return p; }
};

// The game's pictures exist, nothing else does.
class TStandInLoader : public TMkPictureLoader {
public:
    std::unique_ptr<TMkGraphic> Load(const std::string &fileName) override
    {
        if (fileName != "im1.bmp" && fileName != "im2.bmp")
            return nullptr;
        return std::make_unique<TMkBitmap>(16, 16, std::vector<std::uint32_t>(256, 0xFF440000u),
                                           true);
    }
};

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
    root.GetBounds(canvas, rect, canvas.Font(), true, true);
    root.Paint(canvas, rect, {0, 0}, canvas.Font(), MkSystemColor(24), true, true, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static TStandInHost host;
    static TStandInLoader loader;
    // One parser for every input, as a list box keeps one for all its items.
    // It is never destroyed: static objects of the engine (the pool of
    // deduction nodes) may be gone by the time it would be.
    static TMkHTMLParser *const parser = new TMkHTMLParser;
    MkSetControlHost(&host);
    MkSetPictureLoader(&loader);

    TMkMemoryStream stream(data, size);
    int window = 0;
    try {
        std::unique_ptr<TMkParsedTextList> root = parser->Parse(
            stream, [](TMkImage &, TMkPicture &, const std::string &, std::int32_t) {}, Variable,
            [](TMkBaseText &, void *, const std::string &) {}, {});
        root->ParentWindow = &window;
        for (std::int32_t width : {0, 7, 120, 640})
            Draw(*root, width);
    } catch (const EMkError &) {
        // A malformed number in the markup: the list box would show an error.
    }
    return 0;
}
