#include "platform/MessagePump.h"
#include "platform/WindowMessages.h"

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>
#include <vector>

namespace {

class FakeQueue : public CMessageQueue
{
public:
    std::deque<uint32_t> waiting;
    std::vector<uint32_t> dispatched;
    int pendingHints = 0;
    bool deliveryWorks = true;
    int requests = 0;

    std::optional<uint32_t> PeekWaitingMessage(uint32_t filter) override
    {
        for (uint32_t id : waiting)
            if (filter == 0 || id == filter)
                return id;
        return std::nullopt;
    }
    void PumpMessage() override
    {
        uint32_t id = waiting.front();
        waiting.pop_front();
        dispatched.push_back(id);
        if (id == 0x9999)
            throw std::runtime_error("handler failed");
    }
    bool CanActiveDocDispatchHints() override { return pendingHints == 0; }
    void RequestDeferredHints() override
    {
        ++requests;
        if (deliveryWorks && pendingHints > 0)
            --pendingHints;
    }
};

} // namespace

TEST(MessagePump, InputAndHintDeliveryStayQueued)
{
    for (uint32_t held : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_TIMER, WM_CLOSE, WM_ACTIVATEAPP, WM_DELIVER_HINTS}) {
        FakeQueue q;
        q.waiting = {0x000F, held, 0x000F};
        EXPECT_EQ(PumpWaitingMessages(q), 1);
        EXPECT_EQ(q.dispatched, std::vector<uint32_t>{0x000F});
        EXPECT_EQ(q.waiting.front(), held);
    }
}

TEST(MessagePump, QuitStopsAndFailingHandlersDoNot)
{
    FakeQueue q;
    q.waiting = {0x9999, 0x000F, WM_QUIT};
    EXPECT_EQ(PumpWaitingMessages(q), 0);
    EXPECT_EQ(q.dispatched, (std::vector<uint32_t>{0x9999, 0x000F}));
    EXPECT_EQ(q.waiting.front(), WM_QUIT);

    FakeQueue empty;
    EXPECT_EQ(PumpWaitingMessages(empty), 1);
}

TEST(MessagePump, UntilIdleRequestsDeliveryUntilDone)
{
    FakeQueue q;
    q.pendingHints = 3;
    q.waiting = {0x000F};
    EXPECT_TRUE(PumpUntilIdle(q));
    EXPECT_EQ(q.requests, 3);

    FakeQueue quitting;
    quitting.pendingHints = 1;
    quitting.waiting = {WM_QUIT};
    EXPECT_FALSE(PumpUntilIdle(quitting));
}

TEST(MessagePump, UntilIdleGivesUpWhenHintsCannotBeDelivered)
{
    // A window in the background takes no hints; the pump must not spin for ever.
    FakeQueue q;
    q.pendingHints = 1;
    q.deliveryWorks = false;
    EXPECT_FALSE(PumpUntilIdle(q));
    EXPECT_GT(q.requests, 0);
}

namespace {

// A toolkit that dispatches everything but input in one call and only says whether to quit.
class OneCallQueue : public CMessageQueue
{
public:
    int dispatches = 0;
    int quitAfter = -1; // the dispatch after which the program is quitting
    int pendingHints = 0;
    int DispatchWaitingMessages(uint32_t) override
    {
        ++dispatches;
        return dispatches == quitAfter ? 0 : 1;
    }
    bool CanActiveDocDispatchHints() override { return pendingHints == 0; }
    void RequestDeferredHints() override { --pendingHints; }
};

} // namespace

TEST(MessagePump, TheInstalledQueuePumpsInOneCallAndReportsQuitting)
{
    // Nothing installed: nothing to pump, and nothing to wait for.
    EXPECT_EQ(GetMessageQueue(), nullptr);
    EXPECT_EQ(PumpWaitingMessages(), 1);
    EXPECT_TRUE(PumpUntilIdle());

    OneCallQueue q;
    q.pendingHints = 2;
    SetMessageQueue(&q);
    EXPECT_TRUE(PumpUntilIdle());
    EXPECT_EQ(q.dispatches, 3);

    q.pendingHints = 5;
    q.quitAfter = q.dispatches + 2;
    EXPECT_FALSE(PumpUntilIdle());
    EXPECT_EQ(q.pendingHints, 4); // no delivery asked once quitting
    EXPECT_EQ(PumpWaitingMessages(), 1);
    SetMessageQueue(nullptr);
}
