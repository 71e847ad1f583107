#include "core/NoValue.h"
#include "rawdata/RawPointNameMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

// The map's answers against the plainest model of them: per name, the copies in filing order,
// the answer the last one filed at the limit or earlier.
struct ModelCopy
{
    CLocation location;
    std::string description;
    int32_t line;
    bool deleted;
};
using Model = std::map<std::string, std::vector<ModelCopy>>;

void ExpectSameAnswers(const CRawPointNameMap& map, const Model& model, int32_t lastLine, const std::string& step)
{
    size_t names = 0;
    for (const auto& [name, copies] : model) {
        names += copies.empty() ? 0 : 1;
        for (int32_t limit = -1; limit <= lastLine + 1; ++limit) {
            const ModelCopy* expected = nullptr;
            for (const ModelCopy& copy : copies)
                if (limit >= 0 && copy.line <= limit)
                    expected = &copy;
            if (expected && expected->deleted)
                expected = nullptr;
            CLocation location;
            std::string description;
            ASSERT_EQ(map.GetPointLocation(name, &location, limit), expected != nullptr)
                << step << " name " << name << " limit " << limit;
            ASSERT_EQ(map.GetPointDescription(name, &description, limit), expected != nullptr);
            if (expected) {
                EXPECT_TRUE(location.IsEqual(expected->location)) << step << " name " << name << " limit " << limit;
                EXPECT_EQ(description, expected->description) << step << " name " << name << " limit " << limit;
            }
        }
    }
    EXPECT_EQ(map.GetNameCount(), names) << step;
}

void File(CRawPointNameMap& map, Model& model, const std::string& name, const std::string& description,
          const CLocation& at, int32_t line, bool deleted)
{
    map.AddPoint(name, description, at, line, deleted);
    if (at.HasPlaneCoordinates() && !name.empty() && line >= 0)
        model[name].push_back({at, description, line, deleted});
}

void Forget(CRawPointNameMap& map, Model& model, int32_t line)
{
    map.RemoveFromLine(line);
    for (auto& [name, copies] : model)
        while (!copies.empty() && copies.back().line >= line)
            copies.pop_back();
}

// Lines filed in order, names filed again and again (so lists outgrow their one copy in place),
// deleted copies, shared descriptions, and edits that apply the lines from some line on again.
TEST(RawPointNameMapModelTest, AnswersAsTheModelThroughEditsAndRefiling)
{
    const std::vector<std::string> descriptions = {"", "CURB", "FENCE", "a description longer than a short text"};
    for (const unsigned seed : {1u, 7u, 42u}) {
        std::mt19937 random(seed);
        CRawPointNameMap map;
        Model model;
        int32_t line = 0;
        for (int step = 0; step < 600; ++step) {
            const int roll = int(random() % 20);
            if (roll == 0 && line > 0) {
                line = int32_t(random() % uint32_t(line));
                Forget(map, model, line);
                continue;
            }
            const std::string name = std::to_string(random() % 25);
            const CLocation at(double(random() % 1000), roll == 1 ? NoValue : double(random() % 1000),
                               double(random() % 50));
            File(map, model, name, descriptions[random() % descriptions.size()], at, line, roll == 2);
            line += int32_t(random() % 3);
        }
        ExpectSameAnswers(map, model, line, "seed " + std::to_string(seed));
        Forget(map, model, line / 2);
        ExpectSameAnswers(map, model, line, "half, seed " + std::to_string(seed));
    }
}

// A line filed below one already filed: removing from a line still forgets exactly the copies
// at or after it, and the map keeps answering after more lines come.
TEST(RawPointNameMapModelTest, OutOfOrderFilingStillForgetsByLine)
{
    CRawPointNameMap map;
    Model model;
    File(map, model, "A", "x", CLocation(1, 1, 1), 10, false);
    File(map, model, "B", "y", CLocation(2, 2, 2), 5, false);
    File(map, model, "C", "z", CLocation(3, 3, 3), 12, false);
    ExpectSameAnswers(map, model, 13, "filed");
    Forget(map, model, 7);
    ExpectSameAnswers(map, model, 13, "from 7");
    File(map, model, "A", "w", CLocation(4, 4, 4), 8, true);
    File(map, model, "D", "", CLocation(5, 5, 5), 9, false);
    Forget(map, model, 9);
    ExpectSameAnswers(map, model, 13, "from 9");
    map.RemoveAll();
    model.clear();
    File(map, model, "A", "v", CLocation(6, 6, 6), 0, false);
    ExpectSameAnswers(map, model, 2, "after clear");
}

