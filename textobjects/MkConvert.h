#pragma once

#include <cstdint>
#include <string_view>

// Integer conversion as markup attribute values need it: optional leading
// blanks, an optional sign, then decimal digits, or hexadecimal digits after
// "$" or "0x".  Trailing characters and values outside 32 bits are refused;
// hexadecimal values up to 0xFFFFFFFF wrap into the signed range.
bool MkTextTryStrToInt(std::string_view text, std::int32_t &value);

// As above, raising EConvertError for a text that is not an integer.
std::int32_t MkTextStrToInt(std::string_view text);

// As above, with 0 for a text that is not an integer.
std::int32_t MkTextIntOrZero(std::string_view text);
