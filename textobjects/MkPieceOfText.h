#pragma once

#include "textobjects/MkBaseText.h"

#include <cstdint>
#include <string>

// A leaf of the tree that flows in a paragraph's lines.
class TMkPieceOfText : public TMkBaseText {
public:
    explicit TMkPieceOfText(TMkBaseText *parent);

    std::uint8_t IsLink = 0;
    TMkSharedString LinkRef;

    void ResolveVariables(const TMkVariableCallback &callback) override;

protected:
    void CopyPieceTo(TMkPieceOfText &target) const;
};
