#pragma once

#include "model/GenericSelectionOperator.h"
#include "model/SelectionFilter.h"

#include <cstdint>
#include <map>
#include <string>

class CRecord;
class IObjectListTarget;

// A walk position over a container's entries, in creation order.
struct CSelectionCursor
{
    SelectionEntryList::iterator pos{};
    bool valid = false;

    bool IsValid() const { return valid; }
};

// The selection operator: bit 0 is the current selection, bit 1 is reserved and bits 2 and up are
// scratch selections. Filters are counted handles; an empty handle means no filter.
class CSelectionOperator : public CGenericSelectionOperator
{
public:
    static constexpr int CurrentBit = 0;
    static constexpr int ReservedBits = 2;

    ~CSelectionOperator() override;

    int GetCurrentBit() const override { return CurrentBit; }
    int GetReservedBitCount() const override { return ReservedBits; }
    // The entries take the objects' current selection.
    virtual bool ReloadFromObjects();
    virtual void RemoveAllObjects() { RemoveAllEntries(); }
    // Purge, then take the objects' current selection.
    virtual bool Refresh();
    // Selects the objects hit by the rectangle (map coordinates, top above bottom).
    virtual bool SelectInRectangle(double left, double top, double right, double bottom,
                                   const CSelectionFilterPtr& filter, bool flag, bool excludeTemporary) = 0;
    // Text naming the points of the bit, for tool tips and prompts; empty when there are none.
    virtual bool BuildSelectionText(int bit, std::string& text) = 0;
    virtual CSelectionFilterBase* CreateKindFilter(uint32_t kinds) = 0;
    virtual CSelectionFilterBase* CreateTemporaryFilter() = 0;
    virtual CSelectionFilterBase* CreateVisibleFilter() = 0;
    virtual CRecord* ToObject(const CSelectionCursor& cursor) const;

    bool SelectAll(const CSelectionFilterPtr& filter);
    bool SelectAll() { return SelectAll(CSelectionFilterPtr()); }
    bool ClearSelection(const CSelectionFilterPtr& filter);
    bool ClearSelection() { return ClearSelection(CSelectionFilterPtr()); }
    bool InvertSelection(const CSelectionFilterPtr& filter);
    bool InvertSelection() { return InvertSelection(CSelectionFilterPtr()); }
    bool ClearBitFiltered(int bit, const CSelectionFilterPtr& filter);
    bool ClearBitFiltered(int bit) { return ClearBitFiltered(bit, CSelectionFilterPtr()); }
    // The current selection copied into the bit, and back (over what the current selection held).
    bool CopyCurrentTo(const CSelectionFilterPtr& filter, int bit);
    void LoadCurrentFrom(const CSelectionFilterPtr& filter, int bit);
    int32_t CountSelected(const CSelectionFilterPtr& filter, int bit);
    int32_t CountSelected(int bit) { return CountSelected(CSelectionFilterPtr(), bit); }

    // Walk the entries carrying the bit that the filter accepts, in creation order. GetNext
    // returns the object at the cursor and moves on; an object may not lose its entry while the
    // cursor rests on it.
    void GetFirst(CSelectionCursor& cursor, int bit, const CSelectionFilterPtr& filter);
    CRecord* GetNext(CSelectionCursor& cursor, int bit, const CSelectionFilterPtr& filter);
    void GetFirstOfKind(CSelectionCursor& cursor, int bit, uint32_t kinds);
    CRecord* GetNextOfKind(CSelectionCursor& cursor, int bit, uint32_t kinds);
    void GetFirstUnfiltered(CSelectionCursor& cursor);
    CRecord* GetNextUnfiltered(CSelectionCursor& cursor);

    // The list gets one row for each object carrying the bit, in entry order (no filter).
    void FillListCtrl(int bit, IObjectListTarget& list);
    // The selected rows leave the list and their objects lose the bit; the number removed.
    int32_t RemoveListSelection(int bit, IObjectListTarget& list);

    bool SelectObject(CRecord* object);
    void ToggleObject(CRecord* object);

    // --- Selections that panels hand over. A panel that leaves the side bar releases what its
    // filter holds: the objects keep it under a bit of the panel's own and leave the current
    // selection, so the next panel starts from its own. When the panel comes back it takes its
    // filter as the base: the current selection under the filter becomes what it held. A panel
    // that never released leaves the current selection as it is (a selection made on the map
    // before the panel opened is the panel's). Holders are numbers the panels take once.
    // Drops entries that no longer serve (run before a panel hands its filter over).
    virtual void Reset();
    // True when the current selection changed.
    bool ReleaseFiltered(uint64_t holder, const CSelectionFilterPtr& filter);
    bool TakeFilterAsBase(uint64_t holder, const CSelectionFilterPtr& filter);
    // The holder is gone: what it held is dropped.
    void ForgetHolder(uint64_t holder);
    bool IsHolding(uint64_t holder) const { return m_held.count(holder) != 0; }
    // First bit the holders use: far above the scratch bits, which are taken stack-wise from 2.
    static constexpr int FirstHeldBit = 32;

private:
    // The first accepted entry with the bit from pos on.
    void Seek(CSelectionCursor& cursor, SelectionEntryList::iterator pos, int bit, const CSelectionFilterBase* filter);

    std::map<uint64_t, int> m_held; // holder -> its bit
};
