#pragma once

#include "textobjects/MkSameText.h"

// Byte-string helpers of the markup readers.  Markup names (tags, attributes,
// elements, colours, parser classes) are compared ignoring case, with
// MkSameText, and upper-cased with MkUpperCase.
