#include "framework/ui/EasyPropertyPage.h"

#include "framework/ui/ModalDialog.h"
#include "framework/ui/WindowHelpers.h"

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/sizer.h>

bool CEasyPropertyPage::OnSetActive()
{
    SetModified(true);
    return true;
}

bool CEasyPropertyPage::OnKillActive()
{
    if (IsWizard())
        return true;
    return UpdateDataEx(true);
}

int CEasyPropertyPage::OnWizardNext() { return UpdateDataEx(true) ? 0 : -1; }

bool CEasyPropertyPage::OnWizardFinish() { return UpdateDataEx(true); }

void CEasyPropertyPage::OnOK()
{
    if (CEasyPropertySheet* sheet = GetSheet())
        sheet->PressOK();
}

void CEasyPropertyPage::OnCancel()
{
    if (CEasyPropertySheet* sheet = GetSheet())
        sheet->PressCancel();
}

int CEasyPropertyPage::OnEnterRelay()
{
    if (GetSheet() && !IsWizard())
        return 1;
    return CEasyDialog::OnEnterRelay();
}

CEasyPropertySheet* CEasyPropertyPage::GetSheet() const
{
    for (wxWindow* w = GetParent(); w; w = w->GetParent())
        if (auto* sheet = dynamic_cast<CEasyPropertySheet*>(w))
            return sheet;
    return nullptr;
}

bool CEasyPropertyPage::IsWizard() const
{
    const CEasyPropertySheet* sheet = GetSheet();
    return sheet && sheet->IsWizardSheet();
}

void CEasyPropertyPage::SetWizardButtons(int flags)
{
    if (CEasyPropertySheet* sheet = GetSheet())
        sheet->CallAfter([sheet, flags] { sheet->SetWizardButtonFlags(flags); });
}

CEasyPropertySheet::CEasyPropertySheet(const wxString& caption, wxWindow* parent, int startPage)
    : m_caption(caption), m_parent(parent), m_startPage(startPage)
{
}

CEasyPropertySheet::~CEasyPropertySheet()
{
    // Pages whose windows were never made belong to no notebook yet.
    if (!m_created)
        for (CEasyPropertyPage* page : m_pages)
            delete page;
}

void CEasyPropertySheet::CreateSheet()
{
    if (m_created)
        return;
    m_created = true;
    wxWindow* parent = m_parent ? m_parent : (wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
    Create(parent, wxID_ANY, m_caption, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE);
    // The pages' working copies are filled before any page builds its controls.
    OnInitDialog();
    wxBookCtrlBase* book = GetBookCtrl();
    for (CEasyPropertyPage* page : m_pages) {
        page->Create(book);
        book->AddPage(page, page->GetTitle());
    }
    // No Apply and no Help: OK and Cancel only.
    CreateButtons(wxOK | wxCANCEL);
    FindWindow(wxID_OK)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressOK(); });
    FindWindow(wxID_CANCEL)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressCancel(); });
    LayoutDialog();
    book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, &CEasyPropertySheet::OnPageChanging, this);
    book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGED, &CEasyPropertySheet::OnPageChanged, this);
    const int start = m_startPage >= 0 && m_startPage < GetPageCount() ? m_startPage : 0;
    if (!m_pages.empty()) {
        book->ChangeSelection(static_cast<size_t>(start));
        m_pages[static_cast<size_t>(start)]->OnSetActive();
    }
}

int CEasyPropertySheet::DoModal()
{
    CreateSheet();
    m_ended = false;
    m_result = wxID_CANCEL;
    // The keyboard starts in the page, on its chosen radio button where it starts with a group:
    // on an unchecked one, a Space would change the choice.
    if (CEasyPropertyPage* page = GetActivePage())
        if (wxWindow* first = NextTabStop(*page, nullptr))
            first->SetFocus();
    const int answer = RunModal(*this);
    return m_ended ? m_result : answer;
}

void CEasyPropertySheet::AddPage(CEasyPropertyPage* page) { m_pages.push_back(page); }

CEasyPropertyPage* CEasyPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

bool CEasyPropertySheet::SetActivePage(int index)
{
    if (!m_created) {
        m_startPage = index;
        return true;
    }
    if (index < 0 || index >= GetPageCount() || index == GetActiveIndex())
        return index == GetActiveIndex();
    CEasyPropertyPage* current = GetActivePage();
    if (current && !current->OnKillActive())
        return false;
    GetBookCtrl()->ChangeSelection(static_cast<size_t>(index));
    m_pages[static_cast<size_t>(index)]->OnSetActive();
    return true;
}

int CEasyPropertySheet::GetActiveIndex() const { return m_created ? GetBookCtrl()->GetSelection() : m_startPage; }

CEasyPropertyPage* CEasyPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

void CEasyPropertySheet::PressOK()
{
    CEasyPropertyPage* page = GetActivePage();
    if (page && !page->OnKillActive())
        return;
    EndSheet(wxID_OK);
}

void CEasyPropertySheet::PressCancel() { EndSheet(wxID_CANCEL); }

void CEasyPropertySheet::EndSheet(int result)
{
    m_result = result;
    m_ended = true;
    if (IsModal())
        EndModal(result);
    else
        SetReturnCode(result);
}

void CEasyPropertySheet::OnPageChanging(wxBookCtrlEvent& event)
{
    if (event.GetEventObject() != GetBookCtrl()) {
        event.Skip();
        return;
    }
    CEasyPropertyPage* page = GetPage(event.GetOldSelection());
    if (page && !page->OnKillActive()) {
        event.Veto();
        KeepFocusAfterRefusedPageChange(*GetBookCtrl());
    }
}

void CEasyPropertySheet::OnPageChanged(wxBookCtrlEvent& event)
{
    if (event.GetEventObject() != GetBookCtrl()) {
        event.Skip();
        return;
    }
    if (CEasyPropertyPage* page = GetPage(event.GetSelection()))
        page->OnSetActive();
}
