#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// What the lexers need of their input: a size, a position that can be read
// and set, and reading one byte at a time.
class TMkByteStream {
public:
    virtual ~TMkByteStream() = default;
    virtual std::int64_t Size() const = 0;
    virtual std::int64_t Position() const = 0;
    virtual void SetPosition(std::int64_t position) = 0;
    // Reads the byte at the position and moves past it; false (and nothing
    // read) when the position is at or past the end.
    virtual bool ReadByte(std::uint8_t &byte) = 0;
    // The unread bytes, from the position to the end, when the stream holds
    // them in memory; empty when it does not, or at the end.  Lexers scan
    // runs of bytes through it and then set the position past them.
    virtual std::string_view Unread() const { return {}; }
};

// A read-only view of bytes that belong to the caller; nothing is copied, so
// the bytes must outlive the stream.
class TMkMemoryStream : public TMkByteStream {
public:
    TMkMemoryStream(const void *data, std::size_t size)
        : data_(static_cast<const std::uint8_t *>(data)),
          length_(static_cast<std::int64_t>(size))
    {
    }
    explicit TMkMemoryStream(std::string_view bytes) : TMkMemoryStream(bytes.data(), bytes.size())
    {
    }

    std::int64_t Size() const override { return length_; }
    std::int64_t Position() const override { return pos_; }
    void SetPosition(std::int64_t position) override { pos_ = position; }
    bool ReadByte(std::uint8_t &byte) override
    {
        if (pos_ < 0 || pos_ >= length_)
            return false;
        byte = data_[pos_++];
        return true;
    }
    std::string_view Unread() const override
    {
        if (pos_ < 0 || pos_ >= length_)
            return {};
        return {reinterpret_cast<const char *>(data_) + pos_,
                static_cast<std::size_t>(length_ - pos_)};
    }

private:
    const std::uint8_t *data_;
    std::int64_t length_;
    std::int64_t pos_ = 0;
};
