#include "markup/MkStrings.h"
#include "markup/dtd/MkDTD.h"
#include "markup/html/MkHTMLDTD.h"
#include "markup/html/MkHTMLParser.h"

#include <gtest/gtest.h>

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
    TMkEngine engine;
    TMkHTMLParser parser(engine);
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

TEST(DocumentType, FormAndLabelExcludeOnlyThemselves)
{
    TMkEngine engine;
    TMkHTMLParser parser(engine);
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
