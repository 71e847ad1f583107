#include "model/GenericSelectionOperator.h"

int CGenericSelectionOperator::GetCount()
{
    if (m_bitsInUse < 0)
        m_bitsInUse = GetReservedBitCount();
    return m_bitsInUse;
}

void CGenericSelectionOperator::AllocateBit() { m_bitsInUse = GetCount() + 1; }

void CGenericSelectionOperator::FreeBit()
{
    // Never below the reserved bits: an unbalanced end must not hand out the current bit.
    if (GetCount() > GetReservedBitCount())
        --m_bitsInUse;
}

int32_t CGenericSelectionOperator::GetCountUnfiltered()
{
    if (m_count < 0)
        m_count = CountBit(GetCurrentBit(), nullptr);
    return m_count;
}

void CGenericSelectionOperator::IncrementCount()
{
    if (m_count >= 0)
        ++m_count;
}

void CGenericSelectionOperator::DecrementCount()
{
    // From 0 this falls back to uncounted, which recounts rather than going negative.
    if (m_count >= 0)
        --m_count;
}

void CGenericSelectionOperator::OnCurrentBitChanged(int delta)
{
    if (delta > 0)
        IncrementCount();
    else if (delta < 0)
        DecrementCount();
}
