#pragma once

#include "markup/dtd/MkDTDDefinition.h"

#include <cstdint>
#include <span>
#include <string_view>

// The built-in HTML document type: an HTML 4-like element set with SGML-style
// content models, extended by SUNKEN, RAISED, PCOLOR, CLOSEBASEFONT, CONTROL,
// TREE, ITEM, REPEAT and PLAIN.  It is kept as one table of declarations
// (MkHTMLDeclarations) that MkDeclareHTMLDocumentType reads; the handlers are
// bound from whoever declares it, normally TMkHTMLParser.

// What an element does with a token that fits nowhere in its content.
enum class TMkSkipPolicy : std::uint8_t {
    Hide,      // keep the token as hidden text, then move past it
    Paragraph, // put a P start tag in front of it
    Drop,      // move past it
};

struct TMkHTMLDeclaration {
    enum class TKind : std::uint8_t { Type, Group, Element };

    TKind Kind;
    const char *Name;
    bool StartTagRequired;
    bool EndTagRequired;
    // DTD notation (see MkReadContentModel); null for an empty element.
    const char *ContentModel;
    // Names separated by blanks; null for none.  "@B" and "@N" stand for the
    // block and inline starters.
    const char *Exclusions;
    const char *Terminators;
    TMkSkipPolicy Skip;
};

// Every declaration in declaration order: the #PCDATA type, the thirteen
// content groups and the 93 elements.  The order decides which declaration a
// name finds first.
std::span<const TMkHTMLDeclaration> MkHTMLDeclarations();

// A name list of the table written out ("@B" expanded).
TMkNameList MkHTMLNameList(std::string_view text);

// The handlers a declaration is bound to.
class TMkHTMLHandlerSource {
public:
    virtual ~TMkHTMLHandlerSource() = default;
    virtual TMkDTDHandler TextHandler() = 0;
    virtual TMkTypeTest TextTest() = 0;
    virtual TMkDTDHandler ElementHandler(std::string_view element) = 0;
    virtual TMkDTDHandler SkipHandler(std::string_view element, TMkSkipPolicy policy) = 0;
};

// Adds the whole table to definition, in order.
void MkDeclareHTMLDocumentType(TMkDTDDefinition &definition, TMkHTMLHandlerSource &handlers);
