#include "shell/FrameCommandRules.h"

#include "core/ResourceStrings.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "shell/CommandIds.h"
#include "shell/RunUserPreferences.h"

int32_t SnapModeOfCommand(int command)
{
    switch (command) {
    case IdSnapFree: return 2;
    case IdSnapToPoint: return 1;
    case IdSnapToGrid: return 3;
    default: return -1;
    }
}

CommandUiState GetSnapCommandState(int command, int32_t snapMode, bool snapLocked)
{
    if (command == IdLockSnap)
        return {snapMode != 0, snapLocked};
    const int32_t mode = SnapModeOfCommand(command);
    return {true, mode >= 0 && mode == snapMode};
}

bool CheckTransferSettings(CProfile& profile, bool panelStacked)
{
    if (panelStacked)
        return true;
    if (profile.GetProfileInt("Transfer", "ShowSettings", 0) == 0 && profile.GetProfileInt("Transfer", "FirstSettings", 1) == 0)
        return true;
    if (RunUserPreferences(PreferencesTransferPage) != IDOK)
        return false;
    profile.WriteProfileInt("Transfer", "FirstSettings", 0);
    return true;
}

std::string FormatSelectionInfo(bool hasJob, int64_t count)
{
    std::string text = LoadResourceString(396);
    const size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, hasJob ? std::to_string(count) : "0");
    return text;
}
