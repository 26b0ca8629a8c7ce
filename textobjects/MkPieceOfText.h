#pragma once

#include "textobjects/MkBaseText.h"

#include <cstdint>
#include <string>

// A leaf of the tree that flows in a paragraph's lines.
class TMkPieceOfText : public TMkBaseText {
public:
    explicit TMkPieceOfText(TMkBaseText *parent);

    std::uint8_t IsLink = 0;
    std::string LinkRef;

    void ResolveVariables(const TMkVariableCallback &callback) override;

protected:
    void CopyPieceTo(TMkPieceOfText &target) const;
};

// A horizontal rule across the available width.
class TMkLine : public TMkPieceOfText {
public:
    explicit TMkLine(TMkBaseText *parent);

    bool NeedsLayout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                     bool wordWrap) override;
    void Layout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                bool wordWrap) override;
    void Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
               TMkColor backColor, bool singleLine, bool wordWrap, bool whiteOut) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
};

// A forced line break: no size, ends the line of its paragraph.
class TMkLineBreak : public TMkPieceOfText {
public:
    static constexpr TMkTextClass ClassBit = TMkTextClass::LineBreak;

    explicit TMkLineBreak(TMkBaseText *parent);

    bool NeedsLayout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                     bool wordWrap) override;
    void Layout(TMkCanvas &canvas, const TMkRect &rect, const TMkFont &font, bool singleLine,
                bool wordWrap) override;
    void Paint(TMkCanvas &canvas, const TMkRect &rect, TMkPoint offset, const TMkFont &font,
               TMkColor backColor, bool singleLine, bool wordWrap, bool whiteOut) override;
    std::unique_ptr<TMkBaseText> Clone() const override;
    void Export(TMkWriter &writer) const override;
};
