#pragma once

#include "markup/MkToken.h"
#include "markup/MkTokenStock.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The whole token sequence of one parse, read before any grammar work so that
// the grammar engine can step back to any earlier position at no cost.  The
// band owns its tokens.
//
// Handlers insert tags where the grammar stands (an implied paragraph before
// each stray end tag) and delete the current one, one after the other along
// the band.  The tokens are therefore kept with a gap of empty places where
// the last change was made: a change next to it costs nothing, and the gap
// travels only as far as the next change, rather than each change shifting
// the whole rest of the band.
class TMkTokenBand {
public:
    static constexpr std::int32_t BeforeFirst = -1;
    static constexpr std::int32_t PastLast = -2;
    // A parser lives as long as its list box and parses a row at every
    // paint: the room one long document needed (8 bytes a token) would
    // otherwise stay with it for good.
    static constexpr std::size_t MostKeptRoom = 1024;

    // Empties the band; the tokens go to stock when one is given.  The room
    // stays for the next document, unless a long one left more than
    // MostKeptRoom places.
    void Clear(TMkTokenStock *stock = nullptr);
    void Append(std::unique_ptr<TMkToken> token);
    // The new token becomes the current one and the former current token
    // follows it.  Before the first token it goes in front (the cursor stays
    // before it); past the end it is appended and becomes current.
    void InsertAtCursor(std::unique_ptr<TMkToken> token);
    // Takes the tokens from index on out, in order, for passes that rebuild
    // the rest of the band in one go; the tokens before it stay, and the
    // cursor goes before the first.
    std::vector<std::unique_ptr<TMkToken>> TakeFrom(std::int32_t index);
    // Removes the current token; the cursor then designates the one after it.
    void DeleteCurrent();

    TMkToken *Current() const { return TokenAt(Cursor); }
    TMkToken *TokenAt(std::int32_t index) const
    {
        if (!IsIndex(index))
            return nullptr;
        const auto i = static_cast<std::size_t>(index);
        return tokens_[i < gapStart_ ? i : i + gapSize_].get();
    }
    std::int32_t Count() const { return static_cast<std::int32_t>(tokens_.size() - gapSize_); }
    // Places the band holds without asking the heap.
    std::size_t Room() const { return tokens_.capacity(); }

    void First();
    void Next();
    void Prev();
    bool AtEnd() const { return Cursor == PastLast; }

    std::int32_t Cursor = BeforeFirst;

private:
    static constexpr std::size_t FirstBlock = 64;

    bool IsIndex(std::int32_t i) const { return i >= 0 && i < Count(); }
    // Moves the gap to just before the token at index (or to the end).
    void MoveGap(std::size_t index);

    // The tokens, with gapSize_ empty places from gapStart_ on.
    std::vector<std::unique_ptr<TMkToken>> tokens_;
    std::size_t gapStart_ = 0;
    std::size_t gapSize_ = 0;
};
