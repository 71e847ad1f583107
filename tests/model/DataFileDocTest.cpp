#include "TestJobDoc.h"

#include "FakeStatusBarHost.h"
#include "FakeView.h"
#include "model/DataFileDoc.h"
#include "model/DataFileHiSelection.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileSmartHintManager.h"
#include "model/HintCodes.h"
#include "model/PointDatabase.h"
#include "model/RecordDatabase.h"
#include "model/Selection.h"
#include "core/ProgramHelpers.h"
#include "platform/ActiveJobHooks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using morvel::test::FakeDocShell;
using morvel::test::OpenDocumentScope;
using morvel::test::TestJobDoc;
using testing::ElementsAre;
using testing::MatchesRegex;

namespace {

// Delivers the queued hints and returns what the view received since the last call.
std::vector<std::string> DeliverHints(TestJobDoc& doc, std::vector<std::string>& log)
{
    doc.SendHint(nullptr, HintFlush, 0);
    std::vector<std::string> out;
    out.swap(log);
    return out;
}

std::vector<std::string> NamesInNameOrder(TestJobDoc& doc)
{
    std::vector<std::string> names;
    CPointDatabase* points = doc.GetPointDatabase();
    for (RedBlackNode* pos = points->GetFirstPosition(); pos != nullptr;)
        names.emplace_back(points->GetNextPoint(pos)->GetName());
    return names;
}

std::vector<std::string> NamesInGridOrder(TestJobDoc& doc)
{
    std::vector<std::string> names;
    CSpRecordRBTree* grid = doc.GetSortedIndex();
    for (int32_t row = 0; row < grid->GetCount(); ++row)
        names.emplace_back(static_cast<CPointRecord*>(grid->GetAt(row))->GetName());
    return names;
}

// History lines carry the local date and time in front of the text.
std::string Stamped(const std::string& text)
{
    return "[0-9][0-9]-[0-9][0-9]-[0-9][0-9][0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9] " + text;
}

} // namespace

TEST(DataFileDocPoints, AddedPointsAreFoundByNameAndWalkedInBothOrders)
{
    TestJobDoc doc;
    for (const char* name : {"P10", "P2", "A1", "P1"})
        ASSERT_NE(doc.AddPoint(name), nullptr) << name;

    CPointDatabase* points = doc.GetPointDatabase();
    EXPECT_STREQ(points->FindPoint("p002", true)->GetName(), "P2");
    EXPECT_EQ(points->FindPoint("P3", true), nullptr);
    EXPECT_STREQ(points->FindPoint("P3", false)->GetName(), "P10");
    EXPECT_EQ(points->FindPoint("Q", false), nullptr);

    EXPECT_THAT(NamesInNameOrder(doc), ElementsAre("A1", "P1", "P2", "P10"));
    // The grid keeps the order of insertion, and stepping back a row works from the cursor.
    EXPECT_THAT(NamesInGridOrder(doc), ElementsAre("P10", "P2", "A1", "P1"));
    CSpRecordRBTree* grid = doc.GetSortedIndex();
    EXPECT_STREQ(static_cast<CPointRecord*>(grid->GetAt(2))->GetName(), "A1");
    EXPECT_STREQ(static_cast<CPointRecord*>(grid->GetAt(1))->GetName(), "P2");
    EXPECT_EQ(doc.GetRecordDatabase()->GetCount(1), 4);
    EXPECT_EQ(doc.GetLastPointName(), "P1");
}

TEST(DataFileDocPoints, AddingAPointMarksTheJobAndSendsHint39)
{
    TestJobDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);

    ASSERT_NE(doc.AddPoint("5"), nullptr);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(doc.GetHistoryList().size(), 1u);
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Added Point '5'")));
    EXPECT_THAT(DeliverHints(doc, log), ElementsAre("V[", "V39", "V25", "V]"));
    doc.RemoveView(&view);
}

