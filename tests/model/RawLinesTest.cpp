#include "TestJobDoc.h"

#include "FakeStatusBarHost.h"
#include "FakeView.h"
#include "model/HintCodes.h"
#include "model/DataFileHiSelection.h"
#include "model/DataFileSelOperator.h"
#include "model/PointDatabase.h"
#include "model/RecordDatabase.h"
#include "model/Selection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace morvel::test;
using testing::ElementsAre;
using testing::MatchesRegex;

namespace {

std::string Stamped(const std::string& text)
{
    return "[0-9][0-9]-[0-9][0-9]-[0-9][0-9][0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9] " + text;
}

std::vector<std::string> Delivered(CDataFileDoc& doc, std::vector<std::string>& log)
{
    doc.SendHint(nullptr, HintFlush, 0);
    std::vector<std::string> out;
    out.swap(log);
    return out;
}

// A job with a view whose hints the test reads.
struct ViewedJob
{
    ViewedJob() { doc.AddView(&view); }
    ~ViewedJob() { doc.RemoveView(&view); }
    std::vector<std::string> Hints() { return Delivered(doc, log); }

    TestJobDoc doc;
    std::vector<std::string> log;
    FakeView view{&log};
};

} // namespace

TEST(RawLines, AppendedLinesAreNamedInTheHistory)
{
    ViewedJob job;
    TestJobDoc& doc = job.doc;
    const FakeRawRecord plain{"SS,1,2,3"};
    const FakeRawRecord deleted{"*SS,4,5,6"};
    ASSERT_TRUE(doc.AppendRawDataRecord(AsRawRecord(plain)));
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Added 'SS,1,2,3' to raw data at line #1")));
    ASSERT_TRUE(doc.AppendRawDataRecord(AsRawRecord(deleted)));
    EXPECT_THAT(doc.GetHistoryList().back(),
                MatchesRegex(Stamped("Added '\\(deleted\\)SS,4,5,6'  to raw data at line #2")));
    // The text variant never says deleted.
    ASSERT_TRUE(doc.AppendRawDataRecordText(AsRawRecord(deleted)));
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Added '\\*SS,4,5,6' to raw data at line #3")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_THAT(job.Hints(), testing::Contains("V41"));
    EXPECT_EQ(doc.rawData.lines.size(), 3u);
}

TEST(RawLines, RefusedChangesLeaveNoTrace)
{
    ViewedJob job;
    TestJobDoc& doc = job.doc;
    doc.rawData.lines = {"CO,a", "CO,b"};
    doc.SetModifiedWithText("", false, false);
    job.Hints();
    const size_t history = doc.GetHistoryList().size();
    const FakeRawRecord unprintable{"XX", false};
    const FakeRawRecord line{"SS,1"};

    EXPECT_FALSE(doc.AppendRawDataRecord(nullptr));
    EXPECT_FALSE(doc.AppendRawDataRecord(AsRawRecord(unprintable)));
    EXPECT_FALSE(doc.ReplaceRawDataLine(9, AsRawRecord(line)));
    EXPECT_FALSE(doc.InsertRawDataLine(-1, AsRawRecord(line)));
    EXPECT_FALSE(doc.ReplaceRawDataLine(0, nullptr));
    doc.rawData.refuse = true;
    EXPECT_FALSE(doc.AppendRawDataRecordText(AsRawRecord(line)));
    EXPECT_EQ(doc.RemoveRawDataLines({0}), 0);
    EXPECT_FALSE(doc.MarkRawDataLineDeleted({0}, true));
    EXPECT_FALSE(doc.ConvertRawDataLineToNote({0}, true));
    EXPECT_FALSE(doc.RenamePointsInRawData({{"a", "b"}}));
    // A point deleted while the raw data refuses its line is still deleted, without the line.
    CPointRecord* p = doc.AddPoint("7");
    doc.SetModifiedWithText("", false, false);
    job.Hints();
    const size_t withPoint = doc.GetHistoryList().size();
    EXPECT_TRUE(doc.DeleteRecord(p, true));
    EXPECT_EQ(doc.GetHistoryList().size(), withPoint + 1);

    EXPECT_THAT(doc.rawData.lines, ElementsAre("CO,a", "CO,b"));
    EXPECT_EQ(history + 2, doc.GetHistoryList().size());
    EXPECT_THAT(job.Hints(), testing::Not(testing::Contains(testing::AnyOf("V41", "V42"))));
}

