#pragma once

#include <cstdint>
#include <functional>

class CView;

// What the change-hint delivery asks of the shell and the map. The window layer installs the
// handlers; without them there is no active view and the map has no pending drawing.

// The active view and its kind: 0 job view, 1 print preview, 2 none.
CView* GetActiveViewAndKind(int32_t* kind);
void SetActiveViewHandler(std::function<CView*(int32_t*)> handler);

// The map's layers with pending drawing: whether there are any, and drawing them now.
bool MapHasPendingLayers();
void RunPendingLayerDrawing();
void SetMapLayerHandlers(std::function<bool()> hasPending, std::function<void()> runPending);