TEST(DataFileDocPoints, RefusedPointsStayWithTheCallerAndChangeNothing)
{
    TestJobDoc doc;
    ASSERT_NE(doc.AddPoint("7"), nullptr);
    doc.SetModifiedFlagOnly(false);
    const size_t history = doc.GetHistoryList().size();

    for (const char* name : {"007", "0", "", "BAD-NAME", "A.B"}) {
        // Named outside the job: the job's own check would refuse to set most of these names.
        auto point = std::make_unique<CPointRecord>();
        point->SetName(name);
        EXPECT_FALSE(doc.AddRecord(point.get())) << name;
    }
    EXPECT_FALSE(doc.AddRecord(nullptr));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetHistoryList().size(), history);
    EXPECT_EQ(doc.GetRecordDatabase()->GetCount(0), 1);
    EXPECT_EQ(doc.GetSortedIndex()->GetCount(), 1);
    EXPECT_EQ(doc.GetLastPointName(), "7");
}

TEST(DataFileDocPoints, ModifiedAndDeletedPointsWriteHistoryAndHints)
{
    TestJobDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    CPointRecord* a = doc.AddPoint("A1", 1, 2);
    CPointRecord* b = doc.AddPoint("B1", 3, 4);
    DeliverHints(doc, log);

    EXPECT_TRUE(doc.RecordModified(a));
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Modified Point 'A1'")));
    EXPECT_TRUE(doc.DeleteRecord(b, false));
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Deleted Point 'B1'")));
    EXPECT_THAT(DeliverHints(doc, log), ElementsAre("V[", "V40", "V25", "V]"));

    EXPECT_EQ(doc.GetPointDatabase()->FindPoint("B1", true), nullptr);
    EXPECT_EQ(doc.GetRecordDatabase()->GetCount(0), 1);
    EXPECT_THAT(NamesInGridOrder(doc), ElementsAre("A1"));
    EXPECT_TRUE(doc.ContainsRecord(a, 1));
    EXPECT_FALSE(doc.ContainsRecord(a, 2));
    EXPECT_TRUE(doc.rawData.lines.empty());
    doc.RemoveView(&view);
}

TEST(DataFileDocPoints, DeletingWithLogAppendsADeletedInputPointLine)
{
    TestJobDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    CPointRecord* p = doc.AddPoint("P1", 100, 200);
    DeliverHints(doc, log);

    EXPECT_TRUE(doc.DeleteRecord(p, true));
    ASSERT_THAT(doc.rawData.lines, ElementsAre("*MP,P1,200.000,100.000,,"));
    const auto& history = doc.GetHistoryList();
    ASSERT_GE(history.size(), 2u);
    EXPECT_THAT(history[history.size() - 2], MatchesRegex(Stamped("Deleted Point 'P1'")));
    EXPECT_THAT(history.back(),
                MatchesRegex(Stamped("Added '\\(deleted\\)MP,P1,200.000,100.000,,'  to raw data at line #1")));
    EXPECT_THAT(DeliverHints(doc, log), ElementsAre("V[", "V40", "V41", "V25", "V]"));

    // A raw-data file that refuses the line leaves no history entry behind.
    CPointRecord* q = doc.AddPoint("P2");
    doc.rawData.refuse = true;
    const size_t before = doc.GetHistoryList().size();
    EXPECT_TRUE(doc.DeleteRecord(q, true));
    EXPECT_EQ(doc.GetHistoryList().size(), before + 1);
    doc.RemoveView(&view);
}

TEST(DataFileDocPoints, DeletingAPointTheNameCheckNowRefusesStillUnlinksIt)
{
    // A name lookup cannot find this point once the job only accepts digits; the point must still
    // leave the store, the name index and the grid before it is freed, or they would keep a
    // dangling pointer (the sanitizer reports it when the job is destroyed).
    TestJobDoc doc;
    CPointRecord* keep = doc.AddPoint("1");
    CPointRecord* gone = doc.AddPoint("A1");
    doc.digitsOnly = true;

    EXPECT_TRUE(doc.DeleteRecord(gone, false));
    EXPECT_EQ(doc.GetRecordDatabase()->GetCount(0), 1);
    EXPECT_EQ(doc.GetPointDatabase()->GetCount(), 1);
    EXPECT_EQ(doc.GetSortedIndex()->GetCount(), 1);
    EXPECT_EQ(doc.GetSortedIndex()->GetAt(0), keep);
}

