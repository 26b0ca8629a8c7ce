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
    // TMkHTMLHandlerSource
    TMkDTDHandler TextHandler() override;
    TMkTypeTest TextTest() override;
    TMkDTDHandler ElementHandler(const TMkHTMLDeclaration &element) override;
    TMkDTDHandler SkipHandler(const TMkHTMLDeclaration &element) override;
    // TMkAttributeSource
    std::string ResolveVariable(const std::string &reference) override;

    void HandleElement(const TMkHTMLDeclaration &element, TMkParsedTextList *&container,
                       TMkDTDAction action);
    void HandleText(TMkParsedTextList *&container, TMkDTDAction action);
    void AddWords(TMkParsedTextList &container, const std::string &text);

    void Hidden(TMkParsedTextList *&container, TMkDTDAction action);
    void StyleOnly(const TMkHTMLDeclaration &element, TMkDTDAction action);
    void Table(TMkParsedTextList *&container, TMkDTDAction action);
    void Row(TMkParsedTextList *&container, TMkDTDAction action);
    void Cell(TMkParsedTextList *&container, TMkDTDAction action, bool readAttributes);
    void Plain(TMkParsedTextList *&container, TMkDTDAction action);
    void ListItem(TMkParsedTextList *&container, TMkDTDAction action);
    void Image(TMkParsedTextList &container);
    void Input(TMkParsedTextList &container);
    void Control(TMkParsedTextList &container);

    void SkipHide(TMkParsedTextList *&container);
    void SkipParagraph(bool dropParagraphEnders);
    bool CurrentIsTagIn(const TMkNameList &names) const;
    void StoreHidden(TMkParsedTextList &container);

    // The token in front of which the paragraph skip last implied a P.
    const TMkToken *impliedParagraphFor_ = nullptr;
};

// Registers TMkHTMLParser in an engine's registry with the file kinds "HTML"
// and "HTM" unless it is registered already.  Whoever makes an engine that
// looks parsers up by name calls it first: the list box, the tools, tests.
void MkRegisterHTMLParser(TMkParserRegistry &registry);
