#include "game/RandomGenerator.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {
constexpr std::uint32_t Multiplier = 134775813; // 0x08088405
}

TRandomGenerator::TRandomGenerator() : TRandomGenerator(&TRandomGenerator::ClockSeed) {}

TRandomGenerator::TRandomGenerator(SeedSource source) : source_(std::move(source)) {}

void TRandomGenerator::Reseed()
{
    seed_ = source_ ? source_() : ClockSeed();
}

std::int32_t TRandomGenerator::RandomBelow(std::int32_t n)
{
    seed_ = seed_ * Multiplier + 1; // unsigned arithmetic wraps modulo 2^32
    const std::uint64_t product =
        std::uint64_t{static_cast<std::uint32_t>(n)} * std::uint64_t{seed_};
    return static_cast<std::int32_t>(product >> 32);
}

std::int32_t TRandomGenerator::RandomBetween(std::int32_t a, std::int32_t b)
{
    const std::int64_t span = std::llabs(std::int64_t{b} - std::int64_t{a});
    // A span beyond 2^31 - 1 cannot occur for the game's bounds; clamp rather
    // than wrap if a caller ever asks for one.
    const auto bounded = static_cast<std::int32_t>(span > INT32_MAX ? INT32_MAX : span);
    return std::min(a, b) + RandomBelow(bounded);
}

std::uint32_t TRandomGenerator::ClockSeed()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks);
}
