#include "markup/MkTagNames.h"

#include "markup/MkStrings.h"

#include <string>
#include <unordered_map>

namespace {

std::unordered_map<std::string, std::int32_t> &Names()
{
    static std::unordered_map<std::string, std::int32_t> names;
    return names;
}

} // namespace

std::int32_t MkInternTagName(std::string_view name)
{
    auto &names = Names();
    const auto next = static_cast<std::int32_t>(names.size());
    const std::int32_t id = names.emplace(MkUpperCase(name), next).first->second;
    MkTagNamesInterned = static_cast<std::int32_t>(names.size());
    return id;
}

std::int32_t MkFindTagName(std::string_view name)
{
    const auto &names = Names();
    const auto it = names.find(MkUpperCase(name));
    return it == names.end() ? MkNoTagName : it->second;
}
