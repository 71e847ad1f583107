#pragma once

#include "framework/ui/EasyDialog.h"

class wxCheckBox;

// Asks how raw data is to be reduced when a job is made from it. The two answers come from and go
// back to the profile ("RegenerationOptions"), whatever the person answered. OK is the only way
// out; Escape does nothing, and the window's close box counts as Cancel.
class CRegenerationOptionsDlg : public CEasyDialog
{
public:
    explicit CRegenerationOptionsDlg(wxWindow* parent);
    ~CRegenerationOptionsDlg() override;

    // Runs the dialog; wxID_OK or wxID_CANCEL.
    int DoModal();
    void OnOK() override;
    // Escape is not a way out here.
    bool PreTranslateInput(const DialogKeyMessage& msg) override;

    // The option bits the job's regeneration takes: 1 ignore store points, 2 ignore deleted
    // records, 0x8000 the options came from this dialog.
    int GetOptions() const;

    int m_ignoreStorePoints = 0;
    int m_ignoreDeletedRecords = 0;

    wxCheckBox* GetStorePointCheck() const { return m_storePoint; }
    wxCheckBox* GetDeletedCheck() const { return m_deleted; }

protected:
    void BuildControls() override;
    bool WantsStandardButtons() const override { return false; }

private:
    void TransferToControls();
    void TransferFromControls();

    wxCheckBox* m_storePoint = nullptr;
    wxCheckBox* m_deleted = nullptr;
};
