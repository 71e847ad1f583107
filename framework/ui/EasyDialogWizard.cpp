#include "framework/ui/EasyDialogWizard.h"

#include "model/HintCodes.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/simplebook.h>
#include <wx/stattext.h>

CEasyDialogWizardPage::CEasyDialogWizardPage(uint32_t templateId, const wxString& title)
    : CEasyDialog(title), m_templateId(templateId)
{
}

CEasyDialog* CEasyDialogWizardPage::ParentDialog() const
{
    for (wxWindow* w = GetParent(); w; w = w->GetParent())
        if (auto* dialog = dynamic_cast<CEasyDialog*>(w))
            return dialog;
    return nullptr;
}

void CEasyDialogWizardPage::OnOK()
{
    if (CEasyDialog* dialog = ParentDialog())
        dialog->WizardNext();
}

bool CEasyDialogWizardPage::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    // Escape belongs to the dialog that holds the page, not to the page.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        CEasyDialog* dialog = event.GetKeyCode() == WXK_ESCAPE ? ParentDialog() : nullptr;
        if (dialog == nullptr || !dialog->HandleKey(WXK_ESCAPE))
            event.Skip();
    });
    return true;
}

void CEasyDialogWizard::AddPage(CEasyDialogWizardPage* page)
{
    if (page == nullptr)
        return;
    m_pages.push_back(page);
    m_model.AddPage(true);
}

wxSizer* CEasyDialogWizard::CreateFrame()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_book = new wxSimplebook(&m_dialog, WizardFrameId);
    sizer->Add(m_book, 1, wxEXPAND | wxALL, 4);
    m_hint = new wxStaticText(&m_dialog, WizardHintId, CWizardModel::NextHint);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_back = new wxButton(&m_dialog, WizardBackId, "< &Back");
    m_next = new wxButton(&m_dialog, WizardNextId, CWizardModel::DefaultNextText);
    buttons->Add(m_hint, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    buttons->Add(m_back, 0, wxRIGHT, 4);
    buttons->Add(m_next, 0);
    sizer->Add(buttons, 0, wxEXPAND | wxALL, 4);
    m_back->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_model.Back(); });
    m_next->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_model.Next(); });
    return sizer;
}

void CEasyDialogWizard::Start()
{
    if (m_book == nullptr)
        return;
    for (size_t i = 0; i < m_pages.size(); ++i) {
        CEasyDialogWizardPage* page = m_pages[i];
        if (!page->GetHandle())
            page->Create(m_book);
        m_book->AddPage(page, wxString(), false);
        m_model.SetPageTexts(int32_t(i), page->GetNextText(), page->GetFinishText());
    }
    m_model.Start();
}

int32_t CEasyDialogWizard::FindPage(const CEasyDialogWizardPage* page) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == page)
            return int32_t(i);
    return -1;
}

CEasyDialogWizardPage* CEasyDialogWizard::GetPage(int32_t index) const
{
    return index >= 0 && size_t(index) < m_pages.size() ? m_pages[size_t(index)] : nullptr;
}

bool CEasyDialogWizard::ExchangeWizardPage(int32_t index, bool save)
{
    CEasyDialogWizardPage* page = GetPage(index);
    return page != nullptr && page->UpdateDataEx(save, 0);
}

void CEasyDialogWizard::ShowWizardPage(int32_t index, bool show)
{
    if (m_book == nullptr || !show || index < 0 || size_t(index) >= m_book->GetPageCount())
        return;
    m_book->ChangeSelection(size_t(index));
    // Every control of the new page repaints and counts as shown again.
    m_book->GetPage(size_t(index))->Layout();
    m_book->GetPage(size_t(index))->Refresh();
}

void CEasyDialogWizard::SetBackEnabled(bool enabled)
{
    if (m_back)
        m_back->Enable(enabled);
}

void CEasyDialogWizard::SetNextText(const std::string& text)
{
    if (m_next)
        m_next->SetLabel(wxString::FromUTF8(text));
}

void CEasyDialogWizard::SetHintText(const std::string& text)
{
    if (m_hint)
        m_hint->SetLabel(wxString::FromUTF8(text));
}

