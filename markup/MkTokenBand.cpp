#include "markup/MkTokenBand.h"

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
    if (Cursor == BeforeFirst) {
        Tokens.emplace(Tokens.begin(), token.release());
    } else if (!IsIndex(Cursor)) {
        Tokens.push_back(std::move(token));
        Cursor = Count() - 1;
    } else {
        Tokens.emplace(Tokens.begin() + Cursor, token.release());
    }
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

TMkToken* TMkTokenBand::Current() const
{
    return IsIndex(Cursor) ? Tokens[static_cast<std::size_t>(Cursor)].get() : nullptr;
}

TMkToken* TMkTokenBand::TokenAt(std::int32_t index) const
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
