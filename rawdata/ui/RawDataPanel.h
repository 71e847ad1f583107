#pragma once

#include "framework/ui/StackableDialog.h"

#include <wx/defs.h>

#include <cstdint>

class wxBoxSizer;
class wxStaticBoxSizer;

// A side-bar panel over the job's raw lines: while it is the active one the job view shows its
// Raw Data tab, and its "Jump to..." box opens the other raw data panels.
class CRawDataPanel : public CStackableDialog
{
public:
    using CStackableDialog::CStackableDialog;

    void OnActivateInBar() override;

protected:
    // The panel's head: its icon, where the program has it, beside the introduction wrapped to
    // the width.
    wxBoxSizer* MakeHead(uint32_t iconId, const char* intro, int wrapWidth);

    // Reduction, Find, and Edit on the first selected line.
    enum class JumpTarget { Reduce, Find, Edit };
    struct JumpButton
    {
        JumpTarget target;
        int id = wxID_ANY;
    };
    // The "Jump to..." box with its two buttons, each opening its panel when clicked.
    wxStaticBoxSizer* MakeJumpBox(JumpButton first, JumpButton second);
};
