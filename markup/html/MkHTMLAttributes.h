#pragma once

#include <cstdint>
#include <string_view>

// How the HTML parser reads the numbers in attribute values.

// A length (WIDTH, HEIGHT, CELLPADDING, ROWSPAN, COLSPAN) in the size
// encoding of the text objects: leading decimal digits, then
//   nothing      the digits as pixels ("30" gives 30);
//   "%"          a percentage, -1..-100 ("50%" gives -50, "0%" -1, "150%" -100);
//   "*"          a share, -(digits) - 100 ("2*" gives -102);
//   anything else, or no digits at all: -100 (the whole width).
// A "%" or "*" without digits before it raises EConvertError, as does a
// number too large for 32 bits.
std::int32_t MkHTMLLength(std::string_view value);

// ALIGN: "LEFT" 0, "RIGHT" 1, "CENTER" 2, "JUSTIFY" 3, anything else 0.
std::uint8_t MkHTMLAlign(std::string_view value);
// VALIGN: "TOP" 0, "MIDDLE" 1, "BOTTOM" 2, anything else 3 (none given).
std::uint8_t MkHTMLVAlign(std::string_view value);
