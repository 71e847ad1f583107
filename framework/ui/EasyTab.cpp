#include "framework/ui/EasyTab.h"

#include "framework/ui/StackableDialog.h"
#include "framework/ui/WindowHelpers.h"

CEasyTabPage::CEasyTabPage(uint32_t templateId, const wxString& title) : CEasyDialog(title), m_templateId(templateId)
{
}

wxWindow* CEasyTabPage::GetSavedFocus() const
{
    if (m_hSavedFocus == nullptr || !GetHandle())
        return nullptr;
    // The saved control must still be one of ours.
    for (wxWindow* w = m_hSavedFocus; w; w = w->GetParent())
        if (w == this)
            return m_hSavedFocus->IsShownOnScreen() && m_hSavedFocus->IsEnabled() ? m_hSavedFocus : nullptr;
    return nullptr;
}

void CEasyTabPage::ShowDdxPage()
{
    if (m_pTab != nullptr) {
        const int32_t index = m_pTab->FindTabPage(this);
        if (index < 0)
            return;
        if (index != m_pTab->GetTabSelection())
            m_pTab->SelectPage(index);
    }
    // The dialogs that hold the tab come forward too, so pages in pages all show.
    for (wxWindow* w = GetParent(); w; w = w->GetParent())
        if (auto* dialog = dynamic_cast<CEasyDialog*>(w)) {
            dialog->ShowDdxPage();
            break;
        }
}

// The rules' hooks land on the notebook.
class CEasyTab::Model : public CTabPagesModel
{
public:
    explicit Model(CEasyTab& tab) : m_tab(tab) {}

protected:
    void OnSelectionChanged(int32_t index) override
    {
        if (index < 0 || size_t(index) >= m_tab.GetPageCount())
            return;
        m_tab.m_syncing = true;
        m_tab.ChangeSelection(size_t(index));
        m_tab.m_syncing = false;
        if (auto* page = m_tab.GetActiveTabPage())
            page->OnActivateInBar();
    }
    void OnPageAdded(int32_t index, const std::string& title) override
    {
        auto* page = dynamic_cast<CEasyTabPage*>(GetPage(index));
        if (page == nullptr)
            return;
        m_tab.m_syncing = true;
        m_tab.wxNotebook::InsertPage(size_t(index), page, wxString::FromUTF8(title), false);
        m_tab.m_syncing = false;
    }
    void OnPageRemoved(int32_t index) override
    {
        m_tab.m_syncing = true;
        m_tab.wxNotebook::RemovePage(size_t(index));
        m_tab.m_syncing = false;
    }

private:
    CEasyTab& m_tab;
};

CEasyTab::CEasyTab(wxWindow* parent, wxWindowID id) : wxNotebook(parent, id), m_model(std::make_unique<Model>(*this))
{
    Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, &CEasyTab::OnPageChanging, this);
    Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CEasyTab::OnPageChanged, this);
}

CEasyTab::~CEasyTab() = default;

void CEasyTab::SetValidationMode(int32_t mode) { m_model->SetValidationMode(mode); }
int32_t CEasyTab::GetValidationMode() const { return m_model->GetValidationMode(); }
int32_t CEasyTab::GetTabCount() const { return m_model->GetCount(); }
int32_t CEasyTab::GetTabSelection() const { return m_model->GetSelection(); }
int32_t CEasyTab::FindTabPage(const CEasyTabPage* page) const { return m_model->FindPage(page); }
bool CEasyTab::SelectPage(int32_t index) { return m_model->SelectPage(index, ParentExchangeFlag()); }
int CEasyTab::SetSelection(size_t page)
{
    const int previous = GetSelection();
    SelectPage(int32_t(page));
    return previous;
}

bool CEasyTab::Exchange(bool save, uint8_t flag) { return m_model->Exchange(save, flag); }

