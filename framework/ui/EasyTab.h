#pragma once

#include "framework/TabPagesModel.h"
#include "framework/ui/EasyDialog.h"

#include <wx/notebook.h>

#include <cstdint>
#include <memory>

class CEasyTab;

// A page of a CEasyTab: a dialog whose Enter never closes anything and whose saved focus control
// gets the keyboard when the user brings the page up.
class CEasyTabPage : public CEasyDialog, public CTabPage
{
public:
    explicit CEasyTabPage(uint32_t templateId, const wxString& title = wxString());

    uint32_t GetTemplateId() const { return m_templateId; }
    CEasyTab* GetTab() const { return m_pTab; }
    void SetTab(CEasyTab* tab) { m_pTab = tab; }
    // Null when the window is gone.
    void SetSavedFocus(wxWindow* window) { m_hSavedFocus = window; }
    // The saved control when it can take the focus, else null.
    wxWindow* GetSavedFocus() const;
    bool HasSavedFocus() const { return GetSavedFocus() != nullptr; }

    void OnOK() override {}
    // 0x80D6: this page, and every page that holds it, comes forward.
    void ShowDdxPage() override;

    // CTabPage.
    bool ExchangePage(bool save, uint8_t flag) override { return UpdateDataEx(save, flag); }
    void ShowPage(bool) override {}
    // A notebook shows its current page itself; a page with a window counts.
    bool IsPageShown() const override { return GetHandle() != nullptr; }

private:
    uint32_t m_templateId;
    wxWindow* m_hSavedFocus = nullptr;
    CEasyTab* m_pTab = nullptr;
};

// A tab control with one page dialog per tab (a wxNotebook): leaving a page validates it in
// validation mode 1, the dialog's exchange covers the shown page or all pages (mode 2), and the
// page that fails is brought forward. The rules live in CTabPagesModel; the notebook follows.
class CEasyTab : public wxNotebook
{
public:
    CEasyTab(wxWindow* parent, wxWindowID id);
    ~CEasyTab() override;

    void SetValidationMode(int32_t mode);
    int32_t GetValidationMode() const;
    // Creates the page's window in the tab; -1 when it cannot be made.
    int32_t AddPage(const wxString& title, CEasyTabPage* page, uint32_t templateId);
    // A page whose window exists; -1 otherwise.
    int32_t InsertPage(const wxString& title, CEasyTabPage* page, int32_t index);
    // The page, hidden and out of the tab (the caller owns it); null for an index past the end.
    CEasyTabPage* RemovePage(int32_t index);
    bool RemovePage(CEasyTabPage* page);
    void RemoveAllPages();
    bool SetPageAt(int32_t index, CEasyTabPage* page, const wxString& title, uint32_t templateId);
    int32_t FindTabPage(const CEasyTabPage* page) const;
    CEasyTabPage* GetActiveTabPage() const;
    int32_t GetTabCount() const;
    int32_t GetTabSelection() const;
    // The leaving check, then the page; false when the shown page refused to be left.
    bool SelectPage(int32_t index);
    // A selection made by the program goes through the same check; the previous selection.
    int SetSelection(size_t page) override;
    // The exchange over the pages the mode covers; false at the first page that fails.
    bool Exchange(bool save, uint8_t flag);
    // Every control of every page on or off.
    void EnablePages(bool enable);
    // Passes a change hint to every page.
    virtual void NotifyPages(void* sender, int32_t code, intptr_t parameter);

private:
    class Model;
    uint8_t ParentExchangeFlag() const;
    void OnPageChanging(wxBookCtrlEvent& event);
    void OnPageChanged(wxBookCtrlEvent& event);

    std::unique_ptr<Model> m_model;
    bool m_syncing = false;
};

// The dialog's exchange over the tab's pages; a failure fails the exchange.
void DDX_EasyTab(CDataExchange& dx, CEasyTab& tab);
