#include "markup/MkLex.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"

#include <algorithm>
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

namespace {

// How many bytes at the start of bytes are not in stops.
std::size_t RunWithout(std::string_view bytes, const TMkCharSet &stops)
{
    std::size_t n = 0;
    while (n < bytes.size() && !stops[static_cast<unsigned char>(bytes[n])])
        ++n;
    return n;
}

// How many bytes at the start of bytes are in set.
std::size_t RunWithin(std::string_view bytes, const TMkCharSet &set)
{
    std::size_t n = 0;
    while (n < bytes.size() && set[static_cast<unsigned char>(bytes[n])])
        ++n;
    return n;
}

// bytes without their NUL bytes, which are read over and never kept.
void AppendWithoutNul(std::string &out, std::string_view bytes)
{
    std::size_t nul = bytes.find('\0');
    while (nul != std::string_view::npos) {
        out.append(bytes.substr(0, nul));
        bytes.remove_prefix(nul + 1);
        nul = bytes.find('\0');
    }
    out.append(bytes);
}

void Skip(TMkByteStream &stream, std::size_t count)
{
    stream.SetPosition(stream.Position() + static_cast<std::int64_t>(count));
}

} // namespace

void TMkLex::SkipWhitespace(TMkByteStream &stream) const
{
    const TMkCharSet &white = White();
    if (const std::string_view unread = stream.Unread(); !unread.empty()) {
        Skip(stream, RunWithin(unread, white));
        return;
    }
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
    std::string result;
    AppendUntil(stream, stopChars, result);
    return result;
}

void TMkLex::AppendUntil(TMkByteStream &stream, const TMkCharSet &stopChars, std::string &out) const
{
    const TMkCharSet &white = White();
    if (const std::string_view unread = stream.Unread(); !unread.empty()) {
        const std::size_t n = RunWithout(unread, stopChars | white);
        AppendWithoutNul(out, unread.substr(0, n));
        Skip(stream, n);
        return;
    }
    std::uint8_t c = 0;
    while (stream.ReadByte(c)) {
        if (stopChars.test(c) || white.test(c)) {
            StepBack(stream); // the stop byte stays for the caller
            break;
        }
        if (c != 0) // NUL bytes are read over, never kept
            out += static_cast<char>(c);
    }
}

std::string TMkLex::ReadValue(TMkByteStream &stream, const TMkCharSet &stopChars) const
{
    std::string result;
    AppendValue(stream, stopChars, result);
    return result;
}

void TMkLex::AppendValue(TMkByteStream &stream, const TMkCharSet &stopChars, std::string &out) const
{
    std::uint8_t quote = 0;
    if (!stream.ReadByte(quote))
        return;
    if (!Quotes().test(quote)) {
        StepBack(stream);
        AppendUntil(stream, stopChars, out);
        return;
    }
    // Only the quote that opened the value closes it; a line end also does,
    // so that an unterminated quote cannot swallow the rest of the markup.
    if (const std::string_view unread = stream.Unread(); !unread.empty()) {
        TMkCharSet ends{(1ULL << '\r') | (1ULL << '\n')};
        ends.set(quote);
        const std::size_t n = RunWithout(unread, ends);
        AppendWithoutNul(out, unread.substr(0, n));
        // The closing byte is read too, as the loop below does.
        Skip(stream, std::min(n + 1, unread.size()));
        return;
    }
    std::uint8_t c = 0;
    while (stream.ReadByte(c) && c != quote && c != '\r' && c != '\n') {
        if (c != 0)
            out += static_cast<char>(c);
    }
}
