#pragma once

#include "markup/MkEngine.h"
#include "markup/MkParser.h"
#include "markup/MkTreeBuilder.h"
#include "markup/dtd/MkDTD.h"
#include "markup/html/MkHTMLLex.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace testkit {

// A parser, over the HTML lexer unless told otherwise, that builds nothing:
// it tokenizes and, once given a grammar, runs the grammar engine over the
// band.  Tests, fuzz targets and benchmarks drive the band and the engine
// with it, apart from the HTML parser and its own document type.
//
// Grammars are written one declaration a line, in the manner of SGML, with
// the text type #PCDATA built in.  A run starts from the first declaration
// unless a DOCTYPE names another entry:
//
//   <!DOCTYPE DOC>                          the entry a run starts from
//   <!ENTITY %flow "%block | %inline">      a named content model
//   <!ELEMENT P - O (%inline)* -(FORM) ENDS(P /TABLE #PCDATA) SKIP(P)>
//
// After an element's name come its start and end tag, "-" when the tag is
// required and "O" when it may be left out, then its content model, EMPTY
// for none.  -(...) lists the elements that may not open inside it,
// ENDS(...) the tags that end its content (#PCDATA: any text), and SKIP(P)
// makes its skip handler insert a P tag where it would drop the token.
//
// A test parser works for an engine of its own unless it is given one.
struct TOwnEngine {
    TMkEngine OwnEngine;
};

class TTestParser : private TOwnEngine, public TMkExtParser {
public:
    explicit TTestParser(const TMkLexClass &lexerClass = TMkHTMLLex::StaticClass());
    explicit TTestParser(TMkEngine &engine,
                         const TMkLexClass &lexerClass = TMkHTMLLex::StaticClass());
    const TMkParserClass &Class() const override;
    // Tokenizes the stream with the handlers, then runs the grammar from
    // Start, if there is one, into the returned list.
    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &stream, TMkImageHandler imageHandler,
                                             TMkVariableHandler variableHandler,
                                             TMkControlHandler controlHandler,
                                             TMkRepeatHandler repeatHandler) override;
    // Tokenizes a string with the given handlers.
    void TokenizeText(std::string_view text, TMkVariableHandler variables = {},
                      TMkRepeatHandler repeats = {});

    // Tokenizes markup and runs the grammar from Start, the handlers building
    // through tree: what TMkDTD::Deduce answers.
    bool DeduceText(std::string_view markup, TMkTreeBuilder &tree);
    // The same with no tree to build into.
    bool DeduceText(std::string_view markup);

    // Adds the declarations at the top of text to DTD, up to the first line
    // that is not one, and returns the rest.  The first declaration, or a
    // DOCTYPE, sets Start.  Throws std::invalid_argument for an element tag
    // that is neither - nor O.
    std::string_view Declare(std::string_view text);

    TMkDTD DTD{this};
    std::string Start;
    // Told of every call of a declared element's or type's handler.
    std::function<void(const std::string &name, TMkDTDAction action)> OnNotify;
    // Told of every token a declared element skips, before the token is
    // dropped or the tag named by insert ("" when dropping) goes in front of it.
    std::function<void(const std::string &name, TMkDTDAction action, const std::string &insert)>
        OnSkip;

private:
    void DeclareElement(const std::string &name, std::string rest);
    TMkDTDHandler Notifier(const std::string &name);
    TMkDTDHandler Skipper(const std::string &name, const std::string &insert);
};

} // namespace testkit
