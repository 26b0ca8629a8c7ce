#pragma once

#include "textobjects/MkBaseText.h"

#include <string>

// A tag kept in its source form but not rendered; export writes it back.
class TMkHiddenText : public TMkBaseText {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::HiddenText;

    TMkHiddenText(TMkBaseText *parent, std::string text);

    std::string Text;

    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
};
