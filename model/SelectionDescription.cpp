#include "model/SelectionDescription.h"

#include "model/DataFileSelOperator.h"

uint32_t CSelectionDescription::GetPossibleKinds() const
{
    CSelectionFilterPtr filter(CreateFilter());
    return filter.IsNull() ? 0 : filter->GetPossibleKinds();
}

CSelectionFilterBase* CSelectionDescription::CreateFilter() const
{
    CDataFileSelOperator* op = GetActiveSelectionOperator();
    return op != nullptr ? op->CreateKindFilter(m_kinds) : nullptr;
}

int32_t CSelectionDescription::GetCount() const
{
    CDataFileSelOperator* op = GetActiveSelectionOperator();
    if (op == nullptr)
        return 0;
    return op->CountSelected(CSelectionFilterPtr(CreateFilter()), CSelectionOperator::CurrentBit);
}

bool CSelectionDescription::HasAny() const
{
    CSelectionCursor cursor;
    GetFirst(cursor);
    return cursor.IsValid();
}

void CSelectionDescription::GetFirst(CSelectionCursor& cursor) const
{
    cursor = CSelectionCursor();
    if (CDataFileSelOperator* op = GetActiveSelectionOperator())
        op->GetFirstOfKind(cursor, CSelectionOperator::CurrentBit, m_kinds);
}

CRecord* CSelectionDescription::GetNext(CSelectionCursor& cursor) const
{
    CDataFileSelOperator* op = GetActiveSelectionOperator();
    return op != nullptr ? op->GetNextOfKind(cursor, CSelectionOperator::CurrentBit, m_kinds) : nullptr;
}

RecordRef& CSelectionDescription::GetSelectionObject()
{
    if (m_object.record != nullptr) {
        CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
        if (doc == nullptr || !doc->ContainsRecord(m_object.record, 0))
            InitRecordRef(m_object);
    }
    return m_object;
}

void CSelectionDescription::GetName(std::string& text, int kindBit) const
{
    const uint32_t mask = kindBit == -1 ? m_kinds : (kindBit >= 0 && kindBit < 32 ? 1u << kindBit : 0);
    if (mask == SelectionKindPoint)
        text = IsSingle() ? "Point" : "Points";
    else
        text = IsSingle() ? "Any one object" : "Any object";
}
