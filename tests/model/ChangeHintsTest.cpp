#include "FakeView.h"

#include "model/DataFileSmartHintManager.h"
#include "model/HintTable.h"
#include "model/Interested.h"
#include "platform/Document.h"
#include "platform/ShellHooks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
// Writes "I<code>" for every broadcast it hears.
class Listener : public CInterested {
public:
    explicit Listener(std::vector<std::string>* log) : m_log(log) {}
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override
    {
        m_log->push_back("I" + std::to_string(code));
        lastSender = sender;
        lastParameter = parameter;
        if (action)
            action(code);
    }
    void* lastSender = nullptr;
    intptr_t lastParameter = 0;
    std::function<void(int32_t)> action;

private:
    std::vector<std::string>* m_log;
};

class ChangeHintsTest : public ::testing::Test {
protected:
    ChangeHintsTest()
    {
        doc.AddView(&view);
    }
    ~ChangeHintsTest() override
    {
        for (int32_t code : {23, 24, 30})
            mgr.RemoveQueuedHints(code);
        SetActiveViewHandler(nullptr);
        SetMapLayerHandlers(nullptr, nullptr);
        SetActiveHintManagerLookup(nullptr);
    }

    void MakeViewActive(CView* v)
    {
        SetActiveViewHandler([v](int32_t* kind) {
            *kind = 0;
            return v;
        });
    }

    // Only what the views received.
    std::vector<std::string> ViewLog() const
    {
        std::vector<std::string> out;
        for (const auto& e : log)
            if (e[0] == 'V')
                out.push_back(e);
        return out;
    }

    std::vector<std::string> log;
    CDocument doc;
    FakeView view{&log};
    Listener listener{&log};
    CDataFileSmartHintManager mgr{&doc};
};
} // namespace

TEST(HintTable, RowsAndDefaults)
{
    EXPECT_EQ(GetHintTableSize(), 48);
    // Code 1 is the flush request, not a hint.
    EXPECT_FALSE(IsHintInTable(1));
    EXPECT_TRUE(IsHintIgnored(1));
    EXPECT_TRUE(IsHintIgnored(49));
    EXPECT_TRUE(IsHintIgnored(-5));
    EXPECT_EQ(GetHintOrder(49), UnknownHintOrder);
    EXPECT_EQ(GetHintOrder(0), -1);
    EXPECT_TRUE(IsHintImmediate(0));
    EXPECT_TRUE(IsHintNoBroadcast(0));
    EXPECT_FALSE(IsHintAnyDocument(5));
    EXPECT_TRUE(IsHintAnyDocument(48));
    EXPECT_EQ(GetHintOrder(48), 10003);
    EXPECT_TRUE(IsHintGlobal(23));
    EXPECT_TRUE(IsHintKeepEach(24));
    EXPECT_FALSE(IsHintKeepEach(30));
    EXPECT_FALSE(IsHintGlobal(3));
    EXPECT_TRUE(IsHintKeepEach(44) == false && IsHintImmediate(44));
    int32_t queued = 0, immediate = 0, global = 0;
    for (int32_t code = 0; code <= 48; ++code) {
        if (!IsHintInTable(code))
            continue;
        EXPECT_FALSE(IsHintIgnored(code)) << code;
        if (IsHintGlobal(code))
            ++global;
        else if (IsHintImmediate(code))
            ++immediate;
        else
            ++queued;
    }
    EXPECT_EQ(queued + immediate + global, 48);
    EXPECT_EQ(immediate, 23);
    EXPECT_EQ(global, 3);
}

TEST_F(ChangeHintsTest, QueuedHintWaitsUntilCodeOneDeliversTheBatch)
{
    EXPECT_TRUE(mgr.AddHint(nullptr, 39, 0));
    EXPECT_THAT(log, IsEmpty());
    EXPECT_FALSE(mgr.IsIdle());
    EXPECT_TRUE(mgr.HasQueuedHint(39));
    EXPECT_TRUE(mgr.AddHint(nullptr, 1, 0));
    // Every batch ends with the modified state (25, views only), all inside one view batch.
    EXPECT_THAT(log, ElementsAre("V[", "I39", "V39", "V25", "V]"));
    EXPECT_TRUE(mgr.IsIdle());
}

TEST_F(ChangeHintsTest, DuplicatesMergeKeepingTheLaterSenderAndParameter)
{
    int a = 0, b = 0;
    mgr.AddHint(&a, 39, 1);
    mgr.AddHint(&a, 41, 5);
    mgr.AddHint(&b, 39, 2);
    mgr.AddHint(&b, 41, 6);
    mgr.Flush();
    EXPECT_THAT(ViewLog(), ElementsAre("V[", "V39", "V41", "V25", "V]"));
    EXPECT_EQ(listener.lastSender, &b);
    EXPECT_EQ(listener.lastParameter, 6);
}

