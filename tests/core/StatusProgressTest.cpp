#include "FakeStatusBarHost.h"

#include "core/FlagGuard.h"
#include "core/ModifiedFlagGuard.h"
#include "core/ResourceStrings.h"
#include "core/StatusProgress.h"
#include "platform/Document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(StatusProgress, SingleScopeShowsMovesAndEnds)
{
    FakeStatusBarHost host;
    {
        CStatusProgress p;
        p.Begin("Loading...");
        EXPECT_THAT(host.Take(), ElementsAre("text:Loading..."));
        p.SetPercent(1);
        EXPECT_THAT(host.Take(), IsEmpty());
        p.SetPercent(2);
        p.SetPercent(3);
        p.SetPercent(4);
        EXPECT_THAT(host.Take(), ElementsAre("pos:2", "pos:4"));
        // Backwards by one is noise; by two it is shown.
        p.SetPercent(3);
        EXPECT_THAT(host.Take(), IsEmpty());
        p.SetPercent(2);
        EXPECT_THAT(host.Take(), ElementsAre("pos:2"));
    }
    EXPECT_THAT(host.Take(), ElementsAre("end"));
    EXPECT_FALSE(CStatusProgress::IsAnyScopeActive());
    EXPECT_EQ(CStatusProgress::GetStackCount(), 0);
}

TEST(StatusProgress, PercentBeforeBeginIsKeptButNotShownAndEndTwiceIsHarmless)
{
    FakeStatusBarHost host;
    CStatusProgress p;
    p.SetPercent(40);
    EXPECT_EQ(p.GetPosition(), 40);
    EXPECT_THAT(host.Take(), IsEmpty());
    p.Begin("Saving");
    EXPECT_EQ(p.GetPosition(), 0);
    p.End();
    p.End();
    EXPECT_THAT(host.Take(), ElementsAre("text:Saving", "end"));
    // It can run again.
    p.Begin("Again");
    EXPECT_TRUE(p.IsActive());
    p.End();
    EXPECT_THAT(host.Take(), ElementsAre("text:Again", "end"));
}

TEST(StatusProgress, InnerScopeGivesTheOuterItsTextAndPositionBack)
{
    FakeStatusBarHost host;
    CStatusProgress outer;
    outer.Begin("Importing");
    outer.SetPercent(30);
    {
        CStatusProgress inner;
        inner.Begin("Reducing");
        EXPECT_EQ(inner.GetDepth(), 1);
        EXPECT_EQ(CStatusProgress::GetStackCount(), 1);
        inner.SetPercent(50);
        inner.SetPercent(90);
        host.Take();
    }
    // The outer operation's text and bar come back, not a blank status.
    EXPECT_THAT(host.Take(), ElementsAre("text:Importing", "pos:30"));
    EXPECT_TRUE(CStatusProgress::IsAnyScopeActive());
    EXPECT_EQ(CStatusProgress::GetStackCount(), 0);
    outer.SetPercent(60);
    outer.End();
    EXPECT_THAT(host.Take(), ElementsAre("pos:60", "end"));
    EXPECT_FALSE(CStatusProgress::IsAnyScopeActive());
}

TEST(StatusProgress, ThreeLevelsUnwindInOrder)
{
    FakeStatusBarHost host;
    CStatusProgress a, b, c;
    a.Begin("A");
    a.SetPercent(10);
    b.Begin("B");
    b.SetPercent(20);
    c.Begin("C");
    EXPECT_EQ(c.GetDepth(), 2);
    host.Take();
    c.End();
    EXPECT_THAT(host.Take(), ElementsAre("text:B", "pos:20"));
    b.End();
    EXPECT_THAT(host.Take(), ElementsAre("text:A", "pos:10"));
    a.End();
    EXPECT_THAT(host.Take(), ElementsAre("end"));
}

TEST(StatusProgress, SecondBeginRelabelsWithoutPushing)
{
    FakeStatusBarHost host;
    CStatusProgress p;
    p.Begin("Step 1");
    p.SetPercent(50);
    p.Begin("Step 2");
    EXPECT_EQ(p.GetPosition(), 0);
    EXPECT_EQ(p.GetText(), "Step 1");
    EXPECT_EQ(CStatusProgress::GetStackCount(), 0);
    p.End();
    EXPECT_THAT(host.Take(), ElementsAre("text:Step 1", "pos:50", "text:Step 2", "end"));
}

