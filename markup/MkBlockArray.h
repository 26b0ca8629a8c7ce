#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// An array that only grows: its first InPlace items inside the object, the
// rest in blocks of BlockSize items.  Growing it never moves an item: where
// a vector would copy everything into an array twice the size, holding three
// times what it needs for a moment, this adds a block.  A short array takes
// no heap at all.  The blocks are large, so that indexing costs little more
// than a vector's: small blocks, and the many more of them to find, made the
// densest rows of the grammar engine a tenth slower on the clock.
template <class T, std::size_t InPlace, std::size_t BlockSize> class TMkBlockArray {
public:
    TMkBlockArray() = default;
    TMkBlockArray(const TMkBlockArray &) = delete;
    TMkBlockArray &operator=(const TMkBlockArray &) = delete;

    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }

    T &operator[](std::size_t index) noexcept
    {
        if (index < InPlace)
            return inPlace_[index];
        const std::size_t rest = index - InPlace;
        return blocks_[rest / BlockSize][rest % BlockSize];
    }
    const T &operator[](std::size_t index) const noexcept
    {
        return const_cast<TMkBlockArray &>(*this)[index];
    }

    // Appends a default item and returns it.  Items are made with their
    // block, and each is handed out once.
    T &emplace_back()
    {
        if (size_ >= InPlace && (size_ - InPlace) / BlockSize == blocks_.size())
            blocks_.push_back(std::make_unique<T[]>(BlockSize));
        return (*this)[size_++];
    }

private:
    T inPlace_[InPlace]{};
    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0;
};
