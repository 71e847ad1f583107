#include "platform/ShellHooks.h"

namespace {
struct Handlers {
    std::function<CView*(int32_t*)> activeView;
    std::function<bool()> hasPending;
    std::function<void()> runPending;
};

Handlers& H()
{
    static Handlers h;
    return h;
}
} // namespace

CView* GetActiveViewAndKind(int32_t* kind)
{
    if (H().activeView)
        return H().activeView(kind);
    if (kind)
        *kind = 2;
    return nullptr;
}

void SetActiveViewHandler(std::function<CView*(int32_t*)> handler)
{
    H().activeView = std::move(handler);
}

bool MapHasPendingLayers()
{
    return H().hasPending ? H().hasPending() : false;
}

void RunPendingLayerDrawing()
{
    if (H().runPending)
        H().runPending();
}

void SetMapLayerHandlers(std::function<bool()> hasPending, std::function<void()> runPending)
{
    H().hasPending = std::move(hasPending);
    H().runPending = std::move(runPending);
}
