#include "transfer/ui/TransferLoopDialogs.h"

#include "framework/ui/WindowHelpers.h"
#include "model/MorvelSettings.h"
#include "platform/MessagePump.h"
#include "transfer/ui/NikonReceiveDlg.h"
#include "transfer/ui/NikonSendDlg.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/window.h>

namespace {
std::function<void(wxWindow&)>& ShownHook()
{
    static std::function<void(wxWindow&)> hook;
    return hook;
}
} // namespace

void PumpTransferMessages()
{
    // The program's pump leaves input for the main loop; here the Cancel click must get through.
    PumpWaitingMessages();
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (loop == nullptr || loop->IsYielding())
        return;
    try {
        loop->YieldFor(wxEVT_CATEGORY_ALL);
    } catch (...) {
        // A failing handler must not end the transfer.
    }
}

CTransferDialogSession::CTransferDialogSession(wxWindow* owner, bool receiving)
    : m_owner(owner), m_receiving(receiving)
{
    m_callbacks.start = [this](uint32_t total) { Start(total); };
    m_callbacks.progress = [this](uint32_t sent) {
        if (m_send)
            m_send->SetProgress(sent);
    };
    m_callbacks.received = [this](std::string_view text) {
        if (m_receive) {
            m_receive->SetNewText(text);
            m_receive->AppendReceivedText();
        }
    };
    m_callbacks.pump = [this] {
        // The receiver stops pumping once its Cancel was pressed.
        if (!(m_receive && m_receive->IsCancelled()))
            PumpTransferMessages();
        return (m_send && m_send->IsCancelled()) || (m_receive && m_receive->IsCancelled());
    };
    m_callbacks.finish = [this] { Finish(); };
}

CTransferDialogSession::~CTransferDialogSession() { Finish(); }

void CTransferDialogSession::SetDialogShownHook(std::function<void(wxWindow&)> hook) { ShownHook() = std::move(hook); }

void CTransferDialogSession::Start(uint32_t total)
{
    Finish();
    wxDialog* dialog = nullptr;
    if (m_receiving) {
        m_receive = new CNikonReceiveDlg(m_owner);
        dialog = m_receive;
    } else {
        m_send = new CNikonSendDlg(m_owner);
        m_send->SetTotal(total);
        dialog = m_send;
    }
    if (m_owner != nullptr && m_owner->IsEnabled()) {
        m_owner->Disable();
        m_ownerDisabled = true;
    }
    dialog->CentreOnParent();
    dialog->Enable();
    dialog->Show();
    // In front with the keyboard, so Escape reaches its Cancel as a click would.
    ShowInFrontWithKeyboard(*dialog, NextTabStop(*dialog, nullptr));
    if (ShownHook())
        ShownHook()(*dialog);
}

void CTransferDialogSession::Finish()
{
    if (m_ownerDisabled && m_owner != nullptr)
        m_owner->Enable();
    m_ownerDisabled = false;
    // Destroyed at once: the loop is over and nothing else holds the dialog.
    if (m_send != nullptr)
        m_send->Destroy();
    if (m_receive != nullptr)
        m_receive->Destroy();
    m_send = nullptr;
    m_receive = nullptr;
}

bool RunSendLoop(wxWindow* owner, const std::string& path, bool byLines)
{
    CTransferDialogSession session(owner, false);
    const CTransferLine line = GetTransferLine(GetMorvelSettings());
    return byLines ? SendFileByLines(path, line, session.Callbacks())
                   : SendFileInBlocks(path, line, session.Callbacks());
}

bool RunReceiveLoop(wxWindow* owner, const std::string& path)
{
    CTransferDialogSession session(owner, true);
    return ReceiveFile(path, GetTransferLine(GetMorvelSettings()), session.Callbacks());
}
