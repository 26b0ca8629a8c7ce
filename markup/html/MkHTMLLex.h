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
    // Written once over a TViewReader (a memory stream, read a token at a
    // time) and a TStreamReader (any other stream, read byte by byte).
    template <class TReader> std::unique_ptr<TMkToken> Next(TReader &in) const;
    template <class TReader> std::unique_ptr<TMkToken> ReadTag(TReader &in) const;
    template <class TReader> void ReadAttributes(TReader &in, TMkTagToken &tag) const;
    template <class TReader>
    std::unique_ptr<TMkToken> ReadComment(TReader &in, const std::string &name) const;
};
