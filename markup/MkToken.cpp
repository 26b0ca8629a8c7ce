#include "markup/MkToken.h"

#include "markup/MkStrings.h"
#include "markup/MkTagNames.h"

#include <algorithm>

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
    auto &copy = static_cast<TMkTagToken &>(target);
    copy.Attributes = Attributes;
    // The same name is the same number.
    copy.nameId_ = nameId_;
    copy.namesSeen_ = namesSeen_;
}

void TMkTagToken::ResolveName(const TMkTagNames &names) const
{
    std::string_view name = Text;
    if (IsEndTag())
        name.remove_prefix(1);
    namesSeen_ = names.Count();
    nameId_ = names.Find(name);
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
    // A line's name is what stands before its first '=', and a line without
    // '=' (the text of a comment) has none, so a name holding '=' matches no
    // line.  For any other, a line that starts with the name and has '=' right
    // after it has its first '=' there.
    if (Attributes.empty() || std::find(name.begin(), name.end(), '=') != name.end())
        return -1;
    for (std::size_t i = 0; i < Attributes.size(); ++i) {
        const std::string_view line = Attributes[i];
        if (line.size() > name.size() && line[name.size()] == '=' &&
            MkSameText(line.substr(0, name.size()), name))
            return static_cast<int>(i);
    }
    return -1;
}

bool TMkTagToken::GetAttribute(std::string_view name, std::string &value) const
{
    const int i = IndexOfAttribute(name);
    if (i < 0)
        value.clear();
    else
        value.assign(MkAttributeValue(Attributes[static_cast<std::size_t>(i)]));
    return !value.empty();
}

void TMkTagToken::SetAttribute(std::string_view name, std::string_view value)
{
    std::string line;
    line.reserve(name.size() + 1 + value.size());
    line += name;
    line += '=';
    line += value;
    SetAttributeLine(std::move(line), name.size());
}

void TMkTagToken::SetAttributeLine(std::string line, std::size_t nameSize)
{
    const int i = IndexOfAttribute(std::string_view(line).substr(0, nameSize));
    if (line.size() <= nameSize + 1) { // an empty value
        if (i >= 0)
            Attributes.erase(Attributes.begin() + i);
        return;
    }
    if (i >= 0) {
        Attributes[static_cast<std::size_t>(i)] = std::move(line);
        return;
    }
    // Tags seldom have more than a few attributes: room for four at once
    // spares the steps of growing one at a time.
    if (Attributes.capacity() == 0)
        Attributes.reserve(4);
    Attributes.push_back(std::move(line));
}
