#include "shell/ui/AppMessageQueue.h"

#include "model/DataFileSmartHintManager.h"
#include "shell/ui/MorvelApp.h"

#include <wx/app.h>
#include <wx/evtloop.h>

namespace {

constexpr long AllButInputAndTimers = wxEVT_CATEGORY_ALL & ~(wxEVT_CATEGORY_USER_INPUT | wxEVT_CATEGORY_TIMER);

// The loop's exit request and yield state, which wx keeps to itself.
struct LoopState : wxEventLoopBase
{
    static bool ShouldExit(const wxEventLoopBase& loop) { return loop.*(&LoopState::m_shouldExit); }
    static int& YieldLevel(wxEventLoopBase& loop) { return loop.*(&LoopState::m_yieldLevel); }
    static long& YieldMask(wxEventLoopBase& loop) { return loop.*(&LoopState::m_eventsToProcessInsideYield); }
};

// wx's own posted events run as inside a yield for the same categories, so that posted input
// waits as native input does (a selective yield leaves posted events alone altogether).
void ProcessPostedEvents(wxEventLoopBase& loop)
{
    int& level = LoopState::YieldLevel(loop);
    long& mask = LoopState::YieldMask(loop);
    const long oldMask = mask;
    ++level;
    mask = AllButInputAndTimers;
    struct Restore
    {
        int& level;
        long& mask;
        long oldMask;
        ~Restore()
        {
            mask = oldMask;
            --level;
        }
    } restore{level, mask, oldMask};
    wxTheApp->ProcessPendingEvents();
}

} // namespace

bool CAppMessageQueue::IsQuitting()
{
    const wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    return !wxTheApp || (loop && LoopState::ShouldExit(*loop));
}

int CAppMessageQueue::DispatchWaitingMessages(uint32_t)
{
    if (IsQuitting())
        return 0;
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    // Nested pumping (a handler that pumps again) would run the outer work's events out of order.
    if (!loop || loop->IsYielding())
        return 1;
    try {
        loop->YieldFor(AllButInputAndTimers);
        ProcessPostedEvents(*loop);
    } catch (...) {
        // A failing handler must not abort the long operation that pumps.
    }
    return IsQuitting() ? 0 : 1;
}

bool CAppMessageQueue::CanActiveDocDispatchHints()
{
    return ::CanActiveDocDispatchHints();
}

void CAppMessageQueue::RequestDeferredHints()
{
    if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
        app->RequestDeferredHints(true);
}
