#include "markup/MkByteStream.h"
#include "markup/MkParser.h"
#include "markup/MkStrings.h"
#include "markup/dtd/MkDTD.h"
#include "markup/html/MkHTMLDTD.h"
#include "markup/html/MkHTMLLex.h"
#include "markup/html/MkHTMLParser.h"
#include "textobjects/MkParsedTextList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

using TKind = TMkHTMLDeclaration::TKind;

// The names a declaration mentions: in its content model, its exclusions
// and its terminators (an end tag "/X" names X).
std::vector<std::string> NamesMentioned(const TMkHTMLDeclaration &d)
{
    std::string names = d.ContentModel ? d.ContentModel : "";
    for (char &c : names)
        if (std::string_view(",|()?*+").find(c) != std::string_view::npos)
            c = ' ';
    for (const char *list : {d.Exclusions, d.Terminators})
        if (list)
            names += std::string(" ") + list;
    std::vector<std::string> out;
    for (std::string name : MkHTMLNameList(names))
        out.push_back(MkUpperCase(name[0] == '/' ? name.substr(1) : name));
    return out;
}

// The table is read by generic code, so a slip in one row shows only when
// markup reaches that row.  These rules catch such slips in every row.
TEST(ElementTable, EveryRowIsConsistent)
{
    std::set<std::string> declared;
    for (const TMkHTMLDeclaration &d : MkHTMLDeclarations())
        EXPECT_TRUE(declared.insert(MkUpperCase(d.Name)).second) << d.Name << " declared twice";
    for (const TMkHTMLDeclaration &d : MkHTMLDeclarations()) {
        for (const std::string &name : NamesMentioned(d))
            EXPECT_TRUE(declared.count(name)) << d.Name << " names the undeclared " << name;
        if (d.Kind != TKind::Element)
            continue;
        EXPECT_EQ(MkFindHTMLElement(d.Name), &d);
        // An element without content that required its end tag would fail
        // wherever it is written as HTML writes it.
        if (!d.ContentModel) {
            EXPECT_FALSE(d.EndTagRequired) << d.Name;
        }
        // Style-only elements have an effect, and only they and the
        // headings have one.
        const bool styles =
            d.Handler == TMkHTMLHandlerKind::StyleOnly || d.Handler == TMkHTMLHandlerKind::Heading;
        EXPECT_EQ(d.Effect != TMkStyleEffect::None, styles) << d.Name;
    }
}

// What the parser binds: a skip handler for every element, and a notify
// handler for every element that makes objects or changes the style.
TEST(ElementTable, TheParserBindsEveryElement)
{
    TMkHTMLParser parser;
    const TMkDTDDefinition &declarations = parser.DTD.Declarations;
    ASSERT_EQ(static_cast<std::size_t>(declarations.Count()), MkHTMLDeclarations().size());
    for (int i = 0; i < declarations.Count(); ++i) {
        const TMkHTMLDeclaration &row = MkHTMLDeclarations()[static_cast<std::size_t>(i)];
        EXPECT_EQ(declarations.Item(i).Name, row.Name);
        const auto *element = dynamic_cast<const TMkDTDElementDefiniton *>(&declarations.Item(i));
        if (!element)
            continue;
        EXPECT_TRUE(element->SkipHandler) << row.Name;
        EXPECT_EQ(static_cast<bool>(element->NotifyHandler),
                  row.Handler != TMkHTMLHandlerKind::Nothing)
            << row.Name;
    }
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
    TMkDTDHandler ElementHandler(const TMkHTMLDeclaration &element) override
    {
        return [this, name = std::string(element.Name)](TMkParsedTextList *&, TMkDTDAction action) {
            static const char *const Names[] = {"start", "end",    "step",   "none",
                                                "",      "closed", "failed", "undone"};
            if (action != TMkDTDAction::ContentStep && action != TMkDTDAction::NoProgress)
                Events.push_back(name + " " + Names[static_cast<int>(action)]);
        };
    }
    TMkDTDHandler SkipHandler(const TMkHTMLDeclaration &element) override
    {
        const TMkSkipPolicy policy = element.Skip;
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

} // namespace
