#include "TestJobDoc.h"

#include "model/DataFileHiSelection.h"
#include "model/DataFileSelOperator.h"
#include "model/ObjectListTarget.h"
#include "model/SelectionDescription.h"
#include "model/SelectionScope.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvel::test;
using testing::ElementsAre;

namespace {

// A job open as the active one, with points named 1 to n on the diagonal.
struct OpenJob
{
    explicit OpenJob(int n = 0)
    {
        for (int i = 1; i <= n; ++i)
            points.push_back(doc.AddPoint(std::to_string(i).c_str(), i, i));
    }
    CDataFileSelOperator& op() { return *doc.GetSelOperator(); }
    std::vector<std::string> Walk()
    {
        std::vector<std::string> names;
        CSelectionCursor cursor;
        op().GetFirstUnfiltered(cursor);
        while (cursor.IsValid())
            names.push_back(static_cast<CPointRecord*>(op().GetNextUnfiltered(cursor))->GetName());
        return names;
    }
    std::string Text()
    {
        std::string text;
        EXPECT_TRUE(op().BuildSelectionText(0, text));
        return text;
    }

    TestJobDoc doc;
    OpenDocumentScope open{&doc};
    std::vector<CPointRecord*> points;
};

} // namespace

TEST(JobSelection, TheRecordFlagFollowsTheCurrentBit)
{
    OpenJob job(4);
    CSelection* flags = job.doc.GetSelection();
    ASSERT_NE(flags, nullptr);
    EXPECT_EQ(flags->GetBit(), 0);
    EXPECT_EQ(job.doc.GetHiSelection()->GetBit(), 1);

    job.op().SelectObject(job.points[2]);
    EXPECT_TRUE(job.points[2]->IsSelected());
    job.op().ToggleObject(job.points[2]);
    job.op().ToggleObject(job.points[0]);
    EXPECT_FALSE(job.points[2]->IsSelected());
    EXPECT_TRUE(job.points[0]->IsSelected());

    job.op().SelectAll();
    EXPECT_EQ(flags->GetCount(), 4);
    EXPECT_EQ(job.op().GetCountUnfiltered(), 4);
    job.op().InvertSelection(CSelectionFilterPtr(job.op().CreateKindFilter(SelectionKindPoint)));
    EXPECT_EQ(flags->GetCount(), 0);
    job.op().InvertSelection();
    job.op().ClearSelection();
    EXPECT_EQ(flags->GetCount(), 0);
    EXPECT_EQ(job.op().CountSelected(0), 0);

    // A kind filter that takes no points selects nothing.
    job.op().SelectAll(CSelectionFilterPtr(job.op().CreateKindFilter(SelectionKindOther)));
    EXPECT_EQ(job.op().GetCountUnfiltered(), 0);
}

TEST(JobSelection, EntriesTakeFlagsSetOnTheRecords)
{
    OpenJob job(3);
    job.doc.GetSelection()->SetSelected(job.points[1], true);
    EXPECT_EQ(job.op().GetCountUnfiltered(), 0);
    job.op().ReloadFromObjects();
    EXPECT_THAT(job.Walk(), ElementsAre("2"));

    job.op().SetBit(job.points[0], 6);
    job.op().Deselect(job.points[1]);
    job.op().Refresh(); // entry 2 has no bit left: purged
    EXPECT_EQ(job.op().GetEntryCount(), 1);
    EXPECT_TRUE(job.op().TestBit(job.points[0], 6));
}

TEST(JobSelection, CopyAndLoadTheCurrentSelection)
{
    OpenJob job(3);
    job.op().Select(job.points[0]);
    job.op().Select(job.points[1]);
    job.op().CopyCurrentTo(CSelectionFilterPtr(), 5);
    job.op().ClearSelection();
    job.op().Select(job.points[2]);
    job.op().LoadCurrentFrom(CSelectionFilterPtr(), 5);
    EXPECT_THAT(job.Walk(), ElementsAre("1", "2"));
    EXPECT_FALSE(job.points[2]->IsSelected());
    EXPECT_EQ(job.op().CountSelected(5), 2);
}

