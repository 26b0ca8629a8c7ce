#pragma once

#include "textobjects/MkParsedTextList.h"

#include <cstdint>

// A numbered or bulleted list; its items are indented by 20 pixels.
class TMkList : public TMkParsedTextList {
public:
    explicit TMkList(TMkBaseText *parent);
    TMkList(TMkBaseText *parent, std::uint8_t numbered);

    // 1 numbered, 0 bulleted.
    std::uint8_t Numbered = 0;

    void Layout(const TMkLayoutArgs &args) override;
    void Paint(const TMkPaintArgs &args) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
    bool PlacesLikePlainList() const override { return false; }

private:
    void DrawMarker(TMkCanvas &canvas, std::int32_t left, std::int32_t top, std::int32_t number,
                    std::int32_t markerHeight, std::int32_t heightOfW);
};

// One list item, laid out like a plain list.
class TMkListItem : public TMkParsedTextList {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::ListItem;

    explicit TMkListItem(TMkBaseText *parent);

    std::unique_ptr<TMkBaseText> Clone() const override;

    // 13 when the item starts with text or is empty, else 0: where the
    // marker goes.
    std::int32_t MarkerHeight() const;
};
