#include "markup/html/MkHTMLStyle.h"

#include "markup/MkStrings.h"
#include "markup/html/MkColorNames.h"
#include "markup/html/MkHTMLDTD.h"
#include "textobjects/MkConvert.h"
#include "textobjects/MkErrors.h"
#include "textobjects/MkText.h"

#include <algorithm>

namespace {

constexpr TMkColor ButtonShadow = MkSystemColor(16);
constexpr TMkColor ButtonHighlight = MkSystemColor(20);

// Colours live on integer stacks as their 32-bit pattern.
std::int32_t AsInt(TMkColor c)
{
    return static_cast<std::int32_t>(c);
}
TMkColor AsColor(std::int32_t i)
{
    return static_cast<TMkColor>(i);
}

// Face names from attributes keep only their first entry ("verdana,arial").
std::string FirstFace(const std::string &face)
{
    return face.substr(0, face.find(','));
}

// "#" and one hexadecimal number of any length, of which the low 24 bits are
// 0xRRGGBB.  Digits that are not one raise the number reader's error, which
// names them after a "$".
TMkColor HexColor(std::string_view digits)
{
    if (digits.empty())
        throw EConvertError::NotAnInteger("$");
    std::uint32_t rgb = 0;
    for (const char c : digits) {
        const int d = MkHexDigitValue(c);
        if (d < 0)
            throw EConvertError::NotAnInteger("$" + std::string(digits));
        rgb = ((rgb << 4) | static_cast<std::uint32_t>(d)) & 0xFFFFFF;
    }
    return MkRGB(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                 static_cast<std::uint8_t>(rgb));
}

// The size a text takes while no BASEFONT gives one.
const std::string &DefaultBaseSize()
{
    static const std::string size = std::to_string(FontSizeTable[0]);
    return size;
}

} // namespace

TMkColor ParseColor(std::string_view value)
{
    if (value.empty())
        return NoColor;
    if (value.front() == '#')
        return HexColor(value.substr(1));
    TMkColor color = NoColor;
    return MkColorByName(value, color) ? color : NoColor;
}

// --- state -----------------------------------------------------------------

void TMkHTMLStyle::Reset()
{
    for (TMkStringStack *s :
         {&FaceStack, &SizeStack, &BaseSizeStack, &BaseFaceStack, &LinkRefStack})
        s->Clear();
    for (TMkIntegerStack *s :
         {&BaseColorStack, &ColorStack, &ShadowColorStack, &ShadowDepthStack, &LightColorStack,
          &LightDepthStack, &Style3DStack, &PositionStack, &LinkStack})
        s->Clear();
    StyleStack.Clear();
}

void TMkHTMLStyle::ReplaceStyle(TMkFontStyleSet styles)
{
    StyleStack.Pop();
    StyleStack.Push(styles);
}

const std::string &TMkHTMLStyle::CurrentBaseSize() const
{
    const std::string &top = BaseSizeStack.Top();
    return top.empty() ? DefaultBaseSize() : top;
}

const std::string &TMkHTMLStyle::CurrentFace() const
{
    return FaceStack.Top().empty() ? BaseFaceStack.Top() : FaceStack.Top();
}

const std::string &TMkHTMLStyle::CurrentSize() const
{
    return SizeStack.Top().empty() ? CurrentBaseSize() : SizeStack.Top();
}

TMkColor TMkHTMLStyle::CurrentBaseColor() const
{
    return AsColor(BaseColorStack.TopOr(AsInt(NoColor)));
}

TMkColor TMkHTMLStyle::CurrentColor() const
{
    const TMkColor color = AsColor(ColorStack.TopOr(AsInt(NoColor)));
    return color == NoColor ? CurrentBaseColor() : color;
}

TMkColor TMkHTMLStyle::CurrentShadowColor() const
{
    return AsColor(ShadowColorStack.TopOr(AsInt(ButtonShadow)));
}

std::int32_t TMkHTMLStyle::CurrentShadowDepth() const
{
    return ShadowDepthStack.TopOr(1);
}

TMkColor TMkHTMLStyle::CurrentLightColor() const
{
    return AsColor(LightColorStack.TopOr(AsInt(ButtonHighlight)));
}

std::int32_t TMkHTMLStyle::CurrentLightDepth() const
{
    return LightDepthStack.TopOr(1);
}
std::int32_t TMkHTMLStyle::CurrentStyle3D() const
{
    return Style3DStack.TopOr(0);
}
std::int32_t TMkHTMLStyle::CurrentPosition() const
{
    return PositionStack.TopOr(0);
}
std::int32_t TMkHTMLStyle::CurrentLink() const
{
    return LinkStack.TopOr(0);
}

