#include "markup/MkNodePool.h"

#include <algorithm>

namespace {

// Every block is aligned for any object, and large enough for a list link.
std::size_t RoundedBlockSize(std::size_t size)
{
    constexpr std::size_t Alignment = alignof(std::max_align_t);
    size = std::max(size, sizeof(void *));
    return (size + Alignment - 1) / Alignment * Alignment;
}

} // namespace

TMkNodePool::TMkNodePool(std::size_t blockSize, std::size_t keptBlocks)
    : blockSize_(RoundedBlockSize(blockSize)),
      keptChunks_((keptBlocks + BlocksPerChunk - 1) / BlocksPerChunk)
{
}

TMkNodePool::~TMkNodePool() = default;

void TMkNodePool::OpenChunk()
{
    if (chunk_ == chunks_.size())
        chunks_.push_back(std::make_unique_for_overwrite<std::byte[]>(blockSize_ * BlocksPerChunk));
    next_ = chunks_[chunk_++].get();
    end_ = next_ + blockSize_ * BlocksPerChunk;
}

void TMkNodePool::GiveAll()
{
    live_ = 0;
    free_ = nullptr;
    if (chunks_.size() > keptChunks_)
        chunks_.resize(keptChunks_);
    chunk_ = 0;
    next_ = end_ = nullptr;
}
