#pragma once

#if defined(__GLIBC__)
#include <malloc.h>
#endif

// The heap as the game runs it; the speed benchmarks set it the same way.
//
// By default glibc gives the top of its heap back to the system once 128 KiB
// of it is free.  A list box parses its rows again on every paint, and a row
// of tens of kilobytes of markup builds and frees megabytes each time, so
// every repaint of it faulted the same pages in afresh: up to three times
// the cost of the parse itself.  Up to 32 MiB of freed heap now stays for
// the next paint.  Setting the trim threshold also fixes glibc's threshold
// for blocks that get a mapping of their own (otherwise it adapts); a
// row's larger arrays, up to 4 MiB, come from the heap, so they too are
// reused rather than mapped and faulted in on each paint.
inline void MkKeepHeapForRepaints()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 32 << 20);
#endif
}
