#pragma once

class wxWindow;

// What both transfer wizards do alike.

// The transfer settings (model, port, rate, parity) in the identification pop-up at the cursor:
// the transfer button's tip.
void ShowTransferSettingsTip(wxWindow* near);
// "Transfer Settings...": the preferences on their Transfer page; true after OK.
bool RunTransferSettings();
