#include "markup/MkBlockArray.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

// Through the doubling blocks and well into the full-size ones, every item
// keeps its index and its address as the array grows.
TEST(BlockArray, ItemsKeepTheirIndexAndAddressAsItGrows)
{
    TMkBlockArray<std::size_t, 3, 16> items;
    std::vector<const std::size_t *> addresses;
    for (std::size_t i = 0; i < 200; ++i) {
        items.emplace_back() = i;
        addresses.push_back(&items[i]);
    }
    ASSERT_EQ(items.size(), 200u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i], i);
        EXPECT_EQ(&items[i], addresses[i]);
    }
    // A new item starts as a default one.
    TMkBlockArray<std::vector<int>, 4, 4> lists;
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(lists.emplace_back().empty());
}
