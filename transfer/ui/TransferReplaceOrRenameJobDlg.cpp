#include "transfer/ui/TransferReplaceOrRenameJobDlg.h"

#include "transfer/serial/TransferControls.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

CTransferReplaceOrRenameJobDlg::CTransferReplaceOrRenameJobDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Replace or Rename Job")
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_name = new wxTextCtrl(this, NameId, wxString(), wxDefaultPosition, wxSize(240, -1));
    sizer->Add(m_name, 0, wxEXPAND | wxALL, 10);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    const std::pair<int, const char*> rows[] = {{ReplaceJobOverwrite, "&Overwrite"},
                                                {ReplaceJobOverwriteAll, "Overwrite &All Jobs"},
                                                {ReplaceJobRename, "Rename"},
                                                {wxID_CANCEL, "Cancel"}};
    for (const auto& [id, label] : rows) {
        auto* button = new wxButton(this, id, label);
        button->Bind(wxEVT_BUTTON, [this, id = id](wxCommandEvent&) { EndWith(id); });
        buttons->Add(button, 0, wxLEFT, 4);
    }
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
}

void CTransferReplaceOrRenameJobDlg::EndWith(int id)
{
    if (id == ReplaceJobRename)
        m_newName = m_name->GetValue().utf8_string();
    // Tests answer the dialog without showing it.
    if (IsModal())
        EndModal(id);
    else
        SetReturnCode(id);
}
