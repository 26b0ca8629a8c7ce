#include "markup/MkByteStream.h"
#include "markup/dtd/MkDTD.h"
#include "markup/html/MkHTMLDTD.h"
#include "markup/html/MkHTMLLex.h"
#include "markup/html/MkHTMLParser.h"
#include "markup/MkParser.h"
#include "markup/MkStrings.h"
#include "textobjects/MkParsedTextList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

using TKind = TMkHTMLDeclaration::TKind;

std::vector<std::string> NamesOf(TKind kind)
{
    std::vector<std::string> names;
    for (const TMkHTMLDeclaration &d : MkHTMLDeclarations())
        if (d.Kind == kind)
            names.push_back(d.Name);
    return names;
}

const TMkHTMLDeclaration &Declaration(const std::string &name)
{
    for (const TMkHTMLDeclaration &d : MkHTMLDeclarations())
        if (d.Name == name)
            return d;
    throw std::runtime_error("no declaration " + name);
}

TEST(DocumentType, HasOneTypeThirteenGroupsAndNinetyThreeElements)
{
    EXPECT_EQ(NamesOf(TKind::Type), std::vector<std::string>{"#PCDATA"});
    EXPECT_EQ(
        NamesOf(TKind::Group),
        (std::vector<std::string>{"HTML_DOCUMENT", "%html.content", "%head.content", "%head.misc",
                                  "%block", "%flow", "%inline", "%heading", "%list", "%fontstyle",
                                  "%phrase", "%special", "%formctrl"}));
    EXPECT_EQ(NamesOf(TKind::Element).size(), 93u);
    std::set<std::string> unique;
    for (const TMkHTMLDeclaration &d : MkHTMLDeclarations())
        EXPECT_TRUE(unique.insert(MkUpperCase(d.Name)).second) << d.Name << " declared twice";
}

TEST(DocumentType, KeepsTheDeclarationOrder)
{
    const std::vector<std::string> order{"#PCDATA",
                                         "HTML_DOCUMENT",
                                         "!DOCTYPE",
                                         "HTML",
                                         "%html.content",
                                         "HEAD",
                                         "%head.content",
                                         "TITLE",
                                         "BASE",
                                         "%head.misc",
                                         "SCRIPT",
                                         "STYLE",
                                         "META",
                                         "LINK",
                                         "OBJECT",
                                         "BODY",
                                         "%block",
                                         "%flow",
                                         "%inline",
                                         "INS",
                                         "DEL",
                                         "P",
                                         "LI",
                                         "%heading",
                                         "H1",
                                         "H2",
                                         "H3",
                                         "H4",
                                         "H5",
                                         "H6",
                                         "%list",
                                         "UL",
                                         "OL",
                                         "PRE",
                                         "NOSCRIPT",
                                         "HR",
                                         "%fontstyle",
                                         "TT",
                                         "I",
                                         "B",
                                         "U",
                                         "S",
                                         "STRIKE",
                                         "BIG",
                                         "SMALL",
                                         "SUNKEN",
                                         "RAISED",
                                         "PCOLOR",
                                         "FONT",
                                         "BASEFONT",
                                         "CLOSEBASEFONT",
                                         "%phrase",
                                         "EM",
                                         "STRONG",
                                         "DFN",
                                         "CODE",
                                         "SAMP",
                                         "KBD",
                                         "VAR",
                                         "CITE",
                                         "ABBR",
                                         "ACRONYM",
                                         "ADDRESS",
                                         "BLOCKQUOTE",
                                         "PARAM",
                                         "DL",
                                         "DT",
                                         "DD",
                                         "DIV",
                                         "CENTER",
                                         "IMG",
                                         "SUB",
                                         "SUP",
                                         "%special",
                                         "A",
                                         "BR",
                                         "BDO",
                                         "SPAN",
                                         "Q",
                                         "MAP",
                                         "AREA",
                                         "FORM",
                                         "%formctrl",
                                         "INPUT",
                                         "TEXTAREA",
                                         "LABEL",
                                         "BUTTON",
                                         "SELECT",
                                         "OPTGROUP",
                                         "OPTION",
                                         "FIELDSET",
                                         "TABLE",
                                         "CAPTION",
                                         "THEAD",
                                         "TFOOT",
                                         "TBODY",
                                         "COLGROUP",
                                         "COL",
                                         "TR",
                                         "TH",
                                         "TD",
                                         "CONTROL",
                                         "TREE",
                                         "ITEM",
                                         "REPEAT",
                                         "LEGEND",
                                         "PLAIN"};
    std::vector<std::string> declared;
    for (const TMkHTMLDeclaration &d : MkHTMLDeclarations())
        declared.push_back(d.Name);
    EXPECT_EQ(declared, order);
}

