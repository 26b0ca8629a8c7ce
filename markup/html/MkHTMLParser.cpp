#include "markup/html/MkHTMLParser.h"

#include "markup/MkByteStream.h"
#include "markup/MkEmbdControl.h"
#include "markup/MkParserRegistry.h"
#include "markup/MkStrings.h"
#include "markup/MkToken.h"
#include "markup/MkTreeBuilder.h"
#include "markup/html/MkHTMLAttributes.h"
#include "markup/html/MkHTMLEntities.h"
#include "markup/html/MkHTMLLex.h"
#include "textobjects/MkConvert.h"
#include "textobjects/MkHiddenText.h"
#include "textobjects/MkImage.h"
#include "textobjects/MkLine.h"
#include "textobjects/MkLineBreak.h"
#include "textobjects/MkList.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkParsedTextList.h"
#include "textobjects/MkRepeat.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"
#include "textobjects/MkText.h"
#include "textobjects/MkTree.h"

#include <algorithm>

namespace {

using TKind = TMkHTMLHandlerKind;

TMkNameList TerminatorsOf(const TMkHTMLDeclaration &element)
{
    return element.Terminators ? MkHTMLNameList(element.Terminators) : TMkNameList{};
}

bool IsWhiteSpace(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

bool FailedOrUndone(TMkDTDAction action)
{
    return action == TMkDTDAction::Failed || action == TMkDTDAction::Undone;
}

} // namespace

// --- class and registration -------------------------------------------------

TMkHTMLParser::TMkHTMLParser(TMkEngine &engine)
    : TMkParserOf(engine, TMkHTMLLex::StaticClass()),
      DTD(this)
{
    MkDeclareHTMLDocumentType(DTD.Declarations, *this);
}

TMkHTMLParser::~TMkHTMLParser() = default;

void MkRegisterHTMLParser(TMkParserRegistry &registry)
{
    registry.RegisterOnce(TMkHTMLParser::StaticClass(), {"HTML", "HTM"}, false);
}

// --- the parse ---------------------------------------------------------------

std::unique_ptr<TMkParsedTextList> TMkHTMLParser::Parse(TMkByteStream &stream,
                                                        TMkImageHandler imageHandler,
                                                        TMkVariableHandler variableHandler,
                                                        TMkControlHandler controlHandler,
                                                        TMkRepeatHandler repeatHandler)
{
    auto root = std::make_unique<TMkParsedTextList>(nullptr);
    SetHandlers(std::move(imageHandler), std::move(variableHandler), std::move(controlHandler),
                std::move(repeatHandler));
    // The band is emptied however the parse ends: an error abandons it.
    struct TBandClearer {
        TMkHTMLParser *Parser;
        ~TBandClearer() { Parser->ClearBand(); }
    } clearer{this};
    ClearBand();
    Tokenize(stream);
    Style.Reset();
    HiddenDepth = 0;
    impliedParagraphFor_ = nullptr;
    TMkTreeBuilder tree(root.get());
    if (!DTD.Deduce("HTML_DOCUMENT", tree))
        root = std::make_unique<TMkParsedTextList>(nullptr);
    ClearBand();
    root->ResolveVariables(MkVariableCallback(VariableHandler));
    return root;
}

// --- attributes --------------------------------------------------------------

bool TMkHTMLParser::GetAttr(std::string_view name, std::string &value)
{
    value.clear();
    const TMkTagToken *tag = CurrentTag();
    if (!tag || !tag->GetAttribute(name, value))
        return false;
    if (MkTextIsVariableRef(value)) {
        TMkHandlerSender sender;
        sender.Tag = tag;
        value = MkResolveVariable(VariableHandler, sender, value);
    }
    return true;
}

std::string TMkHTMLParser::GetAttr(std::string_view name)
{
    std::string value;
    GetAttr(name, value);
    return value;
}

std::string TMkHTMLParser::RawAttr(std::string_view name)
{
    std::string value;
    if (const TMkTagToken *tag = CurrentTag())
        tag->GetAttribute(name, value);
    return value;
}

std::string TMkHTMLParser::ResolveVariable(const std::string &reference)
{
    TMkHandlerSender sender;
    sender.Tag = CurrentTag();
    if (!sender.Tag)
        sender.Parser = this;
    return MkResolveVariable(VariableHandler, sender, reference);
}

// --- binding the document type -------------------------------------------------

TMkDTDHandler TMkHTMLParser::TextHandler()
{
    return [this](TMkTreeBuilder &tree, TMkDTDAction action) { HandleText(tree, action); };
}

TMkTypeTest TMkHTMLParser::TextTest()
{
    return [this] { return CurrentIsText(); };
}

TMkDTDHandler TMkHTMLParser::ElementHandler(const TMkHTMLDeclaration &element)
{
    if (element.Handler == TKind::Nothing)
        return {};
    return [this, &element](TMkTreeBuilder &tree, TMkDTDAction action) {
        HandleElement(element, tree, action);
    };
}

TMkDTDHandler TMkHTMLParser::SkipHandler(const TMkHTMLDeclaration &element)
{
    switch (element.Skip) {
    case TMkSkipPolicy::Hide: return [this](TMkTreeBuilder &tree, TMkDTDAction) { SkipHide(tree); };
    case TMkSkipPolicy::Paragraph: {
        // An element that a P ends (HEAD) is meant to end at the implied
        // paragraph; one that a P does not end (BODY) must not be handed a
        // paragraph that cannot take the token.
        const TMkNameList ends = TerminatorsOf(element);
        const bool paragraphEnds =
            std::any_of(ends.begin(), ends.end(),
                        [](const std::string &name) { return MkSameText(name, "P"); });
        return [this, paragraphEnds](TMkTreeBuilder &, TMkDTDAction) {
            SkipParagraph(!paragraphEnds);
        };
    }
    case TMkSkipPolicy::Drop: break;
    }
    return [this](TMkTreeBuilder &, TMkDTDAction) { Advance(); };
}

// --- skipping -------------------------------------------------------------------

void TMkHTMLParser::StoreHidden(TMkTreeBuilder &tree)
{
    const TMkToken *token = CurrentToken();
    std::string text;
    if (const TMkTagToken *tag = CurrentTag()) {
        text = "<" + tag->Text;
        for (const std::string &attribute : tag->Attributes)
            text += " " + attribute;
        text += " >";
    } else if (token && token->Kind == TMkTokenKind::Text) {
        text = CurrentText();
    } else {
        return; // the end of the input is nothing to keep
    }
    tree.Add(std::make_unique<TMkHiddenText>(tree.Current(), std::move(text)));
}

void TMkHTMLParser::SkipHide(TMkTreeBuilder &tree)
{
    if (tree.Current())
        StoreHidden(tree);
    Advance();
}

bool TMkHTMLParser::CurrentIsTagIn(const TMkNameList &names) const
{
    return std::any_of(names.begin(), names.end(),
                       [this](const std::string &name) { return CurrentIsTagNamed(name); });
}

// Text or inline markup where it cannot stand gets a P start tag in front of
// it, so that the next pass meets a paragraph.
//
// A tag that ends a paragraph at once (a stray TD, /TR, /UL ...) would end
// the implied one without being taken, come back here and be given another
// paragraph, for ever.  In an element that a P does not end, such tags are
// dropped instead, and the paragraph goes in front of what follows them
// (unless that is the end, or a block the element takes itself): dropping
// alone would leave the next pass to fail where the implied paragraph then
// stands, and two failed passes at one place end the element.
void TMkHTMLParser::SkipParagraph(bool dropParagraphEnders)
{
    static const TMkNameList paragraphEnds = TerminatorsOf(*MkFindHTMLElement("P"));
    // The paragraph enders that no enclosing block takes: table, list and
    // item structure out of place.  Block starters, LI and the ends of the
    // document are left for the element to deal with.
    static const TMkNameList strays = [] {
        const TMkNameList keep = MkHTMLNameList("@B LI /HTML /BODY");
        TMkNameList names;
        for (const std::string &name : paragraphEnds)
            if (std::find(keep.begin(), keep.end(), name) == keep.end())
                names.push_back(name);
        return names;
    }();
    if (dropParagraphEnders && CurrentIsTagIn(paragraphEnds)) {
        Advance();
        while (CurrentIsTagIn(strays))
            Advance();
        if (!HasCurrent() || CurrentIsTagIn(paragraphEnds))
            return;
    }
    // Should a token come back all the same, it goes: nothing may loop here.
    if (CurrentToken() != nullptr && CurrentToken() == impliedParagraphFor_) {
        impliedParagraphFor_ = nullptr;
        Advance();
        return;
    }
    impliedParagraphFor_ = CurrentToken();
    InsertTag("P");
}

// --- text ------------------------------------------------------------------------

void TMkHTMLParser::HandleText(TMkTreeBuilder &tree, TMkDTDAction action)
{
    if (action != TMkDTDAction::ContentStep || !tree.Current())
        return;
    if (HiddenDepth > 0) {
        StoreHidden(tree);
        return;
    }
    AddWords(tree, MkDecodeEntities(CurrentText()));
}

// One object per word and one single space per run of white space, each with
// the formatting of this moment.
void TMkHTMLParser::AddWords(TMkTreeBuilder &tree, const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const bool blank = IsWhiteSpace(text[i]);
        std::size_t end = i;
        while (end < text.size() && IsWhiteSpace(text[end]) == blank)
            ++end;
        auto word = std::make_unique<TMkText>(blank ? std::string(" ") : text.substr(i, end - i),
                                              tree.Current());
        Style.ApplyTo(*word);
        tree.Add(std::move(word));
        i = end;
    }
}

