#pragma once

#include "model/SelectionContainer.h"

#include <cstdint>

// A selection container that hands out scratch bits above its reserved ones, and keeps the
// number of objects in its current selection once counted.
class CGenericSelectionOperator : public CSelectionContainer
{
public:
    virtual int GetReservedBitCount() const = 0;
    // Scratch bits are taken and given back stack-wise.
    virtual void AllocateBit();
    virtual void FreeBit();
    // Bits in use, which is the lowest free scratch bit.
    int GetCount();

    // Objects carrying the current bit: counted once, then kept up by single changes and counted
    // again after a bulk write.
    int32_t GetCountUnfiltered();
    // Keep a counted total in step with single additions and removals; an uncounted total stays
    // uncounted, so the next GetCountUnfiltered counts afresh.
    void IncrementCount();
    void DecrementCount();
    // Forgets the total, for changes that are not single additions or removals.
    void InvalidateCount() { m_count = -1; }
    bool IsCountKnown() const { return m_count >= 0; }

protected:
    void OnCurrentBitChanged(int delta) override;
    void OnCurrentBitRewritten() override { InvalidateCount(); }

private:
    int m_bitsInUse = -1; // -1 until first asked for
    int32_t m_count = -1; // -1 until counted
};
