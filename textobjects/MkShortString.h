#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// A byte string in 16 bytes, half the room of a std::string: up to 15 bytes
// are kept in place, a longer string on the heap.  For values that every
// object of a tree carries and that are nearly always short: the name of the
// font an object was laid out in, the text of a word.
class TMkShortString {
public:
    TMkShortString() noexcept = default;
    explicit TMkShortString(std::string_view value) { *this = value; }
    ~TMkShortString() { FreeLong(); }
    TMkShortString(const TMkShortString &other) { *this = other.View(); }
    TMkShortString &operator=(const TMkShortString &other) { return *this = other.View(); }

    // value may be this very string's own bytes: they are copied before the
    // old storage goes.
    TMkShortString &operator=(std::string_view value)
    {
        if (value.size() > MaxInPlace) {
            void *address = new std::string(value);
            FreeLong();
            std::memcpy(bytes_.data(), &address, sizeof address);
            bytes_[MaxInPlace] = LongMark;
        } else if (Long() == nullptr) {
            // In place already: the bytes may overlap, so they are moved.
            std::memmove(bytes_.data(), value.data(), value.size());
            bytes_[MaxInPlace] = static_cast<char>(value.size());
        } else {
            std::array<char, MaxInPlace> kept{};
            std::copy_n(value.data(), value.size(), kept.data());
            FreeLong();
            std::copy_n(kept.data(), value.size(), bytes_.data());
            bytes_[MaxInPlace] = static_cast<char>(value.size());
        }
        return *this;
    }

    std::string_view View() const noexcept
    {
        if (const std::string *heap = Long())
            return *heap;
        return {bytes_.data(), static_cast<std::size_t>(bytes_[MaxInPlace])};
    }

    operator std::string_view() const noexcept { return View(); }
    std::string str() const { return std::string(View()); }
    bool empty() const noexcept { return View().empty(); }

    friend bool operator==(const TMkShortString &a, std::string_view b) noexcept
    {
        return a.View() == b;
    }
    friend bool operator==(const TMkShortString &a, const TMkShortString &b) noexcept
    {
        return a.View() == b.View();
    }

private:
    // The last byte tells the length of a string in place, or holds LongMark
    // when the first bytes point to a string on the heap.
    static constexpr std::size_t MaxInPlace = 15;
    static constexpr char LongMark = -1;

    std::string *Long() const noexcept
    {
        if (bytes_[MaxInPlace] != LongMark)
            return nullptr;
        void *address = nullptr;
        std::memcpy(&address, bytes_.data(), sizeof address);
        return static_cast<std::string *>(address);
    }
    void FreeLong() noexcept
    {
        delete Long();
        bytes_[MaxInPlace] = 0;
    }

    std::array<char, MaxInPlace + 1> bytes_{};
    static_assert(sizeof(void *) <= MaxInPlace);
};
