#pragma once

#include <cstddef>
#include <cstdint>

// A bitmap of the line feeds in a block of bytes: bit i of word i / 64 is set
// when bytes[i] is LF.  The word list is read by scanning this map rather than
// the bytes, which costs a bit scan per line instead of a memchr call.
//
// Both functions read `words` whole blocks of 64 bytes: the caller's buffer
// must hold them all, whatever part of the last block is in use.

// The fastest way this machine knows: SSE2 compares sixteen bytes at once on
// x86-64; elsewhere it is MapLineFeedsPortable.
void MapLineFeeds(const char *bytes, std::size_t words, std::uint64_t *map);

// Eight bytes at a time in plain integer arithmetic, for any processor.
void MapLineFeedsPortable(const char *bytes, std::size_t words, std::uint64_t *map);
