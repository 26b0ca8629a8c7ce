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

TMkText::TMkText(std::string text, TMkBaseText *parent)
    : TMkPieceOfText(parent),
      Text(std::move(text))
{
    AddTextClass(ClassBit);
}

void TMkText::SetUpFont(TMkCanvas &canvas, const TMkFont &font) const
{
    canvas.SetFont(font);
    if (!FontName.empty())
        canvas.SetFontName(FontName);
    if (Color != NoColor)
        canvas.SetFontColor(Color);
    canvas.SetFontStyle(FontStyle);
    if (!FontSize.empty())
        canvas.SetFontSize(MkTextStrToInt(FontSize));
    if (IsLink != 0) {
        if (Color == NoColor)
            canvas.SetFontColor(MkColorNavy);
        canvas.SetFontStyle(static_cast<TMkFontStyleSet>(FontStyle | MkFontUnderline));
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
    if (Position != 0)
        args.Canvas.SetFontSize(args.Canvas.Font().Size / 2);
    args.Canvas.SetBrushStyle(TMkBrushStyle::Clear);
    if (args.WhiteOut)
        args.Canvas.SetFontColor(MkColorWhite);
    const std::int32_t x = SatAdd(args.Rect.Left, args.Offset.X);
    const std::int32_t y = SatAdd(args.Rect.Top, args.Offset.Y);
    if (Position == 0 || Position == 2) {
        if (x < args.Rect.Right && y < args.Rect.Bottom)
            DrawRelief(args.Canvas, args.Rect, x, y, args.BackColor);
    } else if (Position == 1) {
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
    const TMkColor c = canvas.Font().Color;
    const std::int32_t l = LightDepth;
    const std::int32_t s = ShadowDepth;
    auto pass = [&](TMkColor color, std::int64_t dx, std::int64_t dy) {
        canvas.SetFontColor(color);
        canvas.TextRect(clip, SatAdd(x, dx), SatAdd(y, dy), Text);
    };
    switch (Style3D) {
    case 0: canvas.TextRect(clip, x, y, Text); break;
    case 1:
        pass(LightColor, l, l);
        pass(c, 0, 0);
        break;
    case 2:
        pass(LightColor, -l, -l);
        pass(c, 0, 0);
        break;
    case 3:
        pass(ShadowColor, 0, 0);
        pass(LightColor, l + s, l + s);
        pass(backColor, s, s);
        canvas.SetFontColor(c);
        break;
    case 4:
        pass(ShadowColor, l + s, l + s);
        pass(LightColor, 0, 0);
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
    copy->Position = Position;
    copy->FontName = FontName;
    copy->Color = Color;
    copy->ShadowColor = ShadowColor;
    copy->ShadowDepth = ShadowDepth;
    copy->LightColor = LightColor;
    copy->LightDepth = LightDepth;
    copy->Style3D = Style3D;
    copy->FontSize = FontSize;
    copy->FontStyle = FontStyle;
    return copy;
}

void TMkText::ResolveVariables(const TMkVariableCallback &callback)
{
    TMkPieceOfText::ResolveVariables(callback);
    MkTextResolve(*this, FontName, callback);
    MkTextResolve(*this, FontSize, callback);
    MkTextResolve(*this, Text, callback);
}

void TMkText::Export(TMkWriter &writer) const
{
    if (Text.empty())
        return;
    if (Text.find_first_not_of(' ') == std::string::npos) {
        writer.Write(" ");
        return;
    }
    writer.Text(*this);
}

std::string TMkText::GetText() const
{
    return Text;
}
