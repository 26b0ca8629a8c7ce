#pragma once

#include "textobjects/MkParsedTextList.h"

#include <cstdint>
#include <string>

// Children arranged in lines, broken at the available width when wrapping.
class TMkParagraph : public TMkParsedTextList {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::Paragraph;

    explicit TMkParagraph(TMkBaseText *parent);
    TMkParagraph(TMkBaseText *parent, const std::string &align);

    // "LEFT", "RIGHT", "CENTER", "JUSTIFY", a variable reference, or empty.
    TMkSharedString Align;

    // 0 left, 1 right, 2 center, 3 justify; raises EMkUnresolvedVariable while
    // Align still holds a reference.
    std::int32_t AlignValue() const;

    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void ResolveVariables(const TMkVariableCallback &callback) override;
    void Export(TMkWriter &writer) const override;
    bool PlacesLikePlainList() const override { return false; }
};
