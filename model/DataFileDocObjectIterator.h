#pragma once

#include "model/ObjectIterator.h"
#include "model/RecordDatabase.h"

class CRecordOwner;

// Walks every record of a job's record store.
class CDataFileDocObjectIterator : public CObjectIterator
{
public:
    explicit CDataFileDocObjectIterator(CRecordOwner* document) : m_document(document) {}

    bool First() override;
    bool Next(CRecord*& out) override;

private:
    CRecordOwner* m_document;
    CRecordCursor m_cursor;
};
