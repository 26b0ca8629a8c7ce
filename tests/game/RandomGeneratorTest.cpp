#include "game/RandomGenerator.h"

#include <gtest/gtest.h>

TEST(TRandomGenerator, KnownSeedGivesKnownSequence)
{
    TRandomGenerator random([] { return 0u; });
    random.Reseed();
    EXPECT_EQ(random.RandomBelow(590000), 0);
    EXPECT_EQ(random.RandomBelow(590000), 18514);
    EXPECT_EQ(random.RandomBelow(590000), 508018);
    EXPECT_EQ(random.RandomBelow(10), 2);
    // RandomBelow(0) is 0 and still advances the seed.
    EXPECT_EQ(random.RandomBelow(0), 0);
    EXPECT_EQ(random.Seed(), 1172187917u);

    random.SetSeed(12345);
    EXPECT_EQ(random.RandomBelow(590000), 227356);
    EXPECT_EQ(random.RandomBelow(590000), 170719);
}

TEST(TRandomGenerator, BetweenNeverReachesTheLargerBound)
{
    TRandomGenerator random([] { return 0xDEADBEEFu; });
    random.Reseed();
    for (int i = 0; i < 2000; ++i) {
        const int up = random.RandomBetween(1, 5);
        EXPECT_GE(up, 1);
        EXPECT_LE(up, 4);
        const int down = random.RandomBetween(5, 1);
        EXPECT_GE(down, 1);
        EXPECT_LE(down, 4);
    }
    EXPECT_EQ(random.RandomBetween(7, 7), 7);
    // n of 1 or less on a redraw lies from n - 1 to 0.
    for (int i = 0; i < 100; ++i) {
        const int r = random.RandomBetween(1, -1);
        EXPECT_GE(r, -1);
        EXPECT_LE(r, 0);
    }
}

TEST(TRandomGenerator, ReseedTakesTheSourceValue)
{
    std::uint32_t next = 41;
    TRandomGenerator random([&] { return ++next; });
    random.Reseed();
    EXPECT_EQ(random.Seed(), 42u);
    random.Reseed();
    EXPECT_EQ(random.Seed(), 43u);
}
