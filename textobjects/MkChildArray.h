#pragma once

#include "textobjects/MkBaseText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

// The children of a list: an array that grows as a vector's does, but kept
// in 16 bytes rather than 24 (its counts take 32 bits each).
// A tree has a list for every paragraph, row and cell, and most of them hold
// no child or one: a single child is kept in place of the array's address,
// so such lists never ask the heap.
class TMkChildArray {
public:
    using TChild = std::unique_ptr<TMkBaseText>;

    TMkChildArray() noexcept = default;
    ~TMkChildArray()
    {
        clear();
        store_.One.~TChild();
    }
    TMkChildArray(const TMkChildArray &) = delete;
    TMkChildArray &operator=(const TMkChildArray &) = delete;

    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }

    TChild *begin() noexcept { return InPlace() ? &store_.One : store_.Items; }
    TChild *end() noexcept { return begin() + size_; }
    const TChild *begin() const noexcept { return InPlace() ? &store_.One : store_.Items; }
    const TChild *end() const noexcept { return begin() + size_; }
    TChild &operator[](std::size_t index) noexcept { return begin()[index]; }
    const TChild &operator[](std::size_t index) const noexcept { return begin()[index]; }

    void push_back(TChild child)
    {
        MakeRoom();
        begin()[size_++] = std::move(child);
    }
    void insert(std::size_t index, TChild child)
    {
        MakeRoom();
        std::move_backward(begin() + index, end(), end() + 1);
        begin()[index] = std::move(child);
        ++size_;
    }
    TChild &back() noexcept { return begin()[size_ - 1]; }
    // Destroys the last child, which no longer counts while it goes.
    void pop_back() noexcept { begin()[--size_].reset(); }
    // Destroys the child at index, after the later ones moved up.
    void erase(std::size_t index)
    {
        const TChild gone = std::move(begin()[index]);
        std::move(begin() + index + 1, end(), begin() + index);
        --size_;
    }
    // Destroys every child, first to last, and the array.
    void clear() noexcept
    {
        if (InPlace()) {
            store_.One.reset();
        } else {
            Free(store_.Items, capacity_);
            new (&store_.One) TChild();
        }
        size_ = 0;
        capacity_ = 0;
    }

private:
    static constexpr std::uint32_t FirstBlock = 4;

    // While the capacity is 0 or 1 the child (if any) is kept in place;
    // beyond, in an array on the heap.
    bool InPlace() const noexcept { return capacity_ <= 1; }

    // The array is taken from an allocator, not from new[], which would put
    // the count of a class's elements before them.
    static TChild *Allocate(std::uint32_t capacity)
    {
        TChild *items = std::allocator<TChild>().allocate(capacity);
        std::uninitialized_value_construct_n(items, capacity);
        return items;
    }
    static void Free(TChild *items, std::uint32_t capacity) noexcept
    {
        std::destroy_n(items, capacity);
        std::allocator<TChild>().deallocate(items, capacity);
    }

    // Room for one more child: the place for one, then an array of
    // FirstBlock, and a full array is moved into one half as big again.
    // Growing by half rather than doubling keeps the unused room, and the
    // old and new arrays held at once while the children move, smaller: a
    // document of a million empty lines is a list of a million children.
    void MakeRoom()
    {
        const std::uint32_t room = InPlace() ? 1 : capacity_;
        if (size_ < room) {
            capacity_ = std::max<std::uint32_t>(capacity_, 1);
            return;
        }
        if (room > UINT32_MAX / 3 * 2)
            throw std::length_error("too many children in one list");
        // A row of cells or a line of a few words then needs one block.
        const std::uint32_t capacity = InPlace() ? FirstBlock : room + room / 2;
        TChild *items = Allocate(capacity);
        std::move(begin(), end(), items);
        if (InPlace())
            store_.One.~TChild(); // moved from, so empty
        else
            Free(store_.Items, capacity_);
        store_.Items = items;
        capacity_ = capacity;
    }

    union TStore {
        TStore() noexcept : One() {}
        ~TStore() {}
        TChild One;
        TChild *Items;
    } store_;
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = 0;
};
