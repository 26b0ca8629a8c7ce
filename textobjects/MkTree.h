#pragma once

#include "textobjects/MkParsedTextList.h"

#include <cstdint>

// An indented outline: nested trees are indented by Indent pixels.
class TMkTree : public TMkParsedTextList {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::Tree;

    explicit TMkTree(TMkBaseText *parent);

    std::int32_t Indent = 10;
    std::int32_t MaxWidth = 0;
    std::int32_t TotalHeight = 0;
    // 1 for a TREE element, 0 for an ITEM.
    std::uint8_t TreeKind = 0;

    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
    bool PlacesLikePlainList() const override { return false; }
};
