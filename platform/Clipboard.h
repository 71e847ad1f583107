#pragma once

#include <functional>
#include <optional>
#include <string>

// The text clipboard, reached through hooks that the window layer installs. Without them the
// clipboard counts as unavailable.
struct ClipboardHooks
{
    // True when the text was placed on the clipboard.
    std::function<bool(const std::string& text)> setText;
    // False when the clipboard cannot be opened; otherwise sets the text when the clipboard holds any.
    std::function<bool(std::optional<std::string>& text)> getText;
};

// Installs the hooks and returns the previous ones.
ClipboardHooks SetClipboardHooks(ClipboardHooks hooks);

bool CopyTextToClipboard(const std::string& text);
// Empties the text first; true when the clipboard held text.
bool PasteTextFromClipboard(std::string& text);
