#include "platform/gdi/HandleMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

struct Item {
    int value = 0;
};
using Map = gdi::HandleMap<void*, Item>;

TEST(HandleMap, FindsWhatItHoldsAndNothingElse)
{
    Map map;
    Item outside;
    EXPECT_EQ(map.Find(&outside), nullptr);
    EXPECT_EQ(map.Find(nullptr), nullptr);
    auto owned = std::make_unique<Item>();
    Item* raw = owned.get();
    void* h = map.Add(std::move(owned));
    EXPECT_EQ(h, static_cast<void*>(raw));
    EXPECT_EQ(map.Find(h), raw);
    EXPECT_EQ(map.Find(&outside), nullptr);
    std::unique_ptr<Item> back = map.Take(h);
    EXPECT_EQ(back.get(), raw);
    EXPECT_EQ(map.Find(h), nullptr);
    EXPECT_EQ(map.Take(h), nullptr);
    EXPECT_EQ(map.Size(), 0u);
}

// Many items, taken out in a shuffled order while others come in: every look-up after a removal
// still finds all that remain, across the growth of the slots.
TEST(HandleMap, RemovalsKeepEveryOtherItemFound)
{
    Map map;
    std::vector<void*> held;
    std::mt19937 random(7);
    for (int round = 0; round < 6; ++round) {
        for (int i = 0; i < 300; ++i) {
            auto item = std::make_unique<Item>();
            item->value = round * 1000 + i;
            held.push_back(map.Add(std::move(item)));
        }
        std::shuffle(held.begin(), held.end(), random);
        for (int i = 0; i < 200; ++i) {
            void* h = held.back();
            held.pop_back();
            ASSERT_NE(map.Take(h), nullptr);
            ASSERT_EQ(map.Find(h), nullptr);
        }
        for (void* h : held)
            ASSERT_NE(map.Find(h), nullptr);
        EXPECT_EQ(map.Size(), held.size());
    }
}

}  // namespace
