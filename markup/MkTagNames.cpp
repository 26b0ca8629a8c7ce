#include "markup/MkTagNames.h"

#include "markup/MkStrings.h"

std::int32_t TMkTagNames::Intern(std::string_view name)
{
    const auto next = static_cast<std::int32_t>(names_.size());
    const std::int32_t id = names_.emplace(MkUpperCase(name), next).first->second;
    count_ = static_cast<std::int32_t>(names_.size());
    return id;
}

std::int32_t TMkTagNames::Find(std::string_view name) const
{
    const auto it = names_.find(name);
    return it == names_.end() ? MkNoTagName : it->second;
}

// FNV-1a over the upper-cased bytes.
std::size_t TMkTagNames::TNoCaseHash::operator()(std::string_view name) const
{
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(MkUpperChar(c));
        hash *= 0x100000001B3ULL;
    }
    return static_cast<std::size_t>(hash);
}

bool TMkTagNames::TNoCaseEqual::operator()(std::string_view a, std::string_view b) const
{
    return MkSameText(a, b);
}
