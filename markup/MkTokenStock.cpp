#include "markup/MkTokenStock.h"

#include "markup/MkToken.h"

#include <typeinfo>

namespace {

// Strings longer than this are not kept: their room goes back to the heap.
constexpr std::size_t LongestKeptString = 64;
constexpr std::size_t MostKeptAttributes = 8;

bool Short(const std::string &text)
{
    return text.capacity() <= LongestKeptString;
}

} // namespace

std::unique_ptr<TMkTagToken> TMkTokenStock::Tag()
{
    if (tags_.empty())
        return std::make_unique<TMkTagToken>();
    std::unique_ptr<TMkTagToken> tag = std::move(tags_.back());
    tags_.pop_back();
    return tag;
}

std::unique_ptr<TMkTextToken> TMkTokenStock::Text(std::string_view text)
{
    if (texts_.empty())
        return std::make_unique<TMkTextToken>(std::string(text));
    std::unique_ptr<TMkTextToken> token = std::move(texts_.back());
    texts_.pop_back();
    token->Text.assign(text);
    return token;
}

std::unique_ptr<TMkToken> TMkTokenStock::Clone(const TMkToken &token)
{
    const std::type_info &type = typeid(token);
    std::unique_ptr<TMkToken> copy;
    if (type == typeid(TMkTagToken))
        copy = Tag();
    else if (type == typeid(TMkTextToken))
        copy = Text();
    else
        return token.Clone();
    token.CopyTo(*copy);
    return copy;
}

// A kept token is emptied now, so that the stock hands out only fresh ones.
void TMkTokenStock::Keep(std::unique_ptr<TMkToken> token)
{
    if (!token)
        return;
    const TMkToken &kept = *token;
    const std::type_info &type = typeid(kept);
    if (type == typeid(TMkTagToken) && tags_.size() < MostKept) {
        auto *tag = static_cast<TMkTagToken *>(token.get());
        if (!Short(tag->Text) || tag->Attributes.capacity() > MostKeptAttributes)
            return;
        tag->Kind = TMkTokenKind::Tag;
        tag->Text.clear();
        tag->Attributes.clear();
        tag->ForgetName();
        tags_.emplace_back(static_cast<TMkTagToken *>(token.release()));
    } else if (type == typeid(TMkTextToken) && texts_.size() < MostKept) {
        auto *text = static_cast<TMkTextToken *>(token.get());
        if (!Short(text->Text))
            return;
        text->Kind = TMkTokenKind::Text;
        text->Text.clear();
        texts_.emplace_back(static_cast<TMkTextToken *>(token.release()));
    }
}
