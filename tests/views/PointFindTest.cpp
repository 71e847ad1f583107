#include "views/PointFind.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Rows
{
    std::vector<std::string> texts;
    mutable int asked = 0;
    std::function<std::string_view(int32_t)> Lookup() const
    {
        return [this](int32_t row) {
            ++asked;
            return std::string_view(texts[size_t(row)]);
        };
    }
};

Rows Numbered(int n)
{
    Rows rows;
    for (int i = 0; i < n; ++i)
        rows.texts.push_back("P" + std::to_string(i));
    return rows;
}
} // namespace

TEST(PointFind, TheWalkStartsBesideTheTopRowAndWraps)
{
    struct Case { const char* name; int32_t top; bool down; const char* text; int32_t start, match; };
    const Case cases[] = {
        {"down from the middle", 10, true, "P30", 11, 30},
        {"down from the last page starts at row 0", 80, true, "P5", 0, 5},
        {"down wraps past the end", 50, true, "P3", 51, 3},
        {"up from the first page starts at the last row", 10, false, "P95", 99, 95},
        {"up from the middle", 50, false, "P20", 49, 20},
        {"up wraps past row 0", 30, false, "p90", 29, 90},
        {"the top row itself is looked at last", 40, true, "P40", 41, 40},
    };
    const Rows rows = Numbered(100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PointFindRequest r{100, c.top, 20, c.down};
        EXPECT_EQ(FindStartRow(r), c.start);
        EXPECT_EQ(FindPointRow(r, c.text, rows.Lookup()), c.match);
    }
}

TEST(PointFind, OnlyWholeTextsMatchAndAMissLooksAtEveryRowOnce)
{
    Rows rows = Numbered(100);
    rows.texts[42] = "abcd";
    const PointFindRequest r{100, 0, 20, true};
    rows.asked = 0;
    EXPECT_EQ(FindPointRow(r, "abc", rows.Lookup()), -1);
    EXPECT_EQ(rows.asked, 100);
    EXPECT_EQ(FindPointRow(r, "ABCD", rows.Lookup()), 42);
    EXPECT_EQ(FindPointRow(PointFindRequest{0, 0, 20, true}, "P1", rows.Lookup()), -1);
    // A top row left over from a longer list.
    EXPECT_EQ(FindPointRow(PointFindRequest{100, 500, 20, false}, "P7", rows.Lookup()), 7);
}

TEST(PointFind, TheMatchScrollsToTheTopAsFarAsTheLastPageAllows)
{
    EXPECT_EQ(FindScrollTop(30, 100, 20), 30);
    EXPECT_EQ(FindScrollTop(95, 100, 20), 80);
    EXPECT_EQ(FindScrollTop(3, 10, 20), 0);
}
