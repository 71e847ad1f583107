#include "core/QuickSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

namespace {

long g_compares = 0;

int CompareInt(const void* a, const void* b)
{
    ++g_compares;
    int x = *static_cast<const int*>(a);
    int y = *static_cast<const int*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

struct Item
{
    int32_t key;
    int32_t tag; // input position, to see what the sort did with equal keys
    char pad[5];
};

int CompareItem(const void* a, const void* b)
{
    ++g_compares;
    auto x = static_cast<const Item*>(a)->key;
    auto y = static_cast<const Item*>(b)->key;
    return x < y ? -1 : (x > y ? 1 : 0);
}

void ExpectSortsLikeStd(std::vector<int> v)
{
    std::vector<int> expected = v;
    std::sort(expected.begin(), expected.end());
    CQuickSort().Sort(v.data(), static_cast<unsigned>(v.size()), sizeof(int), CompareInt);
    EXPECT_EQ(v, expected);
}

} // namespace

TEST(QuickSort, TrivialInputsNeverCompare)
{
    std::vector<int> v = {3, 1};
    g_compares = 0;
    CQuickSort sorter;
    sorter.Sort(v.data(), 0, sizeof(int), CompareInt);
    sorter.Sort(v.data(), 1, sizeof(int), CompareInt);
    sorter.Sort(v.data(), 2, 0, CompareInt);
    sorter.Sort(nullptr, 0, sizeof(int), CompareInt);
    EXPECT_EQ(g_compares, 0);
    EXPECT_EQ(v, (std::vector<int>{3, 1}));
}

TEST(QuickSort, SmallRangesAroundThePartitionThreshold)
{
    std::mt19937 rng(7);
    for (int n = 2; n <= 20; ++n) {
        for (int round = 0; round < 50; ++round) {
            std::vector<int> v(n);
            for (int& x : v)
                x = static_cast<int>(rng() % 5);
            ExpectSortsLikeStd(v);
        }
    }
}

TEST(QuickSort, EightElementsUseSelectionOnly)
{
    // Selection of the maximum makes exactly n(n-1)/2 comparisons; partitioning would differ.
    std::vector<int> v = {5, 3, 8, 1, 9, 2, 7, 4};
    g_compares = 0;
    CQuickSort().Sort(v.data(), 8, sizeof(int), CompareInt);
    EXPECT_EQ(g_compares, 28);
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
}

TEST(QuickSort, RandomDataMatchesStdSort)
{
    std::mt19937 rng(42);
    for (int n : {100, 1000, 20000}) {
        std::vector<int> v(n);
        for (int& x : v)
            x = static_cast<int>(rng());
        ExpectSortsLikeStd(v);
    }
}

TEST(QuickSort, WideElementsWithManyEqualKeys)
{
    std::mt19937 rng(3);
    std::vector<Item> items(5000);
    for (int i = 0; i < 5000; ++i)
        items[i] = Item{static_cast<int32_t>(rng() % 3), i, {}};
    std::vector<Item> input = items;

    CQuickSort().Sort(items.data(), 5000, sizeof(Item), CompareItem);

    EXPECT_TRUE(std::is_sorted(items.begin(), items.end(),
                               [](const Item& a, const Item& b) { return a.key < b.key; }));
    // Still a permutation of the input.
    std::vector<int> tags;
    for (const Item& it : items) {
        ASSERT_EQ(it.key, input[it.tag].key);
        tags.push_back(it.tag);
    }
    std::sort(tags.begin(), tags.end());
    std::vector<int> all(5000);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(tags, all);
}

TEST(QuickSort, FewDistinctKeysStayNearNLogN)
{
    // A list column with two values over many rows must not turn quadratic.
    const int n = 100000;
    std::mt19937 rng(11);
    std::vector<int> v(n);
    for (int& x : v)
        x = static_cast<int>(rng() % 2);
    g_compares = 0;
    CQuickSort().Sort(v.data(), n, sizeof(int), CompareInt);
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
    EXPECT_LT(g_compares, 40L * n);

    std::vector<int> same(n, 4);
    g_compares = 0;
    CQuickSort().Sort(same.data(), n, sizeof(int), CompareInt);
    EXPECT_LT(g_compares, 40L * n);
}

TEST(QuickSort, OrderedMillionsDoNotExhaustTheStack)
{
    const int n = 1000000;
    std::vector<int> up(n);
    std::iota(up.begin(), up.end(), 0);
    std::vector<int> down(up.rbegin(), up.rend());

    CQuickSort().Sort(up.data(), n, sizeof(int), CompareInt);
    EXPECT_TRUE(std::is_sorted(up.begin(), up.end()));
    CQuickSort().Sort(down.data(), n, sizeof(int), CompareInt);
    EXPECT_TRUE(std::is_sorted(down.begin(), down.end()));
}

TEST(QuickSort, EqualKeysDoNotKeepInputOrder)
{
    std::vector<Item> items(64);
    for (int i = 0; i < 64; ++i)
        items[i] = Item{i % 2, i, {}};
    CQuickSort().Sort(items.data(), 64, sizeof(Item), CompareItem);
    bool inInputOrder = true;
    for (int i = 1; i < 64; ++i)
        if (items[i].key == items[i - 1].key && items[i].tag < items[i - 1].tag)
            inInputOrder = false;
    EXPECT_FALSE(inInputOrder);
}
