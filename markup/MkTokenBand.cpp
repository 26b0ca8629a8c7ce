#include "markup/MkTokenBand.h"

#include <algorithm>
#include <iterator>

void TMkTokenBand::Clear(TMkTokenStock *stock)
{
    if (stock != nullptr)
        for (auto &token : tokens_)
            stock->Keep(std::move(token));
    if (tokens_.capacity() > MostKeptRoom)
        std::vector<std::unique_ptr<TMkToken>>().swap(tokens_);
    else
        tokens_.clear();
    gapStart_ = gapSize_ = 0;
    Cursor = BeforeFirst;
}

void TMkTokenBand::MoveGap(std::size_t index)
{
    if (gapSize_ > 0) {
        const auto at = [this](std::size_t i) {
            return tokens_.begin() + static_cast<std::ptrdiff_t>(i);
        };
        if (index < gapStart_)
            std::move_backward(at(index), at(gapStart_), at(gapStart_ + gapSize_));
        else if (index > gapStart_)
            std::move(at(gapStart_ + gapSize_), at(index + gapSize_), at(gapStart_));
    }
    gapStart_ = index;
}

void TMkTokenBand::Append(std::unique_ptr<TMkToken> token)
{
    if (!token)
        return;
    if (gapSize_ == 0) {
        // A short document, such as one row of a list, fits in the first
        // block; longer ones grow from there.
        if (tokens_.capacity() == 0)
            tokens_.reserve(FirstBlock);
        tokens_.push_back(std::move(token));
        gapStart_ = tokens_.size();
        return;
    }
    MoveGap(static_cast<std::size_t>(Count()));
    tokens_[gapStart_++] = std::move(token);
    --gapSize_;
}

void TMkTokenBand::InsertAtCursor(std::unique_ptr<TMkToken> token)
{
    if (!token)
        return;
    if (Cursor != BeforeFirst && !IsIndex(Cursor)) {
        Append(std::move(token));
        Cursor = Count() - 1;
        return;
    }
    const auto at = static_cast<std::size_t>(Cursor == BeforeFirst ? 0 : Cursor);
    MoveGap(at);
    if (gapSize_ == 0) {
        // A new gap, in proportion to the band, so that a run of insertions
        // costs time in proportion to its length.
        const std::size_t room = std::max<std::size_t>(16, tokens_.size() / 8);
        const std::size_t size = tokens_.size();
        tokens_.resize(size + room);
        std::move_backward(tokens_.begin() + static_cast<std::ptrdiff_t>(at),
                           tokens_.begin() + static_cast<std::ptrdiff_t>(size), tokens_.end());
        gapSize_ = room;
    }
    tokens_[gapStart_++] = std::move(token);
    --gapSize_;
}

std::vector<std::unique_ptr<TMkToken>> TMkTokenBand::TakeFrom(std::int32_t index)
{
    const auto from = static_cast<std::size_t>(std::clamp(index, 0, Count()));
    MoveGap(static_cast<std::size_t>(Count()));
    tokens_.resize(gapStart_);
    std::vector<std::unique_ptr<TMkToken>> tokens(
        std::make_move_iterator(tokens_.begin() + static_cast<std::ptrdiff_t>(from)),
        std::make_move_iterator(tokens_.end()));
    tokens_.resize(from);
    gapStart_ = from;
    gapSize_ = 0;
    Cursor = BeforeFirst;
    return tokens;
}

void TMkTokenBand::DeleteCurrent()
{
    if (!IsIndex(Cursor)) {
        Cursor = PastLast;
        return;
    }
    // The token after the gap joins it.
    MoveGap(static_cast<std::size_t>(Cursor));
    tokens_[gapStart_ + gapSize_].reset();
    ++gapSize_;
    if (Cursor >= Count())
        Cursor = PastLast;
}

void TMkTokenBand::First()
{
    if (Count() > 0)
        Cursor = 0;
}

void TMkTokenBand::Next()
{
    if (Count() == 0 || Cursor == PastLast)
        return;
    if (Cursor >= Count() - 1)
        Cursor = PastLast;
    else
        ++Cursor;
}

void TMkTokenBand::Prev()
{
    if (Count() == 0 || Cursor == BeforeFirst)
        return;
    if (Cursor == PastLast)
        Cursor = Count() - 1;
    else
        --Cursor;
}
