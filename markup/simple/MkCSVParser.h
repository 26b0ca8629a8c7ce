#pragma once

#include "markup/MkLex.h"
#include "markup/MkParser.h"

// CSV files with ";" between fields: one table row per line, one cell per
// field.

// Fields and line ends.  A field runs to the next ";", CR or LF; a run of CR
// and LF bytes is one line end (a tag "NEWLINE"), so empty lines make no
// rows.
class TMkCSVLex : public TMkLexOf<TMkCSVLex> {
public:
    static constexpr const char *ClassName = "TMkCSVLex";

    std::unique_ptr<TMkToken> NextToken(TMkByteStream &stream) override;

    // The next field read is the first of a line, as at the start of a new
    // stream.
    void StartLine() { lineStart_ = true; }

private:
    bool lineStart_ = true;
};

class TMkCSVParser : public TMkParserOf<TMkCSVParser, TMkParser> {
public:
    static constexpr const char *ClassName = "TMkCSVParser";

    explicit TMkCSVParser(TMkEngine &engine);

    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &stream, TMkImageHandler imageHandler,
                                             TMkVariableHandler variableHandler,
                                             TMkControlHandler controlHandler,
                                             TMkRepeatHandler repeatHandler) override;
};
