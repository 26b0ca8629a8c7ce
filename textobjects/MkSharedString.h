#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// An immutable byte string whose copies share one block, for the formatting
// values (a face, a size, a link) that every word of a run of text carries
// alike: a thousand words under one <font> hold one "Verdana", not a
// thousand.  Giving one word a new value gives it a new block and leaves its
// siblings alone, because a block is never changed once made.
//
// The empty string takes no block.  The count of holders is atomic: trees
// made by engines on different threads may be copied and dropped anywhere.
class TMkSharedString {
public:
    TMkSharedString() noexcept = default;
    explicit TMkSharedString(std::string_view value)
        : block_(value.empty() ? nullptr : new TBlock(value))
    {
    }
    TMkSharedString(const TMkSharedString &other) noexcept : block_(other.block_) { Retain(); }
    TMkSharedString(TMkSharedString &&other) noexcept : block_(std::exchange(other.block_, nullptr))
    {
    }
    ~TMkSharedString() { Release(); }

    TMkSharedString &operator=(TMkSharedString other) noexcept
    {
        std::swap(block_, other.block_);
        return *this;
    }
    TMkSharedString &operator=(std::string_view value) { return *this = TMkSharedString(value); }

    const std::string &str() const noexcept { return block_ != nullptr ? block_->Value : Empty(); }
    operator const std::string &() const noexcept { return str(); }
    operator std::string_view() const noexcept { return str(); }

    bool empty() const noexcept { return block_ == nullptr; }
    std::size_t size() const noexcept { return str().size(); }

    friend bool operator==(const TMkSharedString &a, const TMkSharedString &b) noexcept
    {
        return a.block_ == b.block_ || a.str() == b.str();
    }
    friend bool operator==(const TMkSharedString &a, std::string_view b) noexcept
    {
        return std::string_view(a.str()) == b;
    }

private:
    struct TBlock {
        explicit TBlock(std::string_view value) : Value(value) {}
        std::atomic<std::size_t> Holders{1};
        const std::string Value;
    };

    static const std::string &Empty() noexcept
    {
        static const std::string empty;
        return empty;
    }

    void Retain() const noexcept
    {
        if (block_ != nullptr)
            block_->Holders.fetch_add(1, std::memory_order_relaxed);
    }
    // The last holder frees the block; acquire-release so that its reads of
    // the value happen before the delete.
    void Release() noexcept
    {
        if (block_ != nullptr && block_->Holders.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete block_;
    }

    TBlock *block_ = nullptr;
};