TEST(DocumentType, NamesOnlyDeclaredEntriesInModelsAndExclusions)
{
    std::set<std::string> declared;
    for (const TMkHTMLDeclaration &d : MkHTMLDeclarations())
        declared.insert(MkUpperCase(d.Name));
    for (const TMkHTMLDeclaration &d : MkHTMLDeclarations()) {
        std::string names = d.ContentModel ? d.ContentModel : "";
        for (char &c : names)
            if (std::string_view(",|()?*+").find(c) != std::string_view::npos)
                c = ' ';
        if (d.Exclusions)
            names += std::string(" ") + d.Exclusions;
        for (const std::string &name : MkHTMLNameList(names))
            EXPECT_TRUE(declared.count(MkUpperCase(name))) << d.Name << " names " << name;
    }
}

TEST(DocumentType, OmittedTagsAreWhereHTMLAllowsThem)
{
    std::vector<std::string> startOptional;
    std::vector<std::string> endRequired;
    for (const TMkHTMLDeclaration &d : MkHTMLDeclarations()) {
        if (d.Kind != TKind::Element)
            continue;
        if (!d.StartTagRequired)
            startOptional.push_back(d.Name);
        if (d.EndTagRequired)
            endRequired.push_back(d.Name);
    }
    EXPECT_EQ(startOptional, (std::vector<std::string>{"HTML", "HEAD", "BODY", "TBODY", "PLAIN"}));
    for (const char *name : {"P", "LI", "DT", "DD", "OPTION", "THEAD", "TFOOT", "COLGROUP", "TR",
                             "TD", "TH", "IMG", "BR", "INPUT", "BASEFONT"})
        EXPECT_EQ(std::count(endRequired.begin(), endRequired.end(), name), 0) << name;
    for (const char *name : {"TABLE", "TITLE", "B", "FONT", "UL", "TREE", "ITEM", "REPEAT", "H1"})
        EXPECT_EQ(std::count(endRequired.begin(), endRequired.end(), name), 1) << name;
}

TEST(DocumentType, EmptyElementsHaveNoContentModel)
{
    for (const char *name : {"!DOCTYPE", "BASE", "META", "LINK", "HR", "BASEFONT", "CLOSEBASEFONT",
                             "PARAM", "IMG", "BR", "AREA", "INPUT", "COL", "CONTROL"})
        EXPECT_EQ(Declaration(name).ContentModel, nullptr) << name;
}

TEST(DocumentType, TerminatorListsExpandTheStarterLists)
{
    const TMkNameList paragraph = MkHTMLNameList(Declaration("P").Terminators);
    ASSERT_EQ(paragraph.size(), 2u + 21u + 20u);
    EXPECT_EQ(paragraph[0], "/HTML");
    EXPECT_EQ(paragraph[2], "P"); // the block starters follow the two end tags
    EXPECT_EQ(paragraph[22], "REPEAT");
    EXPECT_EQ(paragraph[23], "/TD");
    EXPECT_EQ(paragraph.back(), "/REPEAT");
    // HEAD ends at any block or inline starter.
    const TMkNameList head = MkHTMLNameList(Declaration("HEAD").Terminators);
    EXPECT_EQ(head.size(), 7u + 21u + 38u);
    EXPECT_EQ(head.back(), "BUTTON");
    // PLAIN ends where a cell, item or list structure goes on.
    const TMkNameList plain = MkHTMLNameList(Declaration("PLAIN").Terminators);
    EXPECT_EQ(plain.size(), 19u + 21u);
    EXPECT_NE(std::find(plain.begin(), plain.end(), "/TD"), plain.end());
    EXPECT_EQ(MkHTMLNameList(Declaration("TBODY").Terminators), TMkNameList{"/TABLE"});
    EXPECT_EQ(Declaration("TABLE").Terminators, nullptr);
}

