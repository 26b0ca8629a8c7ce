#include "markup/dtd/MkDataModel.h"

#include <vector>

TMkDataModel::~TMkDataModel()
{
    // Nested groups are taken apart one level at a time, so that freeing a
    // deeply nested model does not recurse.
    std::vector<std::unique_ptr<TMkDataModeBase>> pending = std::move(Items);
    while (!pending.empty()) {
        std::unique_ptr<TMkDataModeBase> item = std::move(pending.back());
        pending.pop_back();
        if (item->ItemKind == ModelKind) {
            auto &nested = static_cast<TMkDataModel &>(*item);
            for (auto &child : nested.Items)
                pending.push_back(std::move(child));
            nested.Items.clear();
        }
    }
}

TMkDataModel &TMkDataModel::AddName(std::string name, TMkRepetition repetition)
{
    Items.push_back(std::make_unique<TMkDataModelEntry>(std::move(name), repetition));
    return *this;
}

TMkDataModel &TMkDataModel::AddModel(std::unique_ptr<TMkDataModel> model)
{
    if (model)
        Items.push_back(std::move(model));
    return *this;
}

TMkDataModel &TMkDataModel::AddChoice()
{
    Items.push_back(std::make_unique<TMkDataModelOperation>());
    return *this;
}

namespace {

bool IsNameChar(char c)
{
    return c != ',' && c != '|' && c != '(' && c != ')' && c != '?' && c != '*' && c != '+' &&
           c != ' ' && c != '\t' && c != '\n' && c != '\r';
}

TMkRepetition ReadSuffix(std::string_view text, std::size_t &i)
{
    if (i < text.size()) {
        switch (text[i]) {
        case '?': ++i; return TMkRepetition::Optional;
        case '*': ++i; return TMkRepetition::ZeroOrMore;
        case '+': ++i; return TMkRepetition::OneOrMore;
        default: break;
        }
    }
    return TMkRepetition::Once;
}

// The group that the parenthesis at 'open' starts ends where?  npos when it
// is never closed.
std::size_t MatchingParen(std::string_view text, std::size_t open)
{
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(')
            ++depth;
        else if (text[i] == ')' && --depth == 0)
            return i;
    }
    return std::string_view::npos;
}

// Reads the items of one level into 'model'.  Nested groups are kept on an
// explicit stack, so that even a hostile text cannot exhaust the call stack.
void ReadItems(std::string_view text, TMkDataModel &top)
{
    std::vector<std::unique_ptr<TMkDataModel>> open; // groups being read
    auto current = [&]() -> TMkDataModel & { return open.empty() ? top : *open.back(); };
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '(') {
            open.push_back(std::make_unique<TMkDataModel>());
            ++i;
        } else if (c == ')') {
            ++i;
            if (open.empty())
                continue; // a stray ')' closes nothing
            auto group = std::move(open.back());
            open.pop_back();
            group->Repetition = ReadSuffix(text, i);
            current().AddModel(std::move(group));
        } else if (c == '|') {
            current().AddChoice();
            ++i;
        } else if (!IsNameChar(c)) {
            ++i; // separators and stray suffixes
        } else {
            const std::size_t start = i;
            while (i < text.size() && IsNameChar(text[i]))
                ++i;
            std::string name(text.substr(start, i - start));
            current().AddName(std::move(name), ReadSuffix(text, i));
        }
    }
    while (!open.empty()) {
        auto group = std::move(open.back());
        open.pop_back();
        current().AddModel(std::move(group));
    }
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::unique_ptr<TMkDataModel> MkReadContentModel(std::string_view notation)
{
    auto model = std::make_unique<TMkDataModel>();
    std::string_view text = Trim(notation);
    if (!text.empty() && text.front() == '(') {
        const std::size_t close = MatchingParen(text, 0);
        if (close != std::string_view::npos) {
            std::size_t after = close + 1;
            const TMkRepetition repetition = ReadSuffix(text, after);
            if (after == text.size()) {
                model->Repetition = repetition;
                text = text.substr(1, close - 1);
            }
        }
    }
    ReadItems(text, *model);
    return model;
}
