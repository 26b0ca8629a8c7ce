#pragma once

#include "markup/MkLex.h"

class TMkTagToken;

// The lexer of HTML-like markup: tags with attributes, words, one space per
// run of white space, comments.  It never fails on malformed markup; a stray
// '<' or a missing quote only changes how the following bytes are grouped.
class TMkHTMLLex : public TMkLexOf<TMkHTMLLex> {
public:
    static constexpr const char *ClassName = "TMkHTMLLex";

    TMkCharSet DelimiterChars() const override;

    std::unique_ptr<TMkToken> NextToken(TMkByteStream &stream) override;

private:
    std::unique_ptr<TMkToken> ReadTag(TMkByteStream &stream) const;
    void ReadAttributes(TMkByteStream &stream, TMkTagToken &tag) const;
    std::unique_ptr<TMkToken> ReadComment(TMkByteStream &stream, const std::string &name) const;
};
