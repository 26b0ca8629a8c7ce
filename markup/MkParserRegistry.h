#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TMkParserClass;

// The parser classes an engine knows (MkEngine.h), through which a text
// container finds its parser by class name.  A list box's engine has the
// parsers registered in this order: TMkCSVParser ("CSV"), TMkDBFParser
// ("DBF"), TMkSimpleXMLParser ("XML"), TMkPlainTextParser ("TXT", the
// default), TMkHTMLParser ("HTML", "HTM").
//
// A parser class is registered by the address of its class value, which must
// therefore live as long as the registration (the constant that StaticClass()
// of each parser returns).

struct TMkParserRegistryEntry {
    bool IsDefault = false;
    const TMkParserClass *ParserClass = nullptr;
    std::string FileKinds; // the file-kind names joined with ";"
};

class TMkParserRegistry {
public:
    // Appends an entry; with makeDefault the entry that was the default so
    // far stops being it.
    void Register(const TMkParserClass &parserClass, const std::vector<std::string> &fileKinds,
                  bool makeDefault);
    // Appends an entry unless that class is registered already.
    void RegisterOnce(const TMkParserClass &parserClass, const std::vector<std::string> &fileKinds,
                      bool makeDefault);
    // Removes the first entry of that class; nothing when there is none.
    void Unregister(const TMkParserClass &parserClass);
    // The default class, else the first registered one.  Raises EMkError
    // "Don't have any registered parser..." when nothing is registered.
    const TMkParserClass &DefaultClass() const;
    // The first class whose name equals name (ignoring case), or none.
    const TMkParserClass *Find(std::string_view name) const;
    // The entries in registration order.
    const std::vector<TMkParserRegistryEntry> &Entries() const { return entries_; }

private:
    std::vector<TMkParserRegistryEntry> entries_;
};
