#pragma once

#include "transfer/serial/TransferControls.h"

#include <wx/dialog.h>

#include <cstdint>

class wxGauge;
class wxStaticText;

// "Sending To Total Station": the modeless dialog the send loops show, with the share of the file
// sent and a Cancel the loop reads after pumping messages.
class CNikonSendDlg : public wxDialog
{
public:
    static constexpr int TemplateId = 841;
    static constexpr int ProgressId = 6730;
    static constexpr int TextId = 3180;

    explicit CNikonSendDlg(wxWindow* parent);

    void SetTotal(uint32_t total) { m_progress.SetTotal(total); }
    void SetProgress(uint32_t bytes);
    void OnCancel();
    bool IsCancelled() const { return m_cancelled; }

    wxGauge* GetBar() const { return m_bar; }
    wxStaticText* GetText() const { return m_text; }

private:
    CSendProgress m_progress;
    bool m_cancelled = false;
    wxGauge* m_bar = nullptr;
    wxStaticText* m_text = nullptr;
};
