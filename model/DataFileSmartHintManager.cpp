#include "model/DataFileSmartHintManager.h"

#include "model/HintCodes.h"
#include "model/HintTable.h"
#include "model/Interested.h"
#include "platform/Document.h"
#include "platform/ShellHooks.h"
#include "platform/View.h"

namespace {
std::function<CDataFileSmartHintManager*()>& ActiveLookup()
{
    static std::function<CDataFileSmartHintManager*()> lookup;
    return lookup;
}

bool HasView(const CDocument* doc, const CView* view)
{
    for (size_t i = 0; doc && i < doc->GetViewCount(); ++i)
        if (doc->GetView(i) == view)
            return true;
    return false;
}
} // namespace

CDataFileSmartHintManager::CDataFileSmartHintManager(CDocument* doc) : document(doc) {}

bool CDataFileSmartHintManager::IsIdle()
{
    if (!queue.IsEmpty() || !GlobalQueue().IsEmpty())
        return false;
    return !MapHasPendingLayers();
}

bool CDataFileSmartHintManager::AddHint(void* sender, int32_t code, intptr_t parameter)
{
    if (IsHintGlobal(code)) {
        CHintQueue& global = GlobalQueue();
        if (!IsHintKeepEach(code)) {
            auto it = global.FindFirst(code);
            if (it != global.end()) {
                it->parameter = parameter;
                it->sender = sender;
                return true;
            }
        }
        global.Append({nullptr, code, parameter});
        return true;
    }
    if (code == HintFlush)
        return Flush();
    if (IsHintIgnored(code))
        return true;
    if (IsHintImmediate(code)) {
        DispatchHint({nullptr, code, parameter});
        return true;
    }

    const int32_t order = GetHintOrder(code);
    if (!((code == HintViewActivated || order >= 10000) && !(code == HintRefreshAll && parameter != 0)))
        refreshed = false;

    if (!IsHintKeepEach(code)) {
        auto it = queue.FindFirst(code);
        if (it != queue.end()) {
            it->parameter = parameter;
            it->sender = sender;
            return true;
        }
    }

    // A new hint goes right after the first queued hint of its order, or before the first of a
    // later order.
    const CHintObject hint{sender, code, parameter};
    auto pos = queue.begin();
    while (pos != queue.end() && GetHintOrder(pos->code) < order)
        ++pos;
    if (pos == queue.end())
        queue.Append(hint);
    else if (GetHintOrder(pos->code) == order)
        queue.InsertBefore(std::next(pos), hint);
    else
        queue.InsertBefore(pos, hint);

    switch (code) {
    case HintUndoDone:
        AddHint(sender, HintClosing, 0);
        AddHint(sender, HintJobSettingsChanged, 0);
        AddHint(sender, HintPanelShown, 0);
        break;
    case HintNewEnd:
        AddHint(sender, HintFileState, 0);
        AddHint(sender, HintClosing, 0);
        AddHint(sender, HintJobSettingsChanged, 0);
        break;
    case HintJobSettingsChanged:
        AddHint(sender, HintRefreshAll, 0);
        break;
    default:
        break;
    }
    return true;
}

bool CDataFileSmartHintManager::IsActiveJob() const
{
    int32_t kind = 2;
    CView* active = GetActiveViewAndKind(&kind);
    if (!active || !document)
        return false;
    for (size_t i = 0; i < document->GetViewCount(); ++i)
        if (document->GetView(i)->GetDocument() == active->GetDocument())
            return true;
    return false;
}

void CDataFileSmartHintManager::DispatchHint(const CHintObject& hint)
{
    const int32_t code = hint.code;
    if (IsHintIgnored(code))
        return;
    if (code == HintRefreshAll) {
        if (refreshed)
            return;
        refreshed = true;
    } else if (code == HintPointsAddedInBulk) {
        refreshed = true;
    }
    if (!IsHintNoBroadcast(code) && (IsHintAnyDocument(code) || IsActiveJob()))
        CInterested::Broadcast(hint.sender, code, hint.parameter);
    // A receiver of the broadcast may have closed the job and destroyed this manager.
    if (!IsManagerRegistered(this))
        return;
    if (!IsHintNoViewUpdate(code) && document)
        document->UpdateAllViews(nullptr, code, hint.parameter);
}

bool CDataFileSmartHintManager::Flush()
{
    if (busy)
        return true;

    if (queue.IsEmpty()) {
        CHintQueue& global = GlobalQueue();
        if (!global.IsEmpty()) {
            busy = true;
            while (!global.IsEmpty()) {
                const CHintObject head = global.Front();
                DispatchHint(head);
                if (!IsManagerRegistered(this))
                    return true;
                global.RemoveFirst(head.code);
            }
            busy = false;
        }
        RunPendingLayerDrawing();
        return true;
    }

    busy = true;
    AddHint(nullptr, HintModifiedState, 0);
    CView* batchView = nullptr;
    if (document) {
        CView* first = document->GetFirstView();
        if (first && first->IsDataFileView()) {
            batchView = first;
            batchView->OnBeginHintBatch();
        }
    }
    while (!queue.IsEmpty()) {
        const CHintObject head = queue.Front();
        DispatchHint(head);
        if (!IsManagerRegistered(this))
            return true;
        queue.RemoveFirst(head.code);
    }
    busy = false;
    // The view may have been closed by a receiver; only a view still attached is told.
    if (batchView && HasView(document, batchView))
        batchView->OnEndHintBatch();
    RunPendingLayerDrawing();
    return true;
}

CDataFileSmartHintManager* GetActiveHintManager()
{
    return ActiveLookup() ? ActiveLookup()() : nullptr;
}

void SetActiveHintManagerLookup(std::function<CDataFileSmartHintManager*()> lookup)
{
    ActiveLookup() = std::move(lookup);
}

bool CanActiveDocDispatchHints()
{
    CDataFileSmartHintManager* m = GetActiveHintManager();
    return !m || m->IsIdle();
}
