#include "markup/MkLex.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"

#include <stdexcept>

TMkCharSet MkCharSet(std::string_view chars)
{
    TMkCharSet set;
    for (char c : chars)
        set.set(static_cast<unsigned char>(c));
    return set;
}

TMkCharSet TMkLex::DelimiterChars() const
{
    return WhitespaceChars();
}

TMkCharSet TMkLex::QuoteChars() const
{
    return MkCharSet("\"'");
}

TMkCharSet TMkLex::WhitespaceChars() const
{
    // Form feed, NUL and the other control characters are not white space.
    return MkCharSet("\t\n\r ");
}

const TMkLexClass &TMkLex::StaticClass()
{
    static const TMkLexClass cls{"TMkLex", [] { return std::make_unique<TMkLex>(); }};
    return cls;
}

const TMkLexClass &TMkLex::Class() const
{
    return StaticClass();
}

std::unique_ptr<TMkToken> TMkLex::NextToken(TMkByteStream & /*stream*/)
{
    throw std::logic_error("Abstract Error");
}

void TMkLex::StepBack(TMkByteStream &stream)
{
    stream.SetPosition(stream.Position() - 1);
}

bool TMkLex::AtEnd(const TMkByteStream &stream)
{
    return stream.Position() >= stream.Size();
}

const TMkCharSet &TMkLex::White() const
{
    if (!white_)
        white_ = WhitespaceChars();
    return *white_;
}

const TMkCharSet &TMkLex::Quotes() const
{
    if (!quotes_)
        quotes_ = QuoteChars();
    return *quotes_;
}

void TMkLex::SkipWhitespace(TMkByteStream &stream) const
{
    const TMkCharSet &white = White();
    std::uint8_t c = 0;
    while (stream.ReadByte(c)) {
        if (!white.test(c)) {
            StepBack(stream);
            return;
        }
    }
}

std::string TMkLex::ReadUntil(TMkByteStream &stream, const TMkCharSet &stopChars) const
{
    const TMkCharSet &white = White();
    std::string result;
    std::uint8_t c = 0;
    while (stream.ReadByte(c)) {
        if (stopChars.test(c) || white.test(c)) {
            StepBack(stream); // the stop byte stays for the caller
            break;
        }
        if (c != 0) // NUL bytes are read over, never kept
            result += static_cast<char>(c);
    }
    return result;
}

std::string TMkLex::ReadValue(TMkByteStream &stream, const TMkCharSet &stopChars) const
{
    std::uint8_t quote = 0;
    if (!stream.ReadByte(quote))
        return {};
    if (!Quotes().test(quote)) {
        StepBack(stream);
        return ReadUntil(stream, stopChars);
    }
    // Only the quote that opened the value closes it; a line end also does,
    // so that an unterminated quote cannot swallow the rest of the markup.
    std::string result;
    std::uint8_t c = 0;
    while (stream.ReadByte(c) && c != quote && c != '\r' && c != '\n') {
        if (c != 0)
            result += static_cast<char>(c);
    }
    return result;
}
