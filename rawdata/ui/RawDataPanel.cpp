#include "rawdata/ui/RawDataPanel.h"

#include "framework/ui/Icons.h"
#include "rawdata/ui/RawPanels.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

void CRawDataPanel::OnActivateInBar()
{
    CStackableDialog::OnActivateInBar();
    raw_panels::ShowRawDataTab();
}

wxBoxSizer* CRawDataPanel::MakeHead(uint32_t iconId, const char* intro, int wrapWidth)
{
    auto* head = new wxBoxSizer(wxHORIZONTAL);
    if (CIcons* icons = raw_panels::Icons())
        if (const wxBitmap* icon = icons->GetIcon(iconId, false))
            head->Add(new wxStaticBitmap(this, wxID_ANY, *icon), 0, wxRIGHT, 8);
    auto* text = new wxStaticText(this, wxID_ANY, intro);
    text->Wrap(wrapWidth);
    head->Add(text, 1, wxALIGN_CENTER_VERTICAL);
    return head;
}

wxStaticBoxSizer* CRawDataPanel::MakeJumpBox(JumpButton first, JumpButton second)
{
    auto* jump = new wxStaticBoxSizer(wxHORIZONTAL, this, "Jump to...");
    for (const JumpButton& jumpButton : {first, second}) {
        const char* label = "Edit Raw Data...";
        void (*open)() = raw_panels::EditSelectedLine;
        if (jumpButton.target == JumpTarget::Reduce) {
            label = "Reduce\nRaw Data...";
            open = raw_panels::OpenReduce;
        } else if (jumpButton.target == JumpTarget::Find) {
            label = "Find Records...";
            open = raw_panels::OpenFind;
        }
        auto* button = new wxButton(jump->GetStaticBox(), jumpButton.id, label);
        jump->Add(button, 1, wxEXPAND | wxALL, 4);
        button->Bind(wxEVT_BUTTON, [open](wxCommandEvent&) { open(); });
    }
    return jump;
}
