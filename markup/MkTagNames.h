#pragma once

#include <cstdint>
#include <string_view>

// Tag and element names as small integers, so that the grammar engine
// compares numbers where it would compare names ignoring case at every step.
// Names are interned upper-cased, as they are compared: "td" and "TD" are
// one name.  Only the names a document type declares are interned, so the
// table stays as small as the declarations, whatever the markup holds.

// No name: a tag named nothing that is interned.
inline constexpr std::int32_t MkNoTagName = -1;

// The number of a declared name, interning it when it is new.
std::int32_t MkInternTagName(std::string_view name);
// The number of a name interned before, MkNoTagName for any other.
std::int32_t MkFindTagName(std::string_view name);
// How many names are interned: a name found missing may be there once this
// has grown.  Read at every tag the grammar looks at, so it is a plain
// variable, kept by MkInternTagName.
inline std::int32_t MkTagNamesInterned = 0;