// --- elements ---------------------------------------------------------------------

void TMkHTMLParser::HandleElement(const TMkHTMLDeclaration &element, TMkTreeBuilder &tree,
                                  TMkDTDAction action)
{
    if (!tree.Current())
        return;
    const bool start = action == TMkDTDAction::StartTagSeen;
    const TKind kind = element.Handler;
    const std::int32_t param = element.Param;
    switch (kind) {
    case TKind::Nothing: break;
    case TKind::Hidden: Hidden(tree, action); break;
    case TKind::StyleOnly: StyleOnly(element, action); break;
    case TKind::Paragraph:
    case TKind::Heading:
    case TKind::BlockQuote:
        if (kind == TKind::Heading)
            StyleOnly(element, action);
        if (start)
            tree.Open<TMkParagraph>(kind == TKind::BlockQuote ? std::string() : RawAttr("ALIGN"));
        else if (FailedOrUndone(action))
            tree.RollBack();
        break;
    case TKind::List:
        if (start)
            tree.Open<TMkList>(static_cast<std::uint8_t>(param));
        else if (FailedOrUndone(action))
            tree.RollBack();
        break;
    case TKind::Tree:
        if (!start) {
            if (FailedOrUndone(action))
                tree.RollBack();
        } else if (auto *opened = tree.Open<TMkTree>()) {
            opened->TreeKind = static_cast<std::uint8_t>(param);
        }
        break;
    case TKind::ListItem: ListItem(tree, action); break;
    case TKind::Rule:
        if (start)
            tree.Add(std::make_unique<TMkLine>(tree.Current()));
        break;
    case TKind::LineBreak:
        if (start)
            tree.Add(std::make_unique<TMkLineBreak>(tree.Current()));
        break;
    case TKind::Table: Table(tree, action); break;
    case TKind::Row: Row(tree, action); break;
    case TKind::Cell: Cell(tree, action, true); break;
    case TKind::HeaderCell: Cell(tree, action, false); break;
    case TKind::Image:
        if (start)
            Image(tree);
        break;
    case TKind::Repeat:
        if (start)
            tree.Open<TMkRepeat>(MkRepeatCallback(RepeatHandler), RawAttr("COUNT"));
        else if (FailedOrUndone(action))
            tree.RollBack();
        break;
    case TKind::Plain: Plain(tree, action); break;
    case TKind::Input:
        if (start)
            Input(tree);
        break;
    case TKind::Control:
        if (start)
            Control(tree);
        break;
    }
}

