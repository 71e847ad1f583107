// The raw list's selection as row ranges: merging, splitting, bounds after a refresh.
#include "framework/RowRanges.h"

#include <gtest/gtest.h>

namespace {

using Ranges = std::vector<CRowRanges::Range>;

TEST(RowRangesTest, AddingMergesTouchingAndOverlappingRanges)
{
    CRowRanges rows;
    rows.Add(10, 12);
    rows.Add(20, 20);
    rows.Add(14, 14);
    EXPECT_EQ(rows.GetRanges(), (Ranges{{10, 12}, {14, 14}, {20, 20}}));
    rows.Add(13, 13); // touches both neighbours
    EXPECT_EQ(rows.GetRanges(), (Ranges{{10, 14}, {20, 20}}));
    rows.Add(25, 18); // either order; swallows 20
    EXPECT_EQ(rows.GetRanges(), (Ranges{{10, 14}, {18, 25}}));
    rows.Add(-5, 2); // rows below 0 do not exist
    EXPECT_EQ(rows.GetRanges().front(), (CRowRanges::Range{0, 2}));
    EXPECT_EQ(rows.GetCount(), 3 + 5 + 8);
    EXPECT_EQ(rows.GetFirst(), 0);
}

TEST(RowRangesTest, RemovingAndTogglingSplitRanges)
{
    CRowRanges rows;
    rows.Add(0, 9);
    rows.Remove(3, 5);
    EXPECT_EQ(rows.GetRanges(), (Ranges{{0, 2}, {6, 9}}));
    rows.Toggle(7);
    EXPECT_EQ(rows.GetRanges(), (Ranges{{0, 2}, {6, 6}, {8, 9}}));
    rows.Toggle(7);
    EXPECT_EQ(rows.GetRanges(), (Ranges{{0, 2}, {6, 9}}));
    EXPECT_EQ(rows.GetRows(), (std::vector<int32_t>{0, 1, 2, 6, 7, 8, 9}));
    for (int32_t row : {-1, 3, 5, 10})
        EXPECT_FALSE(rows.Contains(row)) << row;
    for (int32_t row : {0, 2, 6, 9})
        EXPECT_TRUE(rows.Contains(row)) << row;
}

TEST(RowRangesTest, SelectAllIsOneRangeAndTruncateDropsRemovedRows)
{
    CRowRanges rows;
    rows.SelectAll(250000);
    EXPECT_EQ(rows.GetRanges().size(), 1u);
    EXPECT_EQ(rows.GetCount(), 250000);
    EXPECT_TRUE(rows.Contains(249999));
    EXPECT_FALSE(rows.Contains(250000));

    // A refresh took the list down to 100 rows, then to none.
    rows.Truncate(100);
    EXPECT_EQ(rows.GetRanges(), (Ranges{{0, 99}}));
    rows.Truncate(0);
    EXPECT_TRUE(rows.IsEmpty());
    EXPECT_EQ(rows.GetFirst(), -1);

    rows.SelectOnly(7);
    CRowRanges other;
    other.Add(7, 7);
    EXPECT_EQ(rows, other);
    rows.SelectAll(0);
    EXPECT_TRUE(rows.IsEmpty());
}

} // namespace
