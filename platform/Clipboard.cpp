#include "platform/Clipboard.h"

#include <utility>

namespace {

ClipboardHooks& Hooks()
{
    static ClipboardHooks hooks;
    return hooks;
}

} // namespace

ClipboardHooks SetClipboardHooks(ClipboardHooks hooks)
{
    return std::exchange(Hooks(), std::move(hooks));
}

bool CopyTextToClipboard(const std::string& text)
{
    return Hooks().setText && Hooks().setText(text);
}

bool PasteTextFromClipboard(std::string& text)
{
    if (!Hooks().getText)
        return false;
    std::optional<std::string> got;
    if (!Hooks().getText(got))
        return false;
    text = got ? std::move(*got) : std::string();
    return got.has_value();
}
