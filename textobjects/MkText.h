#pragma once

#include "textobjects/MkPieceOfText.h"
#include "textobjects/MkShared.h"
#include "textobjects/MkTextStyle.h"

#include <cstdint>
#include <string>
#include <string_view>

// One word, or one space (" ") standing for a run of white space.
class TMkText : public TMkPieceOfText {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::Text;

    explicit TMkText(TMkBaseText *parent);
    TMkText(std::string_view text, TMkBaseText *parent);

    TMkShortString Text;

    // The word's formatting, shared with the words made under the same
    // style; a word without one has the default formatting.
    const TMkTextStyle &Style() const noexcept;
    // The formatting to change; the change is this word's alone.
    TMkTextStyle &EditStyle();
    // Takes the given formatting, shared with whoever holds it.
    void ShareStyle(const TMkShared<TMkTextStyle> &style) { style_ = style; }

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

    TMkShared<TMkTextStyle> style_;
};
