#pragma once

#include <cstddef>
#include <vector>

// A stack for the iterative walks over trees, which must not recurse: a
// hostile tree may be nested hundreds of thousands deep.  Nearly every tree
// is shallow, so the first Shallow items stay in place and only deeper ones
// go to the heap.  top() is valid until the next push.
template <class T, std::size_t Shallow = 32> class TMkShallowStack {
public:
    // The items in place are left unset on purpose: every teardown of a list
    // makes a stack, most never push, and push writes an item before any
    // read.
    TMkShallowStack() noexcept {} // NOLINT(cppcoreguidelines-pro-type-member-init)

    bool empty() const noexcept { return depth_ == 0; }

    void push(const T &item)
    {
        if (depth_ < Shallow)
            shallow_[depth_] = item;
        else
            deep_.push_back(item);
        ++depth_;
    }
    T &top() noexcept { return depth_ <= Shallow ? shallow_[depth_ - 1] : deep_.back(); }
    void pop() noexcept
    {
        if (depth_ > Shallow)
            deep_.pop_back();
        --depth_;
    }

private:
    T shallow_[Shallow];
    std::vector<T> deep_;
    std::size_t depth_ = 0;
};
