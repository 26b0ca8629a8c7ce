#pragma once

#include <string>

class TRandomGenerator;

// True when `path` names an existing file; a directory of that name does not
// count.
bool DictionaryExists(const std::string &path);

// Draws a word of `length` bytes from the word list at `path`: a random skip
// of up to 589,998 lines, then a forward search for the next line of that
// length.  When the search runs off the end, a smaller skip is drawn and the
// file is read again from its start, until a word is found.
//
// Returns the empty string when the list holds no line of that length (found
// out by a full pass from the first line).  Throws EInOutError when the file
// cannot be opened or read.
std::string DrawWord(const std::string &path, int length, TRandomGenerator &random);
