#include "markup/MkToken.h"

#include "markup/MkStrings.h"
#include "markup/MkTagNames.h"

std::unique_ptr<TMkToken> TMkToken::Clone() const
{
    auto copy = Create();
    CopyTo(*copy);
    return copy;
}

void TMkToken::CopyTo(TMkToken & /*target*/) const {}

std::unique_ptr<TMkToken> TMkEofToken::Create() const
{
    return std::make_unique<TMkEofToken>();
}

std::unique_ptr<TMkToken> TMkTextToken::Create() const
{
    return std::make_unique<TMkTextToken>();
}

std::unique_ptr<TMkTextToken> TMkTextToken::CreateWithText(std::string text) const
{
    return std::make_unique<TMkTextToken>(std::move(text));
}

void TMkTextToken::CopyTo(TMkToken &target) const
{
    TMkToken::CopyTo(target);
    static_cast<TMkTextToken &>(target).Text = Text;
}

std::unique_ptr<TMkToken> TMkTagToken::Create() const
{
    return std::make_unique<TMkTagToken>();
}

std::unique_ptr<TMkTextToken> TMkTagToken::CreateWithText(std::string text) const
{
    return std::make_unique<TMkTagToken>(std::move(text));
}

void TMkTagToken::CopyTo(TMkToken &target) const
{
    TMkTextToken::CopyTo(target);
    static_cast<TMkTagToken &>(target).Attributes = Attributes;
}

void TMkTagToken::ResolveName() const
{
    std::string_view name = Text;
    endTag_ = !name.empty() && name.front() == '/';
    if (endTag_)
        name.remove_prefix(1);
    nameId_ = MkFindTagName(name);
}

std::string_view MkAttributeName(std::string_view line)
{
    return line.substr(0, line.find('='));
}

std::string_view MkAttributeValue(std::string_view line)
{
    const auto eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view{} : line.substr(eq + 1);
}

int TMkTagToken::IndexOfAttribute(std::string_view name) const
{
    // A line without '=' (the text of a comment) has no name and never matches.
    for (std::size_t i = 0; i < Attributes.size(); ++i)
        if (Attributes[i].find('=') != std::string::npos &&
            MkSameText(MkAttributeName(Attributes[i]), name))
            return static_cast<int>(i);
    return -1;
}

bool TMkTagToken::GetAttribute(std::string_view name, std::string &value) const
{
    const int i = IndexOfAttribute(name);
    value = i < 0 ? std::string{}
                  : std::string(MkAttributeValue(Attributes[static_cast<std::size_t>(i)]));
    return !value.empty();
}

void TMkTagToken::SetAttribute(std::string_view name, std::string_view value)
{
    const int i = IndexOfAttribute(name);
    if (value.empty()) {
        if (i >= 0)
            Attributes.erase(Attributes.begin() + i);
        return;
    }
    std::string line(name);
    line += '=';
    line += value;
    if (i >= 0)
        Attributes[static_cast<std::size_t>(i)] = std::move(line);
    else
        Attributes.push_back(std::move(line));
}
