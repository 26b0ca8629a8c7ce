#pragma once

#include "textobjects/MkPieceOfText.h"

#include <memory>

// A horizontal rule across the available width.
class TMkLine : public TMkPieceOfText {
public:
    explicit TMkLine(TMkBaseText *parent);

    void Layout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                bool wordWrap) override;
    void Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
               TMkColor backColor, bool singleLine, bool wordWrap, bool whiteOut) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
};