void TMkHTMLParser::Hidden(TMkTreeBuilder &tree, TMkDTDAction action)
{
    switch (action) {
    case TMkDTDAction::StartTagSeen:
        StoreHidden(tree);
        ++HiddenDepth;
        break;
    case TMkDTDAction::EndTagSeen: StoreHidden(tree); break;
    case TMkDTDAction::Closed:
    case TMkDTDAction::Failed:
        if (HiddenDepth > 0)
            --HiddenDepth;
        break;
    default: break;
    }
}

void TMkHTMLParser::StyleOnly(const TMkHTMLDeclaration &element, TMkDTDAction action)
{
    if (action == TMkDTDAction::StartTagSeen)
        Style.StartEffect(element.Effect, element.Param, *this);
    else if (action == TMkDTDAction::EndTagSeen || action == TMkDTDAction::Failed)
        Style.EndEffect(element.Effect, element.Param);
}

void TMkHTMLParser::Table(TMkTreeBuilder &tree, TMkDTDAction action)
{
    if (FailedOrUndone(action)) {
        tree.RollBack();
        return;
    }
    if (action == TMkDTDAction::EndTagSeen) {
        // The table completes its own grid: placeholders only, no container
        // destroyed or moved, so every mark in it stays good.
        if (auto *table = MkTextCast<TMkTable>(tree.Current()))
            table->NormalizeGrid();
        return;
    }
    if (action != TMkDTDAction::StartTagSeen)
        return;
    auto *table = tree.Open<TMkTable>();
    if (!CurrentHasAttributes())
        return;
    std::string value;
    if (GetAttr("BGCOLOR", value))
        table->BgColor = ParseColor(value);
    if (GetAttr("CELLSPACING", value))
        table->CellSpacing = MkTextStrToInt(value);
    if (GetAttr("BORDER", value))
        table->Border = MkTextStrToInt(value);
    if (GetAttr("CELLPADDING", value))
        table->CellPadding = MkHTMLLength(value);
    if (GetAttr("WIDTH", value))
        table->TableWidth = MkHTMLLength(value);
    if (GetAttr("ALIGN", value))
        table->Align = MkHTMLAlign(value);
    if (GetAttr("VALIGN", value))
        table->VAlign = MkHTMLVAlign(value);
    // A table never keeps a proportional width: it takes the whole width.
    if (table->TableWidth < -100)
        table->TableWidth = -100;
}

