#include "TestJobDoc.h"

#include "FakeView.h"
#include "core/PathHelpers.h"
#include "model/HintCodes.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "model/PointDatabase.h"
#include "platform/MessageBox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace morvel::test;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::MatchesRegex;

namespace {

std::vector<std::string> Names(CDataFileDoc& doc)
{
    std::vector<std::string> names;
    CPointDatabase* points = doc.GetPointDatabase();
    for (RedBlackNode* pos = points->GetFirstPosition(); pos != nullptr;)
        names.emplace_back(points->GetNextPoint(pos)->GetName());
    return names;
}

CDataFileUndoObject* Step(CDataFileUndoManager& undo, int32_t position)
{
    return static_cast<CDataFileUndoObject*>(undo.GetStep(position));
}

std::string Stamped(const std::string& text)
{
    return "[0-9][0-9]-[0-9][0-9]-[0-9][0-9][0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9] " + text;
}

} // namespace

TEST(UndoHistory, EmptyManagerHasNothingToOffer)
{
    TestJobDoc doc;
    CDataFileUndoManager& undo = *doc.GetUndoManager();
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_EQ(undo.GetUndoDescription(), "");
    EXPECT_EQ(undo.GetRedoDescription(), "");
    EXPECT_FALSE(undo.Undo());
    EXPECT_FALSE(undo.Redo());
    EXPECT_FALSE(undo.CancelLastStep());
}