TMkTextStyle TMkHTMLStyle::CurrentTextStyle(TMkFontStyleSet fontStyle) const
{
    TMkTextStyle style;
    style.FontStyle = fontStyle;
    style.FontSize = CurrentSize();
    style.FontName = CurrentFace();
    style.Color = CurrentColor();
    // Depths and codes are byte fields: larger values keep their low 8 bits.
    style.Style3D = static_cast<std::uint8_t>(CurrentStyle3D());
    style.LightColor = CurrentLightColor();
    style.LightDepth = static_cast<std::uint8_t>(CurrentLightDepth());
    style.ShadowColor = CurrentShadowColor();
    style.ShadowDepth = static_cast<std::uint8_t>(CurrentShadowDepth());
    style.Position = static_cast<std::uint8_t>(CurrentPosition());
    return style;
}

void TMkHTMLStyle::ApplyTo(TMkText &text)
{
    // A word keeps its own font style while no style element is open.
    const TMkFontStyleSet fontStyle = CurrentStyle() != 0 ? CurrentStyle() : text.Style().FontStyle;
    // Runs of words under one formatting are the rule: they share one record.
    TMkTextStyle style = CurrentTextStyle(fontStyle);
    if (lastStyle_.Get() == nullptr || *lastStyle_.Get() != style)
        lastStyle_ = TMkShared<TMkTextStyle>(std::move(style));
    text.ShareStyle(lastStyle_);
    text.IsLink = static_cast<std::uint8_t>(CurrentLink());
    text.LinkRef = lastLinkRef_ = LinkRefStack.Top();
}

std::string TMkHTMLStyle::MapFontSize(std::string_view value, TMkAttributeSource *variables) const
{
    int direction = 0;
    if (!value.empty() && value.front() == '+') {
        direction = 1;
        value.remove_prefix(1);
    }
    if (!value.empty() && value.front() == '-') {
        direction = -1;
        value.remove_prefix(1);
    }
    std::string rest(value);
    if (variables && MkTextIsVariableRef(rest))
        rest = variables->ResolveVariable(rest);
    const std::int64_t n = MkTextIntOrZero(rest);

    const std::string &base = CurrentBaseSize();
    std::int64_t current = 1;
    for (std::size_t i = 0; i < FontSizeTable.size(); ++i) {
        if (std::to_string(FontSizeTable[i]) == base) {
            current = static_cast<std::int64_t>(i) + 1;
            break;
        }
    }
    const std::int64_t index =
        std::clamp<std::int64_t>(direction == 0 ? n : current + direction * n, 1, 7);
    return std::to_string(FontSizeTable[static_cast<std::size_t>(index - 1)]);
}

// --- element effects -------------------------------------------------------

bool TMkHTMLStyle::HasStyleEffect(std::string_view element)
{
    const TMkHTMLDeclaration *declaration = MkFindHTMLElement(element);
    return declaration && declaration->Effect != TMkStyleEffect::None;
}

void TMkHTMLStyle::PushLight(TMkAttributeSource &attributes)
{
    std::string value;
    LightColorStack.Push(
        AsInt(attributes.GetAttr("LIGHTCOLOR", value) ? ParseColor(value) : CurrentLightColor()));
    LightDepthStack.Push(attributes.GetAttr("LIGHTDEPTH", value) ? MkTextStrToInt(value)
                                                                 : CurrentLightDepth());
}

void TMkHTMLStyle::PushShadow(TMkAttributeSource &attributes)
{
    std::string value;
    ShadowColorStack.Push(
        AsInt(attributes.GetAttr("SHADOWCOLOR", value) ? ParseColor(value) : CurrentShadowColor()));
    ShadowDepthStack.Push(attributes.GetAttr("SHADOWDEPTH", value) ? MkTextStrToInt(value)
                                                                   : CurrentShadowDepth());
}

void TMkHTMLStyle::StartFont(TMkAttributeSource &attributes)
{
    std::string value;
    if (attributes.GetAttr("FACE", value))
        FaceStack.Push(FirstFace(value));
    if (attributes.GetAttr("SIZE", value))
        SizeStack.Push(MapFontSize(value, &attributes));
    else if (attributes.GetAttr("POINT-SIZE", value))
        SizeStack.Push(value);
    else
        SizeStack.Push(CurrentBaseSize());
    // A FONT without COLOR takes the base colour, not the enclosing FONT's.
    ColorStack.Push(
        AsInt(attributes.GetAttr("COLOR", value) ? ParseColor(value) : CurrentBaseColor()));
}

