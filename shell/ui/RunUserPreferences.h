#pragma once

// Opens the "Preferences" sheet on the page (CUserPreferences::Page), saves it on OK and returns
// the sheet's result (wxID_OK or wxID_CANCEL).
int RunUserPreferencesSheet(int startPage);
// Makes the sheet the program's RunUserPreferences (shell/RunUserPreferences.h).
void InstallUserPreferencesSheet();

// "&File/Preferences...": the sheet on its Colors page; afterwards a palette word that differs from
// the colour mode in force when the sheet opened settles the mode (the chosen one after OK, the old
// one after Cancel) with a repaint, and the job redraws (hint 3).
void OnPreferencesCommand();
