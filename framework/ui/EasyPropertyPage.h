#pragma once

#include "framework/ui/EasyDialog.h"

#include <wx/propdlg.h>

#include <vector>

class CEasyPropertySheet;

// A page of a property sheet: a CEasyDialog held by the sheet's notebook. Every activation marks
// it modified; leaving it runs the field exchange with validation, except in a wizard, where only
// Next validates.
class CEasyPropertyPage : public CEasyDialog
{
public:
    explicit CEasyPropertyPage(const wxString& caption) : CEasyDialog(caption) {}

    // False keeps the sheet from showing the page.
    virtual bool OnSetActive();
    // False keeps the page in front. Derived pages call this first and add their own rules.
    virtual bool OnKillActive();
    // 0 goes on, -1 stays.
    virtual int OnWizardBack() { return 0; }
    virtual int OnWizardNext();
    virtual bool OnWizardFinish();
    // Enter and Escape in a page press the sheet's buttons.
    void OnOK() override;
    void OnCancel() override;
    // 0x80D5: 1 in a sheet, so Enter presses its OK (or the focused button), on every page; a
    // wizard's pages answer as any dialog does.
    int OnEnterRelay() override;

    void SetModified(bool modified = true) { m_modified = modified; }
    bool IsModified() const { return m_modified; }
    bool IsWizard() const;
    // Hands the wizard button flags to the sheet.
    void SetWizardButtons(int flags);
    CEasyPropertySheet* GetSheet() const;

protected:
    bool WantsStandardButtons() const override { return false; }

private:
    bool m_modified = false;
};

// The property sheet base: a notebook of CEasyPropertyPages with OK and Cancel. The page-changing
// veto runs the page's OnKillActive; OK runs it on the page in front before the sheet ends.
class CEasyPropertySheet : public wxPropertySheetDialog
{
public:
    CEasyPropertySheet(const wxString& caption, wxWindow* parent, int startPage);
    ~CEasyPropertySheet() override;

    // Builds the window and its pages (once) and runs the sheet; wxID_OK or wxID_CANCEL.
    int DoModal();
    // Builds the window and pages without showing them.
    void CreateSheet();

    void AddPage(CEasyPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CEasyPropertyPage* GetPage(int index) const;
    // Before the run: the page shown first. During it: changes page as a tab click does (so the
    // page in front may refuse); false when it refused.
    bool SetActivePage(int index);
    int GetActiveIndex() const;
    CEasyPropertyPage* GetActivePage() const;

    // The buttons as a person presses them.
    void PressOK();
    void PressCancel();
    int GetResult() const { return m_result; }
    bool HasEnded() const { return m_ended; }

    void SetWizardMode(bool on) { m_wizard = on; }
    bool IsWizardSheet() const { return m_wizard; }
    void SetWizardButtonFlags(int flags) { m_wizardButtons = flags; }
    int GetWizardButtonFlags() const { return m_wizardButtons; }

protected:
    // Before the pages are made: derived sheets fill their working copies and add pages here.
    virtual void OnInitDialog() {}
    void EndSheet(int result);

private:
    void OnPageChanging(wxBookCtrlEvent& event);
    void OnPageChanged(wxBookCtrlEvent& event);

    wxString m_caption;
    wxWindow* m_parent;
    std::vector<CEasyPropertyPage*> m_pages; // owned by the notebook once made
    int m_startPage;
    bool m_created = false;
    bool m_wizard = false;
    int m_wizardButtons = 0;
    int m_result = wxID_CANCEL;
    bool m_ended = false;
};
