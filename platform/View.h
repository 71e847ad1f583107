#pragma once

#include <cstdint>

class CDocument;

// What the headless job code needs of a window that shows a document. The window layer derives
// its views from this; tests use recording fakes.
class CView {
public:
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }

    // A change hint from the document: sender is the view that caused it (may be null), hint is the
    // hint code, hintObject the hint's parameter.
    virtual void OnUpdate(CView* sender, intptr_t hint, intptr_t hintObject) = 0;

    // True for the job view; only that view is told about hint batches.
    virtual bool IsDataFileView() const { return false; }

    // Private message 0x80A6: a batch of hints starts, collect redraw work instead of drawing.
    virtual void OnBeginHintBatch() {}
    // Private message 0x80A7: the batch is over, refresh once.
    virtual void OnEndHintBatch() {}

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};
