#pragma once

class CMorvelApp;

// Installs what the headless code reaches the application through: the message box, the status
// bar, the quit request, the active job and view, the job document's shell, the settings' shell,
// the clipboard, the window check of change notification and the recent-file list. Removed again
// when the application goes.
void InstallAppHooks(CMorvelApp& app);
void RemoveAppHooks();