TEST_F(ChangeHintsTest, EqualOrderGoesRightAfterTheFirstOfItsOrder)
{
    mgr.AddHint(nullptr, 35, 0);
    mgr.AddHint(nullptr, 36, 0);
    mgr.AddHint(nullptr, 37, 0);
    mgr.Flush();
    EXPECT_THAT(ViewLog(), ElementsAre("V[", "V35", "V37", "V36", "V25", "V]"));
}

TEST_F(ChangeHintsTest, BatchIsDeliveredInTableOrder)
{
    for (int32_t code : {42, 40, 39, 48, 47, 43, 22, 46, 17, 20, 19})
        mgr.AddHint(nullptr, code, 0);
    mgr.Flush();
    // 20 goes to the broadcast only.
    EXPECT_THAT(log, ElementsAre("V[", "I17", "V17", "I20", "I46", "V46", "I40", "V40", "I39", "V39", "I42", "V42",
                                 "I22", "V22", "I43", "V43", "V47", "V48", "V25", "V19", "V]"));
}

TEST_F(ChangeHintsTest, FullRefreshOnlyWhenSomethingHappenedSinceTheLast)
{
    // A new manager counts as refreshed; 25 and 47 do not change that.
    mgr.AddHint(nullptr, 25, 0);
    mgr.AddHint(nullptr, 47, 0);
    mgr.AddHint(nullptr, 3, 0);
    mgr.Flush();
    EXPECT_THAT(ViewLog(), ElementsAre("V[", "V47", "V25", "V]"));

    log.clear();
    mgr.AddHint(nullptr, 39, 0);
    mgr.AddHint(nullptr, 3, 0);
    mgr.Flush();
    EXPECT_THAT(ViewLog(), ElementsAre("V[", "V39", "V25", "V3", "V]"));
    EXPECT_TRUE(mgr.IsRefreshed());

    // A refresh with a parameter asks for itself.
    log.clear();
    mgr.AddHint(nullptr, 3, 1);
    mgr.Flush();
    EXPECT_THAT(ViewLog(), ElementsAre("V[", "V25", "V3", "V]"));

    // Points added in bulk are a full refresh: a 3 queued behind them is dropped.
    log.clear();
    mgr.AddHint(nullptr, 39, 0);
    mgr.AddHint(nullptr, 19, 0);
    mgr.AddHint(nullptr, 3, 0);
    mgr.Flush();
    EXPECT_THAT(ViewLog(), ElementsAre("V[", "V39", "V25", "V19", "V]"));
}

TEST_F(ChangeHintsTest, UndoQueuesItsFollowUpsAndAnnouncesClosingAtOnce)
{
    MakeViewActive(&view);
    mgr.AddHint(nullptr, 6, 0);
    EXPECT_THAT(log, ElementsAre("I21"));
    log.clear();
    mgr.Flush();
    EXPECT_THAT(log, ElementsAre("V[", "I20", "I6", "V6", "I2", "V2", "V25", "V3", "V]"));
}

TEST_F(ChangeHintsTest, OpenedJobQueuesItsFollowUps)
{
    mgr.AddHint(nullptr, 33, 0);
    // 21 is only for the active job, and there is none.
    EXPECT_THAT(log, IsEmpty());
    mgr.Flush();
    EXPECT_THAT(ViewLog(), ElementsAre("V[", "V2", "V33", "V47", "V25", "V3", "V]"));
}

TEST_F(ChangeHintsTest, ImmediateHintsBypassTheQueue)
{
    mgr.AddHint(nullptr, 39, 0);
    mgr.AddHint(nullptr, 8, 0);   // broadcast only
    mgr.AddHint(nullptr, 10, 0);  // both
    mgr.AddHint(nullptr, 0, 7);   // views only
    mgr.AddHint(nullptr, 49, 0);  // unknown: dropped
    EXPECT_THAT(log, ElementsAre("I8", "I10", "V10", "V0"));
    EXPECT_EQ(view.lastObject, 7);
    EXPECT_TRUE(mgr.HasQueuedHint(39));
}

TEST_F(ChangeHintsTest, ActiveJobOnlyHintsNeedAViewOfThisJobActive)
{
    mgr.AddHint(nullptr, 5, 0);
    CDocument other;
    FakeView otherView(&log, "W");
    other.AddView(&otherView);
    MakeViewActive(&otherView);
    mgr.AddHint(nullptr, 5, 0);
    EXPECT_THAT(log, IsEmpty());
    MakeViewActive(&view);
    mgr.AddHint(nullptr, 5, 0);
    EXPECT_THAT(log, ElementsAre("I5"));
}

TEST_F(ChangeHintsTest, GlobalQueueWaitsForAFlushWithAnEmptyOwnQueue)
{
    int a = 0, b = 0;
    mgr.AddHint(nullptr, 39, 0);
    mgr.AddHint(&a, 23, 1);
    mgr.AddHint(&b, 23, 2);
    mgr.AddHint(nullptr, 24, 1);
    mgr.AddHint(nullptr, 24, 2);
    mgr.AddHint(nullptr, 30, 0);
    mgr.Flush();
    EXPECT_THAT(log, ElementsAre("V[", "I39", "V39", "V25", "V]"));
    EXPECT_FALSE(mgr.IsIdle());
    EXPECT_TRUE(mgr.HasQueuedHint(24));

    // Another job's manager shares the global queue.
    CDocument otherDoc;
    CDataFileSmartHintManager other(&otherDoc);
    EXPECT_TRUE(other.HasQueuedHint(23));
    log.clear();
    other.Flush();
    EXPECT_THAT(log, ElementsAre("I23", "I24", "I24", "I30"));
    EXPECT_EQ(listener.lastSender, nullptr);
    EXPECT_TRUE(mgr.IsIdle());
}

