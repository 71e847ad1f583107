#include "cogo/ui/Intersection.h"

#include "cogo/ui/AnchorFields.h"
#include "cogo/ui/CogoPanels.h"
#include "cogo/ui/CoordinateFields.h"
#include "cogo/ui/PointExists.h"
#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/TextFieldExchange.h"
#include "model/DataFileDoc.h"
#include "platform/MessageBox.h"
#include "views/ScratchGeometry.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

// The fields kept from one opening to the next while the program runs.
struct Remembered
{
    std::string baseA, baseB;
    double directionA = CIntersectionCommand::DefaultDirection, directionB = CIntersectionCommand::DefaultDirection;
    double distanceA = NoValue, distanceB = NoValue;
    int modeA = 0, modeB = 0, storeC = 1, storeD = 1;
    std::string descriptionC = "I-sect Pt C", descriptionD = "I-sect Pt D";
};

Remembered& Kept()
{
    static Remembered kept;
    return kept;
}

} // namespace

CIntersection::CIntersection() : CStackableDialog(TemplateId, "Intersection"), m_command(&GetReport())
{
    const Remembered& k = Kept();
    m_command.baseA = k.baseA;
    m_command.baseB = k.baseB;
    m_command.directionA = k.directionA;
    m_command.directionB = k.directionB;
    m_command.distanceA = k.distanceA;
    m_command.distanceB = k.distanceB;
    m_command.modeA = k.modeA;
    m_command.modeB = k.modeB;
    m_command.storeC = k.storeC;
    m_command.storeD = k.storeD;
    m_command.descriptionC = k.descriptionC;
    m_command.descriptionD = k.descriptionD;
    if (CDataFileDoc* doc = CDataFileDoc::GetActiveDoc())
        m_command.ProposeStoreNames(*doc);
}

CIntersection::~CIntersection()
{
    // Kept however the panel goes: Close, Escape, or the side bar taking it with the job.
    Remembered& k = Kept();
    const CIntersectionCommand& c = m_command;
    k = {c.baseA, c.baseB, c.directionA, c.directionB, c.distanceA, c.distanceB, c.modeA, c.modeB,
         c.storeC, c.storeD, c.descriptionC, c.descriptionD};
}

