#include "model/DataFileDocObjectIterator.h"

#include "model/RecordOwner.h"

bool CDataFileDocObjectIterator::First()
{
    CRecordDatabase* store = m_document != nullptr ? m_document->GetRecordDatabase() : nullptr;
    m_cursor = store != nullptr ? store->GetFirstRecord(0) : CRecordCursor();
    return m_cursor.IsValid();
}

bool CDataFileDocObjectIterator::Next(CRecord*& out)
{
    CRecordDatabase* store = m_document != nullptr ? m_document->GetRecordDatabase() : nullptr;
    if (!m_cursor.IsValid() || store == nullptr) {
        out = nullptr;
        return false;
    }
    out = store->GetNextRecord(m_cursor);
    return out != nullptr;
}
