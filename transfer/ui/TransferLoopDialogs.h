#pragma once

#include "transfer/serial/SerialTransfer.h"

#include <functional>
#include <memory>
#include <string>

class wxWindow;
class CNikonReceiveDlg;
class CNikonSendDlg;

// Lets every waiting message run between the passes of a serial loop, input included, so that
// the progress dialog's Cancel stays live while the owner window is disabled.
void PumpTransferMessages();

// The callbacks that show a loop's progress dialog over `owner` (modeless, centred; the owner
// disabled while it is up) and read its Cancel after pumping. The session outlives the loop and
// puts the owner back even when the loop never reached `finish`.
class CTransferDialogSession
{
public:
    CTransferDialogSession(wxWindow* owner, bool receiving);
    ~CTransferDialogSession();
    CTransferDialogSession(const CTransferDialogSession&) = delete;
    CTransferDialogSession& operator=(const CTransferDialogSession&) = delete;

    const CTransferCallbacks& Callbacks() const { return m_callbacks; }
    // The dialog while the loop runs; null before `start` and after `finish`.
    CNikonSendDlg* GetSendDialog() const { return m_send; }
    CNikonReceiveDlg* GetReceiveDialog() const { return m_receive; }

    // Called with the dialog just shown (tests press Cancel here).
    static void SetDialogShownHook(std::function<void(wxWindow& dialog)> hook);

private:
    void Start(uint32_t total);
    void Finish();

    wxWindow* m_owner;
    bool m_receiving;
    bool m_ownerDisabled = false;
    CNikonSendDlg* m_send = nullptr;
    CNikonReceiveDlg* m_receive = nullptr;
    CTransferCallbacks m_callbacks;
};

// The loops with their dialogs, on the line the transfer preferences name.
bool RunSendLoop(wxWindow* owner, const std::string& path, bool byLines);
bool RunReceiveLoop(wxWindow* owner, const std::string& path);
