#include "markup/simple/MkCSVParser.h"

#include "markup/MkByteStream.h"
#include "markup/MkToken.h"
#include "markup/simple/MkSimpleParsers.h"
#include "markup/simple/MkWordSplit.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"

namespace {

bool IsLineEnd(std::uint8_t c)
{
    return c == '\r' || c == '\n';
}

} // namespace

// --- lexer -------------------------------------------------------------------

std::unique_ptr<TMkToken> TMkCSVLex::NextToken(TMkByteStream &stream)
{
    std::uint8_t c = 0;
    if (!stream.ReadByte(c)) {
        lineStart_ = true;
        return std::make_unique<TMkEofToken>();
    }
    if (IsLineEnd(c)) {
        lineStart_ = true;
        while (stream.ReadByte(c))
            if (!IsLineEnd(c)) {
                StepBack(stream);
                break;
            }
        return std::make_unique<TMkTagToken>("NEWLINE");
    }
    // The ";" that ended the previous field starts this one; a line that
    // begins with ";" begins with an empty field, which ends at that ";".
    if (c != ';' || lineStart_)
        StepBack(stream);
    lineStart_ = false;
    std::string field;
    while (stream.ReadByte(c)) {
        if (c == ';' || IsLineEnd(c)) {
            StepBack(stream);
            break;
        }
        field += static_cast<char>(c);
    }
    return std::make_unique<TMkTextToken>(std::move(field));
}

// --- parser ------------------------------------------------------------------

TMkCSVParser::TMkCSVParser(TMkEngine &engine) : TMkParserOf(engine, TMkCSVLex::StaticClass()) {}

std::unique_ptr<TMkParsedTextList> TMkCSVParser::Parse(TMkByteStream &stream, TMkImageHandler,
                                                       TMkVariableHandler variableHandler,
                                                       TMkControlHandler, TMkRepeatHandler)
{
    // A parse that stopped at the cell bound left the lexer within a line.
    if (auto *lexer = dynamic_cast<TMkCSVLex *>(&Lexer()))
        lexer->StartLine();
    auto root = std::make_unique<TMkParsedTextList>(nullptr);
    auto *table = root->Add(std::make_unique<TMkTable>(root.get()));
    TMkTableRow *row = nullptr;
    bool newRow = true;
    std::int64_t cells = 0;
    for (;;) {
        const std::unique_ptr<TMkToken> token = Lexer().NextToken(stream);
        if (token->Kind == TMkTokenKind::End)
            break;
        if (token->Kind == TMkTokenKind::Tag) {
            newRow = true;
            continue;
        }
        if (cells++ >= MkMaxTableCells)
            break;
        if (newRow) {
            row = table->Add(std::make_unique<TMkTableRow>(table));
            newRow = false;
        }
        auto *cell = row->Add(std::make_unique<TMkCell>(row));
        MkAddParagraph(*cell, MkTokenText(*token));
    }
    table->NormalizeGrid();
    root->ResolveVariables(MkVariableCallback(variableHandler));
    return root;
}
