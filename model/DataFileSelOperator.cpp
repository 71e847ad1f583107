#include "model/DataFileSelOperator.h"

#include "model/DataFileDoc.h"
#include "model/DataFileDocObjectIterator.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/Selection.h"

#include <cstdio>

// The record-flag mirror, which also passes on the store's notices of leaving records: entries
// are keyed by address, and a new record at a freed one must not inherit its selection.
class CDataFileSelOperator::COperatorSelection : public CSelection
{
public:
    COperatorSelection(CDataFileSelOperator* op, CRecordDatabase* store) : CSelection(store), m_operator(op) {}

    void OnRecordRemoved(const CRecord* record) override
    {
        m_operator->RemoveObject(const_cast<CRecord*>(record));
    }
    void OnAllRecordsRemoved() override { m_operator->RemoveAllEntries(); }

private:
    CDataFileSelOperator* m_operator;
};

CDataFileSelOperator::CDataFileSelOperator(CDataFileDoc* document) : m_document(document)
{
    if (document != nullptr && document->GetRecordDatabase() != nullptr)
        m_selection = std::make_unique<COperatorSelection>(this, document->GetRecordDatabase());
}

CDataFileSelOperator::~CDataFileSelOperator()
{
    if (m_selection != nullptr)
        m_selection->ClearAll();
    m_selection.reset();
}

CSelection* CDataFileSelOperator::GetSelection() const { return m_selection.get(); }

void CDataFileSelOperator::Synchronize(bool fromObjects, CRecord* key)
{
    CSelection* flags = m_selection.get();
    if (flags == nullptr || !flags->IsBound())
        return;
    if (key != nullptr) {
        if (!IsObjectValid(key)) {
            RemoveObject(key);
            return;
        }
        if (!fromObjects)
            flags->SetSelected(key, IsSelected(key));
        else if (flags->IsSelected(key))
            Select(key);
        else
            Deselect(key);
        return;
    }
    CRecordDatabase* store = flags->GetStore();
    if (fromObjects) {
        CRecordCursor cursor = store->GetFirstRecord(0);
        while (CRecord* record = store->GetNextRecord(cursor)) {
            if (flags->IsSelected(record))
                Select(record);
            else
                Deselect(record);
        }
        return;
    }
    // Every record's flag takes its entry's bit. Clearing them all and then setting those of the
    // selected entries gives the same flags as a lookup per record, in two linear walks.
    flags->ClearAll();
    for (CSelectionObjectBase* entry : GetEntries())
        if (entry->TestBit(CurrentBit) && store->FindRecord(entry->GetKey()).IsValid())
            flags->SetSelected(entry->GetKey(), true);
}

std::unique_ptr<CObjectIterator> CDataFileSelOperator::CreateObjectIterator()
{
    return std::make_unique<CDataFileDocObjectIterator>(m_document);
}

bool CDataFileSelOperator::IsObjectValid(CRecord* key)
{
    return m_document != nullptr && m_document->ContainsRecord(key, 0);
}

CSelectionObjectBase* CDataFileSelOperator::CreateSelectionObject(CRecord* key)
{
    return new CMaskBitsSelectionObject(key);
}

bool CDataFileSelOperator::SelectInRectangle(double left, double top, double right, double bottom,
                                             const CSelectionFilterPtr& filter, bool flag, bool excludeTemporary)
{
    CSelectionFilterPtr visible(CreateVisibleFilter());
    if (excludeTemporary) {
        CSelectionFilterPtr temporary(CreateTemporaryFilter());
        temporary->Invert();
        visible->And(temporary.Get());
    }
    visible->And(filter.Get());
    CRecordDatabase* store = m_document != nullptr ? m_document->GetRecordDatabase() : nullptr;
    if (store == nullptr)
        return true;
    CRecordCursor cursor = store->GetFirstRecord(0);
    while (CRecord* record = store->GetNextRecord(cursor))
        if (visible->Accept(record) && record->IsInside(left, top, right, bottom, !flag))
            Select(record);
    return true;
}

bool CDataFileSelOperator::BuildSelectionText(int bit, std::string& text)
{
    constexpr size_t kLineWidth = 30;
    constexpr int kMaxLines = 3;
    int32_t points = 0;
    int32_t others = 0;
    std::string names;
    std::string line;
    int lines = 0;
    bool truncated = false;

    CSelectionFilterPtr kind(CreateKindFilter(SelectionKindPoint));
    CSelectionCursor cursor;
    GetFirst(cursor, bit, kind);
    while (cursor.IsValid()) {
        CRecord* object = GetNext(cursor, bit, kind);
        if (object == nullptr || object->GetType() != kRecordTypePoint) {
            ++others;
            continue;
        }
        if (!truncated) {
            if (line.size() >= kLineWidth) {
                names += line + ",\n";
                line.clear();
                ++lines;
            }
            if (lines < kMaxLines) {
                const char* name = static_cast<CPointRecord*>(object)->GetName();
                if (!line.empty())
                    line += ", " + std::string(name);
                else
                    line = " " + std::string(name);
            } else {
                truncated = true;
            }
        }
        ++points;
    }
    if (!truncated) {
        names += line;
    } else {
        if (line.empty())
            line = " ";
        names += line.size() <= 26 ? line + "..." : line + "\n ...";
    }
    if (points + others == 0)
        return true;
    if (points > 0)
        text += std::to_string(points) + " point(s):\n" + names + "\n";
    if (others > 0)
        text += std::to_string(others) + " other object(s)\n";
    return true;
}

CSelectionFilterBase* CDataFileSelOperator::CreateKindFilter(uint32_t kinds)
{
    return new CSelectionMaskBitsFilterForDataFile(m_document, kinds);
}

CSelectionFilterBase* CDataFileSelOperator::CreateTemporaryFilter()
{
    return new CSelectionTemporaryRecordFilterForDataFile(m_document);
}

CSelectionFilterBase* CDataFileSelOperator::CreateVisibleFilter()
{
    return new CSelectionVisibleRecordFilterForDataFile(m_document);
}

CDataFileSelOperator* GetActiveSelectionOperator()
{
    CDataFileDoc* document = CDataFileDoc::GetActiveDoc();
    return document != nullptr ? document->GetSelOperator() : nullptr;
}
