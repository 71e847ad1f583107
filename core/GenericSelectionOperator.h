#pragma once

#include <cstdint>

// Base of the selection operators: keeps the number of selected objects once it has been counted.
class CGenericSelectionOperator
{
public:
    virtual ~CGenericSelectionOperator() = default;

    int32_t GetCount();
    // Keep a counted total in step with single additions and removals; an uncounted total stays
    // uncounted, so the next GetCount counts afresh.
    void IncrementCount();
    void DecrementCount();
    // Forgets the total, for changes that are not single additions or removals.
    void InvalidateCount() { m_count = -1; }

protected:
    virtual int32_t CountObjects() = 0;

private:
    int32_t m_count = -1;
};