// Names around the lengths the map stores in one byte or five, names that are prefixes of one
// another or differ in one character, and enough names that the table grows several times, some filed again and again.
TEST(RawPointNameMapModelTest, NamesOfEveryLengthThroughGrowth)
{
    std::vector<std::string> names = {"1", "12", "123", std::string("a\0b", 3), std::string(254, 'x'),
                                      std::string(255, 'x'), std::string(256, 'x'), std::string(255, 'y') + "z",
                                      std::string(1000, 'q')};
    for (int i = 0; i < 3000; ++i)
        names.push_back("P" + std::to_string(i));
    // Every length a short name is read in, each twice, told apart by its first, middle or last
    // character only.
    for (size_t length = 1; length <= 18; ++length)
        for (size_t at : {size_t(0), length / 2, length - 1}) {
            std::string name(length, 'k');
            name[at] = 'm';
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
        }
    CRawPointNameMap map;
    Model model;
    for (int32_t line = 0; line < 6; ++line) {
        for (size_t i = 0; i < names.size(); ++i)
            // The short and long names again on every line, so their lists keep outgrowing their room.
            if (i < 9 || (i + size_t(line)) % 5 == 0)
                File(map, model, names[i], line % 2 ? "CURB" : "", CLocation(double(i), double(line), 0), line,
                     i % 7 == 3);
        if (line == 3) {
            Forget(map, model, 2);
            ExpectSameAnswers(map, model, 7, "from 2");
        }
    }
    ExpectSameAnswers(map, model, 7, "grown");
}

// A load reserves a name for every line, files fewer and hands the room back: the table shrinks
// to the names it holds and keeps answering, and filing more grows it again.
TEST(RawPointNameMapModelTest, ShrinkAfterABulkAddKeepsEveryName)
{
    for (const size_t filed : {size_t(0), size_t(1), size_t(12), size_t(13), size_t(200)}) {
        CRawPointNameMap map;
        Model model;
        map.Reserve(5000);
        for (size_t i = 0; i < filed; ++i)
            File(map, model, "S" + std::to_string(i), "", CLocation(double(i), 1, 0), int32_t(i), false);
        map.ShrinkToFit();
        ExpectSameAnswers(map, model, int32_t(filed) + 1, "shrunk, " + std::to_string(filed));
        for (size_t i = 0; i < 300; ++i)
            File(map, model, "T" + std::to_string(i), "CURB", CLocation(2, double(i), 0), int32_t(filed + i), false);
        ExpectSameAnswers(map, model, int32_t(filed) + 301, "grown again, " + std::to_string(filed));
    }
}

// Descriptions are found through a small table of where each was last met: texts far more
// than its slots, texts alike in their first 24 bytes, and a refile after everything is removed
// (so remembered places point at other texts) must each still read back as filed.
TEST(RawPointNameMapModelTest, ManyDescriptionsReadBackAsFiled)
{
    std::vector<std::string> texts = {"", "A", "a", "TOP BANK", "TOP BANK ", std::string(24, 'X') + "1",
                                      std::string(24, 'X') + "2", std::string(24, 'X') + "12"};
    for (int i = 0; i < 1500; ++i)
        texts.push_back("D" + std::to_string(i));
    CRawPointNameMap map;
    for (const int pass : {0, 1}) {
        if (pass == 1)
            map.RemoveAll();
        std::vector<std::pair<std::string, std::string>> filed;
        for (size_t i = 0; i < 3 * texts.size(); ++i) {
            // Runs, back and forth between two, and jumps across the list.
            const size_t pick = pass == 0 ? (i / 3) % texts.size() : (i * 7919 + i % 2) % texts.size();
            const std::string name = "P" + std::to_string(i);
            map.AddPoint(name, texts[pick], CLocation(1, double(i), 0), int32_t(i), false);
            filed.emplace_back(name, texts[pick]);
        }
        for (const auto& [name, description] : filed) {
            std::string read;
            ASSERT_TRUE(map.GetPointDescription(name, &read, int32_t(filed.size())));
            ASSERT_EQ(read, description) << "pass " << pass << " name " << name;
        }
    }
}

} // namespace
