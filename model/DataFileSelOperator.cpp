#include "model/DataFileSelOperator.h"

#include "model/Selection.h"

CDataFileSelOperator::CDataFileSelOperator(CDataFileDoc* document) : m_document(document) {}

void CDataFileSelOperator::SetSelection(CSelection* selection)
{
    m_selection = selection;
    m_count = -1;
}

int32_t CDataFileSelOperator::GetCount()
{
    if (m_count < 0)
        m_count = m_selection != nullptr ? m_selection->GetCount() : 0;
    return m_count;
}

void CDataFileSelOperator::RemoveObject(CRecord* record)
{
    if (m_count > 0 && m_selection != nullptr && m_selection->IsSelected(record))
        --m_count;
}