TEST(DataFileDocPoints, TheSelectionIsToldOfADeletedRecordWhileItStillLives)
{
    TestJobDoc doc;
    CDataFileSelOperator* op = doc.GetSelOperator();
    CPointRecord* a = doc.AddPoint("1");
    CPointRecord* b = doc.AddPoint("2");
    doc.AddPoint("3");
    op->Select(a);
    op->Select(b);
    ASSERT_EQ(op->GetCountUnfiltered(), 2);

    // The operator tests the entry's bits to keep its count: after a free this is a
    // use-after-free the sanitizer reports.
    EXPECT_TRUE(doc.DeleteRecord(a, false));
    EXPECT_EQ(op->GetCountUnfiltered(), 1);
    EXPECT_EQ(op->GetEntryCount(), 1);
    EXPECT_EQ(doc.GetSelection()->GetCount(), 1);
}

TEST(DataFileDocPoints, DeletingARecordTheJobDoesNotHoldLeavesItToItsOwner)
{
    TestJobDoc doc;
    TestJobDoc other;
    CPointRecord* foreign = other.AddPoint("9");
    doc.AddPoint("9");
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    doc.SetModifiedFlagOnly(false);
    DeliverHints(doc, log);
    const std::vector<std::string> history = doc.GetHistoryList();

    // True, and nothing changes: no history naming a point that is still there, no modified
    // job, no hint, no raw data line.
    EXPECT_TRUE(doc.DeleteRecord(foreign, true));
    EXPECT_EQ(doc.GetHistoryList(), history);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(DeliverHints(doc, log).empty());
    EXPECT_TRUE(doc.rawData.lines.empty());
    EXPECT_EQ(doc.GetRecordDatabase()->GetCount(0), 1);
    EXPECT_NE(doc.GetPointDatabase()->FindPoint("9", true), nullptr);
    EXPECT_EQ(other.GetPointDatabase()->FindPoint("9", true), foreign);
    doc.RemoveView(&view);
}

TEST(DataFileDocPoints, DistanceCurrentRecordAndHighlight)
{
    TestJobDoc doc;
    CRecord* p = doc.AddPoint("1", 3, 4);
    double d = 0;
    EXPECT_TRUE(doc.GetRecordDistance(p, 0, 0, d));
    EXPECT_DOUBLE_EQ(d, 5.0);
    CRecord* unplaced = doc.AddPoint("2", NoValue, NoValue);
    EXPECT_FALSE(doc.GetRecordDistance(unplaced, 0, 0, d));
    EXPECT_EQ(d, NoValue);

    RecordRef ref;
    EXPECT_FALSE(doc.GetCurrentRecord(ref));
    doc.SetCurrentRecord(nullptr, 3);
    EXPECT_TRUE(doc.GetCurrentRecord(ref));
    doc.SetCurrentRecord(p, 0);
    EXPECT_TRUE(doc.TakeCurrentRecord(ref));
    EXPECT_EQ(ref.record, p);
    EXPECT_FALSE(doc.GetCurrentRecord(ref));
    // A deleted current record is not handed out afterwards.
    doc.SetCurrentRecord(unplaced, 0);
    doc.DeleteRecord(unplaced, false);
    EXPECT_FALSE(doc.GetCurrentRecord(ref));

    doc.GetSelOperator()->Select(p);
    doc.SyncHighlight(p);
    EXPECT_TRUE(doc.GetHiSelection()->IsSelected(p));
    doc.GetSelOperator()->Deselect(p);
    doc.SyncHighlight(p);
    EXPECT_FALSE(doc.GetHiSelection()->IsSelected(p));
}

