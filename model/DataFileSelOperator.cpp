#include "model/DataFileSelOperator.h"

#include "model/DataFileDoc.h"
#include "model/Selection.h"

CDataFileSelOperator::CDataFileSelOperator(CDataFileDoc* document) : m_document(document)
{
    if (document != nullptr && document->GetRecordDatabase() != nullptr) {
        m_own = std::make_unique<CSelection>(document->GetRecordDatabase());
        m_selection = m_own.get();
    }
}

CDataFileSelOperator::~CDataFileSelOperator() = default;

void CDataFileSelOperator::SetSelection(CSelection* selection)
{
    m_selection = selection != nullptr ? selection : m_own.get();
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

CDataFileSelOperator* GetActiveSelectionOperator()
{
    CDataFileDoc* document = CDataFileDoc::GetActiveDoc();
    return document != nullptr ? document->GetSelOperator() : nullptr;
}
