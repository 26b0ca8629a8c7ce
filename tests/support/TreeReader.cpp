#include "support/TreeReader.h"

#include "textobjects/MkHiddenText.h"
#include "textobjects/MkImage.h"
#include "textobjects/MkLine.h"
#include "textobjects/MkLineBreak.h"
#include "textobjects/MkList.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkPieceOfText.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"
#include "textobjects/MkText.h"
#include "textobjects/MkTree.h"

#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace testkit {

namespace {

struct TLine {
    int indent = 0;
    std::string kind;
    std::string quoted;
    std::map<std::string, std::string> attrs;
    std::vector<std::string> flags;
};

TLine Split(const std::string &raw, int number)
{
    TLine line;
    std::size_t i = 0;
    while (i < raw.size() && raw[i] == ' ')
        ++i;
    line.indent = static_cast<int>(i) / 2;
    while (i < raw.size()) {
        if (raw[i] == ' ') {
            ++i;
            continue;
        }
        if (raw[i] == '"') {
            const std::size_t end = raw.find('"', i + 1);
            if (end == std::string::npos)
                throw std::runtime_error("line " + std::to_string(number) + ": unterminated quote");
            line.quoted = raw.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        std::size_t end = raw.find(' ', i);
        if (end == std::string::npos)
            end = raw.size();
        const std::string word = raw.substr(i, end - i);
        const std::size_t eq = word.find('=');
        if (line.kind.empty())
            line.kind = word;
        else if (eq == std::string::npos)
            line.flags.push_back(word);
        else
            line.attrs[word.substr(0, eq)] = word.substr(eq + 1);
        i = end;
    }
    return line;
}

std::int32_t Int(const TLine &l, const std::string &key, std::int32_t fallback)
{
    auto it = l.attrs.find(key);
    return it == l.attrs.end() ? fallback : static_cast<std::int32_t>(std::stoll(it->second));
}

TMkColor Color(const TLine &l, const std::string &key, TMkColor fallback)
{
    auto it = l.attrs.find(key);
    return it == l.attrs.end() ? fallback
                               : static_cast<TMkColor>(std::stoul(it->second, nullptr, 16));
}

std::string Str(const TLine &l, const std::string &key)
{
    auto it = l.attrs.find(key);
    return it == l.attrs.end() ? std::string() : it->second;
}

std::unique_ptr<TMkBaseText> MakeText(const TLine &l, TMkBaseText *parent)
{
    auto text = std::make_unique<TMkText>(l.quoted, parent);
    TMkTextStyle &style = text->EditStyle();
    style.FontName = Str(l, "font");
    style.FontSize = Str(l, "size");
    style.FontStyle = static_cast<TMkFontStyleSet>(Int(l, "style", 0));
    style.Color = Color(l, "color", NoColor);
    style.Position = static_cast<std::uint8_t>(Int(l, "pos", 0));
    style.Style3D = static_cast<std::uint8_t>(Int(l, "relief", 0));
    text->IsLink = static_cast<std::uint8_t>(Int(l, "link", 0));
    return text;
}

std::unique_ptr<TMkBaseText> MakeTable(const TLine &l, TMkBaseText *parent)
{
    auto table = std::make_unique<TMkTable>(parent);
    table->Border = Int(l, "border", 0);
    table->CellSpacing = Int(l, "spacing", 0);
    table->CellPadding = Int(l, "padding", 0);
    table->TableWidth = Int(l, "width", -100);
    table->Align = static_cast<std::uint8_t>(Int(l, "align", MkAlignCenter));
    table->VAlign = static_cast<std::uint8_t>(Int(l, "valign", MkVAlignNone));
    table->BgColor = Color(l, "bg", NoColor);
    return table;
}

std::unique_ptr<TMkBaseText> MakeCell(const TLine &l, TMkBaseText *parent)
{
    // As the markup reader does: height and vertical alignment from the row.
    const auto *row = dynamic_cast<const TMkTableRow *>(parent);
    auto cell = std::make_unique<TMkCell>(parent);
    cell->CellWidth = Int(l, "width", 0);
    cell->CellHeight = Int(l, "height", row ? row->RowHeight : 0);
    cell->ColSpan = Int(l, "colspan", 1);
    cell->RowSpan = Int(l, "rowspan", 1);
    cell->Align = static_cast<std::uint8_t>(Int(l, "align", MkAlignLeft));
    cell->VAlign = static_cast<std::uint8_t>(Int(l, "valign", row ? row->VAlign : 0));
    cell->BgColor = Color(l, "bg", NoColor);
    return cell;
}

std::unique_ptr<TMkBaseText> Make(const TLine &l, TMkBaseText *parent, int number,
                                  TMkPictureStore &pictures)
{
    if (l.kind == "img")
        return std::make_unique<TMkImage>(parent, TMkImageCallback{}, Str(l, "index"),
                                          Str(l, "height"), Str(l, "width"), Str(l, "src"),
                                          &pictures);
    using Factory = std::function<std::unique_ptr<TMkBaseText>(const TLine &, TMkBaseText *)>;
    static const std::map<std::string, Factory> factories = {
        {"list",
         [](const TLine &, TMkBaseText *p) { return std::make_unique<TMkParsedTextList>(p); }},
        {"p", [](const TLine &x,
                 TMkBaseText *p) { return std::make_unique<TMkParagraph>(p, Str(x, "align")); }},
        {"text", MakeText},
        {"br", [](const TLine &, TMkBaseText *p) { return std::make_unique<TMkLineBreak>(p); }},
        {"rule", [](const TLine &, TMkBaseText *p) { return std::make_unique<TMkLine>(p); }},
        {"hidden", [](const TLine &x,
                      TMkBaseText *p) { return std::make_unique<TMkHiddenText>(p, x.quoted); }},
        {"table", MakeTable},
        {"row",
         [](const TLine &x, TMkBaseText *p) {
             auto row = std::make_unique<TMkTableRow>(p);
             row->RowHeight = Int(x, "height", 13);
             row->VAlign = static_cast<std::uint8_t>(Int(x, "valign", MkVAlignNone));
             return row;
         }},
        {"cell", MakeCell},
        {"ol", [](const TLine &, TMkBaseText *p) { return std::make_unique<TMkList>(p, 1); }},
        {"ul", [](const TLine &, TMkBaseText *p) { return std::make_unique<TMkList>(p, 0); }},
        {"li", [](const TLine &, TMkBaseText *p) { return std::make_unique<TMkListItem>(p); }},
        {"tree",
         [](const TLine &, TMkBaseText *p) {
             auto tree = std::make_unique<TMkTree>(p);
             tree->TreeKind = 1;
             return tree;
         }},
        {"item", [](const TLine &, TMkBaseText *p) { return std::make_unique<TMkTree>(p); }},
    };
    auto it = factories.find(l.kind);
    if (it == factories.end())
        throw std::runtime_error("line " + std::to_string(number) + ": unknown kind " + l.kind);
    return it->second(l, parent);
}

void NormalizeTables(TMkBaseText &object)
{
    auto *list = dynamic_cast<TMkParsedTextList *>(&object);
    if (list == nullptr)
        return;
    for (std::size_t i = 0; i < list->Count(); ++i)
        NormalizeTables(*list->Child(i));
    if (auto *table = dynamic_cast<TMkTable *>(list))
        table->NormalizeGrid();
}

} // namespace

TPaintCase ReadPaintCase(const std::string &text, TMkPictureStore &pictures)
{
    TPaintCase result;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    std::vector<TMkParsedTextList *> stack; // containers by indent
    while (std::getline(in, raw)) {
        ++number;
        if (raw.find_first_not_of(' ') == std::string::npos ||
            raw[raw.find_first_not_of(' ')] == '#')
            continue;
        const TLine line = Split(raw, number);
        if (line.kind == "paint") {
            std::istringstream nums(raw.substr(raw.find("paint") + 5));
            nums >> result.rect.Left >> result.rect.Top >> result.rect.Right >> result.rect.Bottom;
            for (const auto &flag : line.flags) {
                result.singleLine |= flag == "single";
                result.wordWrap |= flag == "wrap";
                result.whiteOut |= flag == "white";
            }
            result.back = Color(line, "back", NoColor);
            continue;
        }
        if (!result.root) {
            if (line.kind != "list" || line.indent != 0)
                throw std::runtime_error("line " + std::to_string(number) +
                                         ": the root must be a list");
            result.root = std::make_unique<TMkParsedTextList>(nullptr);
            stack = {result.root.get()};
            continue;
        }
        if (line.indent < 1 || static_cast<std::size_t>(line.indent) > stack.size())
            throw std::runtime_error("line " + std::to_string(number) + ": bad indentation");
        stack.resize(static_cast<std::size_t>(line.indent));
        TMkParsedTextList *parent = stack.back();
        if (parent == nullptr)
            throw std::runtime_error("line " + std::to_string(number) +
                                     ": only containers have children");
        std::unique_ptr<TMkBaseText> object = Make(line, parent, number, pictures);
        TMkBaseText *raw_object = object.get();
        parent->AddChild(std::move(object));
        if (auto *container = dynamic_cast<TMkParsedTextList *>(raw_object))
            stack.push_back(container);
        else
            stack.push_back(nullptr);
    }
    if (!result.root)
        throw std::runtime_error("no tree");
    NormalizeTables(*result.root);
    return result;
}

} // namespace testkit