TEST(RawLines, ReplacingAndInsertingEmptyTheCachedTextsFromTheLineOn)
{
    ViewedJob job;
    TestJobDoc& doc = job.doc;
    doc.rawData.lines = {"CO,1", "CO,2", "CO,3", "CO,4", "CO,5", "CO,6", "CO,7"};
    auto& cache = doc.GetRawDataLines();
    cache.assign(7, std::vector<std::string>{"cell"});

    const FakeRawRecord line{"SS,9"};
    ASSERT_TRUE(doc.ReplaceRawDataLine(4, AsRawRecord(line)));
    for (size_t i = 0; i < 7; ++i)
        EXPECT_EQ(cache[i].empty(), i >= 4) << i;
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Replaced :SS,9 in raw data at line #5")));
    EXPECT_THAT(job.Hints(), testing::Contains("V42"));

    cache.assign(7, std::vector<std::string>{"cell"});
    ASSERT_TRUE(doc.InsertRawDataLine(1, AsRawRecord(line)));
    EXPECT_FALSE(cache[0].empty());
    EXPECT_TRUE(cache[1].empty());
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Inserted 'SS,9' in raw data at line #2")));
    EXPECT_EQ(doc.rawData.lines[1], "SS,9");
}

TEST(RawLines, RemovingMarkingNotingAndRenaming)
{
    ViewedJob job;
    TestJobDoc& doc = job.doc;
    doc.rawData.lines = {"MP,1,0,0", "MP,2,0,0", "MP,3,0,0", "SS,1,2"};
    auto& cache = doc.GetRawDataLines();
    cache.assign(1, std::vector<std::string>{"cell"});

    // Three lines out of a cache of one entry leave that entry, emptied.
    EXPECT_EQ(doc.RemoveRawDataLines({0, 2, 9}), 2);
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_TRUE(cache[0].empty());
    EXPECT_THAT(doc.rawData.lines, ElementsAre("MP,2,0,0", "SS,1,2"));

    EXPECT_TRUE(doc.MarkRawDataLineDeleted({0}, true));
    EXPECT_FALSE(doc.MarkRawDataLineDeleted({0}, true));
    EXPECT_TRUE(doc.ConvertRawDataLineToNote({1}, true));
    EXPECT_THAT(doc.rawData.lines, ElementsAre("*MP,2,0,0", "CO,SS,1,2"));
    EXPECT_TRUE(doc.RenamePointsInRawData({{"2", "20"}}));
    EXPECT_EQ(doc.rawData.lines[0], "*MP,20,0,0");
    EXPECT_THAT(job.Hints(), testing::Contains("V42"));
}

TEST(Selection, WalkSetAndClear)
{
    TestJobDoc doc;
    CSelection* current = doc.GetSelection();
    ASSERT_NE(current, nullptr);
    // The operator's selection takes the first bit, the highlight the next.
    EXPECT_EQ(current->GetBit(), 0);
    EXPECT_EQ(doc.GetHiSelection()->GetBit(), 1);

    CPointRecord* a = doc.AddPoint("A");
    doc.AddPoint("B");
    CPointRecord* c = doc.AddPoint("C");
    CRecordCursor cursor = current->GetFirst();
    EXPECT_EQ(current->GetNext(cursor), nullptr);

    current->SetSelected(c, true);
    current->SetSelected(a, true);
    std::vector<std::string> walked;
    cursor = current->GetFirst();
    while (CRecord* r = current->GetNext(cursor))
        walked.emplace_back(static_cast<CPointRecord*>(r)->GetName());
    EXPECT_THAT(walked, ElementsAre("A", "C"));
    EXPECT_FALSE(doc.GetHiSelection()->IsSelected(a));

    current->ClearAll();
    EXPECT_EQ(current->GetCount(), 0);
}

TEST(BulkEdits, TranslateMovesSelectedPointsAndLogsThemInNameOrder)
{
    ViewedJob job;
    TestJobDoc& doc = job.doc;
    CPointRecord* p10 = doc.AddPoint("P10", 100, 200, 5);
    CPointRecord* p2 = doc.AddPoint("P2", 10, 20);
    CPointRecord* p3 = doc.AddPoint("P3", 1, 2, 3);
    CPointRecord* other = doc.AddPoint("X", 0, 0, 0);
    for (CPointRecord* p : {p10, p2, p3})
        doc.GetSelection()->SetSelected(p, true);
    const size_t history = doc.GetHistoryList().size();

    ASSERT_TRUE(doc.TranslatePoints(CLocation(1, 2, 0.5)));
    EXPECT_DOUBLE_EQ(p10->GetEasting(), 101);
    EXPECT_DOUBLE_EQ(p10->GetNorthing(), 202);
    EXPECT_DOUBLE_EQ(p10->GetElevation(), 5.5);
    EXPECT_LE(p2->GetElevation(), NoValueLimit);
    EXPECT_DOUBLE_EQ(other->GetEasting(), 0);
    ASSERT_EQ(doc.rawData.lines.size(), 3u);
    EXPECT_THAT(doc.rawData.lines[0], testing::StartsWith("CC,P2,"));
    EXPECT_THAT(doc.rawData.lines[1], testing::StartsWith("CC,P3,"));
    EXPECT_THAT(doc.rawData.lines[2], testing::StartsWith("CC,P10,"));
    // One history line per logged point.
    EXPECT_EQ(doc.GetHistoryList().size(), history + 3);

    // An offset without an elevation keeps the elevations.
    ASSERT_TRUE(doc.TranslatePoints(CLocation(0, 0, NoValue)));
    EXPECT_DOUBLE_EQ(p3->GetElevation(), 3.5);
}

