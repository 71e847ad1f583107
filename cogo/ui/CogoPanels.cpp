#include "cogo/ui/CogoPanels.h"

#include "cogo/ui/InteractiveControl.h"
#include "cogo/ui/Intersection.h"
#include "cogo/ui/InversePoints.h"
#include "cogo/ui/PointInDirection.h"
#include "core/Report.h"
#include "framework/GraphicDataExchange.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/Icons.h"
#include "framework/ui/ProgramServices.h"
#include "views/ScratchGeometry.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CStackableDialog* MakeCogoPanel(int commandId)
{
    switch (commandId) {
    case 7496:
        return new CIntersection;
    case 7151:
        return new CInversePoints;
    case 7152:
        return new CPointInDirection;
    default:
        return nullptr;
    }
}

const wxBitmap* PanelIcon(uint32_t id)
{
    CProgramServices* app = GetProgramServices();
    return app ? app->GetIcons().GetIcon(id, true) : nullptr;
}

void AddCogoPanelButtons(CStackableDialog& panel, wxSizer* sizer, int border)
{
    // A small icon button with its caption beside it, so the panel stays narrow in the side bar.
    auto* eraseRow = new wxBoxSizer(wxHORIZONTAL);
    auto* erase = new CCustomIconButton(&panel, CIntersection::IdErase);
    if (const wxBitmap* icon = PanelIcon(EraseScratchIconId))
        erase->SetIcon(icon, true, false);
    erase->Bind(wxEVT_BUTTON, [](wxCommandEvent&) { EraseScratchLines(); });
    eraseRow->Add(erase, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, panel.FromDIP(4));
    eraseRow->Add(new wxStaticText(&panel, wxID_ANY, "Erase Scratch Lines"), 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(eraseRow, 0, wxALL, border);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* solve = new wxButton(&panel, CIntersection::IdSolve, "Solve");
    auto* report = new wxButton(&panel, CIntersection::IdReport, "Report");
    auto* close = new wxButton(&panel, CIntersection::IdClose, "Close");
    solve->Bind(wxEVT_BUTTON, [&panel](wxCommandEvent&) { panel.OnOK(); });
    report->Bind(wxEVT_BUTTON, [&panel](wxCommandEvent&) { panel.GetReport().OpenInEditor(); });
    close->Bind(wxEVT_BUTTON, [&panel](wxCommandEvent&) { panel.OnCancel(); });
    for (wxButton* b : {solve, report, close})
        buttons->Add(b, 0, wxRIGHT, panel.FromDIP(4));
    sizer->Add(buttons, 0, wxALL, border);
}

wxWindow* PickedField(CStackableDialog& panel)
{
    auto* field = dynamic_cast<CInteractiveControl*>(GetGraphicDataExchange().GetTarget());
    if (field != nullptr && panel.IsDescendant(field))
        return field;
    return wxWindow::FindFocus();
}
