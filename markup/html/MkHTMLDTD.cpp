#include "markup/html/MkHTMLDTD.h"

#include "markup/dtd/MkDataModel.h"

#include <array>
#include <string>

namespace {

using TDecl = TMkHTMLDeclaration;
using TKind = TMkHTMLDeclaration::TKind;

constexpr bool Req = true;
constexpr bool Opt = false;
constexpr const char *Empty = nullptr; // no content model
constexpr const char *None = nullptr;  // no exclusions, no terminators

constexpr TMkSkipPolicy Hide = TMkSkipPolicy::Hide;
constexpr TMkSkipPolicy Para = TMkSkipPolicy::Paragraph;
constexpr TMkSkipPolicy Drop = TMkSkipPolicy::Drop;

constexpr TDecl Type(const char *name)
{
    return {TKind::Type, name, Opt, Opt, nullptr, nullptr, nullptr, Drop};
}

constexpr TDecl Group(const char *name, const char *model)
{
    return {TKind::Group, name, Opt, Opt, model, nullptr, nullptr, Drop};
}

constexpr TDecl Element(const char *name, bool start, bool end, const char *model,
                        const char *exclusions, const char *terminators, TMkSkipPolicy skip)
{
    return {TKind::Element, name, start, end, model, exclusions, terminators, skip};
}

// Tags that start a block, and tags that start inline content.
constexpr const char *BlockStarters =
    "P H1 H2 H3 H4 H5 H6 UL OL PRE DL DIV NOSCRIPT BLOCKQUOTE FORM HR TABLE FIELDSET ADDRESS "
    "TREE REPEAT";
constexpr const char *InlineStarters =
    "TT I B BIG SMALL SUNKEN RAISED PCOLOR U FONT BASEFONT CLOSEBASEFONT EM STRONG DFN CODE SAMP "
    "KBD VAR CITE ABBR ACRONYM A IMG OBJECT BR SCRIPT MAP Q SUB SUP SPAN BDO INPUT SELECT "
    "TEXTAREA LABEL BUTTON";

// Where an element whose end tag may be left out ends.
constexpr const char *HeadEnds = "/HTML HTML BODY /BODY SCRIPT INS DEL @B @N";
constexpr const char *BodyEnds = "/HTML HTML";
constexpr const char *ParagraphEnds =
    "/HTML /BODY @B /TD /TH TD TH TR /TR THEAD /THEAD TFOOT /TFOOT TBODY /TBODY /TABLE /ITEM "
    "ITEM LI /LI /UL /OL /REPEAT";
constexpr const char *CellEnds = "TD TH TR /TR THEAD TFOOT TBODY /THEAD /TFOOT /TBODY /TABLE";
constexpr const char *PlainEnds =
    "LI /LI /UL /OL TD /TD TH /TH TR /TR /TABLE /THEAD /TFOOT /TBODY /HTML /BODY ITEM /ITEM "
    "/REPEAT @B";
constexpr const char *DefinitionEnds = "DT DL DD";
constexpr const char *HeaderEnds = "TFOOT TBODY TR TABLE";
constexpr const char *FooterEnds = "TBODY TR TABLE";
constexpr const char *RowEnds = "TR THEAD TFOOT TBODY /THEAD /TFOOT /TBODY /TABLE";

constexpr const char *FlowContent = "(%flow)*";
constexpr const char *InlineContent = "(%inline)*";
constexpr const char *CellContent = "(PLAIN | %flow)*";

// clang-format off
constexpr std::array Declarations{
    Type("#PCDATA"),
    Group("HTML_DOCUMENT", "!DOCTYPE?, HTML"),
    Element("!DOCTYPE", Req, Opt, Empty, None, None, Drop),
    Element("HTML", Opt, Opt, "%html.content", None, None, Drop),
    Group("%html.content", "HEAD?, BODY?"),
    Element("HEAD", Opt, Opt, "%head.misc*, %head.content, %head.misc*", None, HeadEnds, Para),
    Group("%head.content", "(TITLE, BASE?) | (BASE?, TITLE)"),
    Element("TITLE", Req, Req, "#PCDATA", "SCRIPT STYLE META LINK OBJECT", None, Hide),
    Element("BASE", Req, Opt, Empty, None, None, Drop),
    Group("%head.misc", "SCRIPT | STYLE | META | LINK | OBJECT"),
    Element("SCRIPT", Req, Req, "#PCDATA", None, None, Hide),
    Element("STYLE", Req, Req, "#PCDATA", None, None, Hide),
    Element("META", Req, Opt, Empty, None, None, Drop),
    Element("LINK", Req, Opt, Empty, None, None, Drop),
    Element("OBJECT", Req, Req, "(PARAM | %flow)*", None, None, Hide),
    Element("BODY", Opt, Opt, "(%block | SCRIPT | INS | DEL)+", None, BodyEnds, Para),
    Group("%block", "P | LI | %heading | %list | PRE | DL | DIV | NOSCRIPT | BLOCKQUOTE | REPEAT | "
                    "FORM | HR | TABLE | TREE | FIELDSET | ADDRESS"),
    Group("%flow", "%block | %inline"),
    Group("%inline", "#PCDATA | %fontstyle | %phrase | %special | %formctrl | CENTER"),
    Element("INS", Req, Req, FlowContent, None, None, Hide),
    Element("DEL", Req, Req, FlowContent, None, None, Hide),
    Element("P", Req, Opt, InlineContent, None, ParagraphEnds, Hide),
    Element("LI", Req, Opt, "(#PCDATA | %fontstyle | SUB | SUP | IMG | CONTROL)*", None, ParagraphEnds, Hide),
    Group("%heading", "H1 | H2 | H3 | H4 | H5 | H6"),
    Element("H1", Req, Req, InlineContent, None, None, Hide),
    Element("H2", Req, Req, InlineContent, None, None, Hide),
    Element("H3", Req, Req, InlineContent, None, None, Hide),
    Element("H4", Req, Req, InlineContent, None, None, Hide),
    Element("H5", Req, Req, InlineContent, None, None, Hide),
    Element("H6", Req, Req, InlineContent, None, None, Hide),
    Group("%list", "UL | OL"),
    Element("UL", Req, Req, "(LI)*", None, None, Hide),
    Element("OL", Req, Req, "(LI)*", None, None, Hide),
    Element("PRE", Req, Req, "%inline*", "IMG OBJECT BIG SMALL SUB SUP", None, Hide),
    Element("NOSCRIPT", Req, Req, "(%block)+", None, None, Hide),
    Element("HR", Req, Opt, Empty, None, None, Drop),
    Group("%fontstyle", "TT | I | B | U | S | STRIKE | BIG | SUNKEN | RAISED | PCOLOR | FONT | "
                        "BASEFONT | CLOSEBASEFONT | SMALL"),
    Element("TT", Req, Req, FlowContent, None, None, Drop),
    Element("I", Req, Req, FlowContent, None, None, Drop),
    Element("B", Req, Req, FlowContent, None, None, Drop),
    Element("U", Req, Req, FlowContent, None, None, Drop),
    Element("S", Req, Req, FlowContent, None, None, Drop),
    Element("STRIKE", Req, Req, FlowContent, None, None, Drop),
    Element("BIG", Req, Req, FlowContent, None, None, Drop),
    Element("SMALL", Req, Req, FlowContent, None, None, Drop),
    Element("SUNKEN", Req, Req, FlowContent, None, None, Drop),
    Element("RAISED", Req, Req, FlowContent, None, None, Drop),
    Element("PCOLOR", Req, Req, FlowContent, None, None, Drop),
    Element("FONT", Req, Req, FlowContent, None, None, Drop),
    Element("BASEFONT", Req, Opt, Empty, None, None, Drop),
    Element("CLOSEBASEFONT", Req, Opt, Empty, None, None, Drop),
    Group("%phrase", "EM | STRONG | DFN | CODE | SAMP | KBD | VAR | CITE | ABBR | ACRONYM"),
    Element("EM", Req, Req, InlineContent, None, None, Hide),
    Element("STRONG", Req, Req, InlineContent, None, None, Hide),
    Element("DFN", Req, Req, InlineContent, None, None, Hide),
    Element("CODE", Req, Req, InlineContent, None, None, Hide),
    Element("SAMP", Req, Req, InlineContent, None, None, Hide),
    Element("KBD", Req, Req, InlineContent, None, None, Hide),
    Element("VAR", Req, Req, InlineContent, None, None, Hide),
    Element("CITE", Req, Req, InlineContent, None, None, Hide),
    Element("ABBR", Req, Req, InlineContent, None, None, Hide),
    Element("ACRONYM", Req, Req, InlineContent, None, None, Hide),
    Element("ADDRESS", Req, Req, InlineContent, None, None, Hide),
    Element("BLOCKQUOTE", Req, Req, "(%block | SCRIPT)+", None, None, Hide),
    Element("PARAM", Req, Opt, Empty, None, None, Drop),
    Element("DL", Req, Req, "(DT | DD)+", None, None, Hide),
    Element("DT", Req, Opt, InlineContent, None, DefinitionEnds, Drop),
    Element("DD", Req, Opt, FlowContent, None, DefinitionEnds, Drop),
    Element("DIV", Req, Req, FlowContent, None, None, Hide),
    Element("CENTER", Req, Req, FlowContent, None, None, Hide),
    Element("IMG", Req, Opt, Empty, None, None, Drop),
    Element("SUB", Req, Req, InlineContent, None, None, Hide),
    Element("SUP", Req, Req, InlineContent, None, None, Hide),
    Group("%special", "A | IMG | CONTROL | OBJECT | BR | SCRIPT | MAP | Q | SUB | SUP | SPAN | BDO"),
    Element("A", Req, Req, FlowContent, None, None, Hide),
    Element("BR", Req, Opt, Empty, None, None, Drop),
    Element("BDO", Req, Req, InlineContent, None, None, Hide),
    Element("SPAN", Req, Req, InlineContent, None, None, Hide),
    Element("Q", Req, Req, InlineContent, None, None, Hide),
    Element("MAP", Req, Req, "%block+ | AREA+", None, None, Hide),
    Element("AREA", Req, Opt, Empty, None, None, Drop),
    Element("FORM", Req, Req, "(%block | AREA)+", "FORM", None, Hide),
    Group("%formctrl", "INPUT | SELECT | TEXTAREA | LABEL | BUTTON"),
    Element("INPUT", Req, Opt, Empty, None, None, Drop),
    Element("TEXTAREA", Req, Req, "#PCDATA", None, None, Hide),
    Element("LABEL", Req, Req, InlineContent, "LABEL", None, Hide),
    Element("BUTTON", Req, Req, "%flow*", "A FORM FIELDSET INPUT SELECT TEXTAREA LABEL BUTTON", None, Hide),
    Element("SELECT", Req, Req, "(OPTGROUP | OPTION)+", None, None, Hide),
    Element("OPTGROUP", Req, Req, "(OPTION)+", None, None, Hide),
    Element("OPTION", Req, Opt, "#PCDATA", None, "OPTGROUP", Drop),
    Element("FIELDSET", Req, Req, "#PCDATA, LEGEND, %flow*", None, None, Hide),
    Element("TABLE", Req, Req, "(CAPTION?, (COL* | COLGROUP*), THEAD?, TFOOT?, TBODY+)*", None, None, Hide),
    Element("CAPTION", Req, Req, InlineContent, None, None, Drop),
    Element("THEAD", Req, Opt, "(TR)+", None, HeaderEnds, Drop),
    Element("TFOOT", Req, Opt, "(TR)+", None, FooterEnds, Drop),
    Element("TBODY", Opt, Opt, "(TR)+", None, "/TABLE", Drop),
    Element("COLGROUP", Req, Opt, "(COL)*", None, HeaderEnds, Drop),
    Element("COL", Req, Opt, Empty, None, None, Drop),
    Element("TR", Req, Opt, "(TD | TH)*", None, RowEnds, Hide),
    Element("TH", Req, Opt, CellContent, None, CellEnds, Hide),
    Element("TD", Req, Opt, CellContent, None, CellEnds, Hide),
    Element("CONTROL", Req, Opt, Empty, None, None, Drop),
    Element("TREE", Req, Req, "(ITEM)*", None, None, Drop),
    Element("ITEM", Req, Req, "(PLAIN | %flow)*, ITEM*", None, None, Drop),
    Element("REPEAT", Req, Req, "(PLAIN | %flow)+", None, None, Drop),
    Element("LEGEND", Req, Req, InlineContent, None, None, Hide),
    Element("PLAIN", Opt, Opt, "(%inline)+", None, PlainEnds, Drop),
};
// clang-format on

void AppendWords(std::string_view text, TMkNameList &names)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = text.find_first_not_of(' ', i);
        if (start == std::string_view::npos)
            break;
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos)
            end = text.size();
        names.emplace_back(text.substr(start, end - start));
        i = end;
    }
}

