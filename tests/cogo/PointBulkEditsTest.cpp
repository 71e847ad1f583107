// One elevation for many points, renaming by the rules (both raw-data modes, and every way the
// renaming can be refused without losing a point), and deleting the selection.
#include "FakeStatusBarHost.h"
#include "RenderedReport.h"
#include "TestUtil.h"
#include "rawdata/RawJob.h"

#include "cogo/PointBulkEdits.h"
#include "core/Report.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "model/MorvelSettings.h"
#include "model/Selection.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

using morvel::test::OpenDocumentScope;
using morvel::test::RawJob;

namespace {

// A job that refuses to take points of some names, as a full or locked job would.
class RefusingJob : public RawJob
{
public:
    bool AddRecord(CRecord* record) override
    {
        auto* point = static_cast<CPointRecord*>(record);
        if (record->GetType() == kRecordTypePoint && refused.count(point->GetName()) != 0)
            return false;
        return RawJob::AddRecord(record);
    }
    std::set<std::string> refused;
};

class BulkEdits : public ::testing::Test
{
protected:
    void SetUp() override
    {
        job.AppendAll(morvel::test::MetricHead());
        settings.SetRenameRule(4);
        settings.SetRenameNumericOffset(1000);
        SetMorvelSettings(&settings);
    }
    void TearDown() override { SetMorvelSettings(nullptr); }

    // Points keyed in the field: each has its input-point line.
    CPointRecord* Keyed(const char* name, double e, double n, double z, bool select = true)
    {
        CPointRecord* point = job.AddPoint(name, e, n, z);
        job.AppendInputPointLine(*point);
        if (select)
            job.GetSelOperator()->Select(point);
        return point;
    }
    CPointRecord* Find(const char* name) { return job.GetPointDatabase()->FindPoint(name, true); }
    int32_t Steps() { return job.GetUndoManager()->GetStepCount(); }
    std::string UndoText() { return job.GetUndoManager()->GetUndoDescription(); }
    std::vector<std::string> Lines()
    {
        std::vector<std::string> lines;
        for (int32_t i = int32_t(morvel::test::MetricHead().size()); i < job.raw.GetLineCount(); ++i)
            lines.push_back(job.Text(i));
        return lines;
    }

