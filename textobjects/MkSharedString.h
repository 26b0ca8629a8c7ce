#pragma once

#include "textobjects/MkShared.h"

#include <cstddef>
#include <string>
#include <string_view>

// An immutable byte string whose copies share one record, for the values (a
// link, an alignment) that many objects of a run of markup carry alike.
// Giving one object a new value gives it a new record and leaves the others
// alone.  The empty string takes no record.
class TMkSharedString {
public:
    TMkSharedString() noexcept = default;
    explicit TMkSharedString(std::string_view value)
    {
        if (!value.empty())
            value_ = TMkShared<std::string>(std::string(value));
    }

    // Assigning the value already held keeps the record: painting sets some
    // values again at every pass, and this spares a heap block each time.
    TMkSharedString &operator=(std::string_view value)
    {
        if (std::string_view(str()) != value)
            *this = TMkSharedString(value);
        return *this;
    }

    const std::string &str() const noexcept
    {
        const std::string *value = value_.Get();
        return value != nullptr ? *value : Empty();
    }
    operator const std::string &() const noexcept { return str(); }
    operator std::string_view() const noexcept { return str(); }

    bool empty() const noexcept { return value_.Get() == nullptr; }
    std::size_t size() const noexcept { return str().size(); }

    friend bool operator==(const TMkSharedString &a, const TMkSharedString &b) noexcept
    {
        return a.value_.SharesRecordWith(b.value_) || a.str() == b.str();
    }
    friend bool operator==(const TMkSharedString &a, std::string_view b) noexcept
    {
        return std::string_view(a.str()) == b;
    }

private:
    static const std::string &Empty() noexcept
    {
        static const std::string empty;
        return empty;
    }

    TMkShared<std::string> value_;
};