void CIntersection::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto line = [&](const char* title, int base, int dirMode, int distMode, int dir, int dist, int angleUnit,
                    int distUnit, wxRadioButton** modes) {
        auto* box = new wxStaticBoxSizer(wxVERTICAL, this, title);
        wxWindow* w = box->GetStaticBox();
        auto* grid = new wxFlexGridSizer(3, FromDIP(4), FromDIP(6));
        grid->AddGrowableCol(1);
        grid->Add(new wxStaticText(w, wxID_ANY, "Base Point:"), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new CExistingPointControl(w, base), 1, wxEXPAND);
        grid->AddSpacer(0);
        modes[0] = new wxRadioButton(w, dirMode, "Direction:", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
        grid->Add(modes[0], 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new CHorizontalAngleControl(w, dir), 1, wxEXPAND);
        grid->Add(new wxStaticText(w, angleUnit, "Angle"), 0, wxALIGN_CENTER_VERTICAL);
        modes[1] = new wxRadioButton(w, distMode, "Distance:");
        grid->Add(modes[1], 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new CHorizontalDistanceControl(w, dist), 1, wxEXPAND);
        grid->Add(new wxStaticText(w, distUnit, "Dist"), 0, wxALIGN_CENTER_VERTICAL);
        box->Add(grid, 1, wxEXPAND | wxALL, FromDIP(4));
        sizer->Add(box, 0, wxEXPAND | wxALL, FromDIP(4));
        // A chosen mode takes the keyboard to its field.
        modes[0]->Bind(wxEVT_RADIOBUTTON, [this, dir](wxCommandEvent&) { UpdateModes(dir); });
        modes[1]->Bind(wxEVT_RADIOBUTTON, [this, dist](wxCommandEvent&) { UpdateModes(dist); });
    };
    line("Line A", IdBaseA, IdDirModeA, IdDistModeA, IdDirectionA, IdDistanceA, IdAngleUnitA, IdDistUnitA, &m_mode[0]);
    line("Line B", IdBaseB, IdDirModeB, IdDistModeB, IdDirectionB, IdDistanceB, IdAngleUnitB, IdDistUnitB, &m_mode[2]);

    auto* results = new wxStaticBoxSizer(wxVERTICAL, this, "Results");
    wxWindow* w = results->GetStaticBox();
    auto solution = [&](const char* store, int storeId, int name, int nameLabel, int description,
                        int descriptionLabel, int north, int east, wxCheckBox** box) {
        auto* group = new wxBoxSizer(wxVERTICAL);
        *box = new wxCheckBox(w, storeId, store);
        group->Add(*box, 0, wxALL, FromDIP(2));
        auto* grid = new wxFlexGridSizer(2, FromDIP(4), FromDIP(6));
        grid->AddGrowableCol(1);
        grid->Add(new wxStaticText(w, nameLabel, "Pt Name:"), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new CEasyEdit(w, name), 1, wxEXPAND);
        grid->Add(new wxStaticText(w, descriptionLabel, "Description:"), 0, wxALIGN_CENTER_VERTICAL);
        auto* text = new CDescriptionControl(w, description);
        text->SetMaxLength(16);
        grid->Add(text, 1, wxEXPAND);
        grid->Add(new wxStaticText(w, wxID_ANY, "Northing:"));
        grid->Add(new wxStaticText(w, north, wxString()));
        grid->Add(new wxStaticText(w, wxID_ANY, "Easting:"));
        grid->Add(new wxStaticText(w, east, wxString()));
        group->Add(grid, 1, wxEXPAND | wxALL, FromDIP(4));
        results->Add(group, 0, wxEXPAND | wxALL, FromDIP(2));
        // A ticked box takes the keyboard to the name it stores under.
        (*box)->Bind(wxEVT_CHECKBOX, [this, name](wxCommandEvent& e) { UpdateModes(e.IsChecked() ? name : 0); });
    };
    solution("Store point C:", IdStoreC, IdNameC, IdNameLabelC, IdDescriptionC, IdDescriptionLabelC, IdNorthC, IdEastC,
             &m_storeC);
    solution("Store point D:", IdStoreD, IdNameD, IdNameLabelD, IdDescriptionD, IdDescriptionLabelD, IdNorthD, IdEastD,
             &m_storeD);
    sizer->Add(results, 0, wxEXPAND | wxALL, FromDIP(4));
    for (int id : {IdNorthC, IdEastC, IdNorthD, IdEastD}) {
        wxFont bold = FindWindow(id)->GetFont();
        FindWindow(id)->SetFont(bold.Bold());
    }
    // Edits of the input empty the results, which no longer belong to them.
    for (int id : {IdBaseA, IdBaseB, IdDistanceA, IdDistanceB, IdDirectionA, IdDirectionB})
        FindWindow(id)->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
            m_command.northingC = m_command.eastingC = m_command.northingD = m_command.eastingD = "";
            ShowResults();
        });

    AddCogoPanelButtons(*this, sizer, FromDIP(4));
    SetSizer(sizer);
    AddPreferredControl(FindWindow(IdBaseA));
}

bool CIntersection::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    UpdateDataEx(false);
    UpdateModes(0);
    // Asked of the bar, as the base asked for the panel's first control: the bar grants the last
    // request once the panel shows, where a focus set now would be taken back.
    SetActiveControl(FindWindow(IdBaseA));
    return true;
}

void CIntersection::UpdateModes(int focusId)
{
    if (!m_mode[0])
        return;
    const bool distA = m_mode[1]->GetValue(), distB = m_mode[3]->GetValue();
    FindWindow(IdDirectionA)->Enable(!distA);
    FindWindow(IdDistanceA)->Enable(distA);
    FindWindow(IdDirectionB)->Enable(!distB);
    FindWindow(IdDistanceB)->Enable(distB);
    // Two straight lines meet once: there is no D to store.
    m_storeD->Enable(distA || distB);
    const bool c = m_storeC->GetValue();
    const bool d = m_storeD->GetValue() && m_storeD->IsEnabled();
    for (int id : {IdNameC, IdDescriptionC, IdNameLabelC, IdDescriptionLabelC})
        FindWindow(id)->Enable(c);
    for (int id : {IdNameD, IdDescriptionD, IdNameLabelD, IdDescriptionLabelD})
        FindWindow(id)->Enable(d);
    wxWindow* target = focusId != 0 ? FindWindow(focusId) : nullptr;
    if (target != nullptr && target->IsEnabled())
        target->SetFocus();
}

