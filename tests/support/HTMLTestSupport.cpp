#include "support/HTMLTestSupport.h"

#include "markup/MkByteStream.h"
#include "markup/MkTreeDump.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkText.h"

#include <stdexcept>

namespace testkit {

std::unique_ptr<TMkParsedTextList> Parse(TMkEngine &engine, std::string_view markup,
                                         const THandlers &handlers)
{
    TMkHTMLParser parser(engine);
    TMkMemoryStream stream(markup);
    return parser.Parse(stream, handlers.Image, handlers.Variable, handlers.Control,
                        handlers.Repeat);
}

TMkBaseText *At(TMkBaseText &root, std::initializer_list<std::size_t> path)
{
    TMkBaseText *object = &root;
    for (std::size_t index : path) {
        auto *list = dynamic_cast<TMkParsedTextList *>(object);
        if (!list || index >= list->Count())
            throw std::out_of_range("no child " + std::to_string(index) + " below a " +
                                    MkTextClassName(*object));
        object = list->Child(index);
    }
    return object;
}

namespace {

template <class F> void PreOrder(const TMkBaseText &root, F visit)
{
    std::vector<const TMkBaseText *> pending{&root};
    while (!pending.empty()) {
        const TMkBaseText *object = pending.back();
        pending.pop_back();
        visit(*object);
        if (const auto *list = dynamic_cast<const TMkParsedTextList *>(object))
            for (std::size_t i = list->Count(); i-- > 0;)
                pending.push_back(list->Child(i));
    }
}

} // namespace

std::vector<std::string> Words(const TMkBaseText &root)
{
    std::vector<std::string> words;
    PreOrder(root, [&](const TMkBaseText &o) {
        if (const auto *text = dynamic_cast<const TMkText *>(&o))
            words.push_back(text->Text.str());
    });
    return words;
}

std::vector<std::string> ClassNames(const TMkBaseText &root)
{
    std::vector<std::string> names;
    PreOrder(root, [&](const TMkBaseText &o) { names.push_back(MkTextClassName(o)); });
    return names;
}

} // namespace testkit
