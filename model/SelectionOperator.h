#pragma once

#include "model/GenericSelectionOperator.h"
#include "model/SelectionFilter.h"

#include <cstdint>
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

private:
    // The first accepted entry with the bit from pos on.
    void Seek(CSelectionCursor& cursor, SelectionEntryList::iterator pos, int bit, const CSelectionFilterBase* filter);
};
