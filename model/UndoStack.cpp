#include "model/UndoStack.h"

#include "platform/MessageBox.h"

#include <cmath>

CUndoStack::~CUndoStack()
{
    RemoveAll();
}

bool CUndoStack::Undo()
{
    m_ops[size_t(m_current)]->Undo(m_context);
    --m_current;
    ++m_redoCount;
    return true;
}

bool CUndoStack::Redo()
{
    ++m_current;
    m_ops[size_t(m_current)]->Redo(m_context);
    --m_redoCount;
    return true;
}

void CUndoStack::GetUndoText(std::string& text) const
{
    if (CanUndo())
        m_ops[size_t(m_current)]->GetUndoText(text);
    else
        text = "Undo";
}

void CUndoStack::GetRedoText(std::string& text) const
{
    if (CanRedo())
        m_ops[size_t(m_current + 1)]->GetRedoText(text);
    else
        text = "Redo";
}

void CUndoStack::Push(std::unique_ptr<CUndoOperation> op)
{
    if (!op) {
        ShowMessageBoxFS("Sorry, the operation could not be undone.");
        return;
    }
    if (m_current == m_capacity && !m_ops.empty()) {
        m_ops.erase(m_ops.begin());
        --m_current;
    }
    // Newest first, as the history is torn down everywhere else.
    while (m_redoCount > 0 && !m_ops.empty()) {
        m_ops.pop_back();
        --m_redoCount;
    }
    m_redoCount = 0;
    ++m_current;
    m_ops.resize(size_t(m_current));
    m_ops.push_back(std::move(op));
}

void CUndoStack::PushIfChanged(std::unique_ptr<CUndoOperation> op)
{
    if (!op)
        return;
    CWorldRect* a = op->GetExtent(0);
    CWorldRect* b = op->GetExtent(1);
    if (a && b && WorldRectsDiffer(*a, *b))
        Push(std::move(op));
}

void CUndoStack::ScaleExtents(double fx, double fy)
{
    for (auto& op : m_ops)
        for (int i = 0; i < 2; ++i)
            if (CWorldRect* r = op->GetExtent(i))
                ScaleWorldRect(*r, fx, fy);
}

void CUndoStack::RemoveAll()
{
    while (!m_ops.empty())
        m_ops.pop_back();
    m_current = -1;
    m_redoCount = 0;
}

bool WorldRectsDiffer(const CWorldRect& a, const CWorldRect& b)
{
    auto same = [](double p, double q) { return std::fabs(p - q) < 0.0001; };
    return !(same(a.x1, b.x1) && same(a.x2, b.x2) && same(a.y1, b.y1) && same(a.y2, b.y2));
}

void ScaleWorldRect(CWorldRect& r, double fx, double fy)
{
    if (r.x1 < r.x2)
        r.x2 = r.x1 + (r.x2 - r.x1) * fx;
    else
        r.x1 = r.x2 + (r.x1 - r.x2) * fx;
    if (r.y1 < r.y2)
        r.y1 = r.y2 - (r.y2 - r.y1) * fy;
    else
        r.y2 = r.y1 - (r.y1 - r.y2) * fy;
}