TEST(JobSelection, RectangleEdgesAreInside)
{
    OpenJob job(5); // point i at (i, i)
    // Zero width through x = 3.
    job.op().SelectInRectangle(3, 10, 3, 0, CSelectionFilterPtr(), false, false);
    EXPECT_THAT(job.Walk(), ElementsAre("3"));
    // Edges at 1 and 2 take both corners; 5 lies above the top.
    job.op().SelectInRectangle(1, 4, 4, 1, CSelectionFilterPtr(), false, false);
    EXPECT_THAT(job.Walk(), ElementsAre("3", "1", "2", "4"));
    EXPECT_FALSE(job.points[4]->IsSelected());
}

TEST(JobSelection, SelectionText)
{
    OpenJob none(3);
    EXPECT_EQ(none.Text(), "");
    none.op().Select(none.points[1]);
    none.op().Select(none.points[2]);
    EXPECT_EQ(none.Text(), "2 point(s):\n 2, 3\n");

    TestJobDoc seven;
    seven.AddPoint("7");
    CDataFileSelOperator& op = *seven.GetSelOperator();
    op.SelectAll();
    std::string text;
    op.BuildSelectionText(0, text);
    EXPECT_EQ(text, "1 point(s):\n 7\n");

    OpenJob twelve(12);
    twelve.op().SelectAll();
    EXPECT_EQ(twelve.Text(), "12 point(s):\n 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,\n 11, 12\n");

    OpenJob forty(40);
    forty.op().SelectAll();
    EXPECT_EQ(forty.Text(), "40 point(s):\n"
                            " 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,\n"
                            " 11, 12, 13, 14, 15, 16, 17, 18,\n"
                            " 19, 20, 21, 22, 23, 24, 25, 26,\n"
                            " ...\n");
    // Another bit is described the same way.
    forty.op().CopyBit(0, 4, nullptr);
    forty.op().ClearSelection();
    std::string scratch;
    forty.op().BuildSelectionText(4, scratch);
    EXPECT_EQ(scratch.substr(0, 14), "40 point(s):\n ");
}

TEST(JobSelection, RecordsLeavingTheJobTakeTheirEntriesWithThem)
{
    OpenJob job(3);
    job.op().Select(job.points[0]);
    job.op().Select(job.points[1]);
    ASSERT_EQ(job.op().GetCountUnfiltered(), 2);
    ASSERT_TRUE(job.doc.DeleteRecord(job.points[0], false));
    EXPECT_EQ(job.op().GetEntryCount(), 1);
    EXPECT_EQ(job.op().GetCountUnfiltered(), 1);

    // Emptying the job (as reloading and undoing do) drops every entry, so a new record that
    // happens to get a freed address does not come in selected.
    job.doc.DeleteContents();
    EXPECT_EQ(job.op().GetEntryCount(), 0);
    EXPECT_EQ(job.op().GetCountUnfiltered(), 0);
    CPointRecord* fresh = job.doc.AddPoint("9");
    EXPECT_FALSE(job.op().IsSelected(fresh));
    EXPECT_FALSE(fresh->IsSelected());
}

TEST(JobSelection, SynchronizingARecordThatIsGoneDropsItsEntry)
{
    OpenJob job(1);
    CPointRecord outsider("X", "", CLocation(0, 0, NoValue), true);
    job.op().SetBit(&outsider, 4);
    ASSERT_EQ(job.op().GetEntryCount(), 1);
    job.op().Synchronize(false, &outsider);
    EXPECT_EQ(job.op().GetEntryCount(), 0);
    EXPECT_FALSE(outsider.TestFlags(1));
    // Selecting it mirrors nothing and keeps no entry.
    job.op().Select(&outsider);
    EXPECT_EQ(job.op().GetEntryCount(), 0);
    EXPECT_FALSE(outsider.TestFlags(1));
}

TEST(JobSelection, AScopeOverTheJob)
{
    OpenJob job(4);
    job.op().Select(job.points[0]);
    job.op().Select(job.points[1]);
    CSelectionScope scope(&job.op());
    scope.Begin(true);
    EXPECT_FALSE(job.points[0]->IsSelected());
    job.op().Select(job.points[1]);
    job.op().Select(job.points[3]);
    scope.End(CSelectionScope::Union, nullptr);
    EXPECT_THAT(job.Walk(), ElementsAre("1", "2", "4"));
    EXPECT_EQ(job.doc.GetSelection()->GetCount(), 3);
}

