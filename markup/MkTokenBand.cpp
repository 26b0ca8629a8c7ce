#include "markup/MkTokenBand.h"

#include <algorithm>

void TMkTokenBand::Clear()
{
    Tokens.clear();
    Cursor = BeforeFirst;
}

void TMkTokenBand::Append(std::unique_ptr<TMkToken> token)
{
    if (token)
        Tokens.push_back(std::move(token));
}

void TMkTokenBand::InsertAtCursor(std::unique_ptr<TMkToken> token)
{
    if (!token)
        return;
    const bool append = Cursor != BeforeFirst && !IsIndex(Cursor);
    const std::int32_t at = Cursor == BeforeFirst ? 0 : Cursor;
    Tokens.push_back(std::move(token));
    if (append)
        Cursor = Count() - 1;
    else // moved from the end to its place
        std::rotate(Tokens.begin() + at, Tokens.end() - 1, Tokens.end());
}

std::vector<std::unique_ptr<TMkToken>> TMkTokenBand::TakeAll()
{
    std::vector<std::unique_ptr<TMkToken>> tokens;
    tokens.swap(Tokens);
    Cursor = BeforeFirst;
    return tokens;
}

void TMkTokenBand::DeleteCurrent()
{
    if (!IsIndex(Cursor)) {
        Cursor = PastLast;
        return;
    }
    Tokens.erase(Tokens.begin() + Cursor);
    if (Cursor >= Count())
        Cursor = PastLast;
}

TMkToken *TMkTokenBand::Current() const
{
    return IsIndex(Cursor) ? Tokens[static_cast<std::size_t>(Cursor)].get() : nullptr;
}

TMkToken *TMkTokenBand::TokenAt(std::int32_t index) const
{
    return IsIndex(index) ? Tokens[static_cast<std::size_t>(index)].get() : nullptr;
}

void TMkTokenBand::First()
{
    if (!Tokens.empty())
        Cursor = 0;
}

void TMkTokenBand::Next()
{
    if (Tokens.empty() || Cursor == PastLast)
        return;
    if (Cursor >= Count() - 1)
        Cursor = PastLast;
    else
        ++Cursor;
}

void TMkTokenBand::Prev()
{
    if (Tokens.empty() || Cursor == BeforeFirst)
        return;
    if (Cursor == PastLast)
        Cursor = Count() - 1;
    else
        --Cursor;
}
