#include "model/TestJobDoc.h"
#include "TestUtil.h"
#include "views/PointRowsSettingsScope.h"

#include "core/Format.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "platform/Profile.h"
#include "views/JobViewRefresh.h"
#include "views/PointRows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using morvel::test::OpenDocumentScope;
using morvel::test::TempDir;
using morvel::test::TestJobDoc;
using testing::ElementsAre;

namespace {

using SettingsScope = morvel::test::PointRowsSettingsScope;

std::vector<std::string> Column(const CPointRows& rows, int column)
{
    std::vector<std::string> texts;
    for (int32_t row = 0; row < rows.GetCount(); ++row)
        texts.push_back(rows.GetCellText(row, column));
    return texts;
}

} // namespace

TEST(PointRows, HeadingsFollowTheCoordinateOrder)
{
    SettingsScope scope;
    scope.settings().SetXCaption("East");
    scope.settings().SetYCaption("North");
    scope.settings().SetZCaption("Elev");
    scope.settings().SetCoordOrder(true);
    EXPECT_THAT(CPointRows::ColumnHeadings(scope.settings()), ElementsAre("Point", "North", "East", "Elev", "Description"));
    scope.settings().SetCoordOrder(false);
    EXPECT_THAT(CPointRows::ColumnHeadings(scope.settings()), ElementsAre("Point", "East", "North", "Elev", "Description"));
}

TEST(PointRows, CellsComeFromTheJobsFormatterAndFollowTheCoordinateOrder)
{
    SettingsScope scope;
    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    doc.AddPoint("7", 100.5, 2000.25, 12.0);
    doc.AddPoint("8", 1.0, 2.0);
    CPointRows rows;
    rows.Attach(&doc);
    const CFormat& format = static_cast<const CDataFileDoc&>(doc).GetDataFileFormat();
    EXPECT_EQ(rows.GetCellText(0, 0), "7");
    EXPECT_EQ(rows.GetCellText(0, 1), format.FormatCoordinate(2000.25, false, false));
    EXPECT_EQ(rows.GetCellText(0, 2), format.FormatCoordinate(100.5, false, false));
    EXPECT_EQ(rows.GetCellText(0, 3), format.FormatElevation(12.0, false, false));
    EXPECT_EQ(rows.GetCellText(1, 3), "---");
    EXPECT_EQ(rows.GetCellText(2, 0), "");
    EXPECT_EQ(rows.GetCellText(-1, 0), "");
    scope.settings().SetCoordOrder(false);
    EXPECT_EQ(rows.GetCellText(0, 1), format.FormatCoordinate(100.5, false, false));
    // Drawing the row noted its selection state in the index.
    bool on = true;
    ASSERT_TRUE(doc.GetSortedIndex()->GetRowState(0, on));
    EXPECT_FALSE(on);
}

TEST(PointRows, SortingByNameThenReversingWithoutReinserting)
{
    SettingsScope scope;
    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    for (const char* name : {"10", "9", "2", "1"})
        doc.AddPoint(name);
    CPointRows rows;
    rows.Attach(&doc);
    // Unsorted: the order of entry, by sequence number.
    EXPECT_THAT(Column(rows, 0), ElementsAre("10", "9", "2", "1"));

    EXPECT_TRUE(rows.SortByColumn(0, true, 4));
    EXPECT_EQ(g_sortingView, &rows);
    EXPECT_THAT(Column(rows, 0), ElementsAre("1", "2", "9", "10"));
    CRecord* first = doc.GetSortedIndex()->GetAt(0);
    const int32_t sequence = first->GetSequenceNumber();

    rows.SortByColumn(0, true, 4);
    EXPECT_THAT(Column(rows, 0), ElementsAre("10", "9", "2", "1"));
    // The index is untouched; only the rows read it backwards.
    EXPECT_EQ(doc.GetSortedIndex()->GetAt(0), first);
    EXPECT_EQ(first->GetSequenceNumber(), sequence);

    // A point added later joins the order.
    doc.AddPoint("5");
    EXPECT_THAT(Column(rows, 0), ElementsAre("10", "9", "5", "2", "1"));
}

