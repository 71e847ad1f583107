#include "exchange/ui/ExportPanelLayout.h"

#include "framework/ui/CustomButtons.h"
#include "framework/ui/ProgramServices.h"
#include "views/ui/SelectionChip.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CGeneralSelectionChip* AddExportHeading(wxWindow* panel, wxSizer* sizer, const wxString& purpose, int chipId,
                                        bool chipPicture)
{
    const int gap = panel->FromDIP(4);
    CProgramServices* app = GetProgramServices();
    // The pictures only mark the lines; they have no command of their own.
    auto addPicture = [&](wxSizer* row, int id) {
        if (app != nullptr)
            row->Add(new CCustomWizardButton(panel, id, app->GetIcons()), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap * 2);
    };
    auto* introRow = new wxBoxSizer(wxHORIZONTAL);
    addPicture(introRow, ExportPurposePictureId);
    auto* intro = new wxStaticText(panel, wxID_ANY, purpose);
    intro->Wrap(panel->FromDIP(app != nullptr ? 180 : 220));
    introRow->Add(intro, 1, wxALIGN_CENTER_VERTICAL);
    sizer->Add(introRow, 0, wxEXPAND | wxBOTTOM, gap * 2);
    auto* chipRow = new wxBoxSizer(wxHORIZONTAL);
    if (chipPicture)
        addPicture(chipRow, ExportChipPictureId);
    chipRow->Add(new wxStaticText(panel, wxID_ANY, "Select points to export:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
                 gap);
    auto* chip = new CGeneralSelectionChip(panel, chipId);
    chipRow->Add(chip, 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(chipRow, 0, wxBOTTOM, gap * 2);
    return chip;
}

std::pair<wxButton*, wxButton*> AddExportButtons(wxWindow* panel, wxSizer* sizer, int exportId, const wxString& label)
{
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* exportButton = new wxButton(panel, exportId, label);
    auto* close = new wxButton(panel, wxID_CANCEL, "Close");
    buttons->Add(exportButton, 0, wxRIGHT, panel->FromDIP(4));
    buttons->Add(close);
    sizer->Add(buttons, 0, wxALIGN_RIGHT);
    return {exportButton, close};
}
