#pragma once

#include <cstdint>
#include <memory>

class CDataFileDoc;
class CRecord;
class CSelection;

// The job's selection operator: holds the current selection and keeps its cached count in step
// with records leaving the job. The selection commands of the views build on it. It makes its own
// current selection on the job's store, which is built before it, so the current selection takes
// the store's first selection bit.
class CDataFileSelOperator
{
public:
    explicit CDataFileSelOperator(CDataFileDoc* document);
    virtual ~CDataFileSelOperator();
    CDataFileSelOperator(const CDataFileSelOperator&) = delete;
    CDataFileSelOperator& operator=(const CDataFileSelOperator&) = delete;

    CDataFileDoc* GetDocument() const { return m_document; }
    // The current selection; null when there is none.
    CSelection* GetSelection() const { return m_selection; }
    // Makes another selection current (not owned); null goes back to the operator's own.
    void SetSelection(CSelection* selection);

    // Number of selected records; counted once, then kept up to date.
    int32_t GetCount();
    // The record is about to leave the job: it must still be alive when this is called.
    virtual void RemoveObject(CRecord* record);

    // Called before the job's records are reloaded in bulk: whatever was cached about them is
    // stale afterwards.
    void InvalidateCount() { m_count = -1; }

private:
    CDataFileDoc* m_document;
    std::unique_ptr<CSelection> m_own;
    CSelection* m_selection = nullptr;
    int32_t m_count = -1; // -1 until counted
};

// The selection operator of the active job; null when no job is open.
CDataFileSelOperator* GetActiveSelectionOperator();
