#include "shell/ui/AppMessageQueue.h"

#include "model/DataFileSmartHintManager.h"
#include "shell/ui/MorvelApp.h"

#include <wx/app.h>
#include <wx/evtloop.h>

namespace {

// Reads the loop's exit request, which wx keeps to itself.
struct LoopExitFlag : wxEventLoopBase
{
    static bool Of(const wxEventLoopBase& loop) { return loop.*(&LoopExitFlag::m_shouldExit); }
};

} // namespace

bool CAppMessageQueue::IsQuitting()
{
    const wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    return !wxTheApp || (loop && LoopExitFlag::Of(*loop));
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
        loop->YieldFor(wxEVT_CATEGORY_ALL & ~(wxEVT_CATEGORY_USER_INPUT | wxEVT_CATEGORY_TIMER));
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
