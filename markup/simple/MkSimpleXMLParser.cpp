#include "markup/simple/MkSimpleXMLParser.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"
#include "markup/simple/MkWordSplit.h"
#include "textobjects/MkTree.h"

#include <string>
#include <vector>

namespace {

bool IsTag(const TMkToken &token, const char *name)
{
    const TMkTagToken *tag = token.AsTag();
    return token.Kind == TMkTokenKind::Tag && tag != nullptr && tag->Text == name;
}

std::string Content(const TMkToken &token)
{
    std::string content;
    if (const TMkTagToken *tag = token.AsTag())
        tag->GetAttribute("CONTENT", content);
    return content;
}

// The tag as it was written.
std::string Markup(const TMkToken &token)
{
    return "<" + Content(token) + ">";
}

const char *TagName(const std::string &inner)
{
    if (!inner.empty()) {
        switch (inner.front()) {
        case '!': return "COMMENT";
        case '/': return "CLOSE";
        case '?': return "TYPE";
        default: break;
        }
        if (inner.back() == '/')
            return "EMPTY";
    }
    return "OPEN";
}

// Builds the outline of the elements from a first OPEN tag on, without
// recursion: each open element is a level of a stack.
class TElementBuilder {
public:
    TElementBuilder(TMkLex &lexer, TMkByteStream &stream) : lexer_(lexer), stream_(stream) {}

    void Build(TMkParsedTextList &parent, const std::string &elementText)
    {
        Open(parent, elementText);
        while (!levels_.empty()) {
            const std::unique_ptr<TMkToken> token = Next();
            if (token->Kind == TMkTokenKind::End)
                return;
            TLevel &level = levels_.back();
            if (token->Kind == TMkTokenKind::Text)
                MkAddParagraph(*level.Content, MkTokenText(*token));
            else if (IsTag(*token, "OPEN"))
                Open(*level.Content, Content(*token));
            else if (IsTag(*token, "EMPTY"))
                MkAddParagraph(*level.Content, Markup(*token));
            else if (IsTag(*token, "CLOSE")) {
                MkAddParagraph(*level.Parent, Markup(*token));
                levels_.pop_back();
            }
        }
    }

private:
    // Where an open element's tags and content go.  Below MaxDepth both are
    // the same container.
    struct TLevel {
        TMkParsedTextList *Parent;
        TMkParsedTextList *Content;
    };

    std::unique_ptr<TMkToken> Next()
    {
        if (pending_)
            return std::move(pending_);
        return lexer_.NextToken(stream_);
    }

    // An element whose start tag has just been read: a leaf (one text and
    // its end tag) becomes one line; any other element opens a level.
    void Open(TMkParsedTextList &parent, const std::string &elementText)
    {
        std::unique_ptr<TMkToken> first = Next();
        std::string leading;
        const bool text = first->Kind == TMkTokenKind::Text;
        if (text) {
            leading = MkTokenText(*first);
            std::unique_ptr<TMkToken> second = Next();
            if (IsTag(*second, "CLOSE")) {
                MkAddParagraph(parent, "<" + elementText + ">" + leading + Markup(*second));
                return;
            }
            pending_ = std::move(second);
        } else {
            pending_ = std::move(first);
        }
        MkAddParagraph(parent, "<" + elementText + ">");
        TMkParsedTextList *content = &parent;
        if (static_cast<std::int32_t>(levels_.size()) < TMkSimpleXMLParser::MaxDepth)
            content = parent.Add(std::make_unique<TMkTree>(&parent));
        if (text)
            MkAddParagraph(*content, leading);
        levels_.push_back({&parent, content});
    }

    TMkLex &lexer_;
    TMkByteStream &stream_;
    std::unique_ptr<TMkToken> pending_;
    std::vector<TLevel> levels_;
};

} // namespace

// --- lexer -------------------------------------------------------------------

TMkCharSet TMkSimpleXMLLex::DelimiterChars() const
{
    return MkCharSet("<>") | WhitespaceChars();
}

std::unique_ptr<TMkToken> TMkSimpleXMLLex::NextToken(TMkByteStream &stream)
{
    std::uint8_t c = 0;
    for (;;) {
        do {
            if (!stream.ReadByte(c))
                return std::make_unique<TMkEofToken>();
        } while (c == '\r' || c == '\n' || c == ' ');

        std::string text;
        if (c == '<') {
            while (stream.ReadByte(c) && c != '>')
                text += static_cast<char>(c);
            auto tag = std::make_unique<TMkTagToken>(TagName(text));
            tag->SetAttribute("CONTENT", text);
            return tag;
        }
        text += static_cast<char>(c);
        while (stream.ReadByte(c)) {
            if (c == '<') {
                StepBack(stream);
                break;
            }
            if (c != '\r' && c != '\n')
                text += static_cast<char>(c);
        }
        // Trimmed of bytes up to the blank; a text of nothing else (a TAB of
        // indentation between two tags) is no text, and the next token is
        // what counts.
        const auto blank = [](char b) { return static_cast<std::uint8_t>(b) <= ' '; };
        std::size_t first = 0;
        std::size_t last = text.size();
        while (first < last && blank(text[first]))
            ++first;
        while (last > first && blank(text[last - 1]))
            --last;
        if (first == last)
            continue;
        return std::make_unique<TMkTextToken>(text.substr(first, last - first));
    }
}

// --- parser ------------------------------------------------------------------

TMkSimpleXMLParser::TMkSimpleXMLParser(TMkEngine &engine)
    : TMkParserOf(engine, TMkSimpleXMLLex::StaticClass())
{
}

std::unique_ptr<TMkParsedTextList> TMkSimpleXMLParser::Parse(TMkByteStream &stream, TMkImageHandler,
                                                             TMkVariableHandler variableHandler,
                                                             TMkControlHandler, TMkRepeatHandler)
{
    auto root = std::make_unique<TMkParsedTextList>(nullptr);
    auto *outline = root->Add(std::make_unique<TMkTree>(root.get()));
    outline->TreeKind = 1;
    // Declarations, comments and stray tags before the first element show as
    // written; texts there are not shown.
    for (;;) {
        const std::unique_ptr<TMkToken> token = Lexer().NextToken(stream);
        if (token->Kind == TMkTokenKind::End)
            break;
        if (token->Kind != TMkTokenKind::Tag)
            continue;
        if (IsTag(*token, "OPEN")) {
            TElementBuilder(Lexer(), stream).Build(*outline, Content(*token));
            break;
        }
        MkAddParagraph(*outline, Markup(*token));
    }
    root->ResolveVariables(MkVariableCallback(variableHandler));
    return root;
}
