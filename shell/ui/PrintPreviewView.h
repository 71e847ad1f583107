#pragma once

#include "platform/View.h"

#include <wx/print.h>

#include <functional>

class CMainFrame;

// The print preview: an application-modal frame over the main window. While it is up the program
// reports it as the active view (kind 1), so the frame's bars follow their preview rules; the
// main window leaves full screen for it and returns afterwards. Its Print button closes it and
// prints from the job view.
class CPrintPreviewView : public wxPreviewFrame, public CView
{
public:
    CPrintPreviewView(wxPrintPreview* preview, CMainFrame* frame);
    ~CPrintPreviewView() override;

    // The preview that is up, null when none.
    static CPrintPreviewView* GetCurrent();

    // Shows it (application-modal) and tells the job (hint 16 with kind 0, the view it replaces).
    void Start();
    // The Print button (58116): close, then 57607 to the main window.
    void OnPreviewPrint();
    wxPrintPreviewBase* GetPreview() const { return m_printPreview; }
    // Runs first when the Print button is pressed (the job view keeps the page it previewed).
    void SetBeforePrint(std::function<void()> beforePrint) { m_beforePrint = std::move(beforePrint); }
    // Close (58112).
    void OnPreviewClose() { Close(true); }

    void OnUpdate(CView*, intptr_t, intptr_t) override {}

protected:
    void CreateControlBar() override;

private:
    void Finish();
    // Entering and leaving: full screen off and back.
    void OnSetPreviewMode(bool preview);

    CMainFrame* m_frame;
    bool m_wasFullScreen = false;
    std::function<void()> m_beforePrint;
};
