#pragma once

#include "model/SelectionOperator.h"

#include <cstdint>
#include <memory>
#include <string>

class CDataFileDoc;
class CRecord;
class CSelection;

// The job's selection operator. Its entries hold the current selection (bit 0) and scratch
// selections; the current one is mirrored into a record flag bit so that records and views can
// test it without a lookup. The job's store is built before it, so that bit is bit 0. Records
// leaving the store lose their entries on the way out.
class CDataFileSelOperator : public CSelectionOperator
{
public:
    explicit CDataFileSelOperator(CDataFileDoc* document);
    ~CDataFileSelOperator() override;

    CDataFileDoc* GetDocument() const { return m_document; }
    // The record-flag mirror of the current selection; null when the job has no store.
    CSelection* GetSelection() const;

    void Synchronize(bool fromObjects, CRecord* key) override;
    std::unique_ptr<CObjectIterator> CreateObjectIterator() override;
    bool IsObjectValid(CRecord* key) override;
    CSelectionObjectBase* CreateSelectionObject(CRecord* key) override;
    // A record is hit as CRecord::IsInside tells, with the bounds included.
    bool SelectInRectangle(double left, double top, double right, double bottom, const CSelectionFilterPtr& filter,
                           bool flag, bool excludeTemporary) override;
    // "%d point(s):\n" and the names, at most three wrapped lines and then "...".
    bool BuildSelectionText(int bit, std::string& text) override;
    CSelectionFilterBase* CreateKindFilter(uint32_t kinds) override;
    CSelectionFilterBase* CreateTemporaryFilter() override;
    CSelectionFilterBase* CreateVisibleFilter() override;

private:
    class COperatorSelection;

    CDataFileDoc* m_document;
    std::unique_ptr<COperatorSelection> m_selection;
};

// The selection operator of the active job; null when no job is open.
CDataFileSelOperator* GetActiveSelectionOperator();
