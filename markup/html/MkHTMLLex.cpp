#include "markup/html/MkHTMLLex.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"

namespace {

// A set of bytes below 64 (all the lexer stops at), made at compile time.
constexpr TMkCharSet LowSet(std::string_view chars)
{
    unsigned long long bits = 0;
    for (const char c : chars)
        bits |= 1ULL << static_cast<unsigned char>(c);
    return TMkCharSet(bits);
}

constexpr TMkCharSet WordEnds = LowSet("<");
// '/', '=' and '<' belong to a tag's name: "</td>" is the tag "/td".
constexpr TMkCharSet NameEnds = LowSet(">\"'");
constexpr TMkCharSet AttributeNameEnds = LowSet("=>");
constexpr TMkCharSet ValueEnds = LowSet(">");

} // namespace

TMkCharSet TMkHTMLLex::DelimiterChars() const
{
    return MkCharSet("<=>") | WhitespaceChars();
}

template <class TReader> std::unique_ptr<TMkToken> TMkHTMLLex::Next(TReader &in) const
{
    // A loop rather than a call to itself: a run of NUL bytes reads as an
    // empty word, and then the next token is what counts.
    for (;;) {
        std::uint8_t c = 0;
        if (!in.ReadByte(c))
            return std::make_unique<TMkEofToken>();
        if (White().test(c)) {
            in.SkipWhitespace();
            return NewText(" ");
        }
        if (c == '<')
            return ReadTag(in);
        in.StepBack();
        // Read straight into the token: moving a short string costs a copy.
        auto word = NewText();
        in.AppendUntil(WordEnds, word->Text);
        if (!word->Text.empty())
            return word;
    }
}

template <class TReader> std::unique_ptr<TMkToken> TMkHTMLLex::ReadTag(TReader &in) const
{
    auto tag = NewTag();
    in.AppendUntil(NameEnds, tag->Text);
    if (in.AtEnd())
        return std::make_unique<TMkEofToken>(); // an unfinished tag is dropped
    if (tag->Text.compare(0, 3, "!--") == 0)
        return ReadComment(in, tag->Text);
    ReadAttributes(in, *tag);
    return tag;
}

template <class TReader> void TMkHTMLLex::ReadAttributes(TReader &in, TMkTagToken &tag) const
{
    std::uint8_t c = 0;
    for (;;) {
        in.SkipWhitespace();
        if (!in.ReadByte(c) || c == '>')
            return;
        in.StepBack();
        // The name and the value are read straight into the line they make.
        std::string line;
        in.AppendValue(AttributeNameEnds, line);
        const std::size_t nameSize = line.size();
        in.SkipWhitespace();
        if (!in.ReadByte(c) || c == '>')
            return; // an attribute without a value is dropped
        if (c != '=') {
            in.StepBack();
            continue;
        }
        in.SkipWhitespace();
        if (in.AtEnd())
            return;
        line += '=';
        in.AppendValue(ValueEnds, line);
        tag.SetAttributeLine(std::move(line), nameSize);
    }
}

template <class TReader>
std::unique_ptr<TMkToken> TMkHTMLLex::ReadComment(TReader &in, const std::string &name) const
{
    auto comment = NewTag();
    comment->Text = "!--";
    const std::string_view rest = std::string_view(name).substr(3);
    std::uint8_t c = 0;
    if (rest.find("--") != std::string_view::npos) {
        if (in.ReadByte(c)) {
            if (c == '>')
                return comment; // "<!---->" and "<!--x-->" end here
            in.StepBack();
        }
    }
    // The comment text is read afresh, up to and with the first "-->" (the
    // three spaces in front can never be part of it).
    std::string text = "   ";
    if (const std::string_view unread = in.Rest(); !unread.empty()) {
        const std::size_t end = unread.find("-->");
        const std::size_t taken = end == std::string_view::npos ? unread.size() : end + 3;
        text.append(unread.substr(0, taken));
        in.Skip(taken);
        text.pop_back();
        comment->Attributes.push_back(std::move(text));
        return comment;
    }
    while (in.ReadByte(c)) {
        text += static_cast<char>(c);
        if (text.size() >= 6 && text.compare(text.size() - 3, 3, "-->") == 0)
            break;
    }
    text.pop_back();
    comment->Attributes.push_back(std::move(text));
    return comment;
}

std::unique_ptr<TMkToken> TMkHTMLLex::NextToken(TMkByteStream &stream)
{
    // The bytes of a memory stream are read from a view of them, and the
    // stream is moved past the token once.
    if (const std::string_view unread = stream.Unread(); !unread.empty()) {
        TViewReader in(unread, *this);
        auto token = Next(in);
        stream.SetPosition(stream.Position() + static_cast<std::int64_t>(in.Consumed()));
        return token;
    }
    TStreamReader in(*this, stream);
    return Next(in);
}
