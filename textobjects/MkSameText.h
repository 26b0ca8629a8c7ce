#pragma once

#include <array>
#include <string>
#include <string_view>

// Names (tags, attributes, colours, fonts, alignments) are compared ignoring
// case: ASCII letters, and the accented letters of the Latin-1 code page that
// the markup is written in (0xE0..0xFE without the division sign), so that
// comparisons behave like the system's case-insensitive compare whatever
// the C library's locale.  Inline and looked up in a table built at compile
// time: names are compared at every step of a parse and of a layout.
inline constexpr std::array<unsigned char, 256> MkUpperChars = [] {
    std::array<unsigned char, 256> upper{};
    for (unsigned b = 0; b < upper.size(); ++b) {
        const bool lower = (b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7);
        upper[b] = static_cast<unsigned char>(lower ? b - 0x20 : b);
    }
    return upper;
}();

inline char MkUpperChar(char c)
{
    return static_cast<char>(MkUpperChars[static_cast<unsigned char>(c)]);
}

// text with every letter upper-cased as MkUpperChar does.
inline std::string MkUpperCase(std::string_view text)
{
    std::string upper(text);
    for (char &c : upper)
        c = MkUpperChar(c);
    return upper;
}

inline bool MkSameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && MkUpperChar(a[i]) != MkUpperChar(b[i]))
            return false;
    return true;
}
