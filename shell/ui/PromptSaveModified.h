#pragma once

#include "framework/ui/EasyDialog.h"
#include "platform/MessageBox.h"

#include <string>
#include <vector>

class wxListCtrl;

// Asks whether to save the job, with the list of its recent changes scrolled to the last one.
// Ends with IDYES, IDNO or IDCANCEL; Escape and the close box count as Cancel.
class CPromptSaveModified : public CEasyDialog
{
public:
    // The change list is borrowed and may be null.
    CPromptSaveModified(wxWindow* parent, const std::string& text, const std::vector<std::string>* changes,
                        bool okOnly = false);

    wxListCtrl* GetChangeList() const { return m_list; }
    // Ends the dialog as the button with this id would.
    void Answer(int id);

    void OnOK() override { Answer(IDYES); }
    void OnCancel() override { Answer(IDCANCEL); }

protected:
    void BuildControls() override;
    bool WantsStandardButtons() const override { return false; }
    // The viewer of the changes shows one OK button instead of the three answers.
    bool m_okOnly = false;

private:
    std::string m_text;
    const std::vector<std::string>* m_changes;
    wxListCtrl* m_list = nullptr;
};

// The job's recent changes, the last one in view, with the text above the list; OK closes.
class CViewLastModified : public CPromptSaveModified
{
public:
    CViewLastModified(wxWindow* parent, const std::string& text, const std::vector<std::string>* changes);
    void OnOK() override { Answer(IDOK); }
    void OnCancel() override { Answer(IDOK); }
};
