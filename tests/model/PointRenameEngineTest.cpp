#include "TestJobDoc.h"
#include "TestUtil.h"

#include "core/Report.h"
#include "model/MorvelSettings.h"
#include "model/DataFileSelOperator.h"
#include "model/PointRenameEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

using namespace morvel::test;
using testing::ElementsAre;
using testing::Pair;
using testing::UnorderedElementsAre;

namespace {

// Rename rules for one test, on settings that never touch the profile file.
class RenameRules
{
public:
    RenameRules()
    {
        settings.SetRenameRule(2);
        settings.SetRenameStartNumber(1);
        settings.SetRenameNumericOffset(1000);
        settings.SetRenameDesignator("A");
        settings.SetRenameDesignatorLocation(0);
        settings.SetRenameNextRound(0);
        settings.SetRenameOption(0);
        SetMorvelSettings(&settings);
    }
    ~RenameRules() { SetMorvelSettings(nullptr); }

    CMorvelSettings settings;
};

// Keeps the names the test says it accepts.
class AcceptingEngine : public CPointRenameEngine
{
public:
    using CPointRenameEngine::CPointRenameEngine;
    bool IsNameAcceptable(const std::string& name, int32_t) override { return accepted.count(name) != 0; }
    void OnConflictsFound() override { ++conflicts; }
    std::set<std::string> accepted;
    int conflicts = 0;
};

PointRenameMap Map(CPointRenameEngine& engine)
{
    PointRenameMap map;
    engine.GetRenameMap(map);
    return map;
}

} // namespace

