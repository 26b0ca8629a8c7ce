#pragma once

#include "markup/html/MkStyleStacks.h"
#include "textobjects/MkColor.h"
#include "textobjects/MkShared.h"
#include "textobjects/MkSharedString.h"
#include "textobjects/MkTextStyle.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TMkText;
enum class TMkStyleEffect : std::uint8_t;

// The font sizes HTML's SIZE 1..7 stand for, in points.
inline constexpr std::array<std::int32_t, 7> FontSizeTable{10, 12, 14, 16, 18, 24, 28};

// How the style effects read the attributes of the tag being handled.  The
// HTML parser implements it over the current tag token.
class TMkAttributeSource {
public:
    virtual ~TMkAttributeSource() = default;
    // The attribute with a variable reference in it resolved; false (and an
    // empty value) when the attribute is absent or empty.
    virtual bool GetAttr(std::string_view name, std::string &value) = 0;
    // The attribute exactly as written, empty when absent.
    virtual std::string RawAttr(std::string_view name) = 0;
    // The value of a variable reference ("~~NAME").
    virtual std::string ResolveVariable(const std::string &reference) = 0;
};

// A colour attribute: "#RRGGBB" (any number of hex digits, the low 24 bits
// count), a colour name (Red, Navy, ...), Default, None, or a system colour
// name (BtnFace, ...), names ignoring case.  Empty gives NoColor, an unknown
// name NoColor; a '#' without a hexadecimal number raises EConvertError.
TMkColor ParseColor(std::string_view value);

// The character formatting in force while the HTML parser walks the markup.
// Each kind of formatting is a stack, so that nesting restores the outer
// value; every word the parser makes takes a copy of the tops (ApplyTo).
class TMkHTMLStyle {
public:
    TMkStringStack FaceStack;
    TMkStringStack SizeStack;
    TMkStringStack BaseSizeStack;
    TMkStringStack BaseFaceStack;
    TMkIntegerStack BaseColorStack;
    TMkIntegerStack ColorStack;
    TMkFontStyleStack StyleStack;
    TMkIntegerStack ShadowColorStack;
    TMkIntegerStack ShadowDepthStack;
    TMkIntegerStack LightColorStack;
    TMkIntegerStack LightDepthStack;
    TMkIntegerStack Style3DStack;
    TMkIntegerStack PositionStack;
    TMkIntegerStack LinkStack;
    TMkStringStack LinkRefStack;

    // Empties every stack: nothing carries over from one markup string to
    // the next.
    void Reset();
    // Changes the top style set in place (pushes on an empty stack).
    void ReplaceStyle(TMkFontStyleSet styles);

    // The tops as the text objects take them (defaults for empty stacks).
    const std::string &CurrentBaseSize() const;
    const std::string &CurrentFace() const;
    const std::string &CurrentSize() const;
    TMkColor CurrentColor() const;
    TMkColor CurrentBaseColor() const;
    TMkFontStyleSet CurrentStyle() const { return StyleStack.Top(); }
    TMkColor CurrentShadowColor() const;
    std::int32_t CurrentShadowDepth() const;
    TMkColor CurrentLightColor() const;
    std::int32_t CurrentLightDepth() const;
    std::int32_t CurrentStyle3D() const;
    std::int32_t CurrentPosition() const;
    std::int32_t CurrentLink() const;

    // Gives a newly made word the current formatting, shared with the words
    // made before it under the same formatting.
    void ApplyTo(TMkText &text);

    // An HTML font size ("3", "+1", "-2", "+~~VAR") as points in decimal,
    // relative sizes counted from the current base size.
    std::string MapFontSize(std::string_view value, TMkAttributeSource *variables = nullptr) const;

    // Whether the element changes the style state at all.
    static bool HasStyleEffect(std::string_view element);
    // The element's effect when its start tag is recognised; false when the
    // element has none.  May raise EConvertError (a bad colour or depth).
    bool StartElement(std::string_view element, TMkAttributeSource &attributes);
    // The element's effect at its end (end tag seen, or the element failed);
    // false when it has none.
    bool EndElement(std::string_view element);
    // The same for an effect and its parameter as the element table gives
    // them; false for TMkStyleEffect::None.
    bool StartEffect(TMkStyleEffect effect, std::int32_t param, TMkAttributeSource &attributes);
    bool EndEffect(TMkStyleEffect effect, std::int32_t param);

private:
    void StartFont(TMkAttributeSource &attributes);
    void StartBaseFont(TMkAttributeSource &attributes);
    void PushLight(TMkAttributeSource &attributes);
    void PushShadow(TMkAttributeSource &attributes);
    void EndFont();
    // The current formatting, with fontStyle as its font style.
    TMkTextStyle CurrentTextStyle(TMkFontStyleSet fontStyle) const;

    // The formatting given to the last word, handed on to the next word
    // while it still holds.
    TMkShared<TMkTextStyle> lastStyle_;
    TMkSharedString lastLinkRef_;
};
