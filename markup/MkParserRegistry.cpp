#include "markup/MkParserRegistry.h"

#include "markup/MkStrings.h"
#include "textobjects/MkErrors.h"

#include <algorithm>

namespace {

std::vector<TMkParserRegistryEntry> &Registry()
{
    // Made on first use, so it exists before any parser registers, whatever
    // order the start-up code runs in.
    static std::vector<TMkParserRegistryEntry> registry;
    return registry;
}

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

void RegisterParserClass(const TMkParserClass &parserClass,
                         const std::vector<std::string> &fileKinds, bool makeDefault)
{
    auto &registry = Registry();
    if (makeDefault) {
        auto current = std::find_if(registry.begin(), registry.end(),
                                    [](const TMkParserRegistryEntry &e) { return e.IsDefault; });
        if (current != registry.end())
            current->IsDefault = false;
    }
    registry.push_back({makeDefault, &parserClass, JoinKinds(fileKinds)});
}

void UnregisterParserClass(const TMkParserClass &parserClass)
{
    auto &registry = Registry();
    auto it = std::find_if(registry.begin(), registry.end(), [&](const TMkParserRegistryEntry &e) {
        return e.ParserClass == &parserClass;
    });
    if (it != registry.end())
        registry.erase(it);
}

const TMkParserClass &DefaultParserClass()
{
    const auto &registry = Registry();
    auto it = std::find_if(registry.begin(), registry.end(),
                           [](const TMkParserRegistryEntry &e) { return e.IsDefault; });
    if (it != registry.end())
        return *it->ParserClass;
    if (!registry.empty())
        return *registry.front().ParserClass;
    throw EMkError("Don't have any registered parser...");
}

const TMkParserClass *FindParserClass(std::string_view name)
{
    for (const auto &entry : Registry())
        if (MkSameText(entry.ParserClass->ClassName, name))
            return entry.ParserClass;
    return nullptr;
}

const std::vector<TMkParserRegistryEntry> &RegisteredParserClasses()
{
    return Registry();
}
