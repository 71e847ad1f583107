#include "model/SelectionScope.h"

#include "model/GenericSelectionOperator.h"

void CSelectionScope::Begin(bool clearCurrent)
{
    if (IsOpen())
        End(Restore, nullptr);
    if (m_operator == nullptr)
        return;
    const int current = m_operator->GetCurrentBit();
    m_bit = m_operator->GetCount();
    m_operator->AllocateBit();
    m_operator->CopyBit(current, m_bit, nullptr);
    if (clearCurrent)
        m_operator->ClearAll(current, nullptr);
}

void CSelectionScope::End(int mode, const CSelectionFilterBase* filter)
{
    if (!IsOpen())
        return;
    CGenericSelectionOperator& op = *m_operator;
    const int s = m_bit;
    const int c = op.GetCurrentBit();
    op.FreeBit();
    switch (mode) {
    case Keep: {
        op.ClearAll(s, filter);
        CSelectionIterator it = op.CreateIterator(c, filter);
        CRecord* key = nullptr;
        if (it.First())
            while (it.Next(key))
                op.SetBit(key, s);
        break;
    }
    case Intersect:
        op.AndBits(c, s, s, filter);
        op.CopyBit(s, c, nullptr);
        break;
    case Union:
        op.OrBits(c, s, s, filter);
        op.CopyBit(s, c, nullptr);
        break;
    case Subtract:
        op.SubtractBit(c, s, filter);
        op.CopyBit(s, c, nullptr);
        break;
    default:
        op.CopyBit(s, c, nullptr);
        break;
    }
    op.ClearAll(s, nullptr);
    m_bit = -1;
}

void CSelectionScope::Cancel()
{
    if (IsOpen())
        End(Restore, nullptr);
}
