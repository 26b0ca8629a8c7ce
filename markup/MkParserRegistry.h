#pragma once

#include "markup/MkParser.h"

#include <string>
#include <string_view>
#include <vector>

// The process-wide list of parser classes, through which a text container
// finds its parser by class name.  It exists from first use to the end of the
// program; the program's start-up registers the parsers in this order:
// TMkCSVParser ("CSV"), TMkDBFParser ("DBF"), TMkSimpleXMLParser ("XML"),
// TMkPlainTextParser ("TXT", the default), TMkHTMLParser ("HTML", "HTM").
//
// A parser class is registered by the address of its class value, which must
// therefore live as long as the registration (a function-local static such as
// the one StaticClass() of each parser returns).

struct TMkParserRegistryEntry {
    bool IsDefault = false;
    const TMkParserClass *ParserClass = nullptr;
    std::string FileKinds; // the file-kind names joined with ";"
};

// Appends an entry; with makeDefault the entry that was the default so far
// stops being it.
void RegisterParserClass(const TMkParserClass &parserClass,
                         const std::vector<std::string> &fileKinds, bool makeDefault);
// Removes the first entry of that class; nothing when there is none.
void UnregisterParserClass(const TMkParserClass &parserClass);
// The default class, else the first registered one.  Raises EMkError
// "Don't have any registered parser..." when nothing is registered.
const TMkParserClass &DefaultParserClass();
// The first class whose name equals name (ignoring case), or none.
const TMkParserClass *FindParserClass(std::string_view name);
// The entries in registration order.
const std::vector<TMkParserRegistryEntry> &RegisteredParserClasses();
