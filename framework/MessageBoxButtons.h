#pragma once

#include "platform/MessageBox.h"

#include <cstdint>
#include <string>

// What the program's message box shows for a request and what each of its buttons answers. The
// box has four buttons; which are shown, where, and with which captions follows from the button
// type (flags & 0xF).

enum class MessageBoxButton { Ok, Cancel, Yes, No };

struct MessageBoxLayout
{
    // The flags with the icon the button type implies when the request names none.
    uint32_t flags = MB_OK;
    bool showOk = false;
    bool showCancel = false;
    bool showYes = false;
    bool showNo = false;
    // OK stands where No would be (a lone OK); No stands where Cancel would be (two buttons).
    bool okInNoPlace = false;
    bool noInCancelPlace = false;
    std::string yesCaption = "Yes";
    std::string noCaption = "No";
    // The icon bits that select a picture: 0x10, 0x20, 0x30, 0x40, or 0 for none.
    uint32_t icon = 0;
};

MessageBoxLayout MakeMessageBoxLayout(const MessageBoxRequest& request);

// The answer of a button for a button type; 0 when the type has no such button. Cancel also
// stands for Escape and the close box.
int MessageBoxButtonResult(uint32_t flags, MessageBoxButton button);
