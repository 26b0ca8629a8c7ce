#pragma once

#include "textobjects/MkColor.h"
#include "textobjects/MkFont.h"
#include "textobjects/MkPieceOfText.h"

#include <cstdint>
#include <string>

// One word, or one space (" ") standing for a run of white space.
class TMkText : public TMkPieceOfText {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::Text;

    explicit TMkText(TMkBaseText *parent);
    TMkText(std::string text, TMkBaseText *parent);

    // The fields go from the widest to the narrowest, so that a tree of
    // many words wastes no bytes between them.
    std::string Text;
    TMkSharedString FontName;
    // Points as decimal text; empty for the base font's size.
    TMkSharedString FontSize;
    TMkColor Color = NoColor;
    TMkColor ShadowColor = MkSystemColor(16);
    TMkColor LightColor = MkSystemColor(20);
    std::uint8_t ShadowDepth = 1;
    std::uint8_t LightDepth = 1;
    // 0 flat, 1 sunken, 2 raised, 3 cut in, 4 raised in colour.
    std::uint8_t Style3D = 0;
    // 0 normal, 1 lowered (subscript), 2 raised (superscript).
    std::uint8_t Position = 0;
    TMkFontStyleSet FontStyle = 0;

    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void ResolveVariables(const TMkVariableCallback &callback) override;
    void Export(TMkWriter &writer) const override;
    virtual std::string GetText() const;

private:
    // Puts this word's font into the canvas, starting from the base font.
    void SetUpFont(TMkCanvas &canvas, const TMkFont &font) const;
    void DrawRelief(TMkCanvas &canvas, const TMkRect &clip, std::int32_t x, std::int32_t y,
                    TMkColor backColor) const;
};
