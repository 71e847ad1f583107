#pragma once

class CGenericSelectionOperator;
class CSelectionFilterBase;

// Saves the current selection in a scratch bit while a new one is built, then combines the two.
// Scopes nest, each taking the next scratch bit, and end in reverse order.
class CSelectionScope
{
public:
    enum EndMode { Restore = 0, Intersect = 1, Union = 2, Subtract = 3, Keep = 4 };

    explicit CSelectionScope(CGenericSelectionOperator* op) : m_operator(op) {}
    CSelectionScope(const CSelectionScope&) = delete;
    CSelectionScope& operator=(const CSelectionScope&) = delete;
    // An open scope gives its bit back (restoring the saved selection), so none is left taken.
    ~CSelectionScope() { Cancel(); }

    // Ends an open scope with Restore first. With clearCurrent the new selection starts empty.
    void Begin(bool clearCurrent);
    // Restore: the saved selection; Intersect: saved and new; Union: saved or new; Subtract: saved
    // less new; Keep: the new one.
    void End(int mode, const CSelectionFilterBase* filter);
    void Cancel();
    bool IsOpen() const { return m_bit >= 0; }
    int GetBit() const { return m_bit; }

private:
    CGenericSelectionOperator* m_operator;
    int m_bit = -1;
};
