#pragma once

class CStackableDialog;
class wxSizer;
class wxWindow;

// The COGO side panels by the menu command that opens them; null for another command. The main
// frame's panel command table takes its factories from here.
CStackableDialog* MakeCogoPanel(int commandId);

// The buttons under a COGO panel's fields: "Erase Scratch Lines", then Solve (OK), Report (the
// panel's report to the editor) and Close (Cancel) in a row; border is the gap round each.
void AddCogoPanelButtons(CStackableDialog& panel, wxSizer* sizer, int border);

// The panel's field a delivered pick went to: the exchange's target when it lies in the panel
// (the focus may not have followed it yet), else the field with the focus.
wxWindow* PickedField(CStackableDialog& panel);
