#pragma once

#include <cstdint>
#include <functional>

// The game's random generator: a 32-bit linear congruential generator whose
// outputs are scaled by a 64-bit multiplication, so that a given seed always
// yields the same draws.  The seed source is injectable so that tests can fix
// it; the default reads a high-resolution clock.
class TRandomGenerator {
public:
    using SeedSource = std::function<std::uint32_t()>;

    TRandomGenerator();
    explicit TRandomGenerator(SeedSource source);

    // Takes a fresh seed from the seed source.
    void Reseed();

    // A whole number from 0 to n - 1 (0 when n is 0); always advances the seed.
    std::int32_t RandomBelow(std::int32_t n);

    // min(a, b) + RandomBelow(|b - a|): the larger bound is never reached.
    std::int32_t RandomBetween(std::int32_t a, std::int32_t b);

    std::uint32_t Seed() const { return seed_; }
    void SetSeed(std::uint32_t seed) { seed_ = seed; }

    // The low 32 bits of a high-resolution clock.
    static std::uint32_t ClockSeed();

private:
    SeedSource source_;
    std::uint32_t seed_ = 0;
};
