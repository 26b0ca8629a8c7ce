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

    void Layout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                bool wordWrap) override;
    void Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
               TMkColor backColor, bool singleLine, bool wordWrap, bool whiteOut) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
    bool PlacesLikePlainList() const override { return false; }
};
