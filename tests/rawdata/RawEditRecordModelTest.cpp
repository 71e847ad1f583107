// The raw line editor without its windows: apply as one undo step, invalid records, lines that
// moved under the editor, type switches and the reload after an undo.
#include "RawJob.h"
#include "model/DataFileUndoManager.h"
#include "rawdata/RawEditRecordModel.h"

#include <gtest/gtest.h>

using morvel::test::RawJob;

namespace {

class RawEditRecordModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CRawEditRecordModel::LastAppliedTexts().clear();
        CRawEditRecordModel::LastEditedLine() = -1;
        job.AppendAll({
            "CO,Morvel RAW data format V2.00",                    // 0
            "CO,DIST UNITS: Metres",                              // 1
            "CO,ANGLE UNITS: Degrees",                            // 2
            "CO,ZERO AZIMUTH: North",                             // 3
            "MP,1,5000.0,4000.0,100.0,STN",                       // 4
            "MP,2,5100.0,4000.0,100.0,BS",                        // 5
            "ST,1,2,1.5,0.0000,0.0000",                           // 6
            "SS,10,1.8,50.0,45.3000,90.0000,10:00:00,TREE",       // 7
            "CO,Field note",                                      // 8
        });
    }
    // The entry of the field with the code.
    static CRawFieldEntry& Entry(std::vector<CRawFieldEntry>& entries, int32_t code)
    {
        for (CRawFieldEntry& entry : entries)
            if (entry.code == code)
                return entry;
        ADD_FAILURE() << "no field " << code;
        return entries.front();
    }
    std::string UndoText() { return job.GetUndoManager() ? job.GetUndoManager()->GetUndoDescription() : ""; }

    RawJob job;
};

TEST_F(RawEditRecordModelTest, ApplyReplacesTheLineAsOneStepNamedByItsIndex)
{
    CRawEditRecordModel model(&job);
    ASSERT_TRUE(model.Load(7));
    EXPECT_EQ(model.GetShownLineNumber(), 8);
    EXPECT_EQ(model.GetRecordType(), RecordTypeSideShot);
    std::vector<CRawFieldEntry> entries = BuildRawFieldEntries(*model.GetEditorRecord());
    Entry(entries, FieldHR).text = "2.0";
    ASSERT_EQ(model.Apply(false, entries), CRawEditRecordModel::ApplyResult::Applied);
    EXPECT_EQ(job.Text(7), "SS,10,2.0,50.0,45.3000,90.0000,10:00:00,TREE");
    EXPECT_EQ(model.GetLineText(), job.Text(7));
    EXPECT_EQ(UndoText(), "Edit Raw Data Line #7");

    // Marking it deleted is a second step on the same line.
    ASSERT_EQ(model.Apply(true, entries), CRawEditRecordModel::ApplyResult::Applied);
    EXPECT_EQ(job.Text(7), "*SS,10,2.0,50.0,45.3000,90.0000,10:00:00,TREE");
}

TEST_F(RawEditRecordModelTest, AnInvalidRecordChangesNothing)
{
    CRawEditRecordModel model(&job);
    ASSERT_TRUE(model.Load(7));
    std::vector<CRawFieldEntry> entries = BuildRawFieldEntries(*model.GetEditorRecord());
    Entry(entries, FieldSD).text = "fifty";
    const int32_t steps = job.GetUndoManager() ? job.GetUndoManager()->GetStepCount() : 0;
    EXPECT_EQ(model.Apply(false, entries), CRawEditRecordModel::ApplyResult::Invalid);
    EXPECT_EQ(job.Text(7), "SS,10,1.8,50.0,45.3000,90.0000,10:00:00,TREE");
    EXPECT_EQ(job.GetUndoManager() ? job.GetUndoManager()->GetStepCount() : 0, steps);
}