std::optional<TMkNameList> OptionalNames(const char *text)
{
    if (!text)
        return std::nullopt;
    return MkHTMLNameList(text);
}

void DeclareElement(TMkDTDDefinition &definition, const TDecl &d, TMkHTMLHandlerSource &handlers)
{
    auto model = d.ContentModel ? MkReadContentModel(d.ContentModel) : nullptr;
    auto exclusions = OptionalNames(d.Exclusions);
    auto skip = handlers.SkipHandler(d.Name, d.Skip);
    auto notify = handlers.ElementHandler(d.Name);
    // An element that only excludes itself (FORM in FORM, LABEL in LABEL).
    if (exclusions && exclusions->size() == 1 && exclusions->front() == d.Name) {
        definition.AddElementExcluding(d.Name, d.StartTagRequired, std::move(skip),
                                       std::move(notify), d.Name, std::move(model),
                                       OptionalNames(d.Terminators), d.EndTagRequired);
        return;
    }
    definition.AddElement(d.Name, d.StartTagRequired, std::move(skip), std::move(notify),
                          std::move(exclusions), std::move(model), OptionalNames(d.Terminators),
                          d.EndTagRequired);
}

} // namespace

std::span<const TMkHTMLDeclaration> MkHTMLDeclarations()
{
    return Declarations;
}

TMkNameList MkHTMLNameList(std::string_view text)
{
    TMkNameList words;
    AppendWords(text, words);
    TMkNameList names;
    for (const std::string &word : words) {
        if (word == "@B")
            AppendWords(BlockStarters, names);
        else if (word == "@N")
            AppendWords(InlineStarters, names);
        else
            names.push_back(word);
    }
    return names;
}

void MkDeclareHTMLDocumentType(TMkDTDDefinition &definition, TMkHTMLHandlerSource &handlers)
{
    for (const TDecl &d : Declarations) {
        switch (d.Kind) {
        case TKind::Type:
            definition.AddType(d.Name, handlers.TextHandler(), handlers.TextTest());
            break;
        case TKind::Group: definition.AddEntity(d.Name, MkReadContentModel(d.ContentModel)); break;
        case TKind::Element: DeclareElement(definition, d, handlers); break;
        }
    }
}