void CIntersection::DoDataExchange(CDataExchange& dx)
{
    const bool save = dx.m_bSaveAndValidate;
    CIntersectionCommand& c = m_command;
    if (save) {
        c.modeA = m_mode[1]->GetValue() ? 1 : 0;
        c.modeB = m_mode[3]->GetValue() ? 1 : 0;
        c.storeC = m_storeC->GetValue();
        c.storeD = m_storeD->GetValue();
    } else {
        m_mode[c.modeA == 1 ? 1 : 0]->SetValue(true);
        m_mode[c.modeB == 1 ? 3 : 2]->SetValue(true);
        m_storeC->SetValue(c.storeC != 0);
        m_storeD->SetValue(c.storeD != 0);
    }
    auto lineFields = [&](int base, int dist, int dir, std::string& name, double& distance, double& direction,
                          int mode) {
        DDX_ExistingPointName(&dx, base, name);
        if (mode == 1 || !save) {
            DDX_HorizontalDistance(&dx, dist, distance);
            if (save)
                DDV_GreaterThan(&dx, dist, distance, 0.0, 1, 4);
        }
        if (mode == 0 || !save)
            DDX_HorizontalAngleOrBearing(&dx, dir, direction);
    };
    lineFields(IdBaseA, IdDistanceA, IdDirectionA, c.baseA, c.distanceA, c.directionA, c.modeA);
    lineFields(IdBaseB, IdDistanceB, IdDirectionB, c.baseB, c.distanceB, c.directionB, c.modeB);
    if (c.storeC || !save) {
        DDX_PointNameMayExist(&dx, IdNameC, c.storeNameC);
        DDX_Description(&dx, IdDescriptionC, c.descriptionC);
    }
    if ((c.storeD && m_storeD->IsEnabled()) || !save) {
        // One name for both points would store D over C: only another name will do.
        if (save && c.StoreNamesClash()) {
            CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
            const std::string typed = static_cast<wxTextCtrl*>(FindWindow(IdNameD))->GetValue().utf8_string();
            std::string chosen;
            const std::string proposal = doc ? doc->NextFreePointName(c.storeNameC, true, 1) : std::string();
            if (CPointExists::AskWithoutOverwrite(typed, proposal, &chosen) != PointExistsUseChosen) {
                dx.PrepareEditCtrl(IdNameD);
                dx.Fail();
            }
            c.storeNameD = chosen;
            static_cast<wxTextCtrl*>(FindWindow(IdNameD))->ChangeValue(chosen);
        }
        DDX_PointNameMayExist(&dx, IdNameD, c.storeNameD);
        DDX_Description(&dx, IdDescriptionD, c.descriptionD);
    }
    // Setting the buttons sends no clicks: bring the fields in line with them.
    if (!save)
        UpdateModes(0);
}

void CIntersection::ShowResults()
{
    const std::pair<int, const std::string*> texts[] = {{IdNorthC, &m_command.northingC}, {IdEastC, &m_command.eastingC},
                                                         {IdNorthD, &m_command.northingD}, {IdEastD, &m_command.eastingD}};
    for (const auto& [id, text] : texts)
        if (wxWindow* w = FindWindow(id))
            w->SetLabel(wxString::FromUTF8(*text));
}

void CIntersection::OnOK()
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    if (doc == nullptr || !UpdateDataEx(true))
        return;
    CMapScratchSink scratch;
    CCogoMessage message;
    const bool solved = m_command.Solve(*doc, scratch, &message);
    scratch.Flush();
    ShowResults();
    if (!solved && message.field != 0) {
        CDataExchange dx(this, true);
        if (!message.text.empty())
            ShowDdxError(&dx, message.field, message.text);
        return;
    }
    if (!solved)
        ShowMessageBoxFS(message.text, MB_OK | MB_ICONERROR);
    // The proposed names follow the stores.
    static_cast<wxTextCtrl*>(FindWindow(IdNameC))->ChangeValue(wxString::FromUTF8(m_command.storeNameC));
    static_cast<wxTextCtrl*>(FindWindow(IdNameD))->ChangeValue(wxString::FromUTF8(m_command.storeNameD));
    GetReport().ShowInMessageBar(true, true);
}

void CIntersection::OnGraphicDataReceived()
{
    // A pick moves on along the chain A, line A, B, line B; the last one solves.
    wxWindow* focus = PickedField(*this);
    const int id = focus ? focus->GetId() : 0;
    const bool distA = m_mode[1]->GetValue(), distB = m_mode[3]->GetValue();
    if (id == IdBaseA)
        FindWindow(distA ? IdDistanceA : IdDirectionA)->SetFocus();
    else if (id == IdDirectionA || id == IdDistanceA)
        FindWindow(IdBaseB)->SetFocus();
    else if (id == IdBaseB)
        FindWindow(distB ? IdDistanceB : IdDirectionB)->SetFocus();
    else if (id == IdDirectionB || id == IdDistanceB)
        OnOK();
}