TEST(SelectionDescription, CountsAndWalksTheActiveJobsSelectedPoints)
{
    CSelectionDescription points;
    CSelectionCursor cursor;
    EXPECT_EQ(points.GetCount(), 0) << "no job open";
    points.GetFirst(cursor);
    EXPECT_FALSE(cursor.IsValid());
    EXPECT_EQ(points.GetNext(cursor), nullptr);
    EXPECT_EQ(points.GetPossibleKinds(), 0u);

    OpenJob job(4);
    job.op().Select(job.points[3]);
    job.op().Select(job.points[1]);
    EXPECT_EQ(points.GetCount(), 2);
    EXPECT_EQ(points.GetPossibleKinds(), SelectionKindPoint);
    std::vector<CRecord*> walked;
    points.GetFirst(cursor);
    while (cursor.IsValid())
        walked.push_back(points.GetNext(cursor));
    EXPECT_THAT(walked, ElementsAre(job.points[3], job.points[1]));

    CSelectionDescription others(SelectionKindOther);
    EXPECT_EQ(others.GetCount(), 0);
}

TEST(SelectionDescription, TheSingleObjectIsForgottenWhenItLeavesTheJob)
{
    OpenJob job(2);
    CSelectionDescription one;
    one.SetSingle(true);
    one.SetSelectionObject(job.points[0], 0);
    EXPECT_EQ(one.GetSelectionObject().record, job.points[0]);
    job.doc.DeleteRecord(job.points[0], false);
    EXPECT_EQ(one.GetSelectionObject().record, nullptr);
    EXPECT_EQ(one.GetSelectionObject().index, -1);
}

TEST(SelectionDescription, Names)
{
    std::string text;
    CSelectionDescription points;
    points.GetName(text);
    EXPECT_EQ(text, "Points");
    points.SetSingle(true);
    points.GetName(text);
    EXPECT_EQ(text, "Point");
    points.GetName(text, 0);
    EXPECT_EQ(text, "Any one object");
    CSelectionDescription any(3);
    any.GetName(text);
    EXPECT_EQ(text, "Any object");
    any.GetName(text, 1);
    EXPECT_EQ(text, "Points");
}

namespace {
// A list of rows, each holding its object and a selected flag.
struct FakeObjectList : IObjectListTarget
{
    struct Row { CRecord* object; bool selected; };
    std::vector<Row> rows;
    void DeleteAllItems() override { rows.clear(); }
    int32_t GetItemCount() const override { return int32_t(rows.size()); }
    void InsertObjectItem(int32_t index, CRecord* object) override { rows.insert(rows.begin() + index, {object, false}); }
    CRecord* GetItemObject(int32_t index) const override { return rows[size_t(index)].object; }
    bool IsItemSelected(int32_t index) const override { return rows[size_t(index)].selected; }
    void DeleteItem(int32_t index) override { rows.erase(rows.begin() + index); }
};
} // namespace

TEST(JobSelection, AListFilledFromABitGivesBackItsSelectedRows)
{
    OpenJob job(5);
    constexpr int Scratch = 2;
    for (int i : {0, 1, 3, 4})
        job.op().SetBit(job.points[size_t(i)], Scratch);
    FakeObjectList list;
    list.rows.push_back({job.points[2], true}); // filling replaces what was there
    job.op().FillListCtrl(Scratch, list);
    ASSERT_EQ(list.rows.size(), 4u);
    EXPECT_EQ(list.rows[0].object, job.points[0]);
    EXPECT_EQ(list.rows[3].object, job.points[4]);

    // Nothing selected: nothing changes.
    EXPECT_EQ(job.op().RemoveListSelection(Scratch, list), 0);
    EXPECT_EQ(list.rows.size(), 4u);

    // Two neighbours selected: the second moves into the first's index and must still go.
    list.rows[1].selected = list.rows[2].selected = true;
    EXPECT_EQ(job.op().RemoveListSelection(Scratch, list), 2);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1].object, job.points[4]);
    EXPECT_EQ(job.op().CountSelected(Scratch), 2);
    EXPECT_FALSE(job.op().TestBit(job.points[1], Scratch));
    EXPECT_TRUE(job.op().TestBit(job.points[4], Scratch));
}