TEST(PointRows, NorthingAndEastingColumnsSwapWithTheCoordinateOrder)
{
    SettingsScope scope;
    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    doc.AddPoint("A", 3.0, 10.0);
    doc.AddPoint("B", 2.0, 20.0);
    doc.AddPoint("C", 1.0, 30.0);
    {
        CPointRows rows;
        rows.Attach(&doc);
        rows.SortByColumn(1, true, 3);
        EXPECT_THAT(Column(rows, 0), ElementsAre("A", "B", "C"));
    }
    // Easting first: column 1 is the easting.
    scope.settings().SetCoordOrder(false);
    CPointRows rows;
    rows.Attach(&doc);
    rows.SortByColumn(1, true, 3);
    EXPECT_THAT(Column(rows, 0), ElementsAre("C", "B", "A"));
    rows.SortByColumn(2, true, 3);
    EXPECT_THAT(Column(rows, 0), ElementsAre("A", "B", "C"));
}

TEST(PointRows, DetachingGivesTheJobItsSequenceOrderBack)
{
    SettingsScope scope;
    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    for (const char* name : {"3", "1", "2"})
        doc.AddPoint(name);
    {
        CPointRows rows;
        rows.Attach(&doc);
        rows.SortByColumn(0, true, 3);
    }
    EXPECT_EQ(g_sortingView, nullptr);
    EXPECT_EQ(doc.GetSortedIndex()->GetCompare(), &CompareRecordSequence);
    // A later insert goes last in sequence order, reading nothing of the closed rows.
    ASSERT_NE(doc.AddPoint("0A"), nullptr);
    EXPECT_STREQ(static_cast<CPointRecord*>(doc.GetSortedIndex()->GetAt(3))->GetName(), "0A");
}

namespace {

// A list that counts what is done to it.
class CountingList : public IRefreshList
{
public:
    int32_t GetItemCount() const override { return count; }
    void SetItemCount(int32_t n) override
    {
        ++countChanges;
        count = n;
    }
    void DeleteAllItems() override
    {
        ++deleteAlls;
        count = 0;
    }
    int32_t GetTopIndex() const override { return top; }
    int32_t GetCountPerPage() const override { return page; }
    void RedrawItems(int32_t first, int32_t last) override { redrawn.emplace_back(first, last); }
    void CancelRangeDrag() override { ++cancels; }

    int32_t count = 0;
    int32_t top = 0;
    int32_t page = 20;
    int countChanges = 0;
    int deleteAlls = 0;
    int cancels = 0;
    std::vector<std::pair<int32_t, int32_t>> redrawn;
};

class RowsHost : public IJobViewRefreshHost
{
public:
    explicit RowsHost(CPointRows& rows) : m_rows(rows) {}
    bool HasDocument() const override { return m_rows.GetDocument() != nullptr; }
    bool IsPointsTabCurrent() const override { return pointsTab; }
    int32_t GetSortedCount() const override { return m_rows.GetCount(); }
    CRecord* GetRecordAtRow(int32_t row) const override { return m_rows.GetPointAtRow(row); }
    bool IsRowSelectionStale(int32_t row) const override { return true; }
    void RebuildSortOrder() override { m_rows.RebuildSortOrder(); }
    void RestoreDefaultTool() override { ++defaultTools; }
    bool pointsTab = true;
    int defaultTools = 0;

private:
    CPointRows& m_rows;
};

} // namespace

TEST(JobViewRefresh, ABatchOf500AddedPointsChangesTheItemCountOnce)
{
    SettingsScope scope;
    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    CPointRows rows;
    rows.Attach(&doc);
    RowsHost host(rows);
    CountingList grid;
    CJobViewRefresh refresh(host, grid, nullptr, nullptr);

    refresh.OnBeginHintBatch();
    for (int i = 1; i <= 500; ++i) {
        CPointRecord* p = doc.AddPoint(std::to_string(i).c_str());
        refresh.OnUpdate(HintPointAdded, reinterpret_cast<intptr_t>(p));
    }
    EXPECT_EQ(grid.countChanges, 0);
    refresh.OnEndHintBatch();
    EXPECT_EQ(grid.countChanges, 1);
    EXPECT_EQ(grid.count, 500);
    EXPECT_EQ(grid.deleteAlls, 0);
    EXPECT_FALSE(refresh.IsDeferred());
}

