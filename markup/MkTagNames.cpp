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
    const auto it = names_.find(MkUpperCase(name));
    return it == names_.end() ? MkNoTagName : it->second;
}
