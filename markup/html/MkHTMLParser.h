#pragma once

#include "markup/MkParser.h"
#include "markup/dtd/MkDTD.h"
#include "markup/html/MkHTMLDTD.h"
#include "markup/html/MkHTMLStyle.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TMkParsedTextList;
class TMkParserRegistry;
class TMkToken;
class TMkTreeBuilder;

// The parser of the markup list boxes: HTML-like markup becomes a tree of
// text objects.  The band is walked by the built-in HTML document type, whose
// element handlers (here) create the objects, change the style state that
// every word is stamped with, and keep unsupported markup as hidden text.
class TMkHTMLParser : public TMkParserOf<TMkHTMLParser, TMkExtParser>,
                      private TMkHTMLHandlerSource,
                      private TMkAttributeSource {
public:
    static constexpr const char *ClassName = "TMkHTMLParser";

    explicit TMkHTMLParser(TMkEngine &engine);
    ~TMkHTMLParser() override;

    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &stream, TMkImageHandler imageHandler,
                                             TMkVariableHandler variableHandler,
                                             TMkControlHandler controlHandler,
                                             TMkRepeatHandler repeatHandler) override;

    TMkHTMLStyle Style;
    TMkDTD DTD;
    // Open elements whose content is kept as hidden text; text is visible
    // only while this is 0.
    std::int32_t HiddenDepth = 0;

    // The current tag's attribute: present only when not empty; a variable
    // reference in it is answered by the VariableHandler, the tag being the
    // sender.
    bool GetAttr(std::string_view name, std::string &value) override;
    std::string GetAttr(std::string_view name);
    // The attribute as written, empty when absent; references in it are left
    // for the created object's ResolveVariables.
    std::string RawAttr(std::string_view name) override;

private:
    // Tables, rows and cells mostly come bare; their handlers then skip
    // looking up each attribute they know.
    bool CurrentHasAttributes() const
    {
        const TMkTagToken *tag = CurrentTag();
        return tag && !tag->Attributes.empty();
    }
    // TMkHTMLHandlerSource
    TMkDTDHandler TextHandler() override;
    TMkTypeTest TextTest() override;
    TMkDTDHandler ElementHandler(const TMkHTMLDeclaration &element) override;
    TMkDTDHandler SkipHandler(const TMkHTMLDeclaration &element) override;
    // TMkAttributeSource
    std::string ResolveVariable(const std::string &reference) override;

    // The handlers build through the tree builder, whose header tells what
    // each action means for the tree (markup/MkTreeBuilder.h).  All but the
    // skip handlers do nothing while no container is current.
    void HandleElement(const TMkHTMLDeclaration &element, TMkTreeBuilder &tree,
                       TMkDTDAction action);
    void HandleText(TMkTreeBuilder &tree, TMkDTDAction action);
    void AddWords(TMkTreeBuilder &tree, const std::string &text);

    void Hidden(TMkTreeBuilder &tree, TMkDTDAction action);
    void StyleOnly(const TMkHTMLDeclaration &element, TMkDTDAction action);
    void Table(TMkTreeBuilder &tree, TMkDTDAction action);
    void Row(TMkTreeBuilder &tree, TMkDTDAction action);
    void Cell(TMkTreeBuilder &tree, TMkDTDAction action, bool readAttributes);
    void Plain(TMkTreeBuilder &tree, TMkDTDAction action);
    void ListItem(TMkTreeBuilder &tree, TMkDTDAction action);
    void Image(TMkTreeBuilder &tree);
    void Input(TMkTreeBuilder &tree);
    void Control(TMkTreeBuilder &tree);

    void SkipHide(TMkTreeBuilder &tree);
    void SkipParagraph(bool dropParagraphEnders);
    bool CurrentIsTagIn(const TMkNameList &names) const;
    void StoreHidden(TMkTreeBuilder &tree);

    // The token in front of which the paragraph skip last implied a P.
    const TMkToken *impliedParagraphFor_ = nullptr;
};

// Registers TMkHTMLParser in an engine's registry with the file kinds "HTML"
// and "HTM" unless it is registered already.  Whoever makes an engine that
// looks parsers up by name calls it first: the list box, the tools, tests.
void MkRegisterHTMLParser(TMkParserRegistry &registry);
