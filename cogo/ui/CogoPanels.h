#pragma once

class CStackableDialog;

// The COGO side panels by the menu command that opens them; null for another command. The main
// frame's panel command table takes its factories from here.
CStackableDialog* MakeCogoPanel(int commandId);
