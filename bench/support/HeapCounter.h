#pragma once

#include <cstddef>

// Heap accounting for the benchmarks that measure memory.  A program that
// links the vesmar_heap_counter library has every operator new and delete
// counted: the bytes asked for, not what the allocator adds around them.
// Single-threaded programs only.

// Bytes allocated and not yet freed.
std::size_t MkHeapLive();
// The most MkHeapLive has been since the last MkHeapResetPeak.
std::size_t MkHeapPeak();
// Starts a new peak from what is live now.
void MkHeapResetPeak();
