#include "textobjects/MkConvert.h"

#include "textobjects/MkErrors.h"

#include <string>

namespace {

int DigitValue(char c, int base)
{
    int d = -1;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < base ? d : -1;
}

} // namespace

bool MkTextTryStrToInt(std::string_view text, std::int32_t &value)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    // Hexadecimal may fill all 32 bits; decimal must fit the signed range.
    const std::int64_t limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    std::int64_t n = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0)
            return false;
        n = n * base + d;
        if (n > limit)
            return false;
    }
    if (base == 16)
        n = static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
    value = static_cast<std::int32_t>(negative ? -n : n);
    return true;
}

std::int32_t MkTextStrToInt(std::string_view text)
{
    std::int32_t value = 0;
    if (!MkTextTryStrToInt(text, value))
        throw EConvertError::NotAnInteger(std::string(text));
    return value;
}

std::int32_t MkTextIntOrZero(std::string_view text)
{
    std::int32_t value = 0;
    return MkTextTryStrToInt(text, value) ? value : 0;
}
