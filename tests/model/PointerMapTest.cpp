#include "model/PointerMap.h"

#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include <vector>

namespace {

// Adds and removes against a plain map. Keys crowd into a few homes (one array's addresses, so
// runs are long and wrap past the table's end) and the erases move entries back across holes: a
// key that becomes unreachable, or one found after its erase, shows as a difference.
TEST(PointerMap, FollowsAPlainMapThroughAddsAndRemoves)
{
    struct Case
    {
        std::size_t keys;
        std::size_t steps;
        bool reserve;
    };
    static std::vector<char> addresses(5000);
    for (const Case c : {Case{12, 400, false}, Case{300, 6000, false}, Case{5000, 40000, true}}) {
        SCOPED_TRACE(c.keys);
        CPointerMap<int> map;
        if (c.reserve)
            map.Reserve(c.keys);
        std::unordered_map<const void*, int> model;
        std::mt19937 random(7);
        for (std::size_t step = 0; step < c.steps; ++step) {
            const void* key = &addresses[random() % c.keys];
            const int value = int(step);
            if (random() % 3 != 0) {
                const auto [held, added] = map.Insert(key, value);
                const auto [expected, modelAdded] = model.try_emplace(key, value);
                ASSERT_EQ(added, modelAdded);
                ASSERT_EQ(*held, expected->second);
            } else {
                ASSERT_EQ(map.Erase(key), model.erase(key) == 1);
            }
            ASSERT_EQ(map.Size(), model.size());
        }
        for (std::size_t k = 0; k < c.keys; ++k) {
            const auto it = model.find(&addresses[k]);
            const int* found = map.Find(&addresses[k]);
            ASSERT_EQ(found != nullptr, it != model.end());
            if (found != nullptr) {
                EXPECT_EQ(*found, it->second);
            }
        }
        map.Clear();
        EXPECT_EQ(map.Size(), 0u);
        EXPECT_EQ(map.Find(&addresses[0]), nullptr);
        EXPECT_TRUE(map.Insert(&addresses[0], 1).second);
    }
    CPointerMap<int> map;
    EXPECT_FALSE(map.Insert(nullptr, 1).second);
    EXPECT_FALSE(map.Erase(nullptr));
}

} // namespace
