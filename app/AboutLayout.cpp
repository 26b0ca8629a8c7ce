#include "app/AboutLayout.h"

namespace {

constexpr int StandardIconWidth = 440 - 30;
constexpr int TextLeft = 60;
constexpr int TitleTop = 12;
constexpr int LowestFirstLine = 66;

// Places the labels one under the other in the text column.
struct TColumn {
    int ClientWidth;
    int X = TextLeft;
    int Y = TitleTop;
    int Width;

    void Place(TAboutBox &box, const std::string &text, int height, int gap)
    {
        if (text.empty())
            return;
        const int w = ClientWidth < X + Width ? ClientWidth - 6 : Width;
        box = {X, Y, w, height, true};
        if (gap != 0)
            Y += height + gap;
    }
};

} // namespace

TAboutLayout LayoutAboutBox(const TAboutMeasures &m)
{
    TAboutLayout out;
    out.ClientWidth = StandardIconWidth;
    out.Icon = {13, 7, m.IconWidth, m.IconHeight, true};

    TColumn col{out.ClientWidth, TextLeft, TitleTop, out.ClientWidth - 70};
    out.Title = {col.X, TitleTop, col.Width, m.TitleHeight, true};
    col.Y = TitleTop + m.TitleHeight + 10;
    if (col.Y < LowestFirstLine)
        col.Y = LowestFirstLine;

    col.Place(out.Description, m.Description, m.DescriptionHeight, 24);
    col.Place(out.Credit, m.Credit, m.CreditHeight, 1);
    col.Y += m.Email.empty() ? 6 : 3; // the hidden web link's share of the gap
    col.Place(out.Email, m.Email, m.EmailHeight, 6);
    out.Separator = {col.X, col.Y, col.Width, 2, true};
    col.Y += 9;

    col.Width = AboutInfoColumnWidth;
    col.Place(out.Caption, "-", m.CaptionHeight, 0);
    col.X += out.Caption.Width;
    col.Place(out.Value, "-", m.ValueHeight, 0);
    col.Y += (m.CaptionHeight > m.ValueHeight ? m.CaptionHeight : m.ValueHeight) + 24;

    out.Ok = {out.ClientWidth - m.OkWidth - 6, col.Y, m.OkWidth, m.OkHeight, true};
    out.ClientHeight = out.Ok.Y + out.Ok.Height + 6;
    return out;
}
