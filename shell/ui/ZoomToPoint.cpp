#include "shell/ui/ZoomToPoint.h"

#include "cogo/ui/CoordinateFields.h"

#include "core/DataExchange.h"
#include "core/TextFieldExchange.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/PointRecord.h"
#include "views/ui/DataFileView.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

namespace {
CZoomToPoint* s_instance = nullptr;
}

CZoomToPoint::CZoomToPoint() : CEasyDialog("Zoom to point")
{
    s_instance = this;
}

CZoomToPoint::~CZoomToPoint()
{
    if (s_instance == this)
        s_instance = nullptr;
}

CZoomToPoint* CZoomToPoint::GetInstance()
{
    return s_instance;
}

void CZoomToPoint::Toggle(wxWindow* parent)
{
    if (s_instance) {
        s_instance->OnCancel();
        return;
    }
    auto* frame = new wxDialog(parent, wxID_ANY, "Zoom to point", wxDefaultPosition, wxDefaultSize,
                               wxDEFAULT_DIALOG_STYLE);
    auto* dialog = new CZoomToPoint();
    dialog->m_frame = frame;
    dialog->Create(frame);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(dialog, 1, wxEXPAND);
    frame->SetSizerAndFit(sizer);
    // The close box closes as "Close" does.
    frame->Bind(wxEVT_CLOSE_WINDOW, [dialog](wxCloseEvent&) { dialog->OnCancel(); });
    dialog->PositionNear();
    frame->Show();
    dialog->m_point->SetFocus();
}

void CZoomToPoint::BuildControls()
{
    auto* grid = new wxFlexGridSizer(2, 6, 8);
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(this, wxID_ANY, "Point:"), 0, wxALIGN_CENTER_VERTICAL);
    m_point = new CExistingPointControl(this, PointFieldId);
    m_point->SetMinSize(wxSize(140, -1));
    m_point->SetMaxLength(16);
    grid->Add(m_point, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, "Description:"), 0, wxALIGN_CENTER_VERTICAL);
    m_description = new wxStaticText(this, DescriptionId, wxString(), wxDefaultPosition, wxSize(140, -1),
                                     wxST_NO_AUTORESIZE);
    grid->Add(m_description, 1, wxEXPAND);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* zoom = new wxButton(this, wxID_OK, "Zoom");
    auto* close = new wxButton(this, wxID_CANCEL, "Close");
    zoom->SetDefault();
    zoom->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    buttons->Add(zoom, 0, wxRIGHT, 8);
    buttons->Add(close, 0);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid, 0, wxEXPAND | wxALL, 10);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
}

void CZoomToPoint::DoDataExchange(CDataExchange& dx)
{
    DDX_ExistingPointName(&dx, PointFieldId, m_pointName);
}

void CZoomToPoint::OnOK()
{
    if (m_checking)
        return;
    // A refused name shows the balloon; the window's Close, Escape and close box still close it.
    m_checking = true;
    bool checked = false;
    {
        CDdxErrorDlg::LiveOwner live(m_frame);
        checked = UpdateDataEx(true);
    }
    m_checking = false;
    if (m_closeRequested) {
        OnCancel();
        return;
    }
    // A refused name has the keyboard already, since its balloon went: what was typed since stays.
    if (!checked)
        return;
    // The first view of the active job zooms its map (only to a point with coordinates).
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    auto* view = doc ? dynamic_cast<CDataFileView*>(doc->GetFirstView()) : nullptr;
    if (CPointRecord* point = view ? view->ZoomToPoint(m_pointName) : nullptr) {
        m_descriptionText = point->GetDescription();
        m_description->SetLabel(ToWx(m_descriptionText));
    } else {
        wxBell();
    }
    // The dialog stays for the next point.
    m_point->SetFocus();
    m_point->SelectAll();
}

void CZoomToPoint::OnCancel()
{
    if (m_checking) {
        // The field check is still on the stack: close once it has returned.
        m_closeRequested = true;
        if (CDdxErrorDlg* balloon = CDdxErrorDlg::GetShown())
            balloon->Close(wxID_CANCEL);
        return;
    }
    if (s_instance == this)
        s_instance = nullptr;
    if (m_frame && !m_frame->IsBeingDeleted()) {
        m_frame->Hide();
        // The frame takes this panel with it once the event that closed it is over.
        m_frame->Destroy();
    }
}
