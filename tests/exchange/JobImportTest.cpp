#include "ImportTestUtil.h"

#include "FakeReportOutput.h"
#include "FakeView.h"
#include "core/NoValue.h"
#include "core/Report.h"
#include "exchange/CoordinateImport.h"
#include "exchange/ImportCommands.h"
#include "exchange/PointMerge.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace morvel::test;
using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::Not;

namespace {

// A job file holding the points, written through a job of its own.
void WriteJob(const std::string& path, const std::vector<CPointRecord*>& points)
{
    CMorvelFileDoc source;
    for (CPointRecord* p : points)
        ASSERT_TRUE(source.AddRecord(p));
    ASSERT_TRUE(source.SaveJobTo(path, false));
}

CPointRecord* NewPoint(const char* name, double e, double n, double z, const char* description = "")
{
    return new CPointRecord(name, description, CLocation(e, n, z), true);
}

} // namespace

TEST(JobImport, OverwriteAndAddWithReportAndInputPointLines)
{
    ImportSettings settings;
    TempDir dir;
    WriteJob(dir.file("source.Mvj"), {NewPoint("100", 1, 2, 3, "OLD"), NewPoint("Cp7", 4, 5, NoValue, "CONTROL")});

    TestJobDoc job;
    job.AddPoint("cp7", 9, 9, 9);
    CReport report;
    int32_t count = -1;
    ASSERT_TRUE(ImportJobCoordinates(&job, dir.file("source.Mvj"), &report, false, &count));
    EXPECT_EQ(count, 2);
    EXPECT_THAT(PointNames(job), ElementsAre("100", "cp7"));
    const CPointRecord* cp = Point(job, "cp7");
    EXPECT_DOUBLE_EQ(cp->GetEasting(), 4);
    EXPECT_DOUBLE_EQ(cp->GetNorthing(), 5);
    // The overwritten point takes the source's missing elevation too.
    EXPECT_FALSE(HasValue(cp->GetElevation()));
    EXPECT_STREQ(cp->GetDescription(), "CONTROL");
    EXPECT_EQ(InputPointLines(job).size(), 2u);
    EXPECT_EQ(job.GetUndoManager()->GetUndoDescription(), "Import Morvel coordinates");

    const CReportSection& rows = *report.GetSections()[1];
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(report.GetCell(0, 0, 0), "Coordinates imported from:  " + dir.file("source.Mvj"));
    EXPECT_EQ(rows.rows[0][0], "100");
    EXPECT_EQ(rows.rows[0][5], "Imported");
    EXPECT_EQ(rows.rows[1][0], "cp7");
    EXPECT_EQ(rows.rows[1][3], "---");
    EXPECT_EQ(rows.rows[1][4], "CONTROL");
    EXPECT_EQ(rows.rows[1][5], "Replaced Existing");
}

TEST(JobImport, RenameRulesAndTheirFailure)
{
    ImportSettings settings;
    TempDir dir;
    WriteJob(dir.file("source.Mvj"), {NewPoint("P1", 1, 2, 3)});
    TestJobDoc job;
    job.AddPoint("P1", 7, 7, 7);
    CReport report;
    int32_t count = 0;
    ASSERT_TRUE(ImportJobCoordinates(&job, dir.file("source.Mvj"), &report, true, &count));
    EXPECT_EQ(count, 1);
    EXPECT_THAT(PointNames(job), ElementsAre("A_P1", "P1"));
    EXPECT_EQ(report.GetSections()[1]->rows[0][5], "Renamed (from P1)");

    // The designator makes a name the job already holds: the rule fails and nothing changes.
    MessageLog messages;
    const auto steps = job.GetUndoManager()->GetStepCount();
    EXPECT_FALSE(ImportJobCoordinates(&job, dir.file("source.Mvj"), nullptr, true, &count));
    EXPECT_EQ(count, 0);
    EXPECT_THAT(messages.texts, ElementsAre("Failed to rename points with the selected rule."));
    EXPECT_EQ(job.GetUndoManager()->GetStepCount(), steps);
    EXPECT_EQ(PointNames(job).size(), 2u);
}