TEST(DocumentType, SkipPoliciesKeepTextOutOfBodyAndHead)
{
    EXPECT_EQ(Declaration("BODY").Skip, TMkSkipPolicy::Paragraph);
    EXPECT_EQ(Declaration("HEAD").Skip, TMkSkipPolicy::Paragraph);
    EXPECT_EQ(Declaration("TD").Skip, TMkSkipPolicy::Hide);
    EXPECT_EQ(Declaration("TITLE").Skip, TMkSkipPolicy::Hide);
    EXPECT_EQ(Declaration("B").Skip, TMkSkipPolicy::Drop);
    EXPECT_EQ(Declaration("PLAIN").Skip, TMkSkipPolicy::Drop);
}

// A parser that records what the document type reports, by element and
// action, to compare with what the declarations should make of markup.
class TTracingParser : public TMkExtParser, public TMkHTMLHandlerSource {
public:
    TTracingParser() : TMkExtParser(TMkHTMLLex::StaticClass()), DTD(this)
    {
        MkDeclareHTMLDocumentType(DTD.Declarations, *this);
    }
    const TMkParserClass &Class() const override
    {
        static const TMkParserClass cls{"TTracingParser", {}};
        return cls;
    }
    std::unique_ptr<TMkParsedTextList> Parse(TMkByteStream &, TMkImageHandler, TMkVariableHandler,
                                             TMkControlHandler, TMkRepeatHandler) override
    {
        return nullptr;
    }
    TMkDTDHandler TextHandler() override
    {
        return [this](TMkParsedTextList *&, TMkDTDAction action) {
            if (action == TMkDTDAction::ContentStep)
                Events.push_back("text " + CurrentText());
        };
    }
    TMkTypeTest TextTest() override
    {
        return [this] { return CurrentIsText(); };
    }
    TMkDTDHandler ElementHandler(std::string_view element) override
    {
        return [this, name = std::string(element)](TMkParsedTextList *&, TMkDTDAction action) {
            static const char *const Names[] = {"start", "end",    "step",   "none",
                                                "",      "closed", "failed", "undone"};
            if (action != TMkDTDAction::ContentStep && action != TMkDTDAction::NoProgress)
                Events.push_back(name + " " + Names[static_cast<int>(action)]);
        };
    }
    TMkDTDHandler SkipHandler(std::string_view, TMkSkipPolicy policy) override
    {
        // The three policies as the HTML parser has them, hidden text aside.
        return [this, policy](TMkParsedTextList *&, TMkDTDAction) {
            if (policy == TMkSkipPolicy::Paragraph) {
                Events.push_back("imply P");
                InsertTag("P");
            } else {
                Events.push_back("skip " + CurrentText());
                Advance();
            }
        };
    }

    bool Run(std::string_view markup)
    {
        TMkMemoryStream stream(markup);
        Tokenize(stream);
        TMkParsedTextList root(nullptr);
        TMkParsedTextList *container = &root;
        return DTD.Deduce("HTML_DOCUMENT", container);
    }

    TMkDTD DTD;
    std::vector<std::string> Events;
};

