#include "markup/simple/MkWordSplit.h"

#include "textobjects/MkParagraph.h"
#include "textobjects/MkText.h"

#include <memory>
#include <string>

void MkAddWords(TMkParsedTextList &container, std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i + 1;
        if (text[i] != ' ')
            while (end < text.size() && text[end] != ' ')
                ++end;
        container.Add(std::make_unique<TMkText>(std::string(text.substr(i, end - i)), &container));
        i = end;
    }
}

TMkParagraph &MkAddParagraph(TMkParsedTextList &container, std::string_view text)
{
    auto *paragraph = container.Add(std::make_unique<TMkParagraph>(&container));
    MkAddWords(*paragraph, text);
    return *paragraph;
}
