#pragma once

#include "markup/dtd/MkDTDDefinition.h"

#include <cstdint>
#include <span>
#include <string_view>

// The built-in HTML document type: an HTML 4-like element set with SGML-style
// content models, extended by SUNKEN, RAISED, PCOLOR, CLOSEBASEFONT, CONTROL,
// TREE, ITEM, REPEAT and PLAIN.  Everything an element is lives in one row of
// one table (MkHTMLDeclarations): how its tags may be omitted, what it may
// contain, what ends it, what happens to tokens that fit nowhere in it, which
// objects the parser makes for it and what it does to the style state.
// Generic code reads the table: MkDeclareHTMLDocumentType declares it to the
// grammar engine, the parser and the style state follow its handler kinds and
// effects.

// What an element does with a token that fits nowhere in its content.
enum class TMkSkipPolicy : std::uint8_t {
    Hide,      // keep the token as hidden text, then move past it
    Paragraph, // put a P start tag in front of it
    Drop,      // move past it
};

// What the HTML parser makes of an element.  Param (below) is the list's
// Numbered for List and the tree's TreeKind for Tree.
enum class TMkHTMLHandlerKind : std::uint8_t {
    Nothing,
    Hidden,     // start and end tag and everything between become hidden text
    StyleOnly,  // the element's style effect, no object
    Paragraph,  // a TMkParagraph with the raw ALIGN (P, PRE)
    Heading,    // as Paragraph, plus the heading's style effect
    BlockQuote, // a TMkParagraph without alignment
    List,       // a TMkList
    ListItem,
    Rule,
    LineBreak,
    Tree, // a TMkTree
    Table,
    Row,
    Cell,
    HeaderCell,
    Image,
    Repeat,
    Plain,
    Input,
    Control,
};

// What an element does to the style state.  Param (below) is a set of style
// bits, a size in points or a code, depending on the effect.
enum class TMkStyleEffect : std::uint8_t {
    None,
    ToggleStyle, // B, I, U, S, STRIKE: change the top style set in place
    PushStyle,   // STRONG, EM, ...: push the current set plus the bits
    MonoFace,    // TT, CODE, ...: push the face Courier
    Big,         // push Courier and the current set plus bold
    Small,       // push Courier and the size "2"
    HeadingSize, // H1..H6: push a size
    Font,
    BaseFont,
    CloseBaseFont,
    Relief, // SUNKEN, RAISED: push a Style3D code with the light
    PColor,
    Position, // SUB, SUP
    Link,     // A
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
    TMkHTMLHandlerKind Handler;
    TMkStyleEffect Effect;
    // The parameter of the handler or of the effect; no element needs both.
    std::int32_t Param;
};

// Every declaration in declaration order: the #PCDATA type, the thirteen
// content groups and the 93 elements.  The order decides which declaration a
// name finds first.
std::span<const TMkHTMLDeclaration> MkHTMLDeclarations();

// The element of that name, ignoring case; null for anything else.
const TMkHTMLDeclaration *MkFindHTMLElement(std::string_view name);

// A name list of the table written out ("@B" expanded).
TMkNameList MkHTMLNameList(std::string_view text);

// The handlers a declaration is bound to.
class TMkHTMLHandlerSource {
public:
    virtual ~TMkHTMLHandlerSource() = default;
    virtual TMkDTDHandler TextHandler() = 0;
    virtual TMkTypeTest TextTest() = 0;
    // The declaration outlives the handler: it is a row of the static table.
    virtual TMkDTDHandler ElementHandler(const TMkHTMLDeclaration &element) = 0;
    virtual TMkDTDHandler SkipHandler(const TMkHTMLDeclaration &element) = 0;
};

// Adds the whole table to definition, in order.
void MkDeclareHTMLDocumentType(TMkDTDDefinition &definition, TMkHTMLHandlerSource &handlers);
