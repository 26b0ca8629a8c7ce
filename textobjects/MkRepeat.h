#pragma once

#include "textobjects/MkParsedTextList.h"

#include <cstdint>
#include <functional>
#include <string>

// Told about each copy a repeat block is about to make: the block and the
// 0-based copy index.
using TMkRepeatCallback = std::function<void(TMkBaseText &sender, std::int32_t index)>;

// A repeat block that the markup reader left in the tree.  Resolving the
// variables replaces it by a plain list holding its copies.
class TMkRepeat : public TMkParsedTextList {
public:
    explicit TMkRepeat(TMkBaseText *parent);
    TMkRepeat(TMkBaseText *parent, TMkRepeatCallback onRepeat, std::string repeatCount);

    std::string RepeatCount = "1";
    TMkRepeatCallback OnRepeat;

    // The count: RepeatCount as an integer, 1 when it is not one.
    std::int32_t CountValue() const;

    std::unique_ptr<TMkBaseText> Clone() const override;
    // Replaces this block in its parent: destroys this object.
    void ResolveVariables(const TMkVariableCallback &callback) override;
};

// Copies cannot grow without bound from one hostile count, nor from nested
// blocks multiplying their counts.
inline constexpr std::int32_t MkMaxRepeatCount = 10000;
inline constexpr std::int64_t MkMaxRepeatCopies = 100000;
