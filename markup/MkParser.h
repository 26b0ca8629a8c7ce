#pragma once

#include "markup/MkEngine.h"
#include "markup/MkHandlers.h"
#include "markup/MkLex.h"
#include "markup/MkTagNames.h"
#include "markup/MkTokenBand.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TMkByteStream;
class TMkParsedTextList;
class TMkParser;
class TMkTagToken;

// A parser class as a value: its name and a way to make an instance for an
// engine.  The registry and the text containers create parsers through it.
struct TMkParserClass {
    std::string ClassName;
    std::function<std::unique_ptr<TMkParser>(TMkEngine &engine)> Create;
};

// Base of every parser: turns a byte stream into a tree of text objects.
class TMkParser {
public:
    virtual ~TMkParser();
    TMkParser(const TMkParser &) = delete;
    TMkParser &operator=(const TMkParser &) = delete;

    // The class of this parser (its name is what containers select by).
    virtual const TMkParserClass &Class() const = 0;
    // The lexer class this parser reads with; Lexer is an instance of it.
    const TMkLexClass &LexerClass() const { return *lexClass_; }
    TMkLex &Lexer() const { return *lexer_; }
    // The engine this parser works for: its names, nodes, pictures and
    // controls.
    TMkEngine &Engine() const { return *engine_; }

    // Reads the stream from its position to its end and returns a new tree
    // that the caller owns.  The handlers are kept for this call only.
    virtual std::unique_ptr<TMkParsedTextList>
    Parse(TMkByteStream &stream, TMkImageHandler imageHandler, TMkVariableHandler variableHandler,
          TMkControlHandler controlHandler, TMkRepeatHandler repeatHandler) = 0;

protected:
    // Each concrete parser names the lexer class it reads with; the lexer is
    // made from that class here, so a parser always has its lexer.
    TMkParser(TMkEngine &engine, const TMkLexClass &lexerClass);

private:
    TMkEngine *engine_;
    const TMkLexClass *lexClass_;
    std::unique_ptr<TMkLex> lexer_;
};

// A parser that reads the whole input into a token band first and then works
// on the band: look-ahead, insertion, deletion and stepping back.
class TMkExtParser : public TMkParser {
public:
    // Copies of REPEAT blocks stop once the band would hold more tokens than
    // this, as many as the largest row (64 KiB) can hold without any REPEAT.
    // Nested blocks multiply their counts (two nested counts of 10,000 ask
    // for 10^8 copies); the bound keeps memory and the grammar's work in
    // proportion to what a row may be.  A game row holds a few dozen tokens.
    std::int32_t MaxExpandedTokens = 65'536;
    // Steps (tokens looked at or copied) that REPEAT expansion may take.  A
    // block without its /REPEAT runs to the end of the band, so markup made
    // of many of them, or copies of one, would make every expansion read the
    // whole rest of the band.  Once the steps are spent, the remaining blocks
    // stay as they are and reach the parser as REPEAT elements, which repeat
    // their content themselves.
    // The program keeps both bounds as they are; fuzz targets lower them so
    // that each run stays short.
    std::int64_t MaxRepeatWork = 1'000'000;

    ~TMkExtParser() override;