void TMkHTMLParser::Row(TMkTreeBuilder &tree, TMkDTDAction action)
{
    if (FailedOrUndone(action)) {
        tree.RollBack();
        return;
    }
    if (action != TMkDTDAction::StartTagSeen)
        return;
    auto *row = tree.Open<TMkTableRow>();
    if (!CurrentHasAttributes())
        return;
    std::string value;
    if (GetAttr("HEIGHT", value))
        row->RowHeight = MkHTMLLength(value);
    if (GetAttr("VALIGN", value))
        row->VAlign = MkHTMLVAlign(value);
}

void TMkHTMLParser::Cell(TMkTreeBuilder &tree, TMkDTDAction action, bool readAttributes)
{
    if (FailedOrUndone(action)) {
        tree.RollBack();
        return;
    }
    if (action != TMkDTDAction::StartTagSeen)
        return;
    // A cell takes its row's height and vertical alignment unless it gives
    // its own.
    const auto *row = MkTextCast<const TMkTableRow>(tree.Current());
    const std::int32_t height = row ? row->RowHeight : 0;
    const std::uint8_t vAlign = row ? row->VAlign : 0;
    auto *cell = tree.Open<TMkCell>();
    if (!cell || !readAttributes)
        return;
    cell->VAlign = vAlign;
    cell->CellHeight = height;
    if (!CurrentHasAttributes())
        return;
    std::string value;
    if (GetAttr("BGCOLOR", value))
        cell->BgColor = ParseColor(value);
    if (GetAttr("WIDTH", value))
        cell->CellWidth = MkHTMLLength(value);
    if (GetAttr("ALIGN", value))
        cell->Align = MkHTMLAlign(value);
    if (GetAttr("VALIGN", value))
        cell->VAlign = MkHTMLVAlign(value);
    if (GetAttr("HEIGHT", value))
        cell->CellHeight = MkHTMLLength(value);
    if (GetAttr("ROWSPAN", value))
        cell->RowSpan = MkHTMLLength(value);
    if (GetAttr("COLSPAN", value))
        cell->ColSpan = MkHTMLLength(value);
}