void CEasyDialogWizard::OnLeavingWizardPage(int32_t index)
{
    // The selection held under the page's filter goes with it, in the side bar only.
    if (CEasyDialogWizardPage* page = GetPage(index); page && m_dialog.GetModalHost() == nullptr) {
        page->OnDeactivateInBar();
        page->ApplyChipSelection(false);
    }
}

void CEasyDialogWizard::OnWizardPageActivated(int32_t)
{
    if (m_dialog.GetModalHost() == nullptr)
        m_dialog.NotifyActiveDocument(HintPanelShown, 0);
}

// --- The wizard half of CEasyDialog.

CEasyDialogWizard& CEasyDialog::Wizard()
{
    if (!m_wizard)
        m_wizard = std::make_unique<CEasyDialogWizard>(*this);
    return *m_wizard;
}

void CEasyDialog::AddPage(CEasyDialogWizardPage* page) { Wizard().AddPage(page); }

wxSizer* CEasyDialog::CreateWizardFrame() { return Wizard().CreateFrame(); }

bool CEasyDialog::IsPageEnabled(int32_t index) const { return m_wizard && m_wizard->Model().IsPageEnabled(index); }

void CEasyDialog::SetPageEnabled(CEasyDialogWizardPage* page, bool enabled)
{
    if (m_wizard)
        m_wizard->Model().SetPageEnabled(m_wizard->FindPage(page), enabled);
}

CEasyDialogWizardPage* CEasyDialog::GetActivePage() const
{
    return m_wizard ? m_wizard->GetPage(m_wizard->Model().GetActivePage()) : nullptr;
}

bool CEasyDialog::SetActivePage(int32_t index) { return m_wizard && m_wizard->Model().SetActivePage(index); }

bool CEasyDialog::ValidateAllPages() { return !m_wizard || m_wizard->Model().ValidateAllPages(); }

void CEasyDialog::UpdateWizardButtons()
{
    if (m_wizard)
        m_wizard->Model().UpdateWizardButtons();
}

void CEasyDialog::WizardBack()
{
    if (m_wizard)
        m_wizard->Model().Back();
}

void CEasyDialog::WizardNext()
{
    if (m_wizard)
        m_wizard->Model().Next();
}

void CEasyDialog::StartWizard()
{
    if (m_wizard && m_wizard->HasFrame())
        m_wizard->Start();
}

// While a wizard page is current its chips are the dialog's.
CSelectionFilterPtr CEasyDialog::GetSelectionFilter()
{
    if (CEasyDialogWizardPage* page = GetActivePage())
        return page->GetSelectionFilter();
    return CDialogNotifyTarget::GetSelectionFilter();
}

bool CEasyDialog::HasActiveFilter() const
{
    if (CEasyDialogWizardPage* page = GetActivePage())
        return page->HasActiveFilter();
    return CDialogNotifyTarget::HasActiveFilter();
}

void CEasyDialog::OnDeactivateInBar()
{
    if (CEasyDialogWizardPage* page = GetActivePage())
        page->OnDeactivateInBar();
    else
        CDialogNotifyTarget::OnDeactivateInBar();
}

void CEasyDialog::ApplyChipSelection(bool sendHint)
{
    if (CEasyDialogWizardPage* page = GetActivePage())
        page->ApplyChipSelection(sendHint);
    else
        CDialogNotifyTarget::ApplyChipSelection(sendHint);
}

bool CEasyDialog::SelectFiltered()
{
    if (CEasyDialogWizardPage* page = GetActivePage())
        return page->SelectFiltered();
    return CDialogNotifyTarget::SelectFiltered();
}

bool CEasyDialog::DeselectFiltered()
{
    if (CEasyDialogWizardPage* page = GetActivePage())
        return page->DeselectFiltered();
    return CDialogNotifyTarget::DeselectFiltered();
}

bool CEasyDialog::ToggleFiltered()
{
    if (CEasyDialogWizardPage* page = GetActivePage())
        return page->ToggleFiltered();
    return CDialogNotifyTarget::ToggleFiltered();
}