TEST(UndoHistory, UndoAndRedoSwapWholeJobs)
{
    TestJobDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    CDataFileUndoManager& undo = *doc.GetUndoManager();
    doc.AddPoint("1", 10, 20, 30);
    doc.rawData.lines = {"CO,first"};
    doc.settings.SetDistanceUnit(0);
    doc.SetModifiedWithText("", false, false);

    ASSERT_TRUE(undo.RecordUndoWithText("Translate points"));
    doc.AddPoint("2", 1, 2);
    doc.GetPointDatabase()->FindPoint("1", true)->SetLocation(CLocation(11, 21, 31), true);
    doc.rawData.lines.push_back("CC,1,21,11,31,");
    doc.settings.SetDistanceUnit(2);
    EXPECT_EQ(undo.GetUndoDescription(), "Translate points");

    doc.SendHint(nullptr, HintFlush, 0);
    log.clear();
    ASSERT_TRUE(undo.Undo());
    EXPECT_THAT(Names(doc), ElementsAre("1"));
    EXPECT_DOUBLE_EQ(doc.GetPointDatabase()->FindPoint("1", true)->GetEasting(), 10);
    EXPECT_THAT(doc.rawData.lines, ElementsAre("CO,first"));
    EXPECT_EQ(doc.settings.GetSurveyUnits(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetSortedIndex()->GetCount(), 1);
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Undo: Translate points")));
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(undo.GetRedoDescription(), "Translate points");
    doc.SendHint(nullptr, HintFlush, 0);
    EXPECT_THAT(log, testing::Contains("V6"));

    ASSERT_TRUE(undo.Redo());
    EXPECT_THAT(Names(doc), ElementsAre("1", "2"));
    EXPECT_DOUBLE_EQ(doc.GetPointDatabase()->FindPoint("1", true)->GetEasting(), 11);
    EXPECT_EQ(doc.rawData.lines.size(), 2u);
    EXPECT_EQ(doc.settings.GetSurveyUnits(), 2);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Redo: Translate points")));
    EXPECT_TRUE(undo.CanUndo());
    EXPECT_FALSE(undo.CanRedo());
    doc.RemoveView(&view);
}

TEST(UndoHistory, DescriptionsAndMerging)
{
    TestJobDoc doc;
    CDataFileUndoManager& undo = *doc.GetUndoManager();

    // Adding point 12: recorded before it exists, named once it is stored.
    ASSERT_TRUE(undo.RecordUndoForRecord(UndoAddPoint, nullptr));
    EXPECT_EQ(undo.GetUndoDescription(), "Add point");
    CPointRecord* p12 = doc.AddPoint("12");
    ASSERT_TRUE(undo.RecordUndoForRecord(UndoAddPoint, p12));
    EXPECT_EQ(undo.GetStepCount(), 1);
    EXPECT_EQ(undo.GetUndoDescription(), "Add point 12");
    ASSERT_TRUE(undo.RecordUndoForRecord(UndoAddPoint, p12));
    EXPECT_EQ(undo.GetStepCount(), 1);
    ASSERT_TRUE(undo.RecordUndoForRecord(UndoAddPoint, nullptr));
    EXPECT_EQ(undo.GetStepCount(), 2);

    // Modifying one point twice shares a step; another point makes a new one; a break stops it.
    CPointRecord* p13 = doc.AddPoint("13");
    ASSERT_TRUE(undo.RecordObjectUndo(UndoModifyPoint, p12));
    ASSERT_TRUE(undo.RecordObjectUndo(UndoModifyPoint, p12));
    EXPECT_EQ(undo.GetStepCount(), 3);
    EXPECT_EQ(undo.GetUndoDescription(), "Modify point 12");
    ASSERT_TRUE(undo.RecordObjectUndo(UndoModifyPoint, p13));
    EXPECT_EQ(undo.GetStepCount(), 4);
    undo.BreakMerge();
    ASSERT_TRUE(undo.RecordObjectUndo(UndoModifyPoint, p13));
    EXPECT_EQ(undo.GetStepCount(), 5);

    doc.GetCurrentSelection()->SetSelected(p12, true);
    doc.GetCurrentSelection()->SetSelected(p13, true);
    struct Case
    {
        int32_t kind;
        CRecord* record;
        const char* text;
    };
    const Case cases[] = {{UndoDeletePoint, p12, "Delete point 12"}, {UndoDeletePoint, nullptr, "Delete point"},
                          {UndoDeleteObjects, p12, "Delete 2 objects"}, {UndoAddObjects, nullptr, "Add points"},
                          {UndoModifyObjects, nullptr, "Modify 2 objects"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        undo.BreakMerge();
        ASSERT_TRUE(undo.RecordObjectUndo(c.kind, c.record));
        EXPECT_EQ(undo.GetUndoDescription(), c.text);
    }
    // A selection changed after it was last counted is counted again.
    doc.GetCurrentSelection()->SetSelected(p13, false);
    undo.BreakMerge();
    ASSERT_TRUE(undo.RecordObjectUndo(UndoModifyObjects, nullptr));
    EXPECT_EQ(undo.GetUndoDescription(), "Modify 1 objects");
    ASSERT_TRUE(undo.RecordCaptionedUndo("Import DXF Coordinates"));
    EXPECT_EQ(undo.GetUndoDescription(), "Import DXF Coordinates");
    undo.SetStepDescription("Import renamed");
    EXPECT_EQ(undo.GetUndoDescription(), "Import renamed");
}

TEST(UndoHistory, RecordingAfterAnUndoDropsTheRedoStepsAndTheirFiles)
{
    TestJobDoc doc;
    CDataFileUndoManager& undo = *doc.GetUndoManager();
    ASSERT_TRUE(undo.RecordUndoWithText("One"));
    doc.AddPoint("1");
    ASSERT_TRUE(undo.RecordUndoWithText("Two"));
    doc.AddPoint("2");
    ASSERT_TRUE(undo.Undo());
    const std::string redoJob = Step(undo, 1)->GetJobSnapshotPath();
    const std::string redoRaw = Step(undo, 1)->GetRawSnapshotPath();
    EXPECT_TRUE(FileExists(redoJob));
    ASSERT_TRUE(undo.RecordUndoWithText("Three"));
    EXPECT_EQ(undo.GetStepCount(), 2);
    EXPECT_FALSE(FileExists(redoJob));
    EXPECT_FALSE(FileExists(redoRaw));
    EXPECT_FALSE(undo.CanRedo());

    // Once saved, any undo leaves the job modified.
    undo.SetStepsModified(true);
    doc.SetModifiedWithText("", false, false);
    ASSERT_TRUE(undo.Undo());
    EXPECT_TRUE(doc.IsModified());

    // A step whose snapshot went is dropped at the next question.
    std::remove(Step(undo, 0)->GetJobSnapshotPath().c_str());
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(undo.GetStepCount(), 1);
    undo.RemoveAll();
    EXPECT_EQ(undo.GetStepCount(), 0);
}

TEST(UndoHistory, CancellingTheLastStepPutsTheFlagBack)
{
    TestJobDoc doc;
    CDataFileUndoManager& undo = *doc.GetUndoManager();
    doc.SetModifiedWithText("", false, false);
    const size_t history = doc.GetHistoryList().size();
    ASSERT_TRUE(undo.RecordUndoWithText("Import"));
    const std::string file = Step(undo, 0)->GetJobSnapshotPath();
    doc.SetModifiedWithText("Import", true, false);
    EXPECT_TRUE(undo.CancelLastStep());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(undo.GetStepCount(), 0);
    EXPECT_EQ(doc.GetHistoryList().size(), history);
    EXPECT_FALSE(FileExists(file));

    // Not while there is something to redo.
    ASSERT_TRUE(undo.RecordUndoWithText("A"));
    ASSERT_TRUE(undo.Undo());
    EXPECT_FALSE(undo.CancelLastStep());
}

TEST(UndoHistory, TheLimitKeepsThreeHundredAndOneSteps)
{
    TestJobDoc doc;
    CDataFileUndoManager& undo = *doc.GetUndoManager();
    for (int i = 0; i < 301; ++i)
        ASSERT_TRUE(undo.RecordUndoWithText("Step " + std::to_string(i)));
    EXPECT_EQ(undo.GetStepCount(), 301);
    const std::string oldest = Step(undo, 0)->GetJobSnapshotPath();
    ASSERT_TRUE(undo.RecordUndoWithText("Step 301"));
    EXPECT_EQ(undo.GetStepCount(), 301);
    EXPECT_EQ(undo.GetCurrentIndex(), 300);
    EXPECT_FALSE(FileExists(oldest));
    EXPECT_EQ(Step(undo, 0)->GetDescription(), "Step 1");
}

TEST(UndoHistory, ACaptureThatCannotWriteRecordsNothing)
{
    TestJobDoc doc;
    CDataFileUndoManager& undo = *doc.GetUndoManager();
    doc.rawData.refuseSave = true;
    EXPECT_FALSE(undo.RecordUndoWithText("Nothing"));
    EXPECT_EQ(undo.GetStepCount(), 0);
}

TEST(UndoHistory, AFailedRestoreKeepsTheJobAndTheHistory)
{
    TestJobDoc doc;
    CDataFileUndoManager& undo = *doc.GetUndoManager();
    std::vector<std::string> messages;
    MessageBoxHandler previous = SetMessageBoxHandler([&](const std::string& text, uint32_t) {
        messages.push_back(text);
        return IDOK;
    });
    doc.AddPoint("1", 1, 1);
    ASSERT_TRUE(undo.RecordUndoWithText("Add 2"));
    doc.AddPoint("2", 2, 2);
    doc.rawData.lines = {"CO,kept"};

    // The step's job snapshot is damaged: cut inside its header.
    std::filesystem::resize_file(Step(undo, 0)->GetJobSnapshotPath(), 100);
    const bool modified = doc.IsModified();
    EXPECT_FALSE(undo.Undo());
    EXPECT_THAT(Names(doc), ElementsAre("1", "2"));
    EXPECT_THAT(doc.rawData.lines, ElementsAre("CO,kept"));
    EXPECT_EQ(doc.IsModified(), modified);
    EXPECT_EQ(undo.GetStepCount(), 1);
    EXPECT_EQ(undo.GetCurrentIndex(), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_THAT(messages[0], HasSubstr("Unable to undo \"Add 2\""));
    SetMessageBoxHandler(std::move(previous));
}

// The job's folder was moved or unmounted: undo reads its copies from the program's own
// temporary folder, so it still works, and a failed restore still leaves the job as it was.
TEST(UndoHistory, AJobFolderThatIsGoneNeverEmptiesTheJob)
{
    for (bool damaged : {false, true}) {
        SCOPED_TRACE(damaged ? "damaged step" : "sound step");
        TestJobDoc doc;
        CDataFileUndoManager& undo = *doc.GetUndoManager();
        std::vector<std::string> messages;
        MessageBoxHandler previous = SetMessageBoxHandler([&](const std::string& text, uint32_t) {
            messages.push_back(text);
            return IDOK;
        });
        doc.SetPathName((std::filesystem::temp_directory_path() / "morvel-unmounted-xyz" / "job.Mvj").string(), false);
        doc.AddPoint("1", 1, 1);
        ASSERT_TRUE(undo.RecordUndoWithText("Add 2"));
        doc.AddPoint("2", 2, 2);
        if (damaged)
            std::filesystem::resize_file(Step(undo, 0)->GetJobSnapshotPath(), 100);
        EXPECT_EQ(undo.Undo(), !damaged);
        if (damaged) {
            EXPECT_THAT(Names(doc), ElementsAre("1", "2"));
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_THAT(messages[0], HasSubstr("The job is as it was."));
        } else {
            EXPECT_THAT(Names(doc), ElementsAre("1"));
            EXPECT_TRUE(messages.empty());
        }
        SetMessageBoxHandler(std::move(previous));
    }
}

TEST(UndoHistory, AMissingRawSnapshotGivesDefaultRawData)
{
    TestJobDoc doc;
    CDataFileUndoManager& undo = *doc.GetUndoManager();
    doc.AddPoint("1", 1, 1);
    doc.rawData.lines = {"SS,1,2,3"};
    ASSERT_TRUE(undo.RecordUndoWithText("Step"));
    std::remove(Step(undo, 0)->GetRawSnapshotPath().c_str());
    doc.AddPoint("2", 2, 2);
    ASSERT_TRUE(undo.Undo());
    EXPECT_THAT(Names(doc), ElementsAre("1"));
    EXPECT_EQ(doc.rawData.generated, 1);
    EXPECT_THAT(doc.rawData.lines, ElementsAre("CO,Morvel RAW data format V2.00", testing::StartsWith("MP,1,")));
}
