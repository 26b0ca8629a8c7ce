#include "markup/simple/MkSimpleParsers.h"

#include "markup/MkParserRegistry.h"
#include "markup/simple/MkCSVParser.h"
#include "markup/simple/MkDBFParser.h"
#include "markup/simple/MkPlainTextParser.h"
#include "markup/simple/MkSimpleXMLParser.h"

void MkRegisterSimpleParsers(TMkParserRegistry &registry)
{
    registry.RegisterOnce(TMkCSVParser::StaticClass(), {"CSV"}, false);
    registry.RegisterOnce(TMkDBFParser::StaticClass(), {"DBF"}, false);
    registry.RegisterOnce(TMkSimpleXMLParser::StaticClass(), {"XML"}, false);
    registry.RegisterOnce(TMkPlainTextParser::StaticClass(), {"TXT"}, true);
}
