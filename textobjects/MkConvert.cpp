#include "textobjects/MkConvert.h"

#include "textobjects/MkErrors.h"

#include <string>

int MkHexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool mktext::TryStrToIntInFull(std::string_view text, std::int32_t &value)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        return false;
    const std::int64_t limit = negative ? 0x80000000LL : 0x7FFFFFFFLL;
    std::int64_t n = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        n = n * 10 + (text[i] - '0');
        if (n > limit)
            return false;
    }
    value = static_cast<std::int32_t>(negative ? -n : n);
    return true;
}

bool MkTextTryHexToInt(std::string_view digits, std::int32_t &value)
{
    if (digits.empty())
        return false;
    std::uint64_t n = 0;
    for (const char c : digits) {
        const int d = MkHexDigitValue(c);
        if (d < 0)
            return false;
        n = n * 16 + static_cast<std::uint64_t>(d);
        if (n > 0xFFFFFFFFULL)
            return false;
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
    return true;
}

std::int32_t MkTextStrToInt(std::string_view text)
{
    std::int32_t value = 0;
    if (!MkTextTryStrToInt(text, value))
        throw EConvertError::NotAnInteger(std::string(text));
    return value;
}