TEST(DataFileDocPoints, CompareCallbacks)
{
    TestJobDoc doc;
    CPointRecord* a = doc.AddPoint("1");
    CPointRecord* b = doc.AddPoint("2");
    EXPECT_EQ(CompareRecordSequence(a, a), 0);
    EXPECT_EQ(CompareRecordSequence(a, b), -1);
    EXPECT_EQ(CompareRecordSequence(b, a), 1);

    CRecord* pa = a;
    CRecord* pb = b;
    EXPECT_EQ(CompareRecordTypes(&pa, &pb), 0);
}

// Rows are filed when the grid is next read or changed, not as points come: whatever happens in
// between, the rows and their numbers are those of filing each point as it was added.
TEST(DataFileDocPoints, GridRowsFiledLateMatchFilingEachPointAtOnce)
{
    // a: add a point; dN: delete the N-th point added; r: read the rows; c: read them as a reload does.
    for (const char* script : {"aaaa", "aaad1aa", "aarad0d2a", "aad0d1aaa", "araraar", "aaacaa"}) {
        SCOPED_TRACE(script);
        TestJobDoc doc;
        std::vector<CPointRecord*> added;
        std::vector<bool> alive;
        for (const char* op = script; *op != '\0'; ++op) {
            if (*op == 'a') {
                added.push_back(doc.AddPoint(std::to_string(100 - added.size()).c_str()));
                ASSERT_NE(added.back(), nullptr);
                alive.push_back(true);
                // The number is the point's as soon as it is added.
                EXPECT_EQ(added.back()->GetSequenceNumber(), int32_t(added.size() - 1));
            } else if (*op == 'd') {
                const std::size_t n = std::size_t(*++op - '0');
                ASSERT_TRUE(doc.DeleteRecord(added[n], false));
                alive[n] = false;
            } else if (*op == 'r') {
                doc.GetSortedIndex()->GetCount();
            } else {
                doc.BuildSortedIndex();
            }
        }
        std::vector<std::pair<CRecord*, int32_t>> expected;
        for (std::size_t i = 0; i < added.size(); ++i)
            if (alive[i])
                expected.emplace_back(added[i], int32_t(i));
        CSpRecordRBTree* grid = doc.GetSortedIndex();
        std::vector<std::pair<CRecord*, int32_t>> rows;
        for (int32_t row = 0; row < grid->GetCount(); ++row)
            rows.emplace_back(grid->GetAt(row), grid->GetAt(row)->GetSequenceNumber());
        EXPECT_EQ(rows, expected);
        for (const auto& [record, number] : expected)
            EXPECT_NE(grid->FindLeaf(record), nullptr);
    }
}

TEST(DataFileDocNames, NextFreePointName)
{
    TestJobDoc doc;
    EXPECT_EQ(doc.NextFreePointName("", true, 1), "2");

    doc.AddPoint("P100");
    EXPECT_EQ(doc.NextFreePointName("P99", true, 1), "P101");

    for (const char* name : {"P7", "P8", "P9"})
        doc.AddPoint(name);
    EXPECT_EQ(doc.NextFreePointName("P7", true, 1), "P10");
    EXPECT_EQ(doc.NextFreePointName("P7", false, 1), "P8");
    EXPECT_EQ(doc.NextFreePointName("A", true, 1), "A2");
    EXPECT_EQ(doc.NextFreePointName("X_", true, 1), "X_1");
    EXPECT_EQ(doc.NextFreePointName("P100", true, 5), "P105");

    // A number that grows by a digit costs the prefix its last character.
    EXPECT_EQ(doc.NextFreePointName("ABCDEFGHIJKLMNO9", true, 1), "ABCDEFGHIJKLMN10");
    // Counted in characters: a two-byte letter is one of the sixteen.
    EXPECT_EQ(doc.NextFreePointName("\u00C4BCDEFGHIJKLMNO9", true, 1), "\u00C4BCDEFGHIJKLMN10");
    // A number that no longer fits in a name starts again from 1.
    EXPECT_EQ(doc.NextFreePointName("9999999999999999", true, 1), "1");
    // A run of digits too long to count, in a name longer than any point may have, still ends.
    EXPECT_EQ(doc.NextFreePointName("Q99999999999999999999999", true, 1), "Q1");
}