TEST(JobViewRefresh, FewerThanAThirdLeftDeletesAllFirst)
{
    SettingsScope scope;
    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    CPointRows rows;
    rows.Attach(&doc);
    RowsHost host(rows);
    CountingList grid;
    CJobViewRefresh refresh(host, grid, nullptr, nullptr);
    for (int i = 1; i <= 299; ++i)
        doc.AddPoint(std::to_string(i).c_str());
    grid.count = 900;
    refresh.OnUpdate(HintPointDeleted, 0);
    EXPECT_EQ(grid.deleteAlls, 1);
    EXPECT_EQ(grid.count, 299);

    // Exactly a third left: trimmed from the end.
    grid.count = 897;
    grid.deleteAlls = 0;
    refresh.OnUpdate(HintPointDeleted, 0);
    EXPECT_EQ(grid.deleteAlls, 0);
    EXPECT_EQ(grid.count, 299);
}

TEST(JobViewRefresh, ChangedCoordinatesRepaintOnlyTheVisibleRowsOfThatRecord)
{
    SettingsScope scope;
    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    CPointRows rows;
    rows.Attach(&doc);
    RowsHost host(rows);
    CountingList grid;
    CJobViewRefresh refresh(host, grid, nullptr, nullptr);
    std::vector<CPointRecord*> points;
    for (int i = 1; i <= 100; ++i)
        points.push_back(doc.AddPoint(std::to_string(i).c_str()));
    grid.count = 100;
    grid.top = 10;
    refresh.OnUpdate(HintCoordinatesChanged, reinterpret_cast<intptr_t>(points[15]));
    EXPECT_THAT(grid.redrawn, ElementsAre(std::make_pair(15, 15)));
    grid.redrawn.clear();
    // Off the page: nothing is painted.
    refresh.OnUpdate(HintCoordinatesChanged, reinterpret_cast<intptr_t>(points[80]));
    EXPECT_TRUE(grid.redrawn.empty());
}

TEST(JobViewRefresh, SelectionWaitsForThePointsTabAndEscapeCancelsTheDrag)
{
    SettingsScope scope;
    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    CPointRows rows;
    rows.Attach(&doc);
    RowsHost host(rows);
    CountingList grid;
    CJobViewRefresh refresh(host, grid, nullptr, nullptr);
    doc.AddPoint("1");
    grid.count = 1;
    host.pointsTab = false;
    refresh.OnUpdate(HintSelectionChanged, 0);
    EXPECT_TRUE(refresh.IsSelectionDirty());
    host.pointsTab = true;
    refresh.ApplyPendingChanges(nullptr);
    EXPECT_FALSE(refresh.IsSelectionDirty());
    EXPECT_THAT(grid.redrawn, ElementsAre(std::make_pair(0, 0)));

    refresh.OnUpdate(HintEscape, 0);
    EXPECT_EQ(grid.cancels, 1);
    EXPECT_EQ(host.defaultTools, 1);
    // Codes past the last one reach nothing.
    refresh.OnUpdate(HintFilesChangedOutside, 0);
    EXPECT_EQ(host.defaultTools, 1);
}

TEST(PointRows, FarJumpsReadTheSameRowsAsAWalk)
{
    SettingsScope scope;
    TestJobDoc doc;
    OpenDocumentScope open(&doc);
    for (int i = 1; i <= 2000; ++i)
        doc.AddPoint(std::to_string(i).c_str());
    CSpRecordRBTree* sorted = doc.GetSortedIndex();
    std::vector<CRecord*> walk;
    for (RedBlackNode* pos = sorted->GetFirstPosition(); pos != nullptr;)
        walk.push_back(sorted->GetNext(pos));
    ASSERT_EQ(walk.size(), 2000u);
    for (int32_t row : {1999, 3, 1500, 257, 256, 255, 1024, 0, 1998, 700, 701, 1200})
        EXPECT_EQ(sorted->GetAt(row), walk[size_t(row)]) << row;
    // A change of the rows drops the jump table.
    doc.DeleteRecord(walk[10], false);
    EXPECT_EQ(sorted->GetAt(1500), walk[1501]);
    EXPECT_EQ(sorted->GetAt(5), walk[5]);
}
