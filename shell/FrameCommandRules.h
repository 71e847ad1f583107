#pragma once

#include <cstdint>
#include <string>

class CProfile;

// The check and enable state the frame gives a command.
struct CommandUiState
{
    bool enable = true;
    bool check = false;

    bool operator==(const CommandUiState&) const = default;
};

// The three snap buttons are checked by the snap mode (free 2, point 1, grid 3); Lock Snap shows
// the lock and is off while no snap mode is set.
CommandUiState GetSnapCommandState(int command, int32_t snapMode, bool snapLocked);
// The snap mode a snap button sets; -1 for another command.
int32_t SnapModeOfCommand(int command);

// Before Send Job and Get Job: true when the panel may be pushed. A panel of the command already
// stacked goes straight on; so does one whose settings need no showing ("Transfer"/"ShowSettings"
// and "FirstSettings", default 1, both 0). Otherwise the preferences open on the Transfer page;
// OK records "FirstSettings" 0 and goes on, Cancel stops.
bool CheckTransferSettings(CProfile& profile, bool panelStacked);

// The status pane's "%1 objects selected": the count, or "0" without a job.
std::string FormatSelectionInfo(bool hasJob, int64_t count);
