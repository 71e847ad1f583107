#pragma once

#include "platform/MessagePump.h"

// The program's message queue on wx. wx cannot look at a waiting event before dispatching it, so
// the waiting work is let through in one call that holds back input and timers (they wait for
// the normal loop, as the long operation that pumps expects).
class CAppMessageQueue : public CMessageQueue
{
public:
    int DispatchWaitingMessages(uint32_t filter) override;
    bool CanActiveDocDispatchHints() override;
    void RequestDeferredHints() override;

    // Whether the running loop has been told to end (the program is quitting).
    static bool IsQuitting();
};
