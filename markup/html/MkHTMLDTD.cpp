#include "markup/html/MkHTMLDTD.h"

#include "markup/MkStrings.h"
#include "markup/dtd/MkDataModel.h"
#include "textobjects/MkFont.h"

#include <array>
#include <string>

namespace {

using TDecl = TMkHTMLDeclaration;
using TKind = TMkHTMLDeclaration::TKind;
using H = TMkHTMLHandlerKind;
using E = TMkStyleEffect;

constexpr bool Req = true;
constexpr bool Opt = false;
constexpr const char *Empty = nullptr; // no content model
constexpr const char *None = nullptr;  // no exclusions, no terminators

constexpr TMkSkipPolicy Hide = TMkSkipPolicy::Hide;
constexpr TMkSkipPolicy Para = TMkSkipPolicy::Paragraph;
constexpr TMkSkipPolicy Drop = TMkSkipPolicy::Drop;

constexpr TDecl Type(const char *name)
{
    return {TKind::Type, name, Opt, Opt, nullptr, nullptr, nullptr, Drop, H::Nothing, E::None, 0};
}

constexpr TDecl Group(const char *name, const char *model)
{
    return {TKind::Group, name, Opt, Opt, model, nullptr, nullptr, Drop, H::Nothing, E::None, 0};
}

constexpr TDecl Element(const char *name, bool start, bool end, const char *model,
                        const char *exclusions, const char *terminators, TMkSkipPolicy skip,
                        TMkHTMLHandlerKind handler, TMkStyleEffect effect = E::None,
                        std::int32_t param = 0)
{
    return {TKind::Element, name, start,   end,    model, exclusions,
            terminators,    skip, handler, effect, param};
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

// One row per declaration, in declaration order.  An element's row reads:
//   name, start tag required or optional, end tag required or optional,
//   content model, exclusions, terminators, skip policy,
//   the parser's handler, the style effect, and their parameter.
// clang-format off
constexpr std::array Declarations{
    Type("#PCDATA"),
    Group("HTML_DOCUMENT", "!DOCTYPE?, HTML"),
    Element("!DOCTYPE", Req, Opt, Empty, None, None, Drop, H::Hidden),
    Element("HTML", Opt, Opt, "%html.content", None, None, Drop, H::Nothing),
    Group("%html.content", "HEAD?, BODY?"),
    Element("HEAD", Opt, Opt, "%head.misc*, %head.content, %head.misc*", None, HeadEnds, Para, H::Nothing),
    Group("%head.content", "(TITLE, BASE?) | (BASE?, TITLE)"),
    Element("TITLE", Req, Req, "#PCDATA", "SCRIPT STYLE META LINK OBJECT", None, Hide, H::Hidden),
    Element("BASE", Req, Opt, Empty, None, None, Drop, H::Hidden),
    Group("%head.misc", "SCRIPT | STYLE | META | LINK | OBJECT"),
    Element("SCRIPT", Req, Req, "#PCDATA", None, None, Hide, H::Hidden),
    Element("STYLE", Req, Req, "#PCDATA", None, None, Hide, H::Hidden),
    Element("META", Req, Opt, Empty, None, None, Drop, H::Hidden),
    Element("LINK", Req, Opt, Empty, None, None, Drop, H::Hidden),
    Element("OBJECT", Req, Req, "(PARAM | %flow)*", None, None, Hide, H::Hidden),
    Element("BODY", Opt, Opt, "(%block | SCRIPT | INS | DEL)+", None, BodyEnds, Para, H::Nothing),
    Group("%block", "P | LI | %heading | %list | PRE | DL | DIV | NOSCRIPT | BLOCKQUOTE | REPEAT | "
                    "FORM | HR | TABLE | TREE | FIELDSET | ADDRESS"),
    Group("%flow", "%block | %inline"),
    Group("%inline", "#PCDATA | %fontstyle | %phrase | %special | %formctrl | CENTER"),
    Element("INS", Req, Req, FlowContent, None, None, Hide, H::Hidden),
    Element("DEL", Req, Req, FlowContent, None, None, Hide, H::Hidden),
    Element("P", Req, Opt, InlineContent, None, ParagraphEnds, Hide, H::Paragraph),
    Element("LI", Req, Opt, "(#PCDATA | %fontstyle | SUB | SUP | IMG | CONTROL)*", None, ParagraphEnds, Hide, H::ListItem),
    Group("%heading", "H1 | H2 | H3 | H4 | H5 | H6"),
    Element("H1", Req, Req, InlineContent, None, None, Hide, H::Heading, E::HeadingSize, 24),
    Element("H2", Req, Req, InlineContent, None, None, Hide, H::Heading, E::HeadingSize, 18),
    Element("H3", Req, Req, InlineContent, None, None, Hide, H::Heading, E::HeadingSize, 16),
    Element("H4", Req, Req, InlineContent, None, None, Hide, H::Heading, E::HeadingSize, 14),
    Element("H5", Req, Req, InlineContent, None, None, Hide, H::Heading, E::HeadingSize, 12),
    Element("H6", Req, Req, InlineContent, None, None, Hide, H::Heading, E::HeadingSize, 10),
    Group("%list", "UL | OL"),
    Element("UL", Req, Req, "(LI)*", None, None, Hide, H::List),
    Element("OL", Req, Req, "(LI)*", None, None, Hide, H::List, E::None, 1),
    Element("PRE", Req, Req, "%inline*", "IMG OBJECT BIG SMALL SUB SUP", None, Hide, H::Paragraph),
    Element("NOSCRIPT", Req, Req, "(%block)+", None, None, Hide, H::Hidden),
    Element("HR", Req, Opt, Empty, None, None, Drop, H::Rule),
    Group("%fontstyle", "TT | I | B | U | S | STRIKE | BIG | SUNKEN | RAISED | PCOLOR | FONT | "
                        "BASEFONT | CLOSEBASEFONT | SMALL"),
    Element("TT", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::MonoFace),
    Element("I", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::ToggleStyle, MkFontItalic),
    Element("B", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::ToggleStyle, MkFontBold),
    Element("U", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::ToggleStyle, MkFontUnderline),
    Element("S", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::ToggleStyle, MkFontStrikeOut),
    Element("STRIKE", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::ToggleStyle, MkFontStrikeOut),
    Element("BIG", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::Big),
    Element("SMALL", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::Small),
    Element("SUNKEN", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::Relief, 1),
    Element("RAISED", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::Relief, 2),
    Element("PCOLOR", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::PColor),
    Element("FONT", Req, Req, FlowContent, None, None, Drop, H::StyleOnly, E::Font),
    Element("BASEFONT", Req, Opt, Empty, None, None, Drop, H::StyleOnly, E::BaseFont),
    Element("CLOSEBASEFONT", Req, Opt, Empty, None, None, Drop, H::StyleOnly, E::CloseBaseFont),
    Group("%phrase", "EM | STRONG | DFN | CODE | SAMP | KBD | VAR | CITE | ABBR | ACRONYM"),
    Element("EM", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::PushStyle, MkFontItalic),
    Element("STRONG", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::PushStyle, MkFontBold),
    Element("DFN", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::PushStyle, MkFontItalic),
    Element("CODE", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::MonoFace),
    Element("SAMP", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::MonoFace),
    Element("KBD", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::MonoFace),
    Element("VAR", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::PushStyle, MkFontBold | MkFontItalic),
    Element("CITE", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::PushStyle, MkFontBold | MkFontItalic),
    Element("ABBR", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::PushStyle, MkFontBold),
    Element("ACRONYM", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::PushStyle, MkFontBold),
    Element("ADDRESS", Req, Req, InlineContent, None, None, Hide, H::Hidden),
    Element("BLOCKQUOTE", Req, Req, "(%block | SCRIPT)+", None, None, Hide, H::BlockQuote),
    Element("PARAM", Req, Opt, Empty, None, None, Drop, H::Hidden),
    Element("DL", Req, Req, "(DT | DD)+", None, None, Hide, H::Hidden),
    Element("DT", Req, Opt, InlineContent, None, DefinitionEnds, Drop, H::Hidden),
    Element("DD", Req, Opt, FlowContent, None, DefinitionEnds, Drop, H::Hidden),
    Element("DIV", Req, Req, FlowContent, None, None, Hide, H::Nothing),
    Element("CENTER", Req, Req, FlowContent, None, None, Hide, H::Nothing),
    Element("IMG", Req, Opt, Empty, None, None, Drop, H::Image),
    Element("SUB", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::Position, 1),
    Element("SUP", Req, Req, InlineContent, None, None, Hide, H::StyleOnly, E::Position, 2),
    Group("%special", "A | IMG | CONTROL | OBJECT | BR | SCRIPT | MAP | Q | SUB | SUP | SPAN | BDO"),
    Element("A", Req, Req, FlowContent, None, None, Hide, H::StyleOnly, E::Link),
    Element("BR", Req, Opt, Empty, None, None, Drop, H::LineBreak),
    Element("BDO", Req, Req, InlineContent, None, None, Hide, H::Hidden),
    Element("SPAN", Req, Req, InlineContent, None, None, Hide, H::Hidden),
    Element("Q", Req, Req, InlineContent, None, None, Hide, H::Hidden),
    Element("MAP", Req, Req, "%block+ | AREA+", None, None, Hide, H::Hidden),
    Element("AREA", Req, Opt, Empty, None, None, Drop, H::Hidden),
    Element("FORM", Req, Req, "(%block | AREA)+", "FORM", None, Hide, H::Nothing),
    Group("%formctrl", "INPUT | SELECT | TEXTAREA | LABEL | BUTTON"),
    Element("INPUT", Req, Opt, Empty, None, None, Drop, H::Input),
    Element("TEXTAREA", Req, Req, "#PCDATA", None, None, Hide, H::Hidden),
    Element("LABEL", Req, Req, InlineContent, "LABEL", None, Hide, H::Nothing),
    Element("BUTTON", Req, Req, "%flow*", "A FORM FIELDSET INPUT SELECT TEXTAREA LABEL BUTTON", None, Hide, H::Hidden),
    Element("SELECT", Req, Req, "(OPTGROUP | OPTION)+", None, None, Hide, H::Hidden),
    Element("OPTGROUP", Req, Req, "(OPTION)+", None, None, Hide, H::Hidden),
    Element("OPTION", Req, Opt, "#PCDATA", None, "OPTGROUP", Drop, H::Hidden),
    Element("FIELDSET", Req, Req, "#PCDATA, LEGEND, %flow*", None, None, Hide, H::Hidden),
    Element("TABLE", Req, Req, "(CAPTION?, (COL* | COLGROUP*), THEAD?, TFOOT?, TBODY+)*", None, None, Hide, H::Table),
    Element("CAPTION", Req, Req, InlineContent, None, None, Drop, H::Hidden),
    Element("THEAD", Req, Opt, "(TR)+", None, HeaderEnds, Drop, H::Hidden),
    Element("TFOOT", Req, Opt, "(TR)+", None, FooterEnds, Drop, H::Hidden),
    Element("TBODY", Opt, Opt, "(TR)+", None, "/TABLE", Drop, H::Nothing),
    Element("COLGROUP", Req, Opt, "(COL)*", None, HeaderEnds, Drop, H::Hidden),
    Element("COL", Req, Opt, Empty, None, None, Drop, H::Hidden),
    Element("TR", Req, Opt, "(TD | TH)*", None, RowEnds, Hide, H::Row),
    Element("TH", Req, Opt, CellContent, None, CellEnds, Hide, H::HeaderCell),
    Element("TD", Req, Opt, CellContent, None, CellEnds, Hide, H::Cell),
    Element("CONTROL", Req, Opt, Empty, None, None, Drop, H::Control),
    Element("TREE", Req, Req, "(ITEM)*", None, None, Drop, H::Tree, E::None, 1),
    Element("ITEM", Req, Req, "(PLAIN | %flow)*, ITEM*", None, None, Drop, H::Tree),
    Element("REPEAT", Req, Req, "(PLAIN | %flow)+", None, None, Drop, H::Repeat),
    Element("LEGEND", Req, Req, InlineContent, None, None, Hide, H::Hidden),
    Element("PLAIN", Opt, Opt, "(%inline)+", None, PlainEnds, Drop, H::Plain),
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
    auto skip = handlers.SkipHandler(d);
    auto notify = handlers.ElementHandler(d);
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

const TMkHTMLDeclaration *MkFindHTMLElement(std::string_view name)
{
    for (const TDecl &d : Declarations)
        if (d.Kind == TKind::Element && MkSameText(d.Name, name))
            return &d;
    return nullptr;
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
