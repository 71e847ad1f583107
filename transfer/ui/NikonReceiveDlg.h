#pragma once

#include "transfer/serial/TransferControls.h"

#include <wx/dialog.h>

#include <string>
#include <string_view>

class wxTextCtrl;

// "Receiving From Total Station": the modeless dialog of the receive loop, showing what arrives
// (up to what the edit control holds) with a Cancel the loop reads after pumping messages.
class CNikonReceiveDlg : public wxDialog
{
public:
    static constexpr int TemplateId = 840;
    static constexpr int EditId = 1042;

    explicit CNikonReceiveDlg(wxWindow* parent);

    // The loop's newly received text, then the call that shows it.
    void SetNewText(std::string_view text) { m_newText.assign(text); }
    void AppendReceivedText();
    void OnCancel();
    bool IsCancelled() const { return m_cancelled; }

    wxTextCtrl* GetEdit() const { return m_edit; }
    size_t GetEndPosition() const { return m_shown.GetEndPosition(); }

private:
    CReceivedText m_shown;
    std::string m_newText;
    bool m_cancelled = false;
    wxTextCtrl* m_edit = nullptr;
};
