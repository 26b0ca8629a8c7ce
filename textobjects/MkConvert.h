#pragma once

#include <cstdint>
#include <string_view>

namespace mktext {

// A few digits alone ("16", "3"), which no 32-bit value can overflow: the
// common case, read in line.  False for anything else.
inline bool TryPlainDigits(std::string_view text, std::int32_t &value)
{
    if (text.empty() || text.size() > 9)
        return false;
    std::int32_t n = 0;
    for (const char c : text) {
        const auto digit = static_cast<unsigned char>(c - '0');
        if (digit > 9)
            return false;
        n = n * 10 + digit;
    }
    value = n;
    return true;
}

// The whole conversion below, for what the short way does not read.
bool TryStrToIntInFull(std::string_view text, std::int32_t &value);

} // namespace mktext

// Integer conversion as markup attribute values need it: optional leading
// blanks, an optional sign, then decimal digits.  Anything else ("$10",
// "0x2", trailing characters) and values outside 32 bits are refused.
inline bool MkTextTryStrToInt(std::string_view text, std::int32_t &value)
{
    return mktext::TryPlainDigits(text, value) || mktext::TryStrToIntInFull(text, value);
}

// The value of a hexadecimal digit, -1 for any other character.
int MkHexDigitValue(char c);

// Hexadecimal digits alone (no blanks, sign or prefix), up to 0xFFFFFFFF,
// which wraps into the signed range; false for anything else.
bool MkTextTryHexToInt(std::string_view digits, std::int32_t &value);

// As MkTextTryStrToInt, raising EConvertError for a text that is not an
// integer.
std::int32_t MkTextStrToInt(std::string_view text);

// As above, with 0 for a text that is not an integer.
inline std::int32_t MkTextIntOrZero(std::string_view text)
{
    std::int32_t value = 0;
    return MkTextTryStrToInt(text, value) ? value : 0;
}
