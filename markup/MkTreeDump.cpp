#include "markup/MkTreeDump.h"

#include "markup/MkEmbdControl.h"
#include "textobjects/MkHiddenText.h"
#include "textobjects/MkImage.h"
#include "textobjects/MkLine.h"
#include "textobjects/MkLineBreak.h"
#include "textobjects/MkList.h"
#include "textobjects/MkParagraph.h"
#include "textobjects/MkRepeat.h"
#include "textobjects/MkTable.h"
#include "textobjects/MkTableRow.h"
#include "textobjects/MkText.h"
#include "textobjects/MkTree.h"

#include <cstdio>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// Builds " Name=value" pieces.
class TFields {
public:
    TFields &Int(const char *name, std::int64_t value) { return Add(name, std::to_string(value)); }
    TFields &Str(const char *name, std::string_view value)
    {
        return Add(name, MkDumpString(value));
    }
    TFields &Color(const char *name, TMkColor value) { return Add(name, MkDumpColor(value)); }
    TFields &Add(const char *name, const std::string &value)
    {
        Line += ' ';
        Line += name;
        Line += '=';
        Line += value;
        return *this;
    }
    std::string Line;
};

std::string SpanMaster(const TMkCell &cell)
{
    if (!cell.SpanMaster)
        return "-";
    return std::to_string(cell.SpanMaster->RowIndex) + "," +
           std::to_string(cell.SpanMaster->ColIndex);
}

void TextFields(const TMkText &t, TFields &f)
{
    const TMkTextStyle &style = t.Style();
    f.Str("Text", t.Text)
        .Str("FontName", style.FontName)
        .Str("FontSize", style.FontSize)
        .Int("FontStyle", style.FontStyle)
        .Color("Color", style.Color)
        .Int("IsLink", t.IsLink)
        .Str("LinkRef", t.LinkRef)
        .Int("Style3D", style.Style3D)
        .Int("Position", style.Position)
        .Color("LightColor", style.LightColor)
        .Int("LightDepth", style.LightDepth)
        .Color("ShadowColor", style.ShadowColor)
        .Int("ShadowDepth", style.ShadowDepth);
}

void TableFields(const TMkTable &t, TFields &f)
{
    f.Int("TableWidth", t.TableWidth)
        .Int("Align", t.Align)
        .Int("VAlign", t.VAlign)
        .Int("CellSpacing", t.CellSpacing)
        .Int("CellPadding", t.CellPadding)
        .Int("Border", t.Border)
        .Color("BgColor", t.BgColor)
        .Int("Rows", static_cast<std::int64_t>(t.Rows.size()))
        .Int("Columns", static_cast<std::int64_t>(t.Columns.size()));
}

void CellFields(const TMkCell &c, TFields &f)
{
    f.Int("RowIndex", c.RowIndex)
        .Int("ColIndex", c.ColIndex)
        .Int("RowSpan", c.RowSpan)
        .Int("ColSpan", c.ColSpan)
        .Int("CellWidth", c.CellWidth)
        .Int("CellHeight", c.CellHeight)
        .Int("Align", c.Align)
        .Int("VAlign", c.VAlign)
        .Color("BgColor", c.BgColor)
        .Add("Master", SpanMaster(c));
}