TEST(StatusProgress, StringIdGoesToTheFrameAndTheStringTableTextIsKept)
{
    FakeStatusBarHost host;
    const std::string undo = LoadResourceString(2197);
    ASSERT_FALSE(undo.empty());
    {
        CStatusProgress outer;
        outer.BeginWithStringId(2197);
        EXPECT_EQ(outer.GetText(), undo);
        {
            CStatusProgress inner;
            inner.Begin("Reading");
        }
    }
    // The outer text comes back from the string table, not blank.
    EXPECT_THAT(host.Take(), ElementsAre("id:2197", "text:Reading", "text:" + undo, "pos:0", "end"));
}

TEST(StatusProgress, WithoutFrameTheStacksStayBalanced)
{
    {
        CStatusProgress a, b;
        a.Begin("A");
        b.Begin("B");
        b.SetPercent(70);
        EXPECT_EQ(b.GetPosition(), 70);
        EXPECT_EQ(CStatusProgress::GetStackCount(), 1);
    }
    EXPECT_EQ(CStatusProgress::GetStackCount(), 0);
    EXPECT_FALSE(CStatusProgress::IsAnyScopeActive());
}

TEST(StatusProgress, ScopeOutlivingItsFrameAsksToQuitInsteadOfDrawing)
{
    // Run in a child: the abandoned scope leaves the program-wide status state as a quitting
    // program would, which must not leak into the other tests.
    EXPECT_EXIT(
        {
            std::vector<int> quits;
            SetApplicationQuitHandler([&](int code) { quits.push_back(code); });
            auto* first = new FakeStatusBarHost;
            auto* p = new CStatusProgress;
            p->Begin("Transfer");
            delete first;
            FakeStatusBarHost second;
            delete p;
            const bool ok = quits == std::vector<int>{0} && second.calls.empty();
            SetApplicationQuitHandler(nullptr);
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(FlagGuard, SetsForTheScopeAndClearsUnlessToldNot)
{
    bool busy = false;
    {
        CFlagGuard g(&busy, true, true);
        EXPECT_TRUE(busy);
    }
    EXPECT_FALSE(busy);
    {
        CFlagGuard g(&busy, true, false);
    }
    EXPECT_TRUE(busy);
}

namespace {
class HistoryDoc : public CDocument {
public:
    void SetModifiedWithText(const char* text, bool modified, bool addHistory) override
    {
        calls.push_back(std::string(text) + (modified ? "|1" : "|0") + (addHistory ? "|h" : "|-"));
        CDocument::SetModifiedWithText(text, modified, addHistory);
    }
    std::vector<std::string> calls;
};
} // namespace

TEST(ModifiedFlagGuard, ModifiedJobReadsUnmodifiedInsideAndModifiedAfter)
{
    HistoryDoc doc;
    doc.SetModifiedFlag(true);
    {
        CModifiedFlagGuard g(&doc);
        EXPECT_FALSE(doc.IsModified());
        doc.SetModifiedFlag(true); // preview drawing touched the job
    }
    EXPECT_TRUE(doc.IsModified());
    // Neither step writes a history entry.
    EXPECT_THAT(doc.calls, ElementsAre("|0|-", "|1|-"));
}

TEST(ModifiedFlagGuard, UnmodifiedJobEndsUnmodifiedWhateverWasEdited)
{
    CDocument doc;
    {
        CModifiedFlagGuard g(&doc);
        doc.SetModifiedFlag(true);
    }
    EXPECT_FALSE(doc.IsModified());
}

TEST(ModifiedFlagGuard, AttachLaterAndReleaseEarly)
{
    CDocument doc;
    doc.SetModifiedFlag(true);
    CModifiedFlagGuard g;
    EXPECT_EQ(g.GetDocument(), nullptr);
    g.Attach(&doc);
    EXPECT_TRUE(g.GetWasModified());
    EXPECT_FALSE(doc.IsModified());
    g.Release();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(g.GetDocument(), nullptr);
    // A released guard leaves the flag alone on destruction.
    doc.SetModifiedFlag(false);
    CModifiedFlagGuard none(nullptr);
    EXPECT_FALSE(none.GetWasModified());
}
