#pragma once

#include <atomic>
#include <cstddef>
#include <utility>

// A value that copies share: one record on the heap and a count of its
// holders, atomic because trees made by engines on different threads may be
// copied and dropped anywhere.  A shared value is never changed in place;
// Edit gives its holder a record of its own first, so a change reaches no
// other holder.  An empty holder (made by the default constructor) has no
// value at all and takes no record.
template <class T> class TMkShared {
public:
    TMkShared() noexcept = default;
    explicit TMkShared(T value) : record_(new TRecord(std::move(value))) {}
    TMkShared(const TMkShared &other) noexcept : record_(other.record_) { Retain(); }
    TMkShared(TMkShared &&other) noexcept : record_(std::exchange(other.record_, nullptr)) {}
    ~TMkShared() { Release(); }

    TMkShared &operator=(TMkShared other) noexcept
    {
        std::swap(record_, other.record_);
        return *this;
    }

    // The value, or null for an empty holder.
    const T *Get() const noexcept { return record_ != nullptr ? &record_->Value : nullptr; }

    // The value to change, this holder's alone; an empty holder gets fallback.
    T &Edit(const T &fallback)
    {
        if (record_ == nullptr)
            record_ = new TRecord(fallback);
        else if (record_->Holders.load(std::memory_order_acquire) > 1)
            *this = TMkShared(record_->Value);
        return record_->Value;
    }

    bool SharesRecordWith(const TMkShared &other) const noexcept
    {
        return record_ == other.record_;
    }

private:
    struct TRecord {
        explicit TRecord(T value) : Value(std::move(value)) {}
        std::atomic<std::size_t> Holders{1};
        T Value;
    };

    void Retain() const noexcept
    {
        if (record_ != nullptr)
            record_->Holders.fetch_add(1, std::memory_order_relaxed);
    }
    // The last holder frees the record; acquire-release so that every
    // holder's reads of the value happen before the delete.
    void Release() noexcept
    {
        if (record_ != nullptr && record_->Holders.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete record_;
    }

    TRecord *record_ = nullptr;
};