    // The band as the grammar engine walks it (the grammar asks these all
    // the time, so they are inline).
    bool HasCurrent() const
    {
        const TMkToken *token = Band.Current();
        return token && token->Kind != TMkTokenKind::End;
    }
    bool CurrentIsText() const
    {
        const TMkToken *token = Band.Current();
        return token && token->Kind == TMkTokenKind::Text;
    }
    bool CurrentIsTag() const
    {
        const TMkToken *token = Band.Current();
        return token && token->Kind == TMkTokenKind::Tag;
    }
    // "/P" asks for the end tag of P.
    bool CurrentIsTagNamed(std::string_view name) const;
    // The same for a name of the engine's table (MkTagNames.h): the start
    // tag, or with endTag the end tag.
    bool CurrentIsTagNamed(std::int32_t nameId, bool endTag) const
    {
        const TMkTagToken *tag = CurrentTag();
        return tag && nameId != MkNoTagName && tag->NameId(Engine().TagNames) == nameId &&
               tag->IsEndTag() == endTag;
    }
    // The current token reduced to its class: none, the end, text, or a
    // start or end tag of one name.  What the grammar engine asks of a token
    // is answered by its class (the end of an element's content, the
    // failures it remembers, dtd/MkFailureMemo.h).
    static constexpr std::uint32_t NoTokenClass = 0;
    static constexpr std::uint32_t KindClass(TMkTokenKind kind)
    {
        return 1 + static_cast<std::uint32_t>(kind);
    }
    static constexpr std::uint32_t TagClass(std::int32_t nameId, bool endTag)
    {
        return 8 + 2 * static_cast<std::uint32_t>(nameId + 1) + (endTag ? 1 : 0);
    }
    std::uint32_t CurrentTokenClass() const
    {
        const TMkToken *token = Band.Current();
        if (!token)
            return NoTokenClass;
        const TMkTagToken *tag = token->Kind == TMkTokenKind::Tag ? token->AsTag() : nullptr;
        return tag ? TagClass(NameIdOf(*tag), tag->IsEndTag()) : KindClass(token->Kind);
    }
    // The current tag's number in the engine's name table.
    std::int32_t NameIdOf(const TMkTagToken &tag) const { return tag.NameId(Engine().TagNames); }
    std::string CurrentText() const;
    TMkToken *CurrentToken() const { return Band.Current(); }
    TMkTagToken *CurrentTag() const
    {
        TMkToken *token = Band.Current();
        return token && token->Kind == TMkTokenKind::Tag ? token->AsTag() : nullptr;
    }
    // A tag without attributes inserted at the cursor; it becomes current.
    void InsertTag(std::string name);
    void Advance() { Band.Next(); }
    std::int32_t TokenPosition() const { return Band.Cursor; }
    void SetTokenPosition(std::int32_t position) { Band.Cursor = position; }
    // The tokens go back to the lexer that made them, for the next parse.
    void ClearBand() { Band.Clear(&Lexer().Stock()); }

    // Fills the band from the stream: merges text, appends the end token,
    // expands REPEAT blocks, substitutes variables in them, renames
    // /BASEFONT; the cursor is left before the first token.
    void Tokenize(TMkByteStream &stream);

    TMkTokenBand Band;
    TMkImageHandler ImageHandler;
    TMkVariableHandler VariableHandler;
    TMkControlHandler ControlHandler;
    TMkRepeatHandler RepeatHandler;

protected:
    using TMkParser::TMkParser;

    // Keeps the handlers of the current Parse call.
    void SetHandlers(TMkImageHandler imageHandler, TMkVariableHandler variableHandler,
                     TMkControlHandler controlHandler, TMkRepeatHandler repeatHandler);
    // The value of a variable reference, the parser being the sender.
    std::string ResolveVariable(const std::string &reference);

private:
    // A token of the band while REPEAT blocks are expanded, with its mark
    // (+1 for a REPEAT start tag, -1 for its end tag, 0 for any other) and,
    // for a start tag, whether its COUNT is a variable reference, read once:
    // the scans for the end of each block then pass over tokens without
    // visiting them again.
    struct TMarkedToken {
        std::unique_ptr<TMkToken> Token;
        int Mark = 0;
        bool CountIsVariable = false;
    };
    using TMarkedTokens = std::vector<TMarkedToken>;

    void ReadTokens(TMkByteStream &stream);
    void AppendMergedText(std::string text, std::unique_ptr<TMkToken> carrier);
    void ExpandRepeats();
    void ExpandBlock(TMarkedTokens &pending, std::int32_t count, std::int64_t doneCount,
                     std::int64_t &work);
    std::int32_t RepeatCount(const TMkToken &start);
    TMarkedToken Marked(std::unique_ptr<TMkToken> token) const;
    void AskForCount(const TMarkedToken &start);
    void SubstituteBlock(std::span<const TMarkedToken> tokens);
    void SubstituteVariables(TMkToken &token);
    void RenameBaseFontEnds();

    // REPEAT in the engine's name table, interned by ExpandRepeats.
    std::int32_t repeatName_ = MkNoTagName;
};

// A class value for a parser class P made from an engine alone.
template <class P> TMkParserClass MkMakeParserClass(std::string className)
{
    return TMkParserClass{std::move(className), [](TMkEngine &engine) {
                              return std::unique_ptr<TMkParser>(new P(engine));
                          }};
}

// Base of a parser class Self derived from Base (TMkParser or TMkExtParser),
// with the class value and Class() made from Self::ClassName and Self's
// constructor from an engine: each parser states only its name, its lexer
// and how it parses.
template <class Self, class Base> class TMkParserOf : public Base {
public:
    static const TMkParserClass &StaticClass()
    {
        static const TMkParserClass cls = MkMakeParserClass<Self>(Self::ClassName);
        return cls;
    }
    const TMkParserClass &Class() const override { return StaticClass(); }

protected:
    using Base::Base;
};