TEST(DocumentType, GameRowImpliesHtmlBodyTbodyAndPlain)
{
    TTracingParser parser;
    ASSERT_TRUE(parser.Run(
        "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B><FONT SIZE=\"3\">casa"
        "</FONT></B></td><td><B><img src=\"im1.bmp\"></B></td></tr></table>"));
    const std::vector<std::string> expected{
        // HEAD is implied and fails at once: TABLE ends it and it has no TITLE.
        "HEAD failed", "TABLE start", "TR start", "TD start",
        // Each cell: the implied PLAIN ends at /TD, a second attempt fails there.
        "text &nbsp;", "PLAIN closed", "PLAIN failed", "TD end", "TD closed", "TD start", "B start",
        "FONT start", "text casa", "FONT end", "FONT closed", "B end", "B closed", "PLAIN closed",
        "PLAIN failed", "TD end", "TD closed", "TD start", "B start", "IMG start", "IMG closed",
        "B end", "B closed", "PLAIN closed", "PLAIN failed", "TD end", "TD closed", "TR end",
        "TR closed",
        // TBODY ends at /TABLE; TBODY+ tries another there, and so does the
        // next round of TABLE's content.
        "TBODY closed", "TBODY failed", "TBODY failed", "TABLE end", "TABLE closed", "BODY closed",
        "HTML closed"};
    EXPECT_EQ(parser.Events, expected);
}

TEST(DocumentType, TextInBodyGetsAnImpliedParagraph)
{
    TTracingParser parser;
    ASSERT_TRUE(parser.Run("ciao"));
    EXPECT_EQ(parser.Events,
              (std::vector<std::string>{"imply P", "HEAD failed", "P start", "text ciao",
                                        "P closed", "BODY closed", "HTML closed"}));
}

TEST(DocumentType, TitleGoesIntoAnImpliedHead)
{
    TTracingParser parser;
    ASSERT_TRUE(parser.Run("<title>t</title><p>x"));
    EXPECT_EQ(parser.Events,
              (std::vector<std::string>{"TITLE start", "text t", "TITLE end", "TITLE closed",
                                        "HEAD closed", "HEAD failed", "P start", "text x",
                                        "P closed", "BODY closed", "HTML closed"}));
}

TEST(DocumentType, ExcludedImageAfterTextInPreIsDropped)
{
    TTracingParser parser;
    ASSERT_TRUE(parser.Run("<pre><img src=a>x<img src=b></pre>"));
    // The first IMG meets PRE's skip handler; the second, directly after
    // text, is dropped without it.
    EXPECT_EQ(parser.Events,
              (std::vector<std::string>{"HEAD failed", "PRE start", "skip img", "text x", "PRE end",
                                        "PRE closed", "BODY closed", "HTML closed"}));
}

TEST(DocumentType, FormAndLabelExcludeOnlyThemselves)
{
    TTracingParser parser;
    parser.DTD.Compile();
    for (const char *name : {"FORM", "LABEL"}) {
        auto *entry = dynamic_cast<TMkElementEntry *>(parser.DTD.FindEntry(name));
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->Exclusions.has_value());
        ASSERT_EQ(entry->Exclusions->size(), 1u);
        EXPECT_EQ(entry->Exclusions->front(), entry);
    }
    auto *pre = dynamic_cast<TMkElementEntry *>(parser.DTD.FindEntry("PRE"));
    ASSERT_NE(pre, nullptr);
    EXPECT_EQ(pre->Exclusions->size(), 6u);
}

TEST(DocumentType, ParserBindsAHandlerToEveryElementThatDoesSomething)
{
    TMkHTMLParser parser;
    std::vector<std::string> silent;
    const TMkDTDDefinition &declarations = parser.DTD.Declarations;
    ASSERT_EQ(declarations.Count(), 107);
    for (int i = 0; i < declarations.Count(); ++i) {
        const auto *element = dynamic_cast<const TMkDTDElementDefiniton *>(&declarations.Item(i));
        if (!element)
            continue;
        EXPECT_TRUE(element->SkipHandler) << element->Name;
        if (!element->NotifyHandler)
            silent.push_back(element->Name);
    }
    EXPECT_EQ(silent, (std::vector<std::string>{"HTML", "HEAD", "BODY", "DIV", "CENTER", "FORM",
                                                "LABEL", "TBODY"}));
}

} // namespace
