#pragma once

#include "textobjects/MkPieceOfText.h"

#include <memory>

// A forced line break: no size, ends the line of its paragraph.
class TMkLineBreak : public TMkPieceOfText {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::LineBreak;

    explicit TMkLineBreak(TMkBaseText *parent);

    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
};
