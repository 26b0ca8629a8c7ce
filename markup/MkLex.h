#pragma once

#include "markup/MkTokenStock.h"

#include <bitset>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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
    // The reading steps over bytes in memory (a memory stream's unread
    // bytes): nothing is called per byte, and the caller moves the stream
    // past what was read (Consumed) once it is done.  The stream's reading
    // steps use it for their runs of bytes; a lexer written once over
    // TViewReader and TStreamReader reads a memory stream a whole token at a
    // time and any other stream byte by byte.
    class TViewReader {
    public:
        TViewReader(std::string_view bytes, const TMkLex &lex)
            : bytes_(bytes),
              white_(lex.White()),
              quotes_(lex.Quotes())
        {
        }
        bool ReadByte(std::uint8_t &byte)
        {
            if (pos_ >= bytes_.size())
                return false;
            byte = static_cast<std::uint8_t>(bytes_[pos_++]);
            return true;
        }
        // Only after a byte was read.
        void StepBack() { --pos_; }
        bool AtEnd() const { return pos_ >= bytes_.size(); }
        std::string_view Rest() const { return bytes_.substr(pos_); }
        void Skip(std::size_t count) { pos_ += count; }
        std::size_t Consumed() const { return pos_; }
        void SkipWhitespace();
        void AppendUntil(const TMkCharSet &stopChars, std::string &out);
        void AppendValue(const TMkCharSet &stopChars, std::string &out);

    private:
        std::string_view bytes_;
        std::size_t pos_ = 0;
        const TMkCharSet &white_;
        const TMkCharSet &quotes_;
    };

    // The same steps on a stream, through its own reading steps.
    class TStreamReader {
    public:
        TStreamReader(const TMkLex &lex, TMkByteStream &stream) : lex_(lex), stream_(stream) {}
        bool ReadByte(std::uint8_t &byte);
        void StepBack() { TMkLex::StepBack(stream_); }
        bool AtEnd() const { return TMkLex::AtEnd(stream_); }
        // Empty for a stream that does not keep its bytes in memory.
        std::string_view Rest() const;
        void Skip(std::size_t count);
        void SkipWhitespace() { lex_.SkipWhitespace(stream_); }
        void AppendUntil(const TMkCharSet &stopChars, std::string &out)
        {
            lex_.AppendUntil(stream_, stopChars, out);
        }
        void AppendValue(const TMkCharSet &stopChars, std::string &out)
        {
            lex_.AppendValue(stream_, stopChars, out);
        }

    private:
        const TMkLex &lex_;
        TMkByteStream &stream_;
    };

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
    // Runs step on a TViewReader over the stream's unread bytes and moves the
    // stream past what it read; false, with nothing done, when the stream
    // holds no unread bytes in memory.
    template <class TStep> bool ReadInMemory(TMkByteStream &stream, TStep step) const;

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