void TMkHTMLStyle::EndFont()
{
    // A FONT without FACE pushed no face; its end still pops the enclosing
    // one when that is not empty.
    if (!FaceStack.Top().empty())
        FaceStack.Pop();
    SizeStack.Pop();
    ColorStack.Pop();
}

void TMkHTMLStyle::StartBaseFont(TMkAttributeSource &attributes)
{
    std::string value;
    BaseFaceStack.Push(attributes.GetAttr("FACE", value) ? FirstFace(value) : std::string{});
    // The new base size is relative to the base in force before it.
    BaseSizeStack.Push(attributes.GetAttr("SIZE", value) ? MapFontSize(value, &attributes)
                                                         : std::to_string(FontSizeTable[0]));
    BaseColorStack.Push(
        AsInt(attributes.GetAttr("COLOR", value) ? ParseColor(value) : MkRGB(0, 0, 0)));
}

bool TMkHTMLStyle::StartElement(std::string_view element, TMkAttributeSource &attributes)
{
    const TMkHTMLDeclaration *declaration = MkFindHTMLElement(element);
    return declaration && StartEffect(declaration->Effect, declaration->Param, attributes);
}

bool TMkHTMLStyle::EndElement(std::string_view element)
{
    const TMkHTMLDeclaration *declaration = MkFindHTMLElement(element);
    return declaration && EndEffect(declaration->Effect, declaration->Param);
}

bool TMkHTMLStyle::StartEffect(TMkStyleEffect effect, std::int32_t param,
                               TMkAttributeSource &attributes)
{
    using TEffect = TMkStyleEffect;
    const auto bits = static_cast<TMkFontStyleSet>(param);
    std::string value;
    switch (effect) {
    case TEffect::None: return false;
    case TEffect::ToggleStyle: ReplaceStyle(CurrentStyle() | bits); break;
    case TEffect::PushStyle: StyleStack.Push(CurrentStyle() | bits); break;
    case TEffect::MonoFace: FaceStack.Push("Courier"); break;
    case TEffect::Big:
        FaceStack.Push("Courier");
        StyleStack.Push(CurrentStyle() | MkFontBold);
        break;
    case TEffect::Small:
        FaceStack.Push("Courier");
        SizeStack.Push("2");
        break;
    case TEffect::HeadingSize: SizeStack.Push(std::to_string(param)); break;
    case TEffect::Font: StartFont(attributes); break;
    case TEffect::BaseFont: StartBaseFont(attributes); break;
    case TEffect::CloseBaseFont:
        BaseFaceStack.Pop();
        BaseSizeStack.Pop();
        BaseColorStack.Pop();
        break;
    case TEffect::Relief:
        Style3DStack.Push(param);
        PushLight(attributes);
        break;
    case TEffect::PColor:
        Style3DStack.Push(attributes.GetAttr("STYLE", value) && MkSameText(value, "RAISED") ? 4
                                                                                            : 3);
        PushLight(attributes);
        PushShadow(attributes);
        break;
    case TEffect::Position: PositionStack.Push(param); break;
    case TEffect::Link:
        LinkStack.Push(1);
        LinkRefStack.Push(attributes.RawAttr("HREF")); // resolved later, on the text object
        break;
    }
    return true;
}

bool TMkHTMLStyle::EndEffect(TMkStyleEffect effect, std::int32_t param)
{
    using TEffect = TMkStyleEffect;
    const auto bits = static_cast<TMkFontStyleSet>(param);
    switch (effect) {
    case TEffect::None: return false;
    case TEffect::ToggleStyle:
        ReplaceStyle(static_cast<TMkFontStyleSet>(CurrentStyle() & ~bits));
        break;
    case TEffect::PushStyle: StyleStack.Pop(); break;
    case TEffect::MonoFace: FaceStack.Pop(); break;
    case TEffect::Big:
        FaceStack.Pop();
        StyleStack.Pop();
        break;
    case TEffect::Small:
        SizeStack.Pop();
        FaceStack.Pop();
        break;
    case TEffect::HeadingSize: SizeStack.Pop(); break;
    case TEffect::Font: EndFont(); break;
    case TEffect::BaseFont:
    case TEffect::CloseBaseFont: break; // the end of BASEFONT is CLOSEBASEFONT
    case TEffect::Relief:
        Style3DStack.Pop();
        LightColorStack.Pop();
        LightDepthStack.Pop();
        break;
    case TEffect::PColor:
        Style3DStack.Pop();
        LightColorStack.Pop();
        LightDepthStack.Pop();
        ShadowColorStack.Pop();
        ShadowDepthStack.Pop();
        break;
    case TEffect::Position: PositionStack.Pop(); break;
    case TEffect::Link:
        LinkStack.Pop();
        LinkRefStack.Pop();
        break;
    }
    return true;
}
