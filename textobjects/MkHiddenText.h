#pragma once

#include "textobjects/MkBaseText.h"

#include <string>

// A tag kept in its source form but not rendered; export writes it back.
class TMkHiddenText : public TMkBaseText {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::HiddenText;

    TMkHiddenText(TMkBaseText *parent, std::string text);

    std::string Text;

    void Layout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                bool wordWrap) override;
    void Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
               TMkColor backColor, bool singleLine, bool wordWrap, bool whiteOut) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
};