TEST(JobImport, FilesThatAreNotJobs)
{
    ImportSettings settings;
    TempDir dir;
    WriteAllText(dir.file("text.Mvj"), "P1,1,2\n");
    TestJobDoc job;
    MessageLog messages;
    int32_t count = 5;
    EXPECT_FALSE(ImportJobCoordinates(&job, dir.file("text.Mvj"), nullptr, false, &count));
    EXPECT_EQ(count, 0);
    EXPECT_THAT(messages.texts, ElementsAre("Failed to open job file."));
    EXPECT_EQ(job.GetUndoManager()->GetStepCount(), 0);

    // A job without points merges nothing and succeeds.
    WriteJob(dir.file("empty.Mvj"), {});
    messages.texts.clear();
    EXPECT_TRUE(ImportJobCoordinates(&job, dir.file("empty.Mvj"), nullptr, false, &count));
    EXPECT_EQ(count, 0);
    EXPECT_THAT(messages.texts, IsEmpty());
}

TEST(PointMerge, AbandoningPutsTheJobBackWithoutARedoStep)
{
    ImportSettings settings;
    TestJobDoc job;
    job.AddPoint("A", 1, 1, 1);
    job.SetModifiedWithText("", false, false);
    const size_t lines = job.rawData.lines.size();
    CPointMerge merge(&job, nullptr, false);
    ASSERT_TRUE(merge.BeginUndoStep("Import DXF Coordinates"));
    EXPECT_EQ(merge.MergePoint("A", CLocation(5, 5, 5), "X"), CPointMerge::Result::Merged);
    EXPECT_EQ(merge.MergePoint("B", CLocation(6, 6, NoValue), ""), CPointMerge::Result::Merged);
    EXPECT_EQ(merge.GetCount(), 2);
    merge.AbandonImport();
    EXPECT_THAT(PointNames(job), ElementsAre("A"));
    EXPECT_DOUBLE_EQ(Point(job, "A")->GetEasting(), 1);
    EXPECT_EQ(job.rawData.lines.size(), lines);
    EXPECT_FALSE(job.GetUndoManager()->CanUndo());
    EXPECT_FALSE(job.GetUndoManager()->CanRedo());
    EXPECT_FALSE(job.IsModified());
    // Once is enough: a second call changes nothing.
    merge.AbandonImport();
    EXPECT_THAT(PointNames(job), ElementsAre("A"));

    // With the rename rules, a name missing from the map is handed back untouched; a name whose
    // case alone changed is no rename in the report.
    CReport report;
    CPointMerge::BeginReport(report, "source");
    CPointMerge renaming(&job, &report, true);
    renaming.SetRenameMap({{"C", "C2"}, {"d", "D"}});
    EXPECT_EQ(renaming.MergePoint("D", CLocation(1, 1, 1), ""), CPointMerge::Result::NoRename);
    EXPECT_EQ(renaming.MergePoint("C", CLocation(1, 1, 1), ""), CPointMerge::Result::Merged);
    EXPECT_EQ(renaming.MergePoint("d", CLocation(1, 1, 1), ""), CPointMerge::Result::Merged);
    EXPECT_THAT(PointNames(job), ElementsAre("A", "C2", "D"));
    const auto& rows = report.GetSections()[1]->rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][5], "Renamed (from C)");
    EXPECT_EQ(rows[1][5], "Imported");
}

