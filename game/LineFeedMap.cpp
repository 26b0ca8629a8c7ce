#include "game/LineFeedMap.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr char LineFeed = '\n';

// One bit per byte of the eight in word (in memory order), set where the byte
// is LF.  After the xor an LF byte is zero, and the high bit of a byte
// survives the masking exactly when the byte is zero; the multiplication
// then gathers the eight high bits into the top byte, in order, without
// carries (each product bit that falls below the top byte lands on a place
// of its own).
std::uint64_t LineFeedBits(std::uint64_t word)
{
    constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ 0x0A0A0A0A0A0A0A0AULL;
    const std::uint64_t zero = ~(((x & Low7) + Low7) | x | Low7);
    return ((zero >> 7) * 0x0102040810204080ULL) >> 56;
}

} // namespace

void MapLineFeedsPortable(const char *bytes, std::size_t words, std::uint64_t *map)
{
    static_assert(std::endian::native == std::endian::little,
                  "the map is built from little-endian words");
    for (std::size_t w = 0; w < words; ++w) {
        std::uint64_t bits = 0;
        for (std::size_t k = 0; k < 8; ++k) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, bytes + w * 64 + k * 8, sizeof eight);
            bits |= LineFeedBits(eight) << (k * 8);
        }
        map[w] = bits;
    }
}

#if defined(__SSE2__)

void MapLineFeeds(const char *bytes, std::size_t words, std::uint64_t *map)
{
    const __m128i lineFeeds = _mm_set1_epi8(LineFeed);
    for (std::size_t w = 0; w < words; ++w) {
        std::uint64_t bits = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const __m128i sixteen =
                _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + w * 64 + k * 16));
            const auto mask =
                static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, lineFeeds)));
            bits |= std::uint64_t{mask} << (k * 16);
        }
        map[w] = bits;
    }
}

#else

void MapLineFeeds(const char *bytes, std::size_t words, std::uint64_t *map)
{
    MapLineFeedsPortable(bytes, words, map);
}

#endif
