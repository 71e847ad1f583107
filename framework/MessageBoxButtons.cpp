#include "framework/MessageBoxButtons.h"

MessageBoxLayout MakeMessageBoxLayout(const MessageBoxRequest& request)
{
    MessageBoxLayout layout;
    uint32_t flags = request.flags;
    const uint32_t buttons = flags & 0xF;
    if (buttons == MB_RETRYCANCEL) {
        layout.yesCaption = "Retry";
        layout.noCaption = "Cancel";
    }
    if ((flags & 0xF0) == 0 && !request.plain) {
        if (buttons == MB_OK || buttons == MB_OKCANCEL)
            flags |= MB_ICONWARNING;
        else if (buttons == MB_YESNOCANCEL || buttons == MB_YESNO)
            flags |= MB_ICONQUESTION;
    }
    layout.flags = flags;
    const uint32_t icon = flags & 0xF0;
    if (icon == MB_ICONERROR || icon == MB_ICONQUESTION || icon == MB_ICONWARNING || icon == MB_ICONINFORMATION)
        layout.icon = icon;
    if (!request.yesCaption.empty())
        layout.yesCaption = request.yesCaption;
    if (!request.noCaption.empty())
        layout.noCaption = request.noCaption;

    switch (buttons) {
    case MB_OK:
        layout.showOk = true;
        layout.okInNoPlace = true;
        break;
    case MB_OKCANCEL:
        layout.showOk = layout.showCancel = true;
        break;
    case MB_YESNOCANCEL:
        layout.showYes = layout.showNo = layout.showCancel = true;
        break;
    case MB_YESNO:
    case MB_RETRYCANCEL:
        layout.showYes = layout.showNo = true;
        layout.noInCancelPlace = true;
        break;
    default:
        // Callers must not use the other types; the box then offers OK so that it can be closed.
        layout.showOk = true;
        layout.okInNoPlace = true;
        break;
    }
    return layout;
}

int MessageBoxButtonResult(uint32_t flags, MessageBoxButton button)
{
    switch (flags & 0xF) {
    case MB_OK:
        return button == MessageBoxButton::Ok || button == MessageBoxButton::Cancel ? IDOK : 0;
    case MB_OKCANCEL:
        return button == MessageBoxButton::Ok ? IDOK : button == MessageBoxButton::Cancel ? IDCANCEL : 0;
    case MB_YESNOCANCEL:
        switch (button) {
        case MessageBoxButton::Cancel: return IDCANCEL;
        case MessageBoxButton::Yes: return IDYES;
        case MessageBoxButton::No: return IDNO;
        default: return 0;
        }
    case MB_YESNO:
        switch (button) {
        case MessageBoxButton::Cancel:
        case MessageBoxButton::No: return IDNO;
        case MessageBoxButton::Yes: return IDYES;
        default: return 0;
        }
    case MB_RETRYCANCEL:
        switch (button) {
        case MessageBoxButton::Cancel:
        case MessageBoxButton::No: return IDCANCEL;
        case MessageBoxButton::Yes: return IDRETRY;
        default: return 0;
        }
    default:
        return button == MessageBoxButton::Ok || button == MessageBoxButton::Cancel ? IDOK : 0;
    }
}
