#include "markup/simple/MkSimpleParsers.h"

#include "markup/MkParserRegistry.h"
#include "markup/simple/MkCSVParser.h"
#include "markup/simple/MkDBFParser.h"
#include "markup/simple/MkPlainTextParser.h"
#include "markup/simple/MkSimpleXMLParser.h"

#include <algorithm>

namespace {

void RegisterOnce(const TMkParserClass &parserClass, const std::vector<std::string> &fileKinds,
                  bool makeDefault)
{
    const auto &entries = RegisteredParserClasses();
    if (std::none_of(entries.begin(), entries.end(),
                     [&](const auto &entry) { return entry.ParserClass == &parserClass; }))
        RegisterParserClass(parserClass, fileKinds, makeDefault);
}

} // namespace

void MkRegisterSimpleParsers()
{
    RegisterOnce(TMkCSVParser::StaticClass(), {"CSV"}, false);
    RegisterOnce(TMkDBFParser::StaticClass(), {"DBF"}, false);
    RegisterOnce(TMkSimpleXMLParser::StaticClass(), {"XML"}, false);
    RegisterOnce(TMkPlainTextParser::StaticClass(), {"TXT"}, true);
}