// The fields of the object's own class; false when its class shows none.
void ObjectFields(const TMkBaseText &o, TFields &f)
{
    if (const auto *t = MkTextCast<const TMkText>(&o)) {
        TextFields(*t, f);
    } else if (const auto *e = dynamic_cast<const TMkEmbdControl *>(&o)) {
        f.Str("ControlClassName", e->ControlClassName)
            .Str("ControlName", e->ControlName)
            .Str("WidthText", e->WidthText)
            .Str("HeightText", e->HeightText)
            .Str("Caption", e->Caption);
    } else if (const auto *i = dynamic_cast<const TMkImage *>(&o)) {
        f.Str("Source", i->Source)
            .Str("WidthText", i->WidthText)
            .Str("HeightText", i->HeightText)
            .Str("ImageIndex", i->ImageIndex)
            .Int("Empty", i->Picture.Empty() ? 1 : 0);
    } else if (const auto *h = MkTextCast<const TMkHiddenText>(&o)) {
        f.Str("Text", h->Text);
    } else if (const auto *p = MkTextCast<const TMkParagraph>(&o)) {
        f.Str("Align", p->Align);
    } else if (const auto *table = MkTextCast<const TMkTable>(&o)) {
        TableFields(*table, f);
    } else if (const auto *row = MkTextCast<const TMkTableRow>(&o)) {
        f.Int("RowHeight", row->RowHeight).Int("VAlign", row->VAlign);
    } else if (const auto *cell = MkTextCast<const TMkCell>(&o)) {
        CellFields(*cell, f);
    } else if (const auto *list = dynamic_cast<const TMkList *>(&o)) {
        f.Int("Numbered", list->Numbered);
    } else if (const auto *repeat = dynamic_cast<const TMkRepeat *>(&o)) {
        f.Str("RepeatCount", repeat->RepeatCount);
    } else if (const auto *tree = MkTextCast<const TMkTree>(&o)) {
        f.Int("TreeKind", tree->TreeKind).Int("Indent", tree->Indent);
    }
}

} // namespace

std::string MkDumpString(std::string_view text)
{
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c > 0x7E) {
            out += "\\x";
            out += HexDigits[c >> 4];
            out += HexDigits[c & 0x0F];
        } else {
            out += ch;
        }
    }
    out += '"';
    return out;
}

std::string MkDumpColor(TMkColor color)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(color));
    return buffer;
}

std::string MkTextClassName(const TMkBaseText &object)
{
    // Most derived first: TMkEmbdControl before the pieces, TMkParagraph
    // and the other containers before TMkParsedTextList.
    static const std::pair<std::type_index, const char *> Names[] = {
        {typeid(TMkEmbdControl), "TMkEmbdControl"},
        {typeid(TMkText), "TMkText"},
        {typeid(TMkImage), "TMkImage"},
        {typeid(TMkLine), "TMkLine"},
        {typeid(TMkLineBreak), "TMkLineBreak"},
        {typeid(TMkHiddenText), "TMkHiddenText"},
        {typeid(TMkParagraph), "TMkParagraph"},
        {typeid(TMkTable), "TMkTable"},
        {typeid(TMkTableRow), "TMkTableRow"},
        {typeid(TMkCell), "TMkCell"},
        {typeid(TMkList), "TMkList"},
        {typeid(TMkListItem), "TMkListItem"},
        {typeid(TMkRepeat), "TMkRepeat"},
        {typeid(TMkTree), "TMkTree"},
        {typeid(TMkParsedTextList), "TMkParsedTextList"},
        {typeid(TMkPieceOfText), "TMkPieceOfText"},
    };
    const std::type_index type(typeid(object));
    for (const auto &[index, name] : Names)
        if (index == type)
            return name;
    return "TMkBaseText";
}

std::string MkDumpObject(const TMkBaseText &object, bool withBounds)
{
    TFields fields;
    fields.Line = MkTextClassName(object);
    ObjectFields(object, fields);
    if (withBounds)
        fields.Int("L", object.Left)
            .Int("T", object.Top)
            .Int("W", object.Width)
            .Int("H", object.Height);
    return fields.Line;
}

std::string MkDumpTree(const TMkBaseText &root, bool withBounds)
{
    // An explicit stack: trees from hostile markup may be deep.
    std::string out;
    std::vector<std::pair<const TMkBaseText *, std::size_t>> pending{{&root, 0}};
    while (!pending.empty()) {
        const auto [object, depth] = pending.back();
        pending.pop_back();
        out.append(2 * depth, ' ');
        out += MkDumpObject(*object, withBounds);
        out += '\n';
        if (const auto *list = MkTextCast<const TMkParsedTextList>(object))
            for (std::size_t i = list->Count(); i-- > 0;)
                pending.emplace_back(list->Child(i), depth + 1);
    }
    return out;
}
