#pragma once

#include "framework/MessageBoxButtons.h"
#include "framework/ui/EasyDialog.h"

class wxButton;

// The program's own modal message box: the usual MB_ button and icon codes, with captions of the
// caller's choosing on the Yes and No buttons. ShowModal returns IDOK, IDCANCEL, IDYES, IDNO or
// IDRETRY as the result table says; Escape and the close box count as Cancel.
class CMessageBoxFS : public CEasyDialog
{
public:
    CMessageBoxFS(wxWindow* parent, const MessageBoxRequest& request);

    const MessageBoxLayout& GetLayout() const { return m_layout; }
    const MessageBoxRequest& GetRequest() const { return m_request; }
    wxButton* GetButton(MessageBoxButton button) const;
    // What a click on the button does: ends the box with the button's answer for the type; a
    // button the type does not answer does nothing.
    void Press(MessageBoxButton button);

    // Shows the request in a CMessageBoxFS over the main window (through RunModal, so that window
    // tests answer it like any dialog); the application installs this as the message box handler.
    static int Show(const MessageBoxRequest& request);

    // Enter presses the default button, Escape and the close box Cancel.
    void OnOK() override;
    void OnCancel() override { Press(MessageBoxButton::Cancel); }

protected:
    void BuildControls() override;
    bool WantsStandardButtons() const override { return false; }

private:
    MessageBoxRequest m_request;
    MessageBoxLayout m_layout;
    wxButton* m_buttons[4] = {};
    wxButton* m_default = nullptr;
};
