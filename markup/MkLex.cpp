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

// Appends the bytes up to the first in stops (or the end) to out, without
// their NUL bytes, which are read over and never kept; returns how many
// bytes were read.  NUL stops the scan too, so that text without one, which
// is nearly all, is appended in one piece with no second pass over it.
std::size_t AppendRun(std::string &out, std::string_view bytes, TMkCharSet stops)
{
    const bool stopsAtNul = stops.test(0);
    stops.set(0);
    std::size_t n = RunWithout(bytes, stops);
    out.append(bytes.data(), n);
    while (!stopsAtNul && n < bytes.size() && bytes[n] == '\0') {
        ++n;
        const std::size_t more = RunWithout(bytes.substr(n), stops);
        out.append(bytes.data() + n, more);
        n += more;
    }
    return n;
}

void Skip(TMkByteStream &stream, std::size_t count)
{
    stream.SetPosition(stream.Position() + static_cast<std::int64_t>(count));
}

} // namespace

template <class TStep> bool TMkLex::ReadInMemory(TMkByteStream &stream, TStep step) const
{
    const std::string_view unread = stream.Unread();
    if (unread.empty())
        return false;
    TViewReader in(unread, *this);
    step(in);
    Skip(stream, in.Consumed());
    return true;
}

void TMkLex::SkipWhitespace(TMkByteStream &stream) const
{
    if (ReadInMemory(stream, [](TViewReader &in) { in.SkipWhitespace(); }))
        return;
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
    std::string result;
    AppendUntil(stream, stopChars, result);
    return result;
}

void TMkLex::AppendUntil(TMkByteStream &stream, const TMkCharSet &stopChars, std::string &out) const
{
    if (ReadInMemory(stream, [&](TViewReader &in) { in.AppendUntil(stopChars, out); }))
        return;
    const TMkCharSet &white = White();
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
    if (ReadInMemory(stream, [&](TViewReader &in) { in.AppendValue(stopChars, out); }))
        return;
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
    std::uint8_t c = 0;
    while (stream.ReadByte(c) && c != quote && c != '\r' && c != '\n') {
        if (c != 0)
            out += static_cast<char>(c);
    }
}

void TMkLex::TViewReader::SkipWhitespace()
{
    pos_ += RunWithin(Rest(), white_);
}

void TMkLex::TViewReader::AppendUntil(const TMkCharSet &stopChars, std::string &out)
{
    pos_ += AppendRun(out, Rest(), stopChars | white_);
}

void TMkLex::TViewReader::AppendValue(const TMkCharSet &stopChars, std::string &out)
{
    std::uint8_t quote = 0;
    if (!ReadByte(quote))
        return;
    if (!quotes_.test(quote)) {
        StepBack();
        AppendUntil(stopChars, out);
        return;
    }
    // Only the quote that opened the value closes it; a line end also does,
    // so that an unterminated quote cannot swallow the rest of the markup.
    TMkCharSet ends{(1ULL << '\r') | (1ULL << '\n')};
    ends.set(quote);
    const std::string_view rest = Rest();
    const std::size_t n = AppendRun(out, rest, ends);
    // The closing byte is read too, if there is one.
    pos_ += std::min(n + 1, rest.size());
}

bool TMkLex::TStreamReader::ReadByte(std::uint8_t &byte)
{
    return stream_.ReadByte(byte);
}

std::string_view TMkLex::TStreamReader::Rest() const
{
    return stream_.Unread();
}

void TMkLex::TStreamReader::Skip(std::size_t count)
{
    ::Skip(stream_, count);
}
