// The raw data list without its window: images, cells, headings and the context commands'
// enabling, including rows a refresh has just removed.
#include "../rawdata/RawJob.h"
#include "views/RawDataListModel.h"

#include <gtest/gtest.h>

#include <algorithm>

using morvel::test::RawJob;

namespace {

TEST(RawDataListModelTest, ImageTable)
{
    const int32_t expected[] = {6, 4, 4, 4, 4, 4, 4, 1, 2, 2, 5, -1, -1, 0};
    for (int32_t type = 0; type < RecordTypeCount; ++type) {
        SCOPED_TRACE(type);
        EXPECT_EQ(GetRecordTypeImage(type), expected[type]);
    }
    EXPECT_EQ(GetRecordTypeImage(-1), -1);
    EXPECT_EQ(GetRecordTypeImage(99), -1);
}

class RawListJobTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        job.AppendAll({"CO,Job start", "ST,1,2,1.5,0.0000,0.0000",
                       "*SS,10,1.8,50.0,45.3000,90.0000,10:00:00,TREE"});
    }
    RawJob job;
};

TEST_F(RawListJobTest, HeadingsFollowTheSelection)
{
    std::vector<std::string> none = RawListHeadings(job.raw, -1, 10);
    ASSERT_EQ(none.size(), 10u);
    EXPECT_EQ(none[0], "#");
    EXPECT_EQ(none[1], " ");
    EXPECT_EQ(RawListHeadings(job.raw, 3, 10), none); // a row just removed
    const std::vector<std::string> shot = RawListHeadings(job.raw, 2, 10);
    EXPECT_EQ(shot[0], "#");
    EXPECT_EQ(shot[1], "Type");
    for (const std::string& heading : shot)
        EXPECT_EQ(heading.find(':'), std::string::npos) << heading;
    EXPECT_NE(shot[2], " ");
}

TEST_F(RawListJobTest, CellsAreBoundsChecked)
{
    CRawCellCache cache;
    EXPECT_EQ(cache.GetCellText(job.raw, 3, 0), "");
    EXPECT_EQ(cache.GetCellText(job.raw, -1, 0), "");
    EXPECT_EQ(cache.GetCachedRowCount(), 0u);
    EXPECT_EQ(cache.GetCellText(job.raw, 0, 99), "");
    EXPECT_FALSE(cache.GetCellText(job.raw, 2, 0).empty());
    EXPECT_EQ(cache.GetCachedRowCount(), 3u);
}

TEST_F(RawListJobTest, CellsArePackedOnceAndFollowTheJobsCache)
{
    // The job's own cache: an entry it empties is formatted again on the next paint.
    std::vector<std::vector<std::string>> store;
    CRawCellCache cache(&store);
    const std::string number(cache.GetCellText(job.raw, 2, 0));
    const std::string point(cache.GetCellText(job.raw, 2, 2));
    EXPECT_EQ(number, "3");
    EXPECT_EQ(point, "10");
    ASSERT_EQ(store.size(), 3u);
    ASSERT_EQ(store[2].size(), 1u);
    EXPECT_TRUE(store[1].empty()); // not painted yet
    // A column past the line's cells is empty, even one just past the last.
    int32_t cells = 0;
    while (!cache.GetCellText(job.raw, 2, cells).empty())
        ++cells;
    EXPECT_GE(cells, 8);
    EXPECT_EQ(cache.GetCellText(job.raw, 2, cells + 1), "");
    store[2].clear();
    EXPECT_EQ(cache.GetCellText(job.raw, 2, 2), point);
    EXPECT_GT(cache.GetMemoryBytes(), 0u);
}

TEST_F(RawListJobTest, ContextMenuEnabling)
{
    CRawMenuState none = RawContextMenuState(job.raw, {});
    EXPECT_FALSE(none.remove);
    EXPECT_FALSE(none.insert);
    EXPECT_TRUE(none.selectAll);

    CRawMenuState first = RawContextMenuState(job.raw, {0});
    EXPECT_FALSE(first.moveUp);
    EXPECT_TRUE(first.moveDown);
    EXPECT_TRUE(first.toRecord);
    EXPECT_FALSE(first.toComment);
    EXPECT_TRUE(first.markDeleted);
    EXPECT_FALSE(first.unmarkDeleted);

    CRawMenuState last = RawContextMenuState(job.raw, {2});
    EXPECT_TRUE(last.moveUp);
    EXPECT_FALSE(last.moveDown);
    EXPECT_TRUE(last.unmarkDeleted);
    EXPECT_FALSE(last.markDeleted);

    CRawMenuState two = RawContextMenuState(job.raw, {1, 2});
    EXPECT_TRUE(two.remove);
    EXPECT_FALSE(two.insert);
    EXPECT_FALSE(two.moveUp);
    EXPECT_FALSE(two.duplicate);
    EXPECT_TRUE(two.markDeleted);
    EXPECT_TRUE(two.unmarkDeleted);

    CRawMenuState gone = RawContextMenuState(job.raw, {7});
    EXPECT_FALSE(gone.moveUp);
    EXPECT_FALSE(gone.moveDown);
}

TEST(RawDataListModelTest, LinesDrawnPerMode)
{
    using Lines = std::vector<int32_t>;
    EXPECT_EQ(RawLinesToDraw(RawDrawNone, {1, 2}, 5), Lines{});
    EXPECT_EQ(RawLinesToDraw(RawDrawSelection, {3, 1, 9}, 5), (Lines{3, 1}));
    EXPECT_EQ(RawLinesToDraw(RawDrawProgressive, {}, 5), Lines{0});
    EXPECT_EQ(RawLinesToDraw(RawDrawProgressive, {2, 4}, 5), (Lines{0, 1, 2}));
    EXPECT_EQ(RawLinesToDraw(RawDrawEverything, {}, 3), (Lines{0, 1, 2}));
    EXPECT_EQ(RawLinesToDraw(RawDrawProgressive, {}, 0), Lines{});
}

TEST(RawDataListModelTest, DrawingStartsASetupAtTheFirstLineAndWhereTheStationChanges)
{
    morvel::test::RawJob job;
    morvel::test::RecordingDrawTarget target;
    job.raw.SetDrawTarget(&target);
    job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                   "CO,HA Raw Data: Azimuth", "MP,1,1000.0,2000.0,100.0,STN", "MP,2,1100.0,2000.0,,BS",
                   "MP,3,1200.0,2000.0,,STN", "ST,1,2,1.5,0.0000,0.0000", "SS,10,1.8,50.0,45.0000,90.0000,t,",
                   "SS,11,1.8,50.0,90.0000,90.0000,t,", "ST,3,2,1.5,0.0000,0.0000",
                   "SS,12,1.8,50.0,45.0000,90.0000,t,"});
    auto stations = [&] {
        return std::count_if(target.calls.begin(), target.calls.end(),
                             [](const std::string& call) { return call.rfind("infinite", 0) == 0; });
    };
    // The first line drawn shows its station; the next shot under the same station does not.
    DrawRawLines(job.raw, {8, 9});
    EXPECT_EQ(stations(), 1);
    EXPECT_EQ(std::count(target.calls.begin(), target.calls.end(), "location 7051 0,-8"), 2);
    // A shot under another station draws that station's preview again.
    target.calls.clear();
    DrawRawLines(job.raw, {8, 11});
    EXPECT_EQ(stations(), 2);
    // Lines that are gone draw nothing.
    target.calls.clear();
    DrawRawLines(job.raw, {-1, 12, 99});
    EXPECT_TRUE(target.calls.empty());
}

} // namespace
