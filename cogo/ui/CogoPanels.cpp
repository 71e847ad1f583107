#include "cogo/ui/CogoPanels.h"

#include "cogo/ui/Intersection.h"
#include "cogo/ui/InversePoints.h"
#include "cogo/ui/PointInDirection.h"
#include "cogo/ui/InteractiveControl.h"
#include "core/Report.h"
#include "framework/GraphicDataExchange.h"
#include "views/ScratchGeometry.h"

#include <wx/button.h>
#include <wx/sizer.h>

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

void AddCogoPanelButtons(CStackableDialog& panel, wxSizer* sizer, int border)
{
    auto* erase = new wxButton(&panel, CIntersection::IdErase, "Erase Scratch Lines");
    erase->Bind(wxEVT_BUTTON, [](wxCommandEvent&) { EraseScratchLines(); });
    sizer->Add(erase, 0, wxALL, border);
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
