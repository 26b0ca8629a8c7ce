#pragma once

#include "markup/MkTokenStock.h"

#include <bitset>
#include <memory>
#include <optional>
#include <string>

class TMkByteStream;
class TMkLex;
class TMkToken;

// A set of byte values.
using TMkCharSet = std::bitset<256>;
TMkCharSet MkCharSet(std::string_view chars);

// A lexer class as a value: its name and a way to make an instance.  Parsers
// name the lexer class they read with; the framework makes the lexer from it.
struct TMkLexClass {
    const char *ClassName;
    std::unique_ptr<TMkLex> (*Create)();
};

// Base of the lexers.  A lexer keeps no reading state between calls:
// everything it needs is the stream's position, so one lexer can read any
// number of streams.  What it keeps is a stock of the tokens it made, which
// its parser gives back once a parse is done with them.
class TMkLex {
public:
    virtual ~TMkLex() = default;

    virtual TMkCharSet DelimiterChars() const;
    virtual TMkCharSet QuoteChars() const;
    virtual TMkCharSet WhitespaceChars() const;
    // The class of this lexer, from which more lexers like it can be made.
    virtual const TMkLexClass &Class() const;
    static const TMkLexClass &StaticClass();

    // The next token, owned by the caller.  The base lexer reads no language
    // and refuses (an abstract call).
    virtual std::unique_ptr<TMkToken> NextToken(TMkByteStream &stream);

    TMkTokenStock &Stock() const { return stock_; }

protected:
    // New tokens, from the stock when it has one.
    std::unique_ptr<TMkTagToken> NewTag() const { return stock_.Tag(); }
    std::unique_ptr<TMkTextToken> NewText(std::string_view text = {}) const
    {
        return stock_.Text(text);
    }
    // The reading steps the concrete lexers are built from.
    static void StepBack(TMkByteStream &stream);
    static bool AtEnd(const TMkByteStream &stream);
    void SkipWhitespace(TMkByteStream &stream) const;
    std::string ReadUntil(TMkByteStream &stream, const TMkCharSet &stopChars) const;
    // ReadUntil into the end of out, for reading straight into a token.
    void AppendUntil(TMkByteStream &stream, const TMkCharSet &stopChars, std::string &out) const;
    std::string ReadValue(TMkByteStream &stream, const TMkCharSet &stopChars) const;
    // ReadValue into the end of out.
    void AppendValue(TMkByteStream &stream, const TMkCharSet &stopChars, std::string &out) const;
    // The white space and quote sets, asked once: the reading steps use them
    // at every byte.
    const TMkCharSet &White() const
    {
        if (!white_)
            white_ = WhitespaceChars();
        return *white_;
    }
    const TMkCharSet &Quotes() const
    {
        if (!quotes_)
            quotes_ = QuoteChars();
        return *quotes_;
    }

private:
    mutable std::optional<TMkCharSet> white_;
    mutable std::optional<TMkCharSet> quotes_;
    // Handing out a token changes nothing the lexer reads by.
    mutable TMkTokenStock stock_;
};

// Base of a lexer class Self derived from Base, with the class value and
// Class() made from Self::ClassName: each lexer states only its name and how
// it reads.
template <class Self, class Base = TMkLex> class TMkLexOf : public Base {
public:
    static const TMkLexClass &StaticClass()
    {
        static const TMkLexClass cls{Self::ClassName,
                                     [] { return std::unique_ptr<TMkLex>(new Self); }};
        return cls;
    }
    const TMkLexClass &Class() const override { return StaticClass(); }
};
