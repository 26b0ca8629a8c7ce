#include "textobjects/MkText.h"

#include "textobjects/MkArith.h"
#include "textobjects/MkCanvas.h"
#include "textobjects/MkConvert.h"
#include "textobjects/MkWriter.h"

using mktext::SatAdd;

TMkText::TMkText(TMkBaseText *parent) : TMkPieceOfText(parent)
{
    AddTextClass(ClassBit);
}

TMkText::TMkText(std::string_view text, TMkBaseText *parent) : TMkPieceOfText(parent), Text(text)
{
    AddTextClass(ClassBit);
}

namespace {

// What a word without formatting of its own has.
const TMkTextStyle &DefaultStyle() noexcept
{
    static const TMkTextStyle style;
    return style;
}

} // namespace

const TMkTextStyle &TMkText::Style() const noexcept
{
    const TMkTextStyle *style = style_.Get();
    return style != nullptr ? *style : DefaultStyle();
}

TMkTextStyle &TMkText::EditStyle()
{
    return style_.Edit(DefaultStyle());
}

void TMkText::SetUpFont(TMkCanvas &canvas, const TMkFont &font) const
{
    const TMkTextStyle &style = Style();
    canvas.SetFont(font);
    if (!style.FontName.empty())
        canvas.SetFontName(style.FontName);
    if (style.Color != NoColor)
        canvas.SetFontColor(style.Color);
    canvas.SetFontStyle(style.FontStyle);
    if (!style.FontSize.empty())
        canvas.SetFontSize(MkTextStrToInt(style.FontSize));
    if (IsLink != 0) {
        if (style.Color == NoColor)
            canvas.SetFontColor(MkColorNavy);
        canvas.SetFontStyle(static_cast<TMkFontStyleSet>(style.FontStyle | MkFontUnderline));
    }
}

void TMkText::Layout(const TMkLayoutArgs &args)
{
    SetUpFont(args.Canvas, args.Font);
    Width = args.Canvas.TextWidth(Text);
    Height = args.Canvas.TextHeight(Text);
}

void TMkText::Paint(const TMkPaintArgs &args)
{
    SetUpFont(args.Canvas, args.Font);
    const std::int32_t h = args.Canvas.TextHeight(Text);
    const std::uint8_t position = Style().Position;
    if (position != 0)
        args.Canvas.SetFontSize(args.Canvas.Font().Size / 2);
    args.Canvas.SetBrushStyle(TMkBrushStyle::Clear);
    if (args.WhiteOut)
        args.Canvas.SetFontColor(MkColorWhite);
    const std::int32_t x = SatAdd(args.Rect.Left, args.Offset.X);
    const std::int32_t y = SatAdd(args.Rect.Top, args.Offset.Y);
    if (position == 0 || position == 2) {
        if (x < args.Rect.Right && y < args.Rect.Bottom)
            DrawRelief(args.Canvas, args.Rect, x, y, args.BackColor);
    } else if (position == 1) {
        if (x < args.Rect.Right) {
            // Lowered text sits on the bottom of the full-size line.
            const std::int32_t h2 = args.Canvas.TextHeight(Text);
            const std::int32_t lowered = SatAdd(std::int64_t{y} + h, -std::int64_t{h2});
            if (lowered < args.Rect.Bottom)
                DrawRelief(args.Canvas, args.Rect, x, lowered, args.BackColor);
        }
    }
}

void TMkText::DrawRelief(TMkCanvas &canvas, const TMkRect &clip, std::int32_t x, std::int32_t y,
                         TMkColor backColor) const
{
    const TMkTextStyle &style = Style();
    const TMkColor c = canvas.Font().Color;
    const std::int32_t l = style.LightDepth;
    const std::int32_t s = style.ShadowDepth;
    auto pass = [&](TMkColor color, std::int64_t dx, std::int64_t dy) {
        canvas.SetFontColor(color);
        canvas.TextRect(clip, SatAdd(x, dx), SatAdd(y, dy), Text);
    };
    switch (style.Style3D) {
    case 0: canvas.TextRect(clip, x, y, Text); break;
    case 1:
        pass(style.LightColor, l, l);
        pass(c, 0, 0);
        break;
    case 2:
        pass(style.LightColor, -l, -l);
        pass(c, 0, 0);
        break;
    case 3:
        pass(style.ShadowColor, 0, 0);
        pass(style.LightColor, l + s, l + s);
        pass(backColor, s, s);
        canvas.SetFontColor(c);
        break;
    case 4:
        pass(style.ShadowColor, l + s, l + s);
        pass(style.LightColor, 0, 0);
        pass(backColor, l, l);
        canvas.SetFontColor(c);
        break;
    default: break;
    }
}

std::unique_ptr<TMkBaseText> TMkText::Clone() const
{
    auto copy = std::make_unique<TMkText>(Text, Parent);
    CopyPieceTo(*copy);
    copy->style_ = style_;
    return copy;
}

void TMkText::ResolveVariables(const TMkVariableCallback &callback)
{
    TMkPieceOfText::ResolveVariables(callback);
    // Only a reference makes the formatting this word's own.
    if (MkTextIsVariableRef(Style().FontName))
        MkTextResolve(*this, EditStyle().FontName, callback);
    if (MkTextIsVariableRef(Style().FontSize))
        MkTextResolve(*this, EditStyle().FontSize, callback);
    MkTextResolve(*this, Text, callback);
}

void TMkText::Export(TMkWriter &writer) const
{
    if (Text.empty())
        return;
    if (std::string_view(Text).find_first_not_of(' ') == std::string_view::npos) {
        writer.Write(" ");
        return;
    }
    writer.Text(*this);
}

std::string TMkText::GetText() const
{
    return Text.str();
}
