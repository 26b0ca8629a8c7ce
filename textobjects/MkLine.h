#pragma once

#include "textobjects/MkPieceOfText.h"

#include <memory>

// A horizontal rule across the available width.
class TMkLine : public TMkPieceOfText {
public:
    explicit TMkLine(TMkBaseText *parent);

    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
};
