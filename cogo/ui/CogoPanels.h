#pragma once

#include <cstdint>

class CStackableDialog;
class wxBitmap;
class wxSizer;
class wxWindow;

// The COGO side panels by the menu command that opens them; null for another command. The main
// frame's panel command table takes its factories from here.
CStackableDialog* MakeCogoPanel(int commandId);

// The erase button's picture, and the inverse panel's pictures beside point 2 and beside the chip.
constexpr uint32_t EraseScratchIconId = 852;
constexpr uint32_t InverseSingleIconId = 2510;
constexpr uint32_t InverseMultipleIconId = 2511;

// The program's 16-pixel icon; null outside the program or when the file is missing.
const wxBitmap* PanelIcon(uint32_t id);

// The buttons under a COGO panel's fields: the erase icon button captioned "Erase Scratch Lines", then Solve (OK), Report (the
// panel's report to the editor) and Close (Cancel) in a row; border is the gap round each.
void AddCogoPanelButtons(CStackableDialog& panel, wxSizer* sizer, int border);

// The panel's field a delivered pick went to: the exchange's target when it lies in the panel
// (the focus may not have followed it yet), else the field with the focus.
wxWindow* PickedField(CStackableDialog& panel);
