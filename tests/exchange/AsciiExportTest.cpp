#include "ImportTestUtil.h"

#include "core/LocaleText.h"
#include "core/NoValue.h"
#include "exchange/AsciiColumnLayout.h"
#include "exchange/AsciiExportWriter.h"
#include "exchange/CoordinateImport.h"
#include "model/Selection.h"
#include "platform/Profile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include <sys/stat.h>

using namespace morvel::test;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

CAsciiColumnLayout Layout(std::vector<CAsciiColumnLayout::Item> items)
{
    CAsciiColumnLayout layout;
    layout.SetItems(std::move(items));
    return layout;
}

void SelectAll(TestJobDoc& job)
{
    CPointDatabase* points = job.GetPointDatabase();
    for (RedBlackNode* pos = points->GetFirstPosition(); pos != nullptr;)
        job.GetSelection()->SetSelected(points->GetNextPoint(pos), true);
}

} // namespace

TEST(AsciiExport, LinesFollowTheCheckedColumnsInListOrder)
{
    ImportSettings settings;
    TestJobDoc job;
    job.settings.SetDistanceUnit(0);
    CPointRecord* p = job.AddPoint("P1", 2000.25, 1000.5);
    p->SetDescription("CP");
    struct Case
    {
        const char* name;
        std::vector<CAsciiColumnLayout::Item> items;
        int32_t delimiter;
        const char* line;
    };
    const Case cases[] = {
        {"default layout, no elevation", CAsciiColumnLayout().GetItems(), 0, "P1,1000.5,2000.25,,CP"},
        {"tab", CAsciiColumnLayout().GetItems(), 1, "P1\t1000.5\t2000.25\t\tCP"},
        {"space", CAsciiColumnLayout().GetItems(), 2, "P1 1000.5 2000.25  CP"},
        {"reordered, unchecked left out", {{4, true}, {2, true}, {1, true}, {3, false}, {0, true}}, 0,
         "CP,2000.25,1000.5,P1"},
        {"nothing checked", {{0, false}, {1, false}}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CAsciiExportWriter writer(&job, Layout(c.items), c.delimiter);
        EXPECT_EQ(writer.FormatPointLine(*p), c.line);
        // A comma locale with dot grouping changes nothing in the file.
        CLocaleTextOverride german(",", ".");
        EXPECT_EQ(writer.FormatPointLine(*p), c.line);
    }

    // Display units: a feet job writes feet.
    job.settings.SetDistanceUnit(1);
    CAsciiExportWriter feet(&job, Layout({{0, true}, {1, true}}), 0);
    EXPECT_EQ(feet.FormatPointLine(*p), "P1,3282.480315");
}

TEST(AsciiExport, WritesSelectedPointsInNameOrderWithCrLf)
{
    ImportSettings settings;
    TempDir dir;
    TestJobDoc job;
    job.settings.SetDistanceUnit(0);
    job.AddPoint("P10", 1, 2, 3);
    job.AddPoint("P9", 4, 5);
    job.AddPoint("P2", -1234567.5, 7, 0.0005);
    job.AddPoint("SKIP", 8, 9);
    SelectAll(job);
    job.GetSelection()->SetSelected(Point(job, "SKIP"), false);
    MessageLog messages;
    CAsciiExportWriter writer(&job, CAsciiColumnLayout(), 0);
    ASSERT_TRUE(writer.WriteFile(dir.file("out.txt")));
    EXPECT_EQ(ReadAllText(dir.file("out.txt")), "P2,7.0,-1234567.5,0.0005,\r\n"
                                                "P9,5.0,4.0,,\r\n"
                                                "P10,2.0,1.0,3.0,\r\n");
    EXPECT_THAT(messages.texts, ElementsAre("Wrote 3 points to " + dir.file("out.txt")));
    EXPECT_THAT(messages.plain, ElementsAre(true));

    // No column checked: no line, and 0 points reported.
    messages.texts.clear();
    CAsciiExportWriter none(&job, Layout({{0, false}}), 0);
    ASSERT_TRUE(none.WriteFile(dir.file("none.txt")));
    EXPECT_EQ(ReadAllText(dir.file("none.txt")), "");
    EXPECT_THAT(messages.texts, ElementsAre("Wrote 0 points to " + dir.file("none.txt")));
}

TEST(AsciiExport, FailedWritesSayNothingWasWritten)
{
    ImportSettings settings;
    TempDir dir;
    TestJobDoc job;
    job.AddPoint("1", 1, 2, 3);
    SelectAll(job);
    MessageLog messages;
    CAsciiExportWriter writer(&job, CAsciiColumnLayout(), 0);
    EXPECT_FALSE(writer.WriteFile(dir.file("no-such-folder/out.txt")));
    WriteAllText(dir.file("keep.txt"), "old");
    // The write itself fails: the file may not grow past 8 bytes, the line has 16.
    RunWithFileSizeLimit(8, [&] {
        messages.texts.clear();
        EXPECT_FALSE(writer.WriteFile(dir.file("keep.txt")));
        EXPECT_EQ(writer.GetWrittenCount(), 0);
        EXPECT_THAT(messages.texts, ElementsAre("Save failed, try again"));
    });
    EXPECT_EQ(ReadAllText(dir.file("keep.txt")), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "a temporary file was left";
    RunUnprivileged(dir.path(), [&] {
        // Neither /dev nor a read-only folder takes the temporary file.
        struct stat st {};
        if (::stat("/dev/full", &st) == 0) {
            EXPECT_FALSE(writer.WriteFile("/dev/full"));
        }
        ::chmod(dir.path().c_str(), 0500);
        EXPECT_FALSE(writer.WriteFile(dir.file("keep.txt")));
        EXPECT_EQ(ReadAllText(dir.file("keep.txt")), "old");
        ::chmod(dir.path().c_str(), 0700);
        EXPECT_THAT(messages.texts, testing::Each(std::string("Save failed, try again")));
        EXPECT_GE(messages.texts.size(), 2u);
    });
}

TEST(AsciiExport, PointsWithoutElevationSurviveTheRoundTrip)
{
    ImportSettings settings;
    TempDir dir;
    TestJobDoc source;
    source.settings.SetDistanceUnit(2);
    source.AddPoint("A", 100.125, 200.5);
    source.AddPoint("B", 300, 400, 12.75)->SetDescription("TREE");
    SelectAll(source);
    MessageLog messages;
    for (int32_t delimiter : {0, 1, 2}) {
        SCOPED_TRACE(delimiter);
        CAsciiExportWriter writer(&source, CAsciiColumnLayout(), delimiter);
        ASSERT_TRUE(writer.WriteFile(dir.file("round.txt")));
        TestJobDoc target;
        int32_t count = 0;
        ASSERT_TRUE(ImportAsciiCoordinates(&target, dir.file("round.txt"), {0, 1, 2, 3, 4},
                                           CAsciiColumnLayout::GetDelimiterText(delimiter), 2, nullptr, false,
                                           &count));
        EXPECT_EQ(count, 2);
        ASSERT_NE(Point(target, "A"), nullptr);
        // Six decimals of US feet hold the metres to a few micrometres.
        EXPECT_NEAR(Point(target, "A")->GetEasting(), 100.125, 1e-6);
        EXPECT_NEAR(Point(target, "A")->GetNorthing(), 200.5, 1e-6);
        EXPECT_FALSE(HasValue(Point(target, "A")->GetElevation()));
        EXPECT_NEAR(Point(target, "B")->GetElevation(), 12.75, 1e-6);
        EXPECT_STREQ(Point(target, "B")->GetDescription(), "TREE");
    }
}

TEST(AsciiColumnLayout, ProfileKeysAndTheAcceptCheck)
{
    ImportSettings settings;
    TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    CAsciiColumnLayout layout;
    layout.Load(profile);
    EXPECT_EQ(layout.GetCheckedTypes(), (std::vector<uint16_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(layout.CheckAccept(), "");
    EXPECT_EQ(CAsciiColumnLayout::LoadDelimiterCode(profile), 0);
    EXPECT_EQ(CAsciiColumnLayout::LoadPointNameOption(profile), 0);

    layout.SetItems({{2, true}, {1, true}, {0, true}, {3, false}, {4, true}});
    layout.Save(profile);
    CAsciiColumnLayout::SaveDelimiterCode(profile, 1);
    CAsciiColumnLayout::SavePointNameOption(profile, 1);
    EXPECT_EQ(profile.GetProfileInt("Import", "ColumnType0", -1), 2);
    EXPECT_EQ(profile.GetProfileInt("Import", "ColumnCheck3", -1), 0);
    CAsciiColumnLayout again;
    again.Load(profile);
    EXPECT_EQ(again.GetCheckedTypes(), (std::vector<uint16_t>{2, 1, 0, 4}));
    EXPECT_EQ(CAsciiColumnLayout::LoadDelimiterCode(profile), 1);
    EXPECT_EQ(CAsciiColumnLayout::LoadPointNameOption(profile), 1);

    // A type code of 5 or more adds no item; the checks still go by list index.
    profile.WriteProfileInt("Import", "ColumnType1", 7);
    CAsciiColumnLayout shorter;
    shorter.Load(profile);
    ASSERT_EQ(shorter.GetItems().size(), 4u);
    EXPECT_EQ(shorter.GetCheckedTypes(), (std::vector<uint16_t>{2, 0, 3}));

    layout.SetItems({{0, true}, {1, false}, {2, true}});
    EXPECT_EQ(layout.CheckAccept(), "Column definitions must have Northing and Easting enabled.");
    settings.settings.SetCoordOrder(false);
    EXPECT_EQ(layout.CheckAccept(), "Column definitions must have Easting and Northing enabled.");

    EXPECT_EQ(CAsciiColumnLayout::GetDelimiterText(0), ",");
    EXPECT_EQ(CAsciiColumnLayout::GetDelimiterText(1), "\t");
    EXPECT_EQ(CAsciiColumnLayout::GetDelimiterText(2), " ");
    EXPECT_EQ(CAsciiColumnLayout::GetDelimiterText(9), ",");
    EXPECT_EQ(CAsciiColumnLayout::GetItemText(0), "Point Name");
    EXPECT_EQ(CAsciiColumnLayout::GetItemText(3), "Elevation");
}
