#include "core/GenericSelectionOperator.h"

int32_t CGenericSelectionOperator::GetCount()
{
    if (m_count < 0)
        m_count = CountObjects();
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