TEST(ImportCommands, CheckImportReportOrCountAndHint)
{
    ImportSettings settings;
    TempDir dir;
    std::vector<std::string> log;
    TestJobDoc job;
    FakeView view(&log);
    job.AddView(&view);
    MessageLog messages;

    AsciiImportChoice choice;
    choice.path = dir.file("missing.txt");
    choice.columns = {0, 1, 2, 3, 4};
    choice.delimiter = ",";
    choice.pointNameOption = 1;
    EXPECT_FALSE(RunImportAsciiCoordinates(&job, choice, nullptr));
    WriteAllText(dir.file("empty.txt"), "");
    choice.path = dir.file("empty.txt");
    EXPECT_FALSE(RunImportAsciiCoordinates(&job, choice, nullptr));
    EXPECT_FALSE(RunImportMorvelCoordinates(&job, dir.file("missing.Mvj"), 1, false, nullptr));
    EXPECT_THAT(messages.texts,
                ElementsAre(dir.file("missing.txt") + "\n\n does not appear to be a valid ASCII file.",
                            dir.file("empty.txt") + "\n\n does not appear to be a valid ASCII file.",
                            dir.file("missing.Mvj") + "\n\n does not appear to be a valid Morvel file."));
    EXPECT_EQ(messages.flags[0], MB_OK | MB_ICONERROR);

    // Into an empty job: the count, then hint 0x13.
    messages.texts.clear();
    messages.flags.clear();
    job.SendHint(nullptr, HintFlush, 0);
    log.clear();
    WriteAllText(dir.file("points.txt"), "1,10,20\n2,30,40\n");
    choice.path = dir.file("points.txt");
    ASSERT_TRUE(RunImportAsciiCoordinates(&job, choice, nullptr));
    EXPECT_THAT(messages.texts, ElementsAre("Imported 2 points"));
    EXPECT_EQ(messages.flags[0], MB_OK | MB_ICONINFORMATION);
    job.SendHint(nullptr, HintFlush, 0);
    EXPECT_THAT(log, Contains("V19"));

    // Into a job with points, with the report flag: the report is shown instead, then hint 3.
    log.clear();
    messages.texts.clear();
    choice.reportFlag = true;
    int reports = 0;
    size_t rows = 0;
    ASSERT_TRUE(RunImportAsciiCoordinates(&job, choice, [&](CReport& report) {
        ++reports;
        rows = report.GetSections()[1]->rows.size();
    }));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(rows, 2u);
    EXPECT_THAT(messages.texts, IsEmpty());
    job.SendHint(nullptr, HintFlush, 0);
    EXPECT_THAT(log, Contains("V3"));
    EXPECT_THAT(log, Not(Contains("V19")));
    job.RemoveView(&view);
}

TEST(ImportCommands, RenamingPreviewChangesNothing)
{
    ImportSettings settings;
    TempDir dir;
    TestJobDoc job;
    job.AddPoint("P1", 1, 1);
    MessageLog messages;
    int shown = 0;
    const auto show = [&](CReport&) { ++shown; };
    PreviewAsciiFileRenaming(&job, "", {0, 1, 2}, ",", show);
    EXPECT_THAT(messages.texts, ElementsAre("Choose a file first"));
    EXPECT_EQ(shown, 0);

    WriteAllText(dir.file("points.txt"), "P1,1,2\n");
    CReport* seen = nullptr;
    std::string renamed;
    PreviewAsciiFileRenaming(&job, dir.file("points.txt"), {0, 1, 2}, ",", [&](CReport& report) {
        seen = &report;
        renamed = report.GetSections().back()->rows.at(0).at(1);
    });
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(renamed, "A_P1");
    WriteJob(dir.file("source.Mvj"), {NewPoint("P1", 1, 2, 3)});
    PreviewJobFileRenaming(&job, dir.file("source.Mvj"), show);
    EXPECT_EQ(shown, 1);
    EXPECT_THAT(PointNames(job), ElementsAre("P1"));
    EXPECT_EQ(job.GetUndoManager()->GetStepCount(), 0);
}

TEST(ImportCommands, ReportsWithoutAnOutputOfTheCallerGoToTheEditor)
{
    ImportSettings settings;
    TempDir dir;
    TestJobDoc job;
    job.AddPoint("P1", 1, 1);
    MessageLog messages;
    FakeReportOutput editor;
    editor.Install();
    WriteAllText(dir.file("points.txt"), "P1,1,2\nP2,3,4\n");
    PreviewAsciiFileRenaming(&job, dir.file("points.txt"), {0, 1, 2}, ",", nullptr);
    ASSERT_EQ(editor.editorTexts.size(), 1u);
    EXPECT_NE(editor.editorTexts[0].find("P1|A_P1|"), std::string::npos) << editor.editorTexts[0];
    EXPECT_THAT(PointNames(job), ElementsAre("P1"));

    AsciiImportChoice choice;
    choice.path = dir.file("points.txt");
    choice.columns = {0, 1, 2};
    choice.delimiter = ",";
    choice.reportFlag = true;
    ASSERT_TRUE(RunImportAsciiCoordinates(&job, choice, nullptr));
    EXPECT_EQ(editor.editorTexts.size(), 2u);
    EXPECT_THAT(messages.texts, IsEmpty());
}
