#include "markup/html/MkHTMLAttributes.h"

#include "markup/MkStrings.h"
#include "textobjects/MkConvert.h"
#include "textobjects/MkErrors.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

constexpr std::int32_t FullWidth = -100;

std::int32_t Digits(std::string_view digits)
{
    // An empty digit run is what a bare "%" or "*" leaves; both it and an
    // overlong number are conversion errors, as for any other integer.
    return MkTextStrToInt(std::string(digits));
}

} // namespace

std::int32_t MkHTMLLength(std::string_view value)
{
    const std::size_t end = std::min(value.size(), value.find_first_not_of("0123456789"));
    const std::string_view digits = value.substr(0, end);
    if (end == value.size())
        return digits.empty() ? FullWidth : Digits(digits);
    switch (value[end]) {
    case '%': {
        const std::int32_t percent = Digits(digits);
        if (percent == 0)
            return -1;
        return percent > 100 ? FullWidth : -percent;
    }
    case '*': {
        // A huge share saturates instead of wrapping round to a width.
        const std::int64_t share = -std::int64_t{Digits(digits)} - 100;
        return static_cast<std::int32_t>(
            std::max<std::int64_t>(share, std::numeric_limits<std::int32_t>::min()));
    }
    default: return FullWidth;
    }
}

std::uint8_t MkHTMLAlign(std::string_view value)
{
    if (MkSameText(value, "RIGHT"))
        return 1;
    if (MkSameText(value, "CENTER"))
        return 2;
    if (MkSameText(value, "JUSTIFY"))
        return 3;
    return 0;
}

std::uint8_t MkHTMLVAlign(std::string_view value)
{
    if (MkSameText(value, "TOP"))
        return 0;
    if (MkSameText(value, "MIDDLE"))
        return 1;
    if (MkSameText(value, "BOTTOM"))
        return 2;
    return 3;
}
