#pragma once

#include "textobjects/MkSameText.h"

#include <string>
#include <string_view>

// Byte-string helpers of the markup readers.  Markup names (tags, attributes,
// elements, colours, parser classes) are compared ignoring case, with
// MkSameText.

// text with every letter upper-cased as MkUpperChar does.
std::string MkUpperCase(std::string_view text);
