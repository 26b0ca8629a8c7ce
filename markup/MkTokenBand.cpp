#include "markup/MkTokenBand.h"

#include <algorithm>

void TMkTokenBand::Clear()
{
    tokens_.clear();
    Cursor = BeforeFirst;
}

void TMkTokenBand::Append(std::unique_ptr<TMkToken> token)
{
    if (token)
        tokens_.push_back(std::move(token));
}

void TMkTokenBand::InsertAtCursor(std::unique_ptr<TMkToken> token)
{
    if (!token)
        return;
    const bool append = Cursor != BeforeFirst && !IsIndex(Cursor);
    const std::int32_t at = Cursor == BeforeFirst ? 0 : Cursor;
    tokens_.push_back(std::move(token));
    if (append)
        Cursor = Count() - 1;
    else // moved from the end to its place
        std::rotate(tokens_.begin() + at, tokens_.end() - 1, tokens_.end());
}

std::vector<std::unique_ptr<TMkToken>> TMkTokenBand::TakeAll()
{
    std::vector<std::unique_ptr<TMkToken>> tokens;
    tokens.swap(tokens_);
    Cursor = BeforeFirst;
    return tokens;
}

void TMkTokenBand::DeleteCurrent()
{
    if (!IsIndex(Cursor)) {
        Cursor = PastLast;
        return;
    }
    tokens_.erase(tokens_.begin() + Cursor);
    if (Cursor >= Count())
        Cursor = PastLast;
}

void TMkTokenBand::First()
{
    if (!tokens_.empty())
        Cursor = 0;
}

void TMkTokenBand::Next()
{
    if (tokens_.empty() || Cursor == PastLast)
        return;
    if (Cursor >= Count() - 1)
        Cursor = PastLast;
    else
        ++Cursor;
}

void TMkTokenBand::Prev()
{
    if (tokens_.empty() || Cursor == BeforeFirst)
        return;
    if (Cursor == PastLast)
        Cursor = Count() - 1;
    else
        --Cursor;
}
