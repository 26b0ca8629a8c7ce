#pragma once

#include <cstdint>

// Pixel coordinates are 32-bit signed integers, as everywhere in the layout.
struct TMkPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const TMkPoint &, const TMkPoint &) = default;
};

// A rectangle given by its edges; right and bottom lie just outside it.  Width
// and height are computed in 64 bits so that hostile edges cannot overflow.
struct TMkRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int64_t Width() const { return std::int64_t{right} - left; }
    std::int64_t Height() const { return std::int64_t{bottom} - top; }
    // Edges included, as hit testing wants it.
    bool Contains(TMkPoint p) const
    {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }

    friend bool operator==(const TMkRect &, const TMkRect &) = default;
};
