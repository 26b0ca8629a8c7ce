#pragma once

#include "markup/MkLex.h"
#include "markup/MkParser.h"

#include <cstdint>

// A simple form of XML shown as an outline: each element's start tag, its
// content indented below it, its end tag; an element holding only text on
// one line.

// Tags and texts.  A tag is the text between "<" and ">", kept whole as its
// attribute CONTENT and named by its first and last characters: COMMENT
// ("!"), CLOSE ("/"), TYPE ("?"), EMPTY (ending in "/"), else OPEN.  Texts
// are trimmed of blanks and control characters.
class TMkSimpleXMLLex : public TMkLexOf<TMkSimpleXMLLex> {
public:
    static constexpr const char *ClassName = "TMkSimpleXMLLex";

    TMkCharSet DelimiterChars() const override;
    std::unique_ptr<TMkToken> NextToken(TMkByteStream &stream) override;
};

class TMkSimpleXMLParser : public TMkParserOf<TMkSimpleXMLParser, TMkParser> {
public:
    static constexpr const char *ClassName = "TMkSimpleXMLParser";

    // Elements nest as outlines down to this depth.  Deeper elements are
    // shown flat, their tags and texts as plain lines in the outline of the
    // deepest level: the layout, painting and variable resolution of a tree
    // walk it recursively, and a file of 100,000 nested elements must not
    // take them through 100,000 levels.
    static constexpr std::int32_t MaxDepth = 100;

    explicit TMkSimpleXMLParser(TMkEngine &engine);

    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &stream, TMkImageHandler imageHandler,
                                             TMkVariableHandler variableHandler,
                                             TMkControlHandler controlHandler,
                                             TMkRepeatHandler repeatHandler) override;
};
