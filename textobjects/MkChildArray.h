#pragma once

#include "textobjects/MkBaseText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <utility>

// The children of a list: an array that grows by doubling, as a vector's
// does, but kept in 16 bytes rather than 24 (its counts take 32 bits each),
// and with no array at all while it is empty.  A tree has a list for every
// paragraph, row and cell, many of them empty or holding one child.
class TMkChildArray {
public:
    using TChild = std::unique_ptr<TMkBaseText>;

    TMkChildArray() noexcept = default;
    ~TMkChildArray() { clear(); }
    TMkChildArray(const TMkChildArray &) = delete;
    TMkChildArray &operator=(const TMkChildArray &) = delete;

    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }

    TChild *begin() noexcept { return items_; }
    TChild *end() noexcept { return items_ + size_; }
    const TChild *begin() const noexcept { return items_; }
    const TChild *end() const noexcept { return items_ + size_; }
    TChild &operator[](std::size_t index) noexcept { return items_[index]; }
    const TChild &operator[](std::size_t index) const noexcept { return items_[index]; }

    void push_back(TChild child)
    {
        MakeRoom();
        items_[size_++] = std::move(child);
    }
    void insert(std::size_t index, TChild child)
    {
        MakeRoom();
        std::move_backward(begin() + index, end(), end() + 1);
        items_[index] = std::move(child);
        ++size_;
    }
    // Destroys the child at index, after the later ones moved up.
    void erase(std::size_t index)
    {
        const TChild gone = std::move(items_[index]);
        std::move(begin() + index + 1, end(), begin() + index);
        --size_;
    }
    // Destroys every child, first to last, and the array.
    void clear() noexcept
    {
        Free(items_, capacity_);
        items_ = nullptr;
        size_ = 0;
        capacity_ = 0;
    }

private:
    // The array is taken from an allocator, not from new[], which would put
    // the count of a class's elements before them: 8 more bytes for each of
    // the many lists that hold a child or two.
    static TChild *Allocate(std::uint32_t capacity)
    {
        TChild *items = std::allocator<TChild>().allocate(capacity);
        std::uninitialized_value_construct_n(items, capacity);
        return items;
    }
    static void Free(TChild *items, std::uint32_t capacity) noexcept
    {
        if (items == nullptr)
            return;
        std::destroy_n(items, capacity);
        std::allocator<TChild>().deallocate(items, capacity);
    }

    // Room for one more child: a full array is moved into one twice its
    // size.
    void MakeRoom()
    {
        if (size_ < capacity_)
            return;
        if (capacity_ > UINT32_MAX / 2)
            throw std::length_error("too many children in one list");
        const std::uint32_t capacity = capacity_ == 0 ? 1 : capacity_ * 2;
        TChild *items = Allocate(capacity);
        std::move(begin(), end(), items);
        Free(items_, capacity_);
        items_ = items;
        capacity_ = capacity;
    }

    TChild *items_ = nullptr;
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = 0;
};
