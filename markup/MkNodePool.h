#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// Blocks of one size for objects made and thrown away at a high rate: the
// grammar engine makes and discards a deduction node at every attempt,
// alternative and content pass (dtd/MkDeductionTree.h), and a long row keeps
// tens of thousands of them until its run ends.
//
// Blocks are cut from chunks of many blocks, so that making a node costs no
// call to the heap, and a block given back waits on a list threaded through
// the blocks themselves.  The pool only holds the memory: its user makes its
// objects in the blocks and says when they are gone, and whatever lives in a
// block must need no destructor by the time it is given back.
class TMkNodePool {
public:
    // keptBlocks: how many blocks' worth of chunks GiveAll keeps for the
    // next use; the rest goes back to the heap.
    TMkNodePool(std::size_t blockSize, std::size_t keptBlocks);
    ~TMkNodePool();
    TMkNodePool(const TMkNodePool &) = delete;
    TMkNodePool &operator=(const TMkNodePool &) = delete;

    // A block given back before, or a fresh one.
    void *Take()
    {
        ++live_;
        if (free_) {
            TFree *block = free_;
            free_ = block->Next;
            return block;
        }
        if (next_ == end_)
            OpenChunk();
        void *block = next_;
        next_ += blockSize_;
        return block;
    }
    // Puts one block on the list for reuse.
    void Give(void *block)
    {
        auto *free = static_cast<TFree *>(block);
        free->Next = free_;
        free_ = free;
        --live_;
    }
    // Takes every block back at once, without looking at any: for when all
    // the blocks in use belong to one structure dropped as a whole.  Chunks
    // beyond keptBlocks are freed.
    void GiveAll();

    // Blocks in use now.
    std::size_t Live() const { return live_; }
    // Blocks the chunks now held can give without asking the heap.
    std::size_t Capacity() const { return chunks_.size() * BlocksPerChunk; }

private:
    static constexpr std::size_t BlocksPerChunk = 1024;
    struct TFree {
        TFree *Next;
    };

    // Moves on to the next chunk held, or to a new one.
    void OpenChunk();

    std::size_t blockSize_;
    std::size_t keptChunks_;
    std::vector<std::unique_ptr<std::byte[]>> chunks_;
    std::size_t chunk_ = 0; // the chunk next_ cuts from, plus one
    std::byte *next_ = nullptr;
    std::byte *end_ = nullptr;
    TFree *free_ = nullptr;
    std::size_t live_ = 0;
};