TEST(DataFileDocNames, MakeUniquePointNameAndReservation)
{
    TestJobDoc doc;
    EXPECT_EQ(doc.MakeUniquePointName(""), "1");
    doc.AddPoint("1");
    doc.AddPoint("2");
    doc.SetLastPointName("1");
    EXPECT_EQ(doc.MakeUniquePointName(""), "3");
    EXPECT_EQ(doc.MakeUniquePointName("1"), "3");
    // Without a reservation the same name comes back until a point takes it.
    EXPECT_EQ(doc.MakeUniquePointName("1"), "3");

    doc.BeginNameReservation();
    const std::string first = doc.MakeUniquePointName("1");
    const std::string second = doc.MakeUniquePointName("1");
    const std::string third = doc.MakeUniquePointName("a7");
    const std::string fourth = doc.MakeUniquePointName("A7");
    EXPECT_EQ(first, "3");
    EXPECT_EQ(second, "4");
    EXPECT_EQ(third, "a7");
    EXPECT_EQ(fourth, "A8");
    doc.EndNameReservation();
    EXPECT_EQ(doc.MakeUniquePointName("1"), "3");
}

TEST(DataFileDocState, ModifiedTextsAndHistory)
{
    TestJobDoc doc;
    doc.SetModifiedWithText("", false, true);
    doc.SetModifiedWithText("", true, true);
    doc.SetModifiedWithText("", true, false);
    doc.SetModifiedWithText("Reload Job", false, true);
    EXPECT_TRUE(doc.AddHistoryEntry(""));
    EXPECT_THAT(doc.GetHistoryList(), ElementsAre(MatchesRegex(Stamped("Saved Job")), MatchesRegex(Stamped("Modified:")),
                                                  MatchesRegex(Stamped("Reload Job"))));
    EXPECT_FALSE(doc.IsModified());
}

TEST(DataFileDocState, HintsNeedAView)
{
    TestJobDoc doc;
    doc.AddPoint("1");
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.GetSmartHintManager()->HasQueuedHint(HintPointAdded));
    EXPECT_FALSE(doc.GetSmartHintManager()->HasQueuedHint(HintModifiedState));

    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    doc.SetModifiedFlag(false);
    EXPECT_TRUE(doc.GetSmartHintManager()->HasQueuedHint(HintModifiedState));
    doc.RemoveView(&view);
}

TEST(DataFileDocState, BuildSortedIndexAfterARead)
{
    TestJobDoc doc;
    // A reader files points in the name index (and so the store) without the document's add.
    for (const char* name : {"20", "3", "11"}) {
        auto* p = new CPointRecord(name, "", CLocation(0, 0, NoValue), true);
        ASSERT_TRUE(doc.GetPointDatabase()->Add(p));
    }
    doc.rawData.lines.assign(3, "CO,");
    doc.SetModifiedFlagOnly(true);
    FakeStatusBarHost status;

    doc.BuildSortedIndex();
    EXPECT_THAT(NamesInGridOrder(doc), ElementsAre("20", "3", "11"));
    EXPECT_EQ(doc.GetLastPointName(), "21");
    EXPECT_FALSE(doc.IsModified());
    ASSERT_FALSE(status.calls.empty());
    EXPECT_EQ(status.calls.front(), "text:Loading...");
    // Three points of six things to load: the bar reaches the half and no further.
    EXPECT_THAT(status.calls, testing::Contains("pos:50"));
    EXPECT_THAT(status.calls, testing::Not(testing::Contains("pos:100")));
}

TEST(DataFileDocLife, NewDocumentStartsEmptyAndUnmodified)
{
    TestJobDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    doc.SetLastPointName("77");
    doc.BeginNameReservation();

    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetLastPointName(), "1");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.MakeUniquePointName(""), "1");
    EXPECT_EQ(doc.MakeUniquePointName(""), "1");
    const auto delivered = DeliverHints(doc, log);
    EXPECT_THAT(delivered, testing::Contains("V32"));
    EXPECT_THAT(delivered, testing::Contains("V33"));
    doc.RemoveView(&view);
}