TEST_F(ChangeHintsTest, MergedGlobalHintTakesTheLaterParameter)
{
    int b = 0;
    mgr.AddHint(nullptr, 30, 1);
    mgr.AddHint(&b, 30, 2);
    mgr.Flush();
    EXPECT_THAT(log, ElementsAre("I30"));
    EXPECT_EQ(listener.lastSender, &b);
    EXPECT_EQ(listener.lastParameter, 2);
}

TEST_F(ChangeHintsTest, RemovingAndClearingQueuedHints)
{
    mgr.AddHint(nullptr, 39, 0);
    mgr.AddHint(nullptr, 40, 0);
    mgr.AddHint(nullptr, 24, 0);
    mgr.AddHint(nullptr, 24, 0);
    mgr.RemoveQueuedHints(24);
    mgr.RemoveQueuedHints(39);
    EXPECT_FALSE(mgr.HasQueuedHint(24));
    EXPECT_FALSE(mgr.HasQueuedHint(39));
    EXPECT_TRUE(mgr.HasQueuedHint(40));
    mgr.ClearQueue();
    EXPECT_TRUE(mgr.IsIdle());
    mgr.Flush();
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(ChangeHintsTest, HintsSentDuringAFlushJoinTheSameBatchAndANestedFlushReturns)
{
    int nestedFlushes = 0;
    view.onUpdate = [&](intptr_t hint) {
        if (hint == 39) {
            mgr.AddHint(nullptr, 42, 0);
            mgr.AddHint(nullptr, 1, 0);
            ++nestedFlushes;
        }
    };
    mgr.AddHint(nullptr, 39, 0);
    mgr.Flush();
    EXPECT_EQ(nestedFlushes, 1);
    EXPECT_THAT(ViewLog(), ElementsAre("V[", "V39", "V42", "V25", "V]"));
    EXPECT_TRUE(mgr.IsIdle());
}

TEST_F(ChangeHintsTest, ManagerDestroyedByADeliveredHintEndsTheFlush)
{
    auto owned = std::make_unique<CDataFileSmartHintManager>(&doc);
    listener.action = [&](int32_t code) {
        if (code == 40)
            owned.reset();
    };
    owned->AddHint(nullptr, 40, 0);
    owned->AddHint(nullptr, 42, 0);
    owned->Flush();
    EXPECT_EQ(owned, nullptr);
    EXPECT_THAT(log, ElementsAre("V[", "I40"));
}

TEST_F(ChangeHintsTest, OnlyAJobViewFirstInLineIsToldAboutTheBatch)
{
    CDocument plainDoc;
    FakeView plain(&log, "P", false);
    FakeView second(&log, "S", true);
    plainDoc.AddView(&plain);
    plainDoc.AddView(&second);
    CDataFileSmartHintManager m(&plainDoc);
    m.AddHint(nullptr, 39, 0);
    m.Flush();
    EXPECT_THAT(log, ElementsAre("I39", "P39", "S39", "P25", "S25"));
}

TEST_F(ChangeHintsTest, ActiveJobDispatchAndMapDrawing)
{
    EXPECT_TRUE(CanActiveDocDispatchHints()); // no job
    SetActiveHintManagerLookup([this] { return &mgr; });
    EXPECT_TRUE(CanActiveDocDispatchHints());
    mgr.AddHint(nullptr, 39, 0);
    EXPECT_FALSE(CanActiveDocDispatchHints());

    bool pending = true;
    int drawn = 0;
    SetMapLayerHandlers([&] { return pending; }, [&] {
        ++drawn;
        pending = false;
    });
    GetActiveHintManager()->Flush();
    EXPECT_EQ(drawn, 1);
    EXPECT_TRUE(CanActiveDocDispatchHints());
    // An empty flush still draws what the map has pending.
    pending = true;
    EXPECT_FALSE(CanActiveDocDispatchHints());
    mgr.Flush();
    EXPECT_EQ(drawn, 2);
    EXPECT_TRUE(CanActiveDocDispatchHints());
}

TEST_F(ChangeHintsTest, JobViewClosedDuringTheBatchIsNotToldItEnded)
{
    CDocument d;
    auto closing = std::make_unique<FakeView>(&log, "C");
    d.AddView(closing.get());
    CDataFileSmartHintManager m(&d);
    listener.action = [&](int32_t code) {
        if (code == 39)
            closing.reset();
    };
    m.AddHint(nullptr, 39, 0);
    m.Flush();
    EXPECT_THAT(log, ElementsAre("C[", "I39"));
}
