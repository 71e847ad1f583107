#pragma once

#include "platform/WindowMessages.h"

#include <cstdint>

// The shared keyboard handling of modeless dialogs: Enter moves on like Tab, Escape tells the job.
// The window layer implements CDialogKeyHost over a real dialog; the decisions live here.

using DialogWindow = const void*; // a control of the dialog, null for none

inline constexpr int IDCANCEL_CONTROL = 2;

struct DialogKeyMessage
{
    uint32_t message = 0;
    uint32_t key = 0;
    DialogWindow target = nullptr;
};

class CDialogKeyHost
{
public:
    virtual ~CDialogKeyHost() = default;

    virtual DialogWindow GetFocus() = 0;
    // Moves the keyboard focus to the next control in tab order.
    virtual void FocusNextControl() = 0;
    virtual int GetControlId(DialogWindow control) = 0;
    virtual bool IsPushButton(DialogWindow control) = 0;
    // A button marked to be pressed when Enter reaches it.
    virtual bool IsPressOnEnterButton(DialogWindow control) = 0;
    // Queues the button's command to the dialog.
    virtual void PostCommand(DialogWindow control) = 0;

    // Sends the change hint with its parameter to the open job.
    virtual void NotifyActiveDocument(int32_t hint, intptr_t parameter) = 0;
    // The dialog's own handling of the key; true when it took it.
    virtual bool BasePreTranslate(const DialogKeyMessage& msg) = 0;
    virtual bool IsInContextHelpMode() = 0;
    virtual bool IsMultiLineEdit(DialogWindow control) = 0;
    // Offers Enter to the dialog; 0 lets it act as Tab.
    virtual int OfferEnterKey() = 0;
    // The enclosing frames, innermost first; true when one took the key.
    virtual bool ParentFramesPreTranslate(const DialogKeyMessage& msg) = 0;
    // Ordinary dialog navigation.
    virtual bool PreTranslateInput(const DialogKeyMessage& msg) = 0;
};

// True when the key was handled.
bool PreTranslateDialogMessage(const DialogKeyMessage& msg, CDialogKeyHost& dialog);
bool EnterAsTab(CDialogKeyHost& dialog);
// True when the focus moved away from previousFocus.
bool MoveFocusToNextControl(CDialogKeyHost& dialog, DialogWindow previousFocus);
