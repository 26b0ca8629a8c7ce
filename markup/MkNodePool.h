#pragma once

#include <cstddef>
#include <vector>

// Blocks of one kind kept for reuse, and a count of those in use.  The
// grammar engine makes and throws away a deduction node at every attempt,
// alternative and content pass (dtd/MkDeductionTree.h); with this, making
// and discarding one allocates nothing.  The pool only holds the blocks: its
// user says what lives in them, and the pool gives the memory back with
// ::operator delete when it goes, so whatever it holds must have been made
// with plain new and must need no destructor by then.
class TMkNodePool {
public:
    explicit TMkNodePool(std::size_t maxFree) : maxFree_(maxFree) {}
    ~TMkNodePool();
    TMkNodePool(const TMkNodePool &) = delete;
    TMkNodePool &operator=(const TMkNodePool &) = delete;

    // A block given back before, or null when none waits.
    void *Take()
    {
        if (free_.empty())
            return nullptr;
        void *block = free_.back();
        free_.pop_back();
        return block;
    }
    // Keeps a block for reuse; false when the pool is full and the caller
    // must free it.
    bool Give(void *block)
    {
        if (free_.size() >= maxFree_)
            return false;
        free_.push_back(block);
        return true;
    }
    std::size_t FreeCount() const { return free_.size(); }

    // Kept by the user: how many of its nodes are in use now.
    std::size_t Live = 0;

private:
    std::size_t maxFree_;
    std::vector<void *> free_;
};
