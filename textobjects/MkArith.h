#pragma once

// Pixel arithmetic helpers of the layout (internal to textobjects).  Layout
// values are 32-bit; intermediate sums are taken in 64 bits and saturated
// back, so hostile sizes give large but defined results instead of overflow.

#include <cstdint>
#include <limits>

namespace mktext {

constexpr std::int32_t Sat(std::int64_t v)
{
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

constexpr std::int32_t SatAdd(std::int64_t a, std::int64_t b)
{
    return Sat(a + b);
}
constexpr std::int32_t SatSub(std::int64_t a, std::int64_t b)
{
    return Sat(a - b);
}

// num / den rounded to the nearest integer, an exact half going to the even
// neighbour.  A zero denominator gives 0.
constexpr std::int32_t RoundDiv(std::int64_t num, std::int64_t den)
{
    if (den == 0)
        return 0;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    std::int64_t q = num / den;
    std::int64_t r = num % den; // same sign as num
    if (r < 0) {
        q -= 1;
        r += den;
    }
    // now num = q*den + r with 0 <= r < den
    const std::int64_t twice = 2 * r;
    if (twice > den || (twice == den && (q % 2) != 0))
        q += 1;
    return Sat(q);
}

} // namespace mktext