TEST(DataFileDocLife, ActiveDocumentIsTheFirstOpenJob)
{
    class PlainDocument : public CDocument
    {
    };
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), nullptr);
    PlainDocument plain;
    OpenDocumentScope plainOpen(&plain);
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), nullptr);
    {
        TestJobDoc job;
        OpenDocumentScope jobOpen(&job);
        EXPECT_EQ(CDataFileDoc::GetActiveDoc(), &job);
        EXPECT_EQ(GetActiveHintManager(), job.GetSmartHintManager());
        EXPECT_EQ(GetActiveJobValueSource(), &job);
        // The program-wide helpers follow the open job too.
        job.SetPathName("/jobs/North Field.Mvj");
        job.SetModifiedFlagOnly(true);
        EXPECT_EQ(FormatJobCaption(), "North Field (Modified)");
    }
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), nullptr);
    EXPECT_EQ(GetActiveJobValueSource(), nullptr);
    EXPECT_EQ(FormatJobCaption(), "Untitled");
}

TEST(DataFileDocLife, ClosingAJobClosesTheOtherDocuments)
{
    class CountingDocument : public CDocument
    {
    public:
        void OnCloseDocument() override
        {
            ++closes;
            RemoveOpenDocument(this);
        }
        int closes = 0;
    };
    FakeDocShell shell;
    TestJobDoc job;
    CountingDocument other;
    AddOpenDocument(&job);
    AddOpenDocument(&other);

    job.OnCloseDocument();
    EXPECT_EQ(other.closes, 1);
    EXPECT_FALSE(IsOpenDocument(&job));
    EXPECT_EQ(shell.barResets, 1);
    EXPECT_EQ(shell.noJobStates, 1);
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), nullptr);
}

TEST(DataFileDocLife, SaveModifiedAsksAndRecordsTheAnswer)
{
    FakeDocShell shell;
    TestJobDoc doc;
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(shell.prompts.empty());

    doc.SetPathName("/jobs/Survey 3.Mvj");
    EXPECT_EQ(shell.captionRefreshes, 1);
    doc.AddPoint("1");

    shell.answer = IDCANCEL;
    EXPECT_FALSE(doc.SaveModified());
    ASSERT_EQ(shell.prompts.size(), 1u);
    EXPECT_EQ(shell.prompts[0], "Save changes to Survey 3?");
    EXPECT_EQ(shell.shownHistory, doc.GetHistoryList());

    shell.answer = IDNO;
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("No changes saved")));

    shell.answer = IDYES;
    doc.saveSucceeds = false;
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("File Save FAILED")));
    doc.saveSucceeds = true;
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(doc.saves, 2);

    // The temporary job saves through save-as and is called Untitled.
    ActiveJobHooks hooks;
    hooks.hasTemporaryJob = [] { return true; };
    const ActiveJobHooks previous = SetActiveJobHooks(hooks);
    shell.saveAsResult = FakeDocShell::SaveAsCancelled;
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(shell.prompts.back(), "Save changes to Untitled?");
    shell.saveAsSucceeds = false;
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("File Save FAILED")));
    EXPECT_EQ(doc.saves, 2);

    // A stacked dialog that must not be left keeps the job open without asking.
    shell.stackingBarState = 2;
    const size_t asked = shell.prompts.size();
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(shell.prompts.size(), asked);
    SetActiveJobHooks(previous);
}

TEST(DataFileDocLife, WithoutAShellUnsavedWorkIsKept)
{
    TestJobDoc doc;
    doc.AddPoint("1");
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(doc.saves, 0);
}

TEST(DataFileDocLife, SettingsChangeFlags)
{
    SettingsChangeFlags flags;
    EXPECT_FALSE(flags.AnyChanged());
    flags.directionType = true;
    EXPECT_TRUE(flags.AnyChanged());
}
