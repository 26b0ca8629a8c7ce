#pragma once

#include <string>

// Character references in HTML text.  Named references come first, one
// table entry after the other in the table's order, so that a replacement
// may form a reference that a later entry replaces ("&amp;lt;" ends as "<");
// numeric references ("&#65;", "&#x41;") follow.  Characters are single bytes
// of the text's code page.
std::string MkDecodeEntities(std::string text);

// The named part alone, and the numeric part alone (for tests).
std::string MkDecodeNamedEntities(std::string text);
std::string MkDecodeNumericEntities(std::string text);
