#pragma once

#include "markup/MkParser.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TMkToken;
class TMkTokenBand;

// One line per token: end / text "..." / tag "name", then one line per
// attribute line ("  attr ..."); bytes outside printable ASCII are written as
// \xHH and quotes and backslashes are escaped.
std::string DumpToken(const TMkToken &token);
std::string DumpTokens(const std::vector<std::unique_ptr<TMkToken>> &tokens);
std::string DumpBand(const TMkTokenBand &band);

// Every token the HTML lexer reads from bytes, the end token included.
std::vector<std::unique_ptr<TMkToken>> LexAll(std::string_view bytes);

std::string ReadFile(const std::string &path);
// The files of a folder beside the tests with the given extension, sorted.
std::vector<std::string> DataFiles(const std::string &folder, const std::string &extension);

// A parser over the HTML lexer that only tokenizes: enough to drive the token
// band and the grammar engine in tests.
class TTestParser : public TMkExtParser {
public:
    TTestParser();
    const TMkParserClass &Class() const override;
    static const TMkParserClass &StaticClass();
    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &stream, TMkImageHandler imageHandler,
                                             TMkVariableHandler variableHandler,
                                             TMkControlHandler controlHandler,
                                             TMkRepeatHandler repeatHandler) override;
    // Tokenizes a string with the given handlers.
    void TokenizeText(std::string_view text, TMkVariableHandler variables = {},
                      TMkRepeatHandler repeats = {});
};
