#include "markup/MkParserRegistry.h"

#include "markup/MkParser.h"
#include "markup/MkStrings.h"
#include "textobjects/MkErrors.h"

#include <algorithm>

namespace {

std::string JoinKinds(const std::vector<std::string> &kinds)
{
    std::string joined;
    for (const std::string &kind : kinds) {
        if (!joined.empty())
            joined += ';';
        joined += kind;
    }
    return joined;
}

} // namespace

void TMkParserRegistry::Register(const TMkParserClass &parserClass,
                                 const std::vector<std::string> &fileKinds, bool makeDefault)
{
    if (makeDefault) {
        auto current = std::find_if(entries_.begin(), entries_.end(),
                                    [](const TMkParserRegistryEntry &e) { return e.IsDefault; });
        if (current != entries_.end())
            current->IsDefault = false;
    }
    entries_.push_back({makeDefault, &parserClass, JoinKinds(fileKinds)});
}

void TMkParserRegistry::RegisterOnce(const TMkParserClass &parserClass,
                                     const std::vector<std::string> &fileKinds, bool makeDefault)
{
    if (std::none_of(entries_.begin(), entries_.end(), [&](const TMkParserRegistryEntry &e) {
            return e.ParserClass == &parserClass;
        }))
        Register(parserClass, fileKinds, makeDefault);
}

void TMkParserRegistry::Unregister(const TMkParserClass &parserClass)
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const TMkParserRegistryEntry &e) {
        return e.ParserClass == &parserClass;
    });
    if (it != entries_.end())
        entries_.erase(it);
}

const TMkParserClass &TMkParserRegistry::DefaultClass() const
{
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [](const TMkParserRegistryEntry &e) { return e.IsDefault; });
    if (it != entries_.end())
        return *it->ParserClass;
    if (!entries_.empty())
        return *entries_.front().ParserClass;
    throw EMkError("Don't have any registered parser...");
}

const TMkParserClass *TMkParserRegistry::Find(std::string_view name) const
{
    for (const auto &entry : entries_)
        if (MkSameText(entry.ParserClass->ClassName, name))
            return entry.ParserClass;
    return nullptr;
}
