#include "framework/DialogKeys.h"

#include "model/HintCodes.h"

bool MoveFocusToNextControl(CDialogKeyHost& dialog, DialogWindow previousFocus)
{
    dialog.FocusNextControl();
    return dialog.GetFocus() != previousFocus;
}

bool EnterAsTab(CDialogKeyHost& dialog)
{
    DialogWindow focus = dialog.GetFocus();
    if (!MoveFocusToNextControl(dialog, focus) || !dialog.GetFocus())
        return false;

    focus = dialog.GetFocus();
    if (dialog.IsPressOnEnterButton(focus)) {
        dialog.PostCommand(focus);
        if (!MoveFocusToNextControl(dialog, focus))
            return false;
        if (!dialog.GetFocus())
            return true;
        focus = dialog.GetFocus();
    }

    // Enter never lands on Cancel: that would close the dialog on the next Enter.
    if (dialog.GetControlId(focus) != IDCANCEL_CONTROL || !dialog.IsPushButton(focus))
        return true;
    return MoveFocusToNextControl(dialog, focus);
}

bool PreTranslateDialogMessage(const DialogKeyMessage& msg, CDialogKeyHost& dialog)
{
    bool keyDown = msg.message == WM_KEYDOWN;
    if (keyDown && msg.key == VK_ESCAPE)
        dialog.NotifyActiveDocument(HintEscape, 0);
    if (dialog.BasePreTranslate(msg))
        return true;
    if (dialog.IsInContextHelpMode())
        return false;
    if (keyDown && msg.key == VK_RETURN && !dialog.IsMultiLineEdit(msg.target)) {
        if (dialog.OfferEnterKey() == 0)
            return EnterAsTab(dialog);
        return true;
    }
    if (dialog.ParentFramesPreTranslate(msg))
        return true;
    return dialog.PreTranslateInput(msg);
}
