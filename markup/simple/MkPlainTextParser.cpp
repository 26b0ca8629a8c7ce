#include "markup/simple/MkPlainTextParser.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkText.h"

// --- lexer -------------------------------------------------------------------

std::unique_ptr<TMkToken> TMkPlainTextLex::NextToken(TMkByteStream &stream)
{
    if (AtEnd(stream))
        return std::make_unique<TMkEofToken>();
    std::string word;
    std::uint8_t c = 0;
    while (stream.ReadByte(c)) {
        if (c == '\t') {
            word.append(8, ' ');
        } else if (c == '\r') {
            if (word.empty())
                return std::make_unique<TMkTagToken>("NEWLINE");
            StepBack(stream); // the line end comes next time
            break;
        } else if (c != '\n') {
            word += static_cast<char>(c);
            if (c == ' ')
                break;
        }
    }
    return std::make_unique<TMkTextToken>(std::move(word));
}

// --- parser ------------------------------------------------------------------

TMkPlainTextParser::TMkPlainTextParser(TMkEngine &engine)
    : TMkParserOf(engine, TMkPlainTextLex::StaticClass())
{
}

std::unique_ptr<TMkParsedTextList> TMkPlainTextParser::Parse(TMkByteStream &stream, TMkImageHandler,
                                                             TMkVariableHandler, TMkControlHandler,
                                                             TMkRepeatHandler)
{
    auto root = std::make_unique<TMkParsedTextList>(nullptr);
    auto *line = root->Add(std::make_unique<TMkParagraph>(root.get()));
    for (;;) {
        const std::unique_ptr<TMkToken> token = Lexer().NextToken(stream);
        if (token->Kind == TMkTokenKind::End)
            break;
        if (token->Kind == TMkTokenKind::Tag)
            line = root->Add(std::make_unique<TMkParagraph>(root.get()));
        else
            line->Add(std::make_unique<TMkText>(MkTokenText(*token), line));
    }
    return root;
}
