#pragma once

#include <cstdint>
#include <optional>

// Message pumping during long work on the one user-interface thread. The window layer implements
// the queue; the rules of what may be pumped live here.
class CMessageQueue
{
public:
    virtual ~CMessageQueue() = default;

    // Dispatches what waits, leaving input, timers, window closing and the hint delivery for the
    // normal loop: 1 then, or when nothing waits; 0 when the program is to quit. By default one
    // message at a time through PeekWaitingMessage and PumpMessage; a toolkit that cannot look
    // at message ids before dispatching does it in one call instead.
    virtual int DispatchWaitingMessages(uint32_t filter);

    // The id of the next waiting message with the given id (0: any), left in the queue.
    virtual std::optional<uint32_t> PeekWaitingMessage(uint32_t filter) { return std::nullopt; }
    // Removes and dispatches the next waiting message; may throw.
    virtual void PumpMessage() {}
    // Whether the active job's hint manager has nothing left to deliver.
    virtual bool CanActiveDocDispatchHints() = 0;
    // Asks the application to deliver the deferred hints now.
    virtual void RequestDeferredHints() = 0;
};

// Dispatches waiting messages until input, timers, window closing or the hint delivery is next
// (those stay for the normal loop): 1 then, or when nothing waits; 0 when the program is to quit.
int PumpWaitingMessages(CMessageQueue& queue, uint32_t filter = 0);

// Pumps until the active job has delivered its hints: true then, false when the program is to
// quit or the hints still wait after many rounds (for instance while the window is in the
// background and so cannot take them).
bool PumpUntilIdle(CMessageQueue& queue);

// The program's queue, installed by the application (borrowed; null removes it). Without one
// there is nothing to pump: the calls below answer 1 and true.
void SetMessageQueue(CMessageQueue* queue);
CMessageQueue* GetMessageQueue();
int PumpWaitingMessages(uint32_t filter = 0);
bool PumpUntilIdle();
