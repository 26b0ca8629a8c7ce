#pragma once

#include <string>
#include <string_view>

// Byte-string helpers of the markup readers.  Markup names (tags, attributes,
// elements, colours, parser classes) are compared ignoring case.

char MkUpperChar(char c);
std::string MkUpperCase(std::string_view text);
bool MkSameText(std::string_view a, std::string_view b);
