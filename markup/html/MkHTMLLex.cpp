#include "markup/html/MkHTMLLex.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"

TMkCharSet TMkHTMLLex::DelimiterChars() const
{
    return MkCharSet("<=>") | WhitespaceChars();
}

std::unique_ptr<TMkToken> TMkHTMLLex::NextToken(TMkByteStream &stream)
{
    // A loop rather than a call to itself: a run of NUL bytes reads as an
    // empty word, and then the next token is what counts.
    for (;;) {
        std::uint8_t c = 0;
        if (!stream.ReadByte(c))
            return std::make_unique<TMkEofToken>();
        if (White().test(c)) {
            SkipWhitespace(stream);
            return NewText(" ");
        }
        if (c == '<')
            return ReadTag(stream);
        StepBack(stream);
        static const TMkCharSet wordEnds = MkCharSet("<");
        // Read straight into the token: moving a short string costs a copy.
        auto word = NewText();
        AppendUntil(stream, wordEnds, word->Text);
        if (!word->Text.empty())
            return word;
    }
}

std::unique_ptr<TMkToken> TMkHTMLLex::ReadTag(TMkByteStream &stream) const
{
    // '/', '=' and '<' belong to the name: "</td>" is the tag "/td".
    static const TMkCharSet nameEnds = MkCharSet(">\"'");
    auto tag = NewTag();
    AppendUntil(stream, nameEnds, tag->Text);
    if (AtEnd(stream))
        return std::make_unique<TMkEofToken>(); // an unfinished tag is dropped
    if (tag->Text.compare(0, 3, "!--") == 0)
        return ReadComment(stream, tag->Text);
    ReadAttributes(stream, *tag);
    return tag;
}

void TMkHTMLLex::ReadAttributes(TMkByteStream &stream, TMkTagToken &tag) const
{
    std::uint8_t c = 0;
    for (;;) {
        SkipWhitespace(stream);
        if (!stream.ReadByte(c) || c == '>')
            return;
        StepBack(stream);
        static const TMkCharSet attributeNameEnds = MkCharSet("=>");
        static const TMkCharSet valueEnds = MkCharSet(">");
        // The name and the value are read straight into the line they make.
        std::string line;
        AppendValue(stream, attributeNameEnds, line);
        const std::size_t nameSize = line.size();
        SkipWhitespace(stream);
        if (!stream.ReadByte(c) || c == '>')
            return; // an attribute without a value is dropped
        if (c != '=') {
            StepBack(stream);
            continue;
        }
        SkipWhitespace(stream);
        if (AtEnd(stream))
            return;
        line += '=';
        AppendValue(stream, valueEnds, line);
        tag.SetAttributeLine(std::move(line), nameSize);
    }
}

std::unique_ptr<TMkToken> TMkHTMLLex::ReadComment(TMkByteStream &stream,
                                                  const std::string &name) const
{
    auto comment = NewTag();
    comment->Text = "!--";
    const std::string_view rest = std::string_view(name).substr(3);
    std::uint8_t c = 0;
    if (rest.find("--") != std::string_view::npos) {
        if (stream.ReadByte(c)) {
            if (c == '>')
                return comment; // "<!---->" and "<!--x-->" end here
            StepBack(stream);
        }
    }
    // The comment text is read afresh, up to and with the first "-->" (the
    // three spaces in front can never be part of it).
    std::string text = "   ";
    if (const std::string_view unread = stream.Unread(); !unread.empty()) {
        const std::size_t end = unread.find("-->");
        const std::size_t taken = end == std::string_view::npos ? unread.size() : end + 3;
        text.append(unread.substr(0, taken));
        stream.SetPosition(stream.Position() + static_cast<std::int64_t>(taken));
        text.pop_back();
        comment->Attributes.push_back(std::move(text));
        return comment;
    }
    while (stream.ReadByte(c)) {
        text += static_cast<char>(c);
        if (text.size() >= 6 && text.compare(text.size() - 3, 3, "-->") == 0)
            break;
    }
    text.pop_back();
    comment->Attributes.push_back(std::move(text));
    return comment;
}
