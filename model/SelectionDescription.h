#pragma once

#include "model/DataFileDoc.h"
#include "model/SelectionOperator.h"

#include <cstdint>
#include <string>

class CRecord;
class CSelectionFilterBase;

// What a command works on: the objects of some kinds in the active job's current selection, or
// (single) one object. Commands walk it with GetFirst and then GetNext while the cursor is valid;
// the order is that in which the objects were first selected.
class CSelectionDescription
{
public:
    CSelectionDescription() = default;
    explicit CSelectionDescription(uint32_t kinds) : m_kinds(kinds) {}
    virtual ~CSelectionDescription() = default;

    // Kinds the description's filter may accept.
    virtual uint32_t GetPossibleKinds() const;
    // The active job's filter for the kinds; null when no job is open.
    virtual CSelectionFilterBase* CreateFilter() const;
    virtual void DescribeObject(std::string& text, CRecord* object) const { text.clear(); }

    // Selected objects of the kinds in the active job; 0 when no job is open.
    int32_t GetCount() const;
    // Whether GetCount would be above 0; stops at the first object.
    bool HasAny() const;
    void GetFirst(CSelectionCursor& cursor) const;
    CRecord* GetNext(CSelectionCursor& cursor) const;
    // The one object; emptied first when the active job no longer holds it.
    RecordRef& GetSelectionObject();
    // "Point"/"Points" for points, "Any one object"/"Any object" otherwise. kindBit -1 takes the
    // description's kinds.
    void GetName(std::string& text, int kindBit = -1) const;

    uint32_t GetKinds() const { return m_kinds; }
    void SetKinds(uint32_t kinds) { m_kinds = kinds; }
    bool IsSingle() const { return m_single != 0; }
    void SetSingle(bool single) { m_single = single ? 1 : 0; }
    bool IsLinked() const { return m_linked != 0; }
    void SetLinked(bool linked) { m_linked = linked ? 1 : 0; }
    void SetSelectionObject(CRecord* record, int32_t index)
    {
        m_object.record = record;
        m_object.index = index;
    }

private:
    uint8_t m_single = 0;
    uint8_t m_linked = 1;
    RecordRef m_object;
    uint32_t m_kinds = SelectionKindPoint;
};
