#include "platform/MessagePump.h"

#include "platform/WindowMessages.h"

namespace {

CMessageQueue* g_queue = nullptr;

// Generous for a queue that drains, small enough that a stuck delivery cannot freeze the program.
constexpr int MaxIdleRounds = 1000;

bool LeftForTheMainLoop(uint32_t id)
{
    switch (id) {
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_TIMER:
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_DELIVER_HINTS:
        return true;
    default:
        return false;
    }
}

} // namespace

int CMessageQueue::DispatchWaitingMessages(uint32_t filter)
{
    for (;;) {
        std::optional<uint32_t> next = PeekWaitingMessage(filter);
        if (!next || LeftForTheMainLoop(*next))
            return 1;
        if (*next == WM_QUIT)
            return 0;
        try {
            PumpMessage();
        } catch (...) {
            // A failing handler must not abort the long operation that pumps.
        }
    }
}

int PumpWaitingMessages(CMessageQueue& queue, uint32_t filter)
{
    return queue.DispatchWaitingMessages(filter);
}

bool PumpUntilIdle(CMessageQueue& queue)
{
    for (int round = 0; round < MaxIdleRounds; ++round) {
        if (PumpWaitingMessages(queue, 0) == 0)
            return false;
        if (queue.CanActiveDocDispatchHints())
            return true;
        queue.RequestDeferredHints();
    }
    return false;
}

void SetMessageQueue(CMessageQueue* queue)
{
    g_queue = queue;
}

CMessageQueue* GetMessageQueue()
{
    return g_queue;
}

int PumpWaitingMessages(uint32_t filter)
{
    return g_queue ? PumpWaitingMessages(*g_queue, filter) : 1;
}

bool PumpUntilIdle()
{
    return g_queue ? PumpUntilIdle(*g_queue) : true;
}
