#pragma once

#include <cstdint>

// Pixel coordinates are 32-bit signed integers, as everywhere in the layout.
struct TMkPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;

    friend bool operator==(const TMkPoint &, const TMkPoint &) = default;
};

// A rectangle given by its edges; Right and Bottom lie just outside it.  Width
// and height are computed in 64 bits so that hostile edges cannot overflow.
struct TMkRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    std::int64_t Width() const { return std::int64_t{Right} - Left; }
    std::int64_t Height() const { return std::int64_t{Bottom} - Top; }
    // Edges included, as hit testing wants it.
    bool Contains(TMkPoint p) const
    {
        return p.X >= Left && p.X <= Right && p.Y >= Top && p.Y <= Bottom;
    }

    friend bool operator==(const TMkRect &, const TMkRect &) = default;
};
