#pragma once

#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

// "Replace or Rename Job": Overwrite, Overwrite All Jobs, Rename (with the new name typed) or
// Cancel. The modal result is the pressed button's id (TransferControls.h).
class CTransferReplaceOrRenameJobDlg : public wxDialog
{
public:
    static constexpr int TemplateId = 836;
    static constexpr int NameId = 1232;

    explicit CTransferReplaceOrRenameJobDlg(wxWindow* parent);

    // The name typed for Rename; read when the dialog ends with Rename.
    std::string m_newName;

    wxTextCtrl* GetNameEdit() const { return m_name; }
    // What the buttons do.
    void EndWith(int id);

private:
    wxTextCtrl* m_name = nullptr;
};