TEST_F(RawEditRecordModelTest, ALineMovedUnderTheEditorIsNotOverwritten)
{
    CRawEditRecordModel model(&job);
    ASSERT_TRUE(model.Load(7));
    std::vector<CRawFieldEntry> entries = BuildRawFieldEntries(*model.GetEditorRecord());
    Entry(entries, FieldHR).text = "2.0";
    // The list removes a line above: line 7 now holds the note.
    ASSERT_EQ(job.raw.RemoveRecords({0}), 1);
    EXPECT_EQ(model.Apply(false, entries), CRawEditRecordModel::ApplyResult::Reloaded);
    EXPECT_EQ(job.Text(6), "SS,10,1.8,50.0,45.3000,90.0000,10:00:00,TREE");
    EXPECT_EQ(job.Text(7), "CO,Field note");
    EXPECT_EQ(model.GetLineText(), "CO,Field note");
    EXPECT_EQ(model.GetRecordType(), RecordTypeComment);

    // The line is gone altogether: nothing is replaced and the editor keeps what it shows.
    ASSERT_EQ(job.raw.RemoveRecords({6, 7}), 2);
    EXPECT_EQ(model.Apply(false, BuildRawFieldEntries(*model.GetEditorRecord())),
              CRawEditRecordModel::ApplyResult::NoLine);
    EXPECT_EQ(job.raw.GetLineCount(), 6);
    EXPECT_EQ(model.GetLineText(), "CO,Field note");
}

TEST_F(RawEditRecordModelTest, ATypeSwitchOffersTheLastTextAppliedForThatType)
{
    CRawEditRecordModel shot(&job);
    ASSERT_TRUE(shot.Load(7));
    std::vector<CRawFieldEntry> entries = BuildRawFieldEntries(*shot.GetEditorRecord());
    Entry(entries, FieldPN).text = "12";
    ASSERT_EQ(shot.Apply(false, entries), CRawEditRecordModel::ApplyResult::Applied);

    CRawEditRecordModel note(&job);
    ASSERT_TRUE(note.Load(8));
    std::vector<CRawFieldEntry> typed = BuildRawFieldEntries(*note.GetEditorRecord());
    ASSERT_EQ(typed.size(), 1u);
    typed[0].text = "Typed before the switch";
    note.SwitchType(RecordTypeSideShot, typed);
    EXPECT_EQ(note.GetRecordType(), RecordTypeSideShot);
    EXPECT_EQ(note.GetLineText(), "SS,12,1.8,50.0,45.3000,90.0000,10:00:00,TREE");
    EXPECT_EQ(job.Text(8), "CO,Field note"); // nothing applied yet

    // Back to a comment: what was typed for it before the switch comes back.
    note.SwitchType(RecordTypeComment, BuildRawFieldEntries(*note.GetEditorRecord()));
    EXPECT_EQ(note.GetLineText(), "CO,Typed before the switch");

    // A type never applied starts from its empty line.
    note.SwitchType(RecordTypeStation, BuildRawFieldEntries(*note.GetEditorRecord()));
    EXPECT_EQ(note.GetLineText().rfind("ST,", 0), 0u);
    EXPECT_EQ(note.GetEditorRecord()->GetFieldCount(), int32_t(record_codes::GetLayout(RecordTypeStation).size()));
}

TEST_F(RawEditRecordModelTest, AnUndoReloadsTheEditedLine)
{
    CRawEditRecordModel model(&job);
    ASSERT_TRUE(model.Load(7));
    std::vector<CRawFieldEntry> entries = BuildRawFieldEntries(*model.GetEditorRecord());
    Entry(entries, FieldHR).text = "2.0";
    ASSERT_EQ(model.Apply(false, entries), CRawEditRecordModel::ApplyResult::Applied);
    ASSERT_NE(job.GetUndoManager(), nullptr);
    model.BeforeUndo();
    ASSERT_TRUE(job.GetUndoManager()->Undo());
    ASSERT_TRUE(model.AfterUndo());
    EXPECT_EQ(model.GetLineText(), "SS,10,1.8,50.0,45.3000,90.0000,10:00:00,TREE");

    // An undo that leaves fewer lines keeps what the editor shows.
    CRawEditRecordModel::LastEditedLine() = 40;
    EXPECT_FALSE(model.AfterUndo());
    EXPECT_EQ(model.GetLine(), 7);
}

} // namespace
