#include "HeapCounter.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

std::size_t liveBytes = 0;
std::size_t peakBytes = 0;

} // namespace

std::size_t MkHeapLive()
{
    return liveBytes;
}

std::size_t MkHeapPeak()
{
    return peakBytes;
}

void MkHeapResetPeak()
{
    peakBytes = liveBytes;
}

// Every allocation of the program is counted, with its size kept in front of
// the block.
void *operator new(std::size_t size)
{
    auto *block = static_cast<std::size_t *>(std::malloc(size + sizeof(std::max_align_t)));
    if (block == nullptr)
        throw std::bad_alloc();
    *block = size;
    liveBytes += size;
    peakBytes = std::max(peakBytes, liveBytes);
    return reinterpret_cast<char *>(block) + sizeof(std::max_align_t);
}

void operator delete(void *p) noexcept
{
    if (p == nullptr)
        return;
    auto *block =
        reinterpret_cast<std::size_t *>(static_cast<char *>(p) - sizeof(std::max_align_t));
    liveBytes -= *block;
    std::free(block);
}

void operator delete(void *p, std::size_t) noexcept
{
    operator delete(p);
}
