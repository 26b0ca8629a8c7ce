#pragma once

// A document type shaped like the HTML one: implied HTML, HEAD, BODY, TBODY
// and PLAIN elements, optional end tags with terminators, exclusions and the
// three skip policies (keep as hidden text, insert a P, drop).  The fuzzer
// and the benchmarks drive the grammar engine with it, independently of the
// HTML parser's own declarations.

#include "markup/dtd/MkDTD.h"
#include "markup/dtd/MkDataModel.h"
#include "markup/MkParser.h"

#include <cstdint>
#include <string>

namespace minihtml {

struct TCounts {
    std::int64_t Notifications = 0;
    std::int64_t Words = 0;
};

inline void Declare(TMkDTD &dtd, TMkExtParser &parser, TCounts &counts)
{
    auto notify = [&counts](TMkParsedTextList *&, TMkDTDAction) { ++counts.Notifications; };
    auto text = [&counts](TMkParsedTextList *&, TMkDTDAction) { ++counts.Words; };
    auto advance = [&parser](TMkParsedTextList *&, TMkDTDAction) { parser.Advance(); };
    auto paragraph = [&parser](TMkParsedTextList *&, TMkDTDAction) { parser.InsertTag("P"); };
    auto &d = dtd.Declarations;
    auto element = [&](const char *name, bool start, const char *model, bool end,
                       TMkNameList terminators, TMkDTDHandler skip) {
        d.AddElement(name, start, std::move(skip), notify, {},
                     model ? MkReadContentModel(model) : nullptr,
                     terminators.empty() ? std::optional<TMkNameList>{}
                                         : std::optional<TMkNameList>{terminators},
                     end);
    };
    const TMkNameList blocks{"P", "UL", "TABLE", "REPEAT", "FORM"};
    auto with = [](TMkNameList list, const TMkNameList &more) {
        list.insert(list.end(), more.begin(), more.end());
        return list;
    };

    d.AddType("#PCDATA", text, [&parser] { return parser.CurrentIsText(); });
    d.AddEntity("HTML_DOCUMENT", MkReadContentModel("!DOCTYPE?, HTML"));
    element("!DOCTYPE", true, nullptr, false, {}, advance);
    element("HTML", false, "HEAD?, BODY?", false, {}, advance);
    element("HEAD", false, "TITLE, SCRIPT*", false,
            with({"BODY", "/HTML", "B", "I", "FONT", "IMG"}, blocks), paragraph);
    element("TITLE", true, "(#PCDATA)*", true, {}, advance);
    element("SCRIPT", true, "(#PCDATA)*", true, {}, advance);
    element("BODY", false, "(%block | SCRIPT)+", false, {"/HTML", "HTML"}, paragraph);
    d.AddEntity("%block", MkReadContentModel("P | UL | TABLE | REPEAT | FORM"));
    d.AddEntity("%inline", MkReadContentModel("#PCDATA | B | I | FONT | IMG | BR"));
    d.AddEntity("%flow", MkReadContentModel("%block | %inline"));
    const TMkNameList cellEnds{"TD", "/TD", "TR",  "/TR",     "/TABLE",
                               "LI", "/LI", "/UL", "/REPEAT", "/BODY"};
    element("P", true, "(%inline)*", false, with(with({"/BODY"}, blocks), cellEnds), advance);
    for (const char *name : {"B", "I", "FONT"})
        element(name, true, "(%flow)*", true, {}, advance);
    element("IMG", true, nullptr, false, {}, advance);
    element("BR", true, nullptr, false, {}, advance);
    element("UL", true, "(LI)*", true, {}, advance);
    element("LI", true, "(%flow)*", false, {"LI", "/UL"}, advance);
    element("TABLE", true, "(CAPTION?, TBODY+)*", true, {}, advance);
    element("CAPTION", true, "(%inline)*", true, {}, advance);
    element("TBODY", false, "(TR)+", false, {"/TABLE"}, advance);
    element("TR", true, "(TD)*", false, {"TR", "/TABLE"}, advance);
    element("TD", true, "(PLAIN | %flow)*", false, {"TD", "TR", "/TR", "/TABLE"}, advance);
    element("REPEAT", true, "(PLAIN | %flow)+", true, {}, advance);
    element("PLAIN", false, "(%inline)+", false, with(cellEnds, blocks), advance);
    d.AddElementExcluding("FORM", true, advance, notify, "FORM", MkReadContentModel("(%block)+"),
                          {}, true);
}

} // namespace minihtml
