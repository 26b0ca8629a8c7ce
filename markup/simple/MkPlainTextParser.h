#pragma once

#include "markup/MkLex.h"
#include "markup/MkParser.h"

// Plain text: one paragraph per line, one word per run of bytes up to and
// including a space.

// Words and line ends.  A TAB becomes eight spaces inside its word, a CR ends
// the line (a tag "NEWLINE"), an LF is read over.
class TMkPlainTextLex : public TMkLexOf<TMkPlainTextLex> {
public:
    static constexpr const char *ClassName = "TMkPlainTextLex";

    std::unique_ptr<TMkToken> NextToken(TMkByteStream &stream) override;
};

// The registry's default parser.  Variable references are not resolved:
// plain text has none.
class TMkPlainTextParser : public TMkParserOf<TMkPlainTextParser, TMkParser> {
public:
    static constexpr const char *ClassName = "TMkPlainTextParser";

    explicit TMkPlainTextParser(TMkEngine &engine);

    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &stream, TMkImageHandler imageHandler,
                                             TMkVariableHandler variableHandler,
                                             TMkControlHandler controlHandler,
                                             TMkRepeatHandler repeatHandler) override;
};
