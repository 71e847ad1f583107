#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A world window of four doubles; the map keeps (x1, x2, y1, y2) in them.
struct CWorldRect
{
    double x1 = 0.0;
    double x2 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
};

// What undo and redo of an in-memory operation act on (for the zoom history: the map).
class CUndoContext
{
public:
    virtual ~CUndoContext() = default;
};

// An operation that can undo and redo itself.
class CUndoOperation
{
public:
    virtual ~CUndoOperation() = default;
    virtual bool Undo(CUndoContext* context) { return false; }
    virtual bool Redo(CUndoContext* context) { return false; }
    virtual void GetUndoText(std::string& text) const {}
    virtual void GetRedoText(std::string& text) const {}
    // The two windows of an operation that carries them (before and after); null otherwise.
    virtual CWorldRect* GetExtent(int which) { return nullptr; }
};

// A bounded stack of in-memory operations with redo. Holds at most capacity + 1 operations: the
// oldest goes only when the current index has reached the capacity.
class CUndoStack
{
public:
    CUndoStack() = default;
    CUndoStack(CUndoContext* context, int32_t capacity) : m_context(context), m_capacity(capacity) {}
    virtual ~CUndoStack();
    CUndoStack(const CUndoStack&) = delete;
    CUndoStack& operator=(const CUndoStack&) = delete;

    void SetTarget(CUndoContext* context) { m_context = context; }
    CUndoContext* GetTarget() const { return m_context; }

    bool CanUndo() const { return m_current >= 0; }
    bool CanRedo() const { return m_redoCount > 0; }
    // Neither checks: callers ask CanUndo / CanRedo first.
    bool Undo();
    bool Redo();
    void GetUndoText(std::string& text) const;
    void GetRedoText(std::string& text) const;

    // The stack owns the operation from now on; null shows a message and changes nothing.
    void Push(std::unique_ptr<CUndoOperation> op);
    // Keeps the operation only when its two windows differ by 0.0001 or more somewhere.
    void PushIfChanged(std::unique_ptr<CUndoOperation> op);
    // Stretches both windows of every operation: the smaller x and the larger y stay.
    void ScaleExtents(double fx, double fy);
    void RemoveAll();

    int32_t GetCount() const { return int32_t(m_ops.size()); }
    int32_t GetCurrentIndex() const { return m_current; }
    int32_t GetRedoCount() const { return m_redoCount; }
    CUndoOperation* GetAt(int32_t i) const { return m_ops[size_t(i)].get(); }

private:
    std::vector<std::unique_ptr<CUndoOperation>> m_ops;
    CUndoContext* m_context = nullptr;
    int32_t m_capacity = 100;
    int32_t m_current = -1;
    int32_t m_redoCount = 0;
};

// Whether two windows differ by 0.0001 or more in some value (a NaN difference counts as one).
bool WorldRectsDiffer(const CWorldRect& a, const CWorldRect& b);
// The stretch of a window that ScaleExtents applies.
void ScaleWorldRect(CWorldRect& r, double fx, double fy);