uint8_t CEasyTab::ParentExchangeFlag() const
{
    for (wxWindow* w = GetParent(); w; w = w->GetParent())
        if (auto* dialog = dynamic_cast<CEasyDialog*>(w))
            return dialog->GetExchangeFlag();
    return 0;
}

int32_t CEasyTab::AddPage(const wxString& title, CEasyTabPage* page, uint32_t)
{
    if (page == nullptr || !page->Create(this))
        return -1;
    page->SetTab(this);
    return m_model->AddPage(title.utf8_string(), page);
}

int32_t CEasyTab::InsertPage(const wxString& title, CEasyTabPage* page, int32_t index)
{
    if (page == nullptr || !page->GetHandle())
        return -1;
    const int32_t at = m_model->InsertPage(title.utf8_string(), page, index);
    if (at >= 0)
        page->SetTab(this);
    return at;
}

CEasyTabPage* CEasyTab::RemovePage(int32_t index)
{
    auto* page = dynamic_cast<CEasyTabPage*>(m_model->RemovePage(index));
    if (page != nullptr) {
        page->Hide();
        page->SetTab(nullptr);
    }
    return page;
}

bool CEasyTab::RemovePage(CEasyTabPage* page)
{
    const int32_t index = FindTabPage(page);
    return index >= 0 && RemovePage(index) != nullptr;
}

void CEasyTab::RemoveAllPages()
{
    while (GetTabCount() > 0)
        RemovePage(0);
}

bool CEasyTab::SetPageAt(int32_t index, CEasyTabPage* page, const wxString& title, uint32_t templateId)
{
    const int32_t at = FindTabPage(page);
    if (at == index)
        return true;
    if (at >= 0)
        RemovePage(at);
    if (at < 0 && !page->GetHandle())
        return AddPage(title, page, templateId) == index;
    return InsertPage(title, page, index) == index;
}

CEasyTabPage* CEasyTab::GetActiveTabPage() const { return dynamic_cast<CEasyTabPage*>(m_model->GetActivePage()); }

void CEasyTab::EnablePages(bool enable)
{
    for (int32_t i = 0; i < GetTabCount(); ++i)
        if (auto* page = dynamic_cast<CEasyTabPage*>(m_model->GetPage(i)))
            for (wxWindow* child : page->GetChildren())
                child->Enable(enable);
}

void CEasyTab::NotifyPages(void* sender, int32_t code, intptr_t parameter)
{
    for (int32_t i = 0; i < GetTabCount(); ++i)
        if (auto* page = dynamic_cast<CEasyTabPage*>(m_model->GetPage(i)))
            page->OnNotify(sender, code, parameter);
}

void CEasyTab::OnPageChanging(wxBookCtrlEvent& event)
{
    if (!m_syncing && !m_model->CanLeaveCurrentPage(ParentExchangeFlag())) {
        event.Veto();
        KeepFocusAfterRefusedPageChange(*this);
    }
}

void CEasyTab::OnPageChanged(wxBookCtrlEvent& event)
{
    if (m_syncing)
        return;
    m_model->NoteSelection(event.GetSelection());
    auto* page = GetActiveTabPage();
    if (page == nullptr)
        return;
    page->OnActivateInBar();
    // The user's own change gives the keyboard to the page when it sits in a side-bar panel.
    if (!CStackableDialog::Enclosing(*this))
        return;
    if (wxWindow* saved = page->GetSavedFocus())
        saved->SetFocus();
    else
        page->SetFocus();
}

void DDX_EasyTab(CDataExchange& dx, CEasyTab& tab)
{
    uint8_t flag = 0;
    if (auto* dialog = dynamic_cast<CEasyDialog*>(dx.m_pDlgWnd))
        flag = dialog->GetExchangeFlag();
    // The failing page has given its own field the keyboard: the exchange around it ends without
    // sending the keyboard back to a control of its own (a selection chip takes no typing).
    if (!tab.Exchange(dx.m_bSaveAndValidate, flag))
        throw CDdxFailure();
}
