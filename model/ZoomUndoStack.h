#pragma once

#include "model/UndoStack.h"

// What a zoom history entry replays its windows on: the map's set-window-without-history calls.
class CZoomWindowTarget : public CUndoContext
{
public:
    // 0x808E and 0x808F: apply the window without a new history entry; true when answered.
    virtual bool OnZoomUndo808E(const CWorldRect& window) = 0;
    virtual bool OnZoomRedo808F(const CWorldRect& window) = 0;
};

// One change of the map's world window.
class CZoomOperation : public CUndoOperation
{
public:
    CZoomOperation(const CWorldRect& before, const CWorldRect& after) : m_before(before), m_after(after) {}

    bool Undo(CUndoContext* context) override;
    bool Redo(CUndoContext* context) override;
    CWorldRect* GetExtent(int which) override;

    const CWorldRect& GetBefore() const { return m_before; }
    const CWorldRect& GetAfter() const { return m_after; }

private:
    CWorldRect m_before;
    CWorldRect m_after;
    std::string m_description;
};

// The map's zoom history: Zoom Previous and Zoom Next are its undo and redo.
class CZoomUndoStack : public CUndoStack
{
public:
    CZoomUndoStack() = default;
};
