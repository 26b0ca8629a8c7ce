#pragma once

#include <string_view>

class TMkParagraph;
class TMkParsedTextList;

// The word splitting of the XML, DBF and CSV parsers: from left to right, a
// TMkText holding " " for every space and one TMkText for every run of other
// bytes, added to container.  No style is applied: the words keep the text
// objects' defaults.
void MkAddWords(TMkParsedTextList &container, std::string_view text);

// A new paragraph without alignment at the end of container, holding the
// words of text.
TMkParagraph &MkAddParagraph(TMkParsedTextList &container, std::string_view text);
