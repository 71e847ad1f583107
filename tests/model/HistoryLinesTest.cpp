#include "model/HistoryLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Characters drawn from `range` in a row from `first`, the same for the same seed.
std::string Noise(uint32_t& seed, size_t size, char first, uint32_t range)
{
    std::string s(size, ' ');
    for (char& c : s) {
        seed = seed * 1103515245u + 12345u;
        c = char(first + char((seed >> 16) % range));
    }
    return s;
}

struct Entry
{
    std::string stamp;
    std::string text;
};

// Lines read back, copied and compared must be the stamp and text as appended, whatever their
// lengths (empty, a line longer than a storage block, lines that fill a block exactly) and however
// the stamps change between them.
TEST(HistoryLines, ReadsBackWhatWasAppended)
{
    const std::string a = "12-07-2026 20:17:08 ";
    const std::string b = "12-07-2026 20:17:09 ";
    std::vector<Entry> entries = {
        {a, "Opened survey.Mvj"},
        {a, ""},
        {b, "Line #8 GENERATING STORE PT: Point ID: 1005, HI: 1.500"},
        {b, std::string(40000, 'x')},
        {a, "Added Point '1'"},
        {"", "no stamp"},
        {"", ""},
        {b, "Modified:"},
        // Texts whose shared head and tail would overlap.
        {b, "abab"},
        {b, "ab"},
        {b, "aab"},
        {b, "aaab"},
        {b, "b"},
    };
    // Kinds of line interleaved as a bulk change writes them.
    for (int i = 0; i < 3000; ++i) {
        const std::string n = std::to_string(i);
        const std::string text = i % 3 == 0   ? "Added Point '" + n + "'"
                                 : i % 3 == 1 ? "Line #" + n + " SHOT: Name: " + n + ", Code: " + std::string(size_t(i % 23), 'y')
                                              : std::string(size_t(i % 5), 'y');
        entries.push_back({i % 700 < 350 ? a : b, text});
    }

    CHistoryLines lines;
    std::vector<std::string> expected;
    for (const Entry& e : entries) {
        lines.Append(e.stamp, e.text);
        expected.push_back(e.stamp + e.text);
    }
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(lines[i], expected[i]) << i;
    EXPECT_EQ(lines.Lines(), expected);
    EXPECT_TRUE(lines == expected);
    EXPECT_EQ(lines.front(), expected.front());
    EXPECT_EQ(lines.back(), expected.back());

    const CHistoryLines copy = lines;
    EXPECT_TRUE(copy == expected);
    lines.Append(a, {"Added Point '", "7", "'"});
    expected.push_back(a + "Added Point '7'");
    EXPECT_TRUE(lines == expected);
    EXPECT_FALSE(copy == expected);

    lines.Clear();
    EXPECT_TRUE(lines.empty());
    lines.Append(b, "Saved Job");
    EXPECT_EQ(lines.Lines(), std::vector<std::string>{b + "Saved Job"});
}

// Texts much alike and not alike at all, empty ones among them, read back whole and in order.
TEST(HistoryLines, ReadsBackAlikeAndUnlikeTexts)
{
    const std::string row = "Line #9 SHOT: Name: 1001, Rod: 1.500m, Slope: 123.456m, Code: CURB";
    const std::vector<std::string> texts = {
        row,
        "Line #10 SHOT: Name: 1002, Rod: 1.500m, Slope: 123.456m, Code: CURB",
        "Line #10 SHOT: Name: 1002, Rod: 2.25m, Slope: 99.1m, Code: CURB EDGE",
        "Line #1 SHOT: Name: 7, Rod: 1.500m, Slope: 123.456m, Code: C",
        "XLine #9 SHOT: Name: 1001, Rod: 1.500m, Slope: 123.456m, Code: CURBX",
        std::string(70, 'a'),
        std::string(33, 'a') + "b" + std::string(36, 'a'),
        "abcabcabcabcabcabcabcXabcabcabcabcabcabc",
        "abcabcabcabcabcabcabcabcabcabcabcabcabc",
        "abc",
        "abcd",
        "",
        "0123456789abcdef0123456789abcdefZ0123456789abcdef0123456789abcdef",
        "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef",
        row.substr(20) + row.substr(0, 20),
        row,
    };
    CHistoryLines lines;
    std::vector<std::string> expected;
    for (int pass = 0; pass < 3; ++pass)
        for (const std::string& text : texts) {
            lines.Append("", text);
            expected.push_back(text);
        }
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(lines[i], expected[i]) << i;
    EXPECT_EQ(lines.Lines(), expected);
}

// Lines of every length around where their count takes a second byte, and one longer than a
// block, written until blocks fill, so that lines land both inside a block and at its end; and
// changes where the texts agree again at each distance ahead in either text.
TEST(HistoryLines, ReadsBackLinesOfEveryLengthAcrossBlocks)
{
    std::vector<std::string> expected;
    uint32_t seed = 7;
    const auto noise = [&seed](size_t size) { return Noise(seed, size, '0', 10); };
    for (size_t middle : {0u, 1u, 3u, 4u, 120u, 126u, 127u, 128u, 129u, 300u, 17000u})
        for (int i = 0; i < 40; ++i)
            expected.push_back("Added 'MP," + noise(middle) + "' to raw data at line #" + std::to_string(i));
    const std::string row = "Line #9 SHOT: Name: 1001, Rod: 1.500m";
    for (size_t ahead = 0; ahead <= 5; ++ahead)
        for (size_t behind = 0; behind <= 5; ++behind) {
            expected.push_back(row);
            expected.push_back(row.substr(0, 12) + noise(ahead) + row.substr(12 + behind));
        }
    CHistoryLines lines;
    for (const std::string& text : expected)
        lines.Append("", text);
    EXPECT_EQ(lines.Lines(), expected);
    for (size_t i = 0; i < expected.size(); i += 37)
        ASSERT_EQ(lines[i], expected[i]) << i;
}

// Runs whose lines differ in most of their bytes are kept whole past their first lines, runs of
// near repeats as edits; either kind reads back, however the runs alternate and wherever a line
// is read from.
TEST(HistoryLines, ReadsBackRunsKeptWholeAndRunsKeptAsEdits)
{
    uint32_t seed = 11;
    const auto noise = [&seed](size_t size) { return Noise(seed, size, 'A', 26); };
    std::vector<std::string> expected;
    for (int run = 0; run < 6; ++run)
        for (int i = 0; i < 64; ++i)
            expected.push_back(run % 2 == 0 ? noise(size_t(20 + i % 50))
                                            : "Line #" + std::to_string(run * 64 + i) + " SHOT: Name: 1001, Rod: 1.500m");
    // Late in a run kept whole, lines that repeat its first ones.
    for (size_t i = 2 * 64 + 41; i < 3 * 64; ++i)
        expected[i] = expected[2 * 64 + 5 + i % 4];
    // A copy taken inside a run goes on as the original would.
    const size_t copyAt = 2 * 64 + 40;
    CHistoryLines lines;
    for (size_t i = 0; i < copyAt; ++i)
        lines.Append("", {expected[i].substr(0, 5), expected[i].substr(5)});
    CHistoryLines copy = lines;
    for (size_t i = copyAt; i < expected.size(); ++i) {
        lines.Append("", {expected[i].substr(0, 5), expected[i].substr(5)});
        copy.Append("", expected[i]);
    }
    EXPECT_EQ(lines.Lines(), expected);
    EXPECT_EQ(copy.Lines(), expected);
    for (size_t i = 0; i < expected.size(); i += 7)
        ASSERT_EQ(lines[i], expected[i]) << i;
}

} // namespace
