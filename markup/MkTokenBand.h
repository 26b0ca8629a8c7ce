#pragma once

#include "markup/MkToken.h"

#include <cstdint>
#include <memory>
#include <vector>

// The whole token sequence of one parse, read before any grammar work so that
// the grammar engine can step back to any earlier position at no cost.  The
// band owns its tokens.
class TMkTokenBand {
public:
    static constexpr std::int32_t BeforeFirst = -1;
    static constexpr std::int32_t PastLast = -2;

    void Clear();
    void Append(std::unique_ptr<TMkToken> token);
    // The new token becomes the current one and the former current token
    // follows it.  Before the first token it goes in front (the cursor stays
    // before it); past the end it is appended and becomes current.
    void InsertAtCursor(std::unique_ptr<TMkToken> token);
    // Takes every token out (the band is then empty, the cursor before the
    // first), for passes that rebuild the band in one go.
    std::vector<std::unique_ptr<TMkToken>> TakeAll();
    // Removes the current token; the cursor then designates the one after it.
    void DeleteCurrent();

    TMkToken *Current() const { return TokenAt(Cursor); }
    TMkToken *TokenAt(std::int32_t index) const
    {
        return IsIndex(index) ? tokens_[static_cast<std::size_t>(index)].get() : nullptr;
    }
    std::int32_t Count() const { return static_cast<std::int32_t>(tokens_.size()); }

    void First();
    void Next();
    void Prev();
    bool AtEnd() const { return Cursor == PastLast; }

    std::int32_t Cursor = BeforeFirst;

private:
    bool IsIndex(std::int32_t i) const { return i >= 0 && i < Count(); }

    std::vector<std::unique_ptr<TMkToken>> tokens_;
};