void TMkHTMLParser::Plain(TMkTreeBuilder &tree, TMkDTDAction action)
{
    switch (action) {
    case TMkDTDAction::ContentStep: tree.Open<TMkParagraph>(); break;
    case TMkDTDAction::NoProgress:
        // The pass's container is the paragraph this pass opened.
        if (MkTextCast<TMkParagraph>(tree.Current()))
            tree.RollBack();
        break;
    default:
        // Undone reaches the element's own node, whose container is the
        // enclosing cell, tree item or repeat block, not a paragraph; that
        // element takes it back itself right after, with the paragraphs in
        // it.
        break;
    }
}

void TMkHTMLParser::ListItem(TMkTreeBuilder &tree, TMkDTDAction action)
{
    if (FailedOrUndone(action)) {
        // Only the paragraph goes; the item, and a list made for it, stay.
        if (MkTextCast<TMkParagraph>(tree.Current()))
            tree.RollBack();
        return;
    }
    if (action != TMkDTDAction::StartTagSeen)
        return;
    if (!dynamic_cast<TMkList *>(tree.Current()))
        tree.Open<TMkList>(std::uint8_t{0});
    tree.Open<TMkListItem>();
    tree.Open<TMkParagraph>();
}

void TMkHTMLParser::Image(TMkTreeBuilder &tree)
{
    tree.Add(std::make_unique<TMkImage>(tree.Current(), ImageHandler, RawAttr("IMAGEINDEX"),
                                        RawAttr("HEIGHT"), RawAttr("WIDTH"), RawAttr("SRC"),
                                        &Engine().Pictures));
}

void TMkHTMLParser::Input(TMkTreeBuilder &tree)
{
    struct TInputType {
        const char *Type;
        const char *ClassName;
        const char *Caption;
    };
    static constexpr TInputType InputTypes[] = {
        {"TEXT", "TEdit", ""},         {"PASSWORD", "TEdit", ""},
        {"FILE", "TEdit", ""},         {"CHECKBOX", "TCheckBox", ""},
        {"RADIO", "TRadioButton", ""}, {"SUBMIT", "TButton", "Submit"},
        {"RESET", "TButton", "Reset"}, {"BUTTON", "TButton", ""},
    };
    const std::string type = GetAttr("TYPE");
    const char *className = "TEdit";
    const char *caption = "";
    for (const TInputType &t : InputTypes) {
        if (MkSameText(type, t.Type)) {
            className = t.ClassName;
            caption = t.Caption;
            break;
        }
    }
    auto *piece = tree.Add(std::make_unique<TMkEmbdControl>(
        tree.Current(), ControlHandler, GetAttr("HEIGHT"), GetAttr("WIDTH"), GetAttr("NAME"),
        className, &Engine().Controls));
    piece->Caption = caption;
}

void TMkHTMLParser::Control(TMkTreeBuilder &tree)
{
    tree.Add(std::make_unique<TMkEmbdControl>(tree.Current(), ControlHandler, GetAttr("HEIGHT"),
                                              GetAttr("WIDTH"), GetAttr("NAME"),
                                              GetAttr("KORCLASS"), &Engine().Controls));
}
