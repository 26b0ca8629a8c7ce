#include "app/AboutLayout.h"

namespace {

constexpr int StandardIconWidth = 440 - 30;
constexpr int TextLeft = 60;
constexpr int TitleTop = 12;
constexpr int LowestFirstLine = 66;

// Places the labels one under the other in the text column.
struct TColumn {
    int clientWidth;
    int x = TextLeft;
    int y = TitleTop;
    int width;

    void Place(TAboutBox &box, const std::string &text, int height, int gap)
    {
        if (text.empty())
            return;
        const int w = clientWidth < x + width ? clientWidth - 6 : width;
        box = {x, y, w, height, true};
        if (gap != 0)
            y += height + gap;
    }
};

} // namespace

TAboutLayout LayoutAboutBox(const TAboutMeasures &m)
{
    TAboutLayout out;
    out.clientWidth = StandardIconWidth;
    out.icon = {13, 7, m.iconWidth, m.iconHeight, true};

    TColumn col{out.clientWidth, TextLeft, TitleTop, out.clientWidth - 70};
    out.title = {col.x, TitleTop, col.width, m.titleHeight, true};
    col.y = TitleTop + m.titleHeight + 10;
    if (col.y < LowestFirstLine)
        col.y = LowestFirstLine;

    col.Place(out.description, m.description, m.descriptionHeight, 24);
    col.Place(out.credit, m.credit, m.creditHeight, 1);
    col.y += m.email.empty() ? 6 : 3; // the hidden web link's share of the gap
    col.Place(out.email, m.email, m.emailHeight, 6);
    out.separator = {col.x, col.y, col.width, 2, true};
    col.y += 9;

    col.width = AboutInfoColumnWidth;
    col.Place(out.caption, "-", m.captionHeight, 0);
    col.x += out.caption.width;
    col.Place(out.value, "-", m.valueHeight, 0);
    col.y += (m.captionHeight > m.valueHeight ? m.captionHeight : m.valueHeight) + 24;

    out.ok = {out.clientWidth - m.okWidth - 6, col.y, m.okWidth, m.okHeight, true};
    out.clientHeight = out.ok.y + out.ok.height + 6;
    return out;
}
