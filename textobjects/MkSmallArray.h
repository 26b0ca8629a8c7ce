#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <type_traits>

// A growing array of plain values (pointers, counts) that keeps its first
// InPlace items inside itself and moves to the heap only once it outgrows
// them.  Table layout takes snapshots of the grid at every pass; nearly all
// tables are a few cells, whose snapshots then cost no heap block.
template <class T, std::size_t InPlace> class TMkSmallArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    TMkSmallArray() noexcept = default;
    TMkSmallArray(TMkSmallArray &&other) noexcept
        : heap_(std::move(other.heap_)),
          size_(other.size_),
          capacity_(other.capacity_)
    {
        if (!heap_)
            std::copy_n(other.inPlace_, size_, inPlace_);
        other.size_ = 0;
        other.capacity_ = InPlace;
    }
    TMkSmallArray(const TMkSmallArray &) = delete;
    TMkSmallArray &operator=(const TMkSmallArray &) = delete;
    TMkSmallArray &operator=(TMkSmallArray &&) = delete;

    std::size_t size() const noexcept { return size_; }
    T *data() noexcept { return heap_ ? heap_.get() : inPlace_; }
    const T *data() const noexcept { return heap_ ? heap_.get() : inPlace_; }
    T &operator[](std::size_t index) noexcept { return data()[index]; }
    const T &operator[](std::size_t index) const noexcept { return data()[index]; }
    T &back() noexcept { return data()[size_ - 1]; }

    void push_back(T item)
    {
        if (size_ == capacity_)
            Grow(capacity_ * 2);
        data()[size_++] = item;
    }
    // count items of value, in place of what there was.
    void assign(std::size_t count, T value)
    {
        if (count > capacity_)
            Grow(count);
        std::fill_n(data(), count, value);
        size_ = count;
    }

private:
    void Grow(std::size_t capacity)
    {
        auto bigger = std::make_unique_for_overwrite<T[]>(capacity);
        std::copy_n(data(), size_, bigger.get());
        heap_ = std::move(bigger);
        capacity_ = capacity;
    }

    T inPlace_[InPlace]{};
    std::unique_ptr<T[]> heap_;
    std::size_t size_ = 0;
    std::size_t capacity_ = InPlace;
};
