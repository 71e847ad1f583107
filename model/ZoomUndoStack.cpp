#include "model/ZoomUndoStack.h"

bool CZoomOperation::Undo(CUndoContext* context)
{
    auto* target = dynamic_cast<CZoomWindowTarget*>(context);
    return target != nullptr && target->OnZoomUndo808E(m_before);
}

bool CZoomOperation::Redo(CUndoContext* context)
{
    auto* target = dynamic_cast<CZoomWindowTarget*>(context);
    return target != nullptr && target->OnZoomRedo808F(m_after);
}

CWorldRect* CZoomOperation::GetExtent(int which)
{
    if (which == 0)
        return &m_before;
    if (which == 1)
        return &m_after;
    return nullptr;
}