    CMorvelSettings settings;
    RefusingJob job;
    OpenDocumentScope open{&job};
    CReport report;
};

TEST_F(BulkEdits, ACommonElevationForAllOrOnlyTheMissing)
{
    CPointRecord* a = Keyed("1", 10, 20, 10);
    CPointRecord* b = Keyed("2", 30, 40, NoValue);
    CPointRecord* c = Keyed("3", 50, 60, 50.00004);
    const size_t lines = Lines().size();

    EXPECT_EQ(ApplyCommonElevation(&job, 50, true, report), 1);
    EXPECT_DOUBLE_EQ(a->GetElevation(), 10);
    EXPECT_DOUBLE_EQ(b->GetElevation(), 50);
    EXPECT_EQ(UndoText(), "Changed 1 point elevations");
    // The changed point's line lets the job be rebuilt from its raw data.
    ASSERT_EQ(Lines().size(), lines + 1);
    EXPECT_EQ(Lines().back(), "MP,2,40.0,30.0,50.0,");
    EXPECT_EQ(report.GetHeaderLines(), std::vector<std::string>{"2D Points to 3D Report"});
    EXPECT_EQ(report.GetCell(0, 0, 1), "The following point elevations have been changed:");
    EXPECT_EQ(report.GetCell(1, 2, 0), "Not Modified");
    EXPECT_EQ(report.GetCell(1, 1, 1), "---");

    // Every point: the one already at 50 within 0.0001 is listed, not changed.
    EXPECT_EQ(ApplyCommonElevation(&job, 50, false, report), 1);
    EXPECT_DOUBLE_EQ(a->GetElevation(), 50);
    EXPECT_DOUBLE_EQ(c->GetElevation(), 50.00004);
    EXPECT_EQ(Lines().size(), lines + 2);
    EXPECT_EQ(report.GetSections()[1]->rows.size(), 6u);

    // Nothing left to change: the step is withdrawn.
    const int32_t steps = Steps();
    EXPECT_EQ(ApplyCommonElevation(&job, 50, true, report), 0);
    EXPECT_EQ(Steps(), steps);
    EXPECT_EQ(ApplyCommonElevation(&job, NoValue, true, report), -1);
}

TEST_F(BulkEdits, RenamingByRulesInBothRawDataModes)
{
    for (bool renameRaw : {false, true}) {
        SCOPED_TRACE(renameRaw);
        RawJob one;
        OpenDocumentScope scope(&one);
        one.AppendAll(morvel::test::MetricHead());
        for (const char* name : {"1", "2"}) {
            CPointRecord* p = one.AddPoint(name, 5, std::atoi(name), 7);
            p->SetDescription("CP");
            one.AppendInputPointLine(*p);
            one.GetSelOperator()->Select(p);
        }
        one.AddPoint("3", 0, 0);
        CReport rows;
        ASSERT_EQ(RenumberSelectedPoints(&one, renameRaw, rows), RenumberResult::Renamed);
        EXPECT_EQ(one.GetUndoManager()->GetUndoDescription(), "Rename 2 points");
        EXPECT_EQ(one.GetPointDatabase()->FindPoint("1", true), nullptr);
        CPointRecord* renamed = one.GetPointDatabase()->FindPoint("1002", true);
        ASSERT_NE(renamed, nullptr);
        EXPECT_DOUBLE_EQ(renamed->GetNorthing(), 2);
        EXPECT_STREQ(renamed->GetDescription(), "CP");
        EXPECT_TRUE(one.GetCurrentSelection()->IsSelected(renamed));
        EXPECT_FALSE(one.GetCurrentSelection()->IsSelected(one.GetPointDatabase()->FindPoint("3", true)));
        EXPECT_EQ(rows.GetCell(1, 0, 0), "1");
        EXPECT_EQ(rows.GetCell(1, 1, 0), "1001");
        EXPECT_EQ(rows.GetSections()[1]->columns[1].heading, "New Point Name");

        std::vector<std::string> lines;
        for (int32_t i = int32_t(morvel::test::MetricHead().size()); i < one.raw.GetLineCount(); ++i)
            lines.push_back(one.Text(i));
        if (renameRaw)
            EXPECT_EQ(lines, (std::vector<std::string>{"MP,1001,1.0,5.0,7.0,CP",
                                                       "MP,1002,2.0,5.0,7.0,CP"}));
        else
            EXPECT_EQ(lines, (std::vector<std::string>{
                                 "MP,1,1.0,5.0,7.0,CP", "MP,2,2.0,5.0,7.0,CP",
                                 "*MP,1,1.0,5.0,7.0,CP", "MP,1001,1.0,5.0,7.0,CP",
                                 "*MP,2,2.0,5.0,7.0,CP", "MP,1002,2.0,5.0,7.0,CP"}));
    }
}

TEST_F(BulkEdits, ARenamingThatCannotFinishLosesNoPoint)
{
    CPointRecord* one = Keyed("1", 1, 1, 1);
    CPointRecord* two = Keyed("2", 2, 2, 2);
    const std::vector<std::string> before = Lines();

    // Rules giving a name the job holds are refused before anything changes.
    job.AddPoint("1001", 9, 9);
    int32_t steps = Steps();
    EXPECT_EQ(RenumberSelectedPoints(&job, false, report), RenumberResult::RulesRefused);
    EXPECT_EQ(Steps(), steps);
    job.DeleteRecord(Find("1001"), false);

    // The job refuses the second copy: the first copy is taken back and both old points stay.
    job.refused = {"1002"};
    steps = Steps();
    EXPECT_EQ(RenumberSelectedPoints(&job, false, report), RenumberResult::Refused);
    EXPECT_EQ(Steps(), steps);
    EXPECT_EQ(Find("1"), one);
    EXPECT_EQ(Find("2"), two);
    EXPECT_EQ(Find("1001"), nullptr);
    EXPECT_EQ(Lines(), before);
    EXPECT_TRUE(report.IsEmpty());
    job.refused.clear();

    // A point missing from the map stops the renaming before the first copy.
    std::vector<CPointRecord*> points{one, two};
    EXPECT_FALSE(ApplyPointRenames(&job, points, {{"1", "1001"}}, false, {"1"}, report));
    EXPECT_EQ(Find("1001"), nullptr);
    EXPECT_EQ(Lines(), before);

    // A point mapped to its own name keeps it, with no deletion and no new line.
    EXPECT_TRUE(ApplyPointRenames(&job, points, {{"1", "1001"}, {"2", "2"}}, false, {"1", "2"}, report));
    EXPECT_EQ(Find("2"), two);
    EXPECT_EQ(Find("1"), nullptr);
    ASSERT_NE(Find("1001"), nullptr);
    EXPECT_EQ(Lines().size(), before.size() + 2);
    EXPECT_EQ(report.GetCell(1, 1, 1), "2");
}

TEST_F(BulkEdits, DeleteTheSelectionInOneStep)
{
    Keyed("1", 1, 1, 1);
    Keyed("2", 2, 2, 2);
    Keyed("3", 3, 3, 3);
    Keyed("4", 4, 4, 4, false);
    const size_t lines = Lines().size();
    ASSERT_TRUE(DeleteSelectedObjects(&job, true));
    EXPECT_EQ(UndoText(), "Delete 3 objects");
    EXPECT_EQ(job.GetPointDatabase()->GetCount(), 1);
    EXPECT_EQ(Lines().size(), lines + 3);

    const int32_t steps = Steps();
    EXPECT_FALSE(DeleteSelectedObjects(&job, true));
    EXPECT_EQ(Steps(), steps);
    ASSERT_TRUE(job.GetUndoManager()->Undo());
    EXPECT_EQ(job.GetPointDatabase()->GetCount(), 4);

    morvel::test::TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    EXPECT_TRUE(ReadWriteDeleteRecords(profile));
    SaveWriteDeleteRecords(profile, false);
    EXPECT_FALSE(ReadWriteDeleteRecords(profile));
}

} // namespace

