#pragma once

#include "textobjects/MkPieceOfText.h"

#include <memory>

// A forced line break: no size, ends the line of its paragraph.
class TMkLineBreak : public TMkPieceOfText {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::LineBreak;

    explicit TMkLineBreak(TMkBaseText *parent);

    void Layout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                bool wordWrap) override;
    void Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
               TMkColor backColor, bool singleLine, bool wordWrap, bool whiteOut) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
};
