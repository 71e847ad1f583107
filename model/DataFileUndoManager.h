#pragma once

class CDataFileDoc;

// The undo history of one job. So far only what the job document base asks of it: to forget
// every step when the job closes.
class CDataFileUndoManager
{
public:
    explicit CDataFileUndoManager(CDataFileDoc* document) : m_document(document) {}
    virtual ~CDataFileUndoManager() = default;
    CDataFileUndoManager(const CDataFileUndoManager&) = delete;
    CDataFileUndoManager& operator=(const CDataFileUndoManager&) = delete;

    CDataFileDoc* GetDocument() const { return m_document; }
    virtual void RemoveAll() {}

private:
    CDataFileDoc* m_document;
};
