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
};

// A read-only view of bytes that belong to the caller; nothing is copied, so
// the bytes must outlive the stream.
class TMkMemoryStream : public TMkByteStream {
public:
    TMkMemoryStream(const void *data, std::size_t size)
        : Data(static_cast<const std::uint8_t *>(data)), Length(static_cast<std::int64_t>(size))
    {
    }
    explicit TMkMemoryStream(std::string_view bytes) : TMkMemoryStream(bytes.data(), bytes.size())
    {
    }

    std::int64_t Size() const override { return Length; }
    std::int64_t Position() const override { return Pos; }
    void SetPosition(std::int64_t position) override { Pos = position; }
    bool ReadByte(std::uint8_t &byte) override
    {
        if (Pos < 0 || Pos >= Length)
            return false;
        byte = Data[Pos++];
        return true;
    }

private:
    const std::uint8_t *Data;
    std::int64_t Length;
    std::int64_t Pos = 0;
};
