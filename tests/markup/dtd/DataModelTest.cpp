#include "markup/dtd/MkDataModel.h"

#include <gtest/gtest.h>

namespace {

const char *Suffix(TMkRepetition r)
{
    switch (r) {
    case TMkRepetition::Once: return "";
    case TMkRepetition::ExactlyOnce: return "!";
    case TMkRepetition::Optional: return "?";
    case TMkRepetition::ZeroOrMore: return "*";
    case TMkRepetition::OneOrMore: return "+";
    }
    return "#";
}

// Writes a model back in the notation, with the items of a sequence
// separated by blanks and every group in parentheses.
std::string Write(const TMkDataModel &model)
{
    std::string out = "(";
    for (int i = 0; i < model.Count(); ++i) {
        const TMkDataModeBase &item = model.Item(i);
        if (i > 0 && item.ItemKind != TMkDataModeBase::OperationKind &&
            model.Item(i - 1).ItemKind != TMkDataModeBase::OperationKind)
            out += ' ';
        if (item.ItemKind == TMkDataModeBase::EntryKind)
            out += static_cast<const TMkDataModelEntry &>(item).Name + Suffix(item.Repetition);
        else if (item.ItemKind == TMkDataModeBase::ModelKind)
            out += Write(static_cast<const TMkDataModel &>(item));
        else
            out += " | ";
    }
    return out + ")" + Suffix(model.Repetition);
}

} // namespace

TEST(DataModel, ReadsTheDeclarationNotation)
{
    const std::pair<const char *, const char *> cases[] = {
        {"!DOCTYPE?, HTML", "(!DOCTYPE? HTML)"},
        {"(%flow)*", "(%flow)*"},
        {"%inline*", "(%inline*)"},
        {"(TITLE, BASE?) | (BASE?, TITLE)", "((TITLE BASE?) | (BASE? TITLE))"},
        {"(CAPTION?, (COL* | COLGROUP*), THEAD?, TFOOT?, TBODY+)*",
         "(CAPTION? (COL* | COLGROUP*) THEAD? TFOOT? TBODY+)*"},
        {"%block+ | AREA+", "(%block+ | AREA+)"},
        {"#PCDATA, LEGEND, %flow*", "(#PCDATA LEGEND %flow*)"},
        {"", "()"},
        {"A | | B", "(A |  | B)"},
        {"((A", "(((A)))"}, // unclosed groups are closed at the end
        {"A) B", "(A B)"},  // a stray parenthesis closes nothing
    };
    for (auto [notation, written] : cases)
        EXPECT_EQ(Write(*MkReadContentModel(notation)), written) << notation;
}

TEST(DataModel, DeepGroupsDoNotExhaustTheStack)
{
    const std::string deep = std::string(100000, '(') + "A" + std::string(100000, ')');
    auto model = MkReadContentModel(deep);
    int depth = 0;
    for (const TMkDataModel *m = model.get();
         m->Count() == 1 && m->Item(0).ItemKind == TMkDataModeBase::ModelKind;
         m = static_cast<const TMkDataModel *>(&m->Item(0)))
        ++depth;
    EXPECT_EQ(depth, 99999);
}
