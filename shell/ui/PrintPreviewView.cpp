#include "shell/ui/PrintPreviewView.h"

#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"

#include <wx/app.h>

namespace {
CPrintPreviewView* s_current = nullptr;
} // namespace

CPrintPreviewView* CPrintPreviewView::GetCurrent() { return s_current; }

CPrintPreviewView::CPrintPreviewView(wxPrintPreview* preview, CMainFrame* frame)
    : wxPreviewFrame(preview, frame, "Print Preview", wxDefaultPosition, frame ? frame->GetSize() : wxSize(800, 600)),
      m_frame(frame)
{
    // The main window is back as soon as the preview closes, not when it is deleted at idle.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
        Finish();
        e.Skip();
    });
}

CPrintPreviewView::~CPrintPreviewView() { Finish(); }

void CPrintPreviewView::Finish()
{
    if (s_current != this)
        return;
    s_current = nullptr;
    OnSetPreviewMode(false);
    if (CDataFileDoc* job = CDataFileDoc::GetActiveDoc())
        job->SendHint(nullptr, HintViewActivated, 1);
}

void CPrintPreviewView::Start()
{
    s_current = this;
    OnSetPreviewMode(true);
    if (CDataFileDoc* job = CDataFileDoc::GetActiveDoc())
        job->SendHint(nullptr, HintViewKindChanged, 0);
    InitializeWithModality(wxPreviewFrame_AppModal);
    Show(true);
    // The page takes the keyboard, in front, so PageDown and Escape work without a click on it
    // first; the bar's first button would print on Enter.
    ShowInFrontWithKeyboard(*this, m_printPreview ? m_printPreview->GetCanvas() : nullptr);
}

void CPrintPreviewView::OnSetPreviewMode(bool preview)
{
    if (!m_frame)
        return;
    if (preview) {
        m_wasFullScreen = m_frame->IsFullScreen();
        m_frame->SetFullScreen(false);
    } else {
        m_frame->SetFullScreen(m_wasFullScreen);
    }
    // The bars follow the kind of the active view: the preview's rules while it is up.
    m_frame->ApplyViewBars();
}

void CPrintPreviewView::CreateControlBar()
{
    wxPreviewFrame::CreateControlBar();
    // Printing starts from the job view, with its own print dialog, once the preview is gone.
    if (m_controlBar)
        m_controlBar->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnPreviewPrint(); }, wxID_PREVIEW_PRINT);
}

void CPrintPreviewView::OnPreviewPrint()
{
    wxWindow* frame = m_frame;
    if (m_beforePrint)
        m_beforePrint();
    OnPreviewClose();
    if (frame)
        frame->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, IdFilePrint));
}
