#pragma once

#include "textobjects/MkColor.h"

#include <string>
#include <string_view>

class TMkBaseText;

// The text form of a tree that the dump tool prints and the tests compare:
// one object per line in pre-order, two spaces of indentation per level
// below the root, the class name and then " Field=value" for the fields of
// its class.  Integers are decimal, colours 0x and eight upper-case hex
// digits, strings in double quotes with \\, \" and \xHH for bytes outside
// printable ASCII.  With withBounds each line ends with " L= T= W= H=".
std::string MkDumpTree(const TMkBaseText &root, bool withBounds = false);

// One object's line without indentation or line feed.
std::string MkDumpObject(const TMkBaseText &object, bool withBounds = false);

// The class name that the dump shows for an object.
std::string MkTextClassName(const TMkBaseText &object);

std::string MkDumpString(std::string_view text);
std::string MkDumpColor(TMkColor color);