TEST(RenameEngine, NaturalOrder)
{
    struct Case
    {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {{"2", "10", -1}, {"A007", "A7", 0}, {"pt9", "PT10", -1}, {"A", "A1", -1},
                          {"1234567890123456", "1234567890123457", -1}, {"B", "a", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " " + c.b);
        const int r = CompareNamesNatural(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
        const int swapped = CompareNamesNatural(c.b, c.a);
        EXPECT_EQ((swapped > 0) - (swapped < 0), -c.sign);
    }
}

TEST(RenameEngine, AnEmptyList)
{
    RenameRules rules;
    TestJobDoc doc;
    CPointRenameEngine engine(&doc);
    EXPECT_TRUE(engine.ComputeRenames());
    EXPECT_TRUE(Map(engine).empty());
    std::vector<std::string> sorted;
    EXPECT_FALSE(engine.GetSortedNames(sorted));
    EXPECT_THAT(engine.GetMessages(), ElementsAre("The renaming points list is empty."));

    CPointRenameEngine quiet(&doc);
    CReport report;
    EXPECT_TRUE(quiet.BuildPreviewReport(report));
    EXPECT_THAT(report.GetHeaderLines(), ElementsAre("Rename Points Preview Report"));
    EXPECT_EQ(report.GetCell(0, 0, 2), "No points renamed.");
}

TEST(RenameEngine, StartNumberInNaturalOrder)
{
    RenameRules rules;
    rules.settings.SetRenameRule(0);
    TestJobDoc doc;
    CPointRenameEngine engine(&doc);
    engine.AddPointNames({"10", "2", "A5"});
    EXPECT_TRUE(engine.ComputeRenames());
    EXPECT_THAT(Map(engine), UnorderedElementsAre(Pair("2", "1"), Pair("10", "2"), Pair("A5", "3")));

    // A new name the job already has is refused, and its number is used up all the same.
    doc.AddPoint("2");
    CPointRenameEngine clash(&doc);
    clash.AddPointNames({"10", "2", "A5"});
    EXPECT_FALSE(clash.ComputeRenames());
    EXPECT_THAT(Map(clash), UnorderedElementsAre(Pair("2", "1"), Pair("A5", "3")));
    EXPECT_THAT(clash.GetMessages(),
                ElementsAre("Failed to rename point 10 to 2. New point name 2 is not valid because it already exists "
                            "in the Data."));
    CReport report;
    EXPECT_TRUE(clash.BuildPreviewReport(report));
    EXPECT_EQ(report.GetCell(0, 0, 2), "Failed to rename the points using the selected rule.");
    EXPECT_EQ(report.GetSections().size(), 1u);
}

TEST(RenameEngine, NextRoundAndNextFree)
{
    RenameRules rules;
    TestJobDoc doc;
    for (const char* name : {"1", "2", "1234", "B7"})
        doc.AddPoint(name);
    struct Case
    {
        int32_t round;
        const char* first;
    };
    // An unknown step counts as 1.
    const Case cases[] = {{0, "1235"}, {1, "1300"}, {2, "2000"}, {3, "10000"}, {7, "1235"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.round);
        rules.settings.SetRenameNextRound(c.round);
        CPointRenameEngine engine(&doc);
        engine.AddPointNames({"X2", "X1"});
        EXPECT_TRUE(engine.ComputeRenames());
        EXPECT_EQ(Map(engine)["X1"], c.first);
        EXPECT_EQ(std::stoll(Map(engine)["X2"]), std::stoll(c.first) + 1);
    }

    // Sixteen-digit names are counted in 64 bits.
    doc.AddPoint("9000000000000000");
    rules.settings.SetRenameNextRound(0);
    CPointRenameEngine big(&doc);
    big.AddPointNames({"X1"});
    EXPECT_TRUE(big.ComputeRenames());
    EXPECT_EQ(Map(big)["X1"], "9000000000000001");

    rules.settings.SetRenameRule(1);
    CPointRenameEngine next(&doc);
    next.AddPointNames({"Q1", "Q2"});
    EXPECT_TRUE(next.ComputeRenames());
    EXPECT_THAT(Map(next), UnorderedElementsAre(Pair("Q1", "3"), Pair("Q2", "4")));
    CPointRenameEngine unbound(nullptr);
    unbound.AddPointNames({"Q1"});
    EXPECT_FALSE(unbound.ComputeRenames());
}

TEST(RenameEngine, DesignatorAndOffset)
{
    RenameRules rules;
    TestJobDoc doc;
    rules.settings.SetRenameRule(3);
    CPointRenameEngine before(&doc);
    before.AddPointNames({"12"});
    EXPECT_TRUE(before.ComputeRenames());
    EXPECT_EQ(Map(before)["12"], "A_12");
    rules.settings.SetRenameDesignatorLocation(1);
    CPointRenameEngine after(&doc);
    after.AddPointNames({"12"});
    EXPECT_TRUE(after.ComputeRenames());
    EXPECT_EQ(Map(after)["12"], "12_A");

    rules.settings.SetRenameRule(4);
    CPointRenameEngine offset(&doc);
    offset.AddPointNames({"12", "1234567890123456"});
    EXPECT_TRUE(offset.ComputeRenames());
    EXPECT_EQ(Map(offset)["12"], "1012");
    EXPECT_EQ(Map(offset)["1234567890123456"], "1234567890124456");
    CPointRenameEngine mixed(&doc);
    mixed.AddPointNames({"12", "A5"});
    EXPECT_FALSE(mixed.ComputeRenames());
    EXPECT_TRUE(Map(mixed).empty());
    EXPECT_THAT(mixed.GetMessages(), ElementsAre("Not all points to be renamed are numeric."));

    // A job that takes digits only refuses a designator.
    rules.settings.SetRenameRule(3);
    doc.digitsOnly = true;
    CPointRenameEngine digits(&doc);
    digits.AddPointNames({"12"});
    EXPECT_FALSE(digits.ComputeRenames());
    EXPECT_THAT(digits.GetMessages(),
                ElementsAre("Failed to rename point 12 to 12_A. New point name 12_A is not a valid point name."));
}

TEST(RenameEngine, OnlyNamesInConflictAreRenamed)
{
    RenameRules rules;
    rules.settings.SetRenameOption(1);
    TestJobDoc doc;
    doc.AddPoint("5");
    AcceptingEngine free(&doc);
    free.AddPointNames({"7", "8"});
    EXPECT_TRUE(free.ComputeRenames());
    EXPECT_THAT(Map(free), UnorderedElementsAre(Pair("7", "7"), Pair("8", "8")));
    EXPECT_EQ(free.conflicts, 0);
    CReport report;
    ASSERT_TRUE(free.BuildPreviewReport(report));
    ASSERT_EQ(report.GetSections().size(), 2u);
    EXPECT_EQ(report.GetSections()[1]->columns[1].heading, "Renamed Point");
    EXPECT_EQ(report.GetSections()[1]->columns[1].flags, 18);
    EXPECT_EQ(report.GetCell(1, 1, 0), "no conflict");

    AcceptingEngine clash(&doc);
    clash.accepted = {"7"};
    clash.AddPointNames({"5", "7"});
    EXPECT_TRUE(clash.ComputeRenames());
    EXPECT_EQ(clash.conflicts, 1);
    EXPECT_THAT(Map(clash), UnorderedElementsAre(Pair("5", "6"), Pair("7", "7")));
    CReport shown;
    ASSERT_TRUE(clash.BuildPreviewReport(shown));
    EXPECT_EQ(shown.GetCell(1, 0, 0), "5");
    EXPECT_EQ(shown.GetCell(1, 1, 0), "6");
    EXPECT_EQ(shown.GetCell(1, 1, 1), "duplicated");
}

TEST(RenameEngine, NamesFromFilesAndTheSelection)
{
    FakeRawDataFactoryScope raw;
    TempDir dir;
    WriteAllText(dir.file("points.csv"), "P1,100,200\nbad name,1,2\n\n 17 ,3,4\r\nP1-2,5,6\n");
    CPointRenameEngine ascii(nullptr);
    EXPECT_TRUE(ascii.CollectAsciiFilePointNames(dir.file("points.csv"), {0, 1, 2}, ","));
    EXPECT_THAT(ascii.GetNames(), ElementsAre("P1", "17"));
    EXPECT_FALSE(ascii.CollectAsciiFilePointNames(dir.file("missing.csv"), {0}, ","));
    // Names are read as the import reads them: blanks around fields and runs of blank delimiters,
    // lines that do not read as points skipped, nothing after a NUL.
    WriteAllText(dir.file("spaced.txt"), std::string("  Q1   1  2\r\nQ2 1\n\n   Q3\t3\t4\n\0Q4 5 6\n", 37));
    CPointRenameEngine spaced(nullptr);
    EXPECT_TRUE(spaced.CollectAsciiFilePointNames(dir.file("spaced.txt"), {0, 1, 2}, " \t"));
    EXPECT_THAT(spaced.GetNames(), ElementsAre("Q1", "Q3"));

    {
        CMorvelFileDoc job;
        for (const char* name : {"J2", "J1"}) {
            auto* p = new CPointRecord(name, "", CLocation(1, 2, NoValue), true);
            ASSERT_TRUE(job.AddRecord(p));
        }
        ASSERT_TRUE(job.SaveJobTo(dir.file("job.Mvj"), false));
    }
    CPointRenameEngine fromJob(nullptr);
    EXPECT_TRUE(fromJob.CollectJobFilePointNames(dir.file("job.Mvj")));
    EXPECT_THAT(fromJob.GetNames(), ElementsAre("J2", "J1"));
    EXPECT_FALSE(fromJob.CollectJobFilePointNames(dir.file("missing.Mvj")));

    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    CPointRecord* a = doc.AddPoint("A");
    CPointRecord* b = doc.AddPoint("B");
    doc.AddPoint("C");
    // In the order of selecting, not of the job.
    doc.GetSelOperator()->Select(b);
    doc.GetSelOperator()->Select(a);
    CPointRenameEngine selected(&doc);
    EXPECT_TRUE(selected.AddSelectedPoints());
    EXPECT_THAT(selected.GetNames(), ElementsAre("B", "A"));
}
