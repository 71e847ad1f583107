#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

class wxListCtrl;

// Asks whether to save the job, with the list of its recent changes scrolled to the last one.
// Ends with IDYES, IDNO or IDCANCEL.
class CPromptSaveModified : public wxDialog
{
public:
    // The change list is borrowed and may be null.
    CPromptSaveModified(wxWindow* parent, const std::string& text, const std::vector<std::string>* changes);

    int DoModal();

    wxListCtrl* GetChangeList() const { return m_list; }
    // Ends the dialog as the button with this id would.
    void Answer(int id);

private:
    wxListCtrl* m_list = nullptr;
};