// The editor's view of the two reports: bold underlined headings over columns padded to width.
TEST_F(BulkEdits, ElevationAndRenameReportsRenderAligned)
{
    Keyed("7", 10, 20, NoValue);
    CReport elevations;
    ASSERT_EQ(ApplyCommonElevation(&job, 123.25, true, elevations), 1);
    CReport renames;
    ASSERT_EQ(RenumberSelectedPoints(&job, true, renames), RenumberResult::Renamed);
    struct Case
    {
        const char* name;
        const CReport& report;
        const char* heading;
        const char* row;
    };
    for (const Case& c : {Case{"2D to 3D", elevations, "Point Name  Old Elevation  New Elevation", "7     "},
                          Case{"rename", renames, "Original Point Name  New Point Name", "7    "}}) {
        SCOPED_TRACE(c.name);
        const std::vector<RtfParagraph> lines = morvel::test::RenderedReport(c.report);
        const RtfParagraph* heading = morvel::test::FindLine(lines, c.heading);
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->PlainText(), c.heading);
        ASSERT_FALSE(heading->runs.empty());
        EXPECT_TRUE(heading->runs[0].bold && heading->runs[0].underline);
        // Cells start under their headings and fill the column.
        const RtfParagraph* row = morvel::test::FindLine(lines, c.row);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->PlainText().size(), heading->PlainText().size()) << row->PlainText();
        EXPECT_NE(morvel::test::FindLine(lines, "The following"), nullptr);
    }
}

// Both operations show their progress: the text, then positions as the points go by.
TEST_F(BulkEdits, ElevationsAndRenamesShowTheirProgress)
{
    for (const char* name : {"1", "2", "3", "4"})
        Keyed(name, 10, 20, NoValue);
    FakeStatusBarHost host;
    struct Case
    {
        const char* text;
        std::function<void()> run;
        const char* last; // the last position: index x 100 / count; steps x 100 / (4 x points + job points)
    };
    const Case cases[] = {
        {"text:4 Points\r\n", [&] { ASSERT_EQ(ApplyCommonElevation(&job, 9, false, report), 4); }, "pos:75"},
        {"text:Renaming Points",
         [&] { ASSERT_EQ(RenumberSelectedPoints(&job, true, report), RenumberResult::Renamed); }, "pos:80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        host.Take();
        c.run();
        std::vector<std::string> calls = host.Take();
        // The undo step records first, with a progress of its own.
        const auto begin = std::find(calls.begin(), calls.end(), c.text);
        ASSERT_NE(begin, calls.end());
        EXPECT_EQ(calls.back(), "end");
        std::vector<std::string> positions;
        for (auto call = begin; call != calls.end(); ++call)
            if (call->rfind("pos:", 0) == 0)
                positions.push_back(*call);
        ASSERT_FALSE(positions.empty());
        EXPECT_EQ(positions.back(), c.last);
    }
}