TEST(BulkEdits, AnyPointOutOfRangeChangesNothing)
{
    TestJobDoc doc;
    CPointRecord* near = doc.AddPoint("1", 0, 0, 0);
    CPointRecord* far = doc.AddPoint("2", 9999990, 0);
    CPointRecord* flat = doc.AddPoint("3", 0, 0);
    for (CPointRecord* p : {near, far, flat})
        doc.GetSelection()->SetSelected(p, true);

    struct Case
    {
        const char* name;
        CLocation offset;
        bool ok;
    };
    const Case cases[] = {
        {"easting reaches 1e7", CLocation(10, 0, 0), false},
        {"northing reaches -1e7", CLocation(0, -1e7, 0), false},
        {"a present elevation reaches 1e7", CLocation(0, 0, 1e7), false},
        {"just inside", CLocation(9.99, 9999999, 9999999), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t lines = doc.rawData.lines.size();
        const CLocation before = far->GetLocation();
        EXPECT_EQ(doc.TranslatePoints(c.offset), c.ok);
        if (!c.ok) {
            EXPECT_DOUBLE_EQ(far->GetEasting(), before.x);
            EXPECT_DOUBLE_EQ(near->GetNorthing(), 0);
            EXPECT_EQ(doc.rawData.lines.size(), lines);
        }
    }
}

TEST(BulkEdits, RotateAndScaleAgreeWithTheirInverses)
{
    TestJobDoc doc;
    CPointRecord* p = doc.AddPoint("1", 110, 200, 50);
    doc.GetSelection()->SetSelected(p, true);

    // A quarter turn counter-clockwise about (100, 200) takes (110, 200) to (100, 210).
    ASSERT_TRUE(doc.RotatePoints(100, 200, std::numbers::pi / 2));
    EXPECT_NEAR(p->GetEasting(), 100, 1e-9);
    EXPECT_NEAR(p->GetNorthing(), 210, 1e-9);
    EXPECT_DOUBLE_EQ(p->GetElevation(), 50);
    ASSERT_TRUE(doc.RotatePoints(100, 200, -std::numbers::pi / 2));
    EXPECT_NEAR(p->GetEasting(), 110, 1e-9);
    EXPECT_NEAR(p->GetNorthing(), 200, 1e-9);

    ASSERT_TRUE(doc.ScalePoints(100, 200, 0, 2, 3, 4));
    EXPECT_DOUBLE_EQ(p->GetEasting(), 120);
    EXPECT_DOUBLE_EQ(p->GetNorthing(), 200);
    EXPECT_DOUBLE_EQ(p->GetElevation(), 200);
    ASSERT_TRUE(doc.ScalePoints(100, 200, 0, 0.5, 1.0 / 3, 0.25));
    EXPECT_DOUBLE_EQ(p->GetEasting(), 110);
    EXPECT_DOUBLE_EQ(p->GetElevation(), 50);
    EXPECT_EQ(doc.rawData.lines.size(), 4u);
    EXPECT_FALSE(doc.ScalePoints(0, 0, 0, 1e6, 1, 1));
}

TEST(BulkEdits, DeleteObjectsRemovesEverySelectedPoint)
{
    FakeStatusBarHost host;
    TestJobDoc doc;
    std::vector<CPointRecord*> points;
    for (int i = 1; i <= 6; ++i)
        points.push_back(doc.AddPoint(std::to_string(i).c_str(), i, i));
    // Every other point, so that deleting while walking would skip some.
    for (int i = 0; i < 6; i += 2)
        doc.GetSelection()->SetSelected(points[size_t(i)], true);
    doc.GetSelection()->SetSelected(points[1], true);

    ASSERT_TRUE(doc.DeleteObjects(true));
    std::vector<std::string> left;
    CPointDatabase* index = doc.GetPointDatabase();
    for (RedBlackNode* pos = index->GetFirstPosition(); pos != nullptr;)
        left.emplace_back(index->GetNextPoint(pos)->GetName());
    EXPECT_THAT(left, ElementsAre("4", "6"));
    EXPECT_EQ(doc.GetSortedIndex()->GetCount(), 2);
    EXPECT_EQ(doc.GetSelection()->GetCount(), 0);
    ASSERT_EQ(doc.rawData.lines.size(), 4u);
    EXPECT_THAT(doc.rawData.lines[0], testing::StartsWith("*MP,1,"));
    EXPECT_THAT(host.Take(), testing::Contains("text:Deleting point objects..."));

    // Nothing selected: nothing to do.
    EXPECT_TRUE(doc.DeleteObjects(false));
    EXPECT_EQ(doc.GetRecordDatabase()->GetCount(0), 2);
}
