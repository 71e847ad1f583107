#include "cogo/ui/PointInDirection.h"

#include "cogo/ui/AnchorFields.h"
#include "cogo/ui/CogoPanels.h"
#include "cogo/ui/CoordinateFields.h"
#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/TextFieldExchange.h"
#include "model/DataFileDoc.h"
#include "views/ScratchGeometry.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/textwrapper.h>

namespace {

// The fields kept from one opening to the next while the program runs; the store name is
// proposed afresh each time.
struct Remembered
{
    std::string from;
    double direction = 1.5707963267948966, angle = 0, distance = NoValue, rise = 0;
    int store = 1;
    std::string description = "Pt in Dir";
    int traverse = 1;
};

Remembered& Kept()
{
    static Remembered kept;
    return kept;
}

constexpr const char* TraverseText = "Automatically advance From Point to Store Point after solving. (Traverse Mode)";

// The text broken into lines no wider than the width in the window's font.
wxString WrapToWidth(wxWindow& window, const wxString& text, int width)
{
    class Joiner : public wxTextWrapper
    {
    public:
        wxString result;

    protected:
        void OnOutputLine(const wxString& line) override { result += line; }
        void OnNewLine() override { result += '\n'; }
    } joiner;
    joiner.Wrap(&window, text, width);
    return joiner.result;
}

} // namespace

CPointInDirection::CPointInDirection() : CStackableDialog(TemplateId, "Point In Direction"), m_command(&GetReport())
{
    const Remembered& k = Kept();
    m_command.fromPoint = k.from;
    m_command.direction = k.direction;
    m_command.angle = k.angle;
    m_command.distance = k.distance;
    m_command.rise = k.rise;
    m_command.store = k.store;
    m_command.description = k.description;
    m_command.traverse = k.traverse;
    if (CDataFileDoc* doc = CDataFileDoc::GetActiveDoc())
        m_command.ProposeStoreName(*doc);
}

void CPointInDirection::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(2, FromDIP(4), FromDIP(6));
    grid->AddGrowableCol(1);
    auto field = [&](const char* label, int id) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        wxTextCtrl* text = nullptr;
        switch (id) {
        case IdFrom: text = new CExistingPointControl(this, id); break;
        case IdDirection: text = new CHorizontalAngleControl(this, id); break;
        case IdAngle: text = new CSignedAngleRightControl(this, id); break;
        case IdDistance: text = new CHorizontalDistanceControl(this, id); break;
        default: text = new CVerticalDistanceControl(this, id); break;
        }
        grid->Add(text, 1, wxEXPAND);
        // The results belong to the input they came from.
        text->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
            if (!m_updating)
                ShowResults("-----", "-----", "-----");
        });
    };
    field("From Pt Name:", IdFrom);
    field("Direction:", IdDirection);
    field("+/- Angle:", IdAngle);
    field("Horizontal Distance:", IdDistance);
    field("Elevation Change:", IdRise);
    for (auto [label, id] : {std::pair{"Northing:", IdNorth}, {"Easting:", IdEast}, {"Elevation:", IdElevation}}) {
        grid->Add(new wxStaticText(this, wxID_ANY, label));
        auto* value = new wxStaticText(this, id, "-----");
        value->SetFont(value->GetFont().Bold());
        grid->Add(value);
    }
    sizer->Add(grid, 0, wxEXPAND | wxALL, FromDIP(6));
    m_store = new wxCheckBox(this, IdStore, "Store point:");
    sizer->Add(m_store, 0, wxLEFT | wxRIGHT, FromDIP(6));
    auto* store = new wxFlexGridSizer(2, FromDIP(4), FromDIP(6));
    store->AddGrowableCol(1);
    store->Add(new wxStaticText(this, IdNameLabel, "Pt Name:"), 0, wxALIGN_CENTER_VERTICAL);
    store->Add(new CPointControl(this, IdName), 1, wxEXPAND);
    store->Add(new wxStaticText(this, IdDescriptionLabel, "Description:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* description = new CDescriptionControl(this, IdDescription);
    description->SetMaxLength(16);
    store->Add(description, 1, wxEXPAND);
    sizer->Add(store, 0, wxEXPAND | wxALL, FromDIP(6));
    m_traverse = new wxCheckBox(this, IdTraverse, TraverseText);
    // A check box does not wrap its text: broken into lines as wide as the fields above it.
    const int box = m_traverse->GetBestSize().x - m_traverse->GetTextExtent(TraverseText).x;
    m_traverse->SetLabel(WrapToWidth(*m_traverse, TraverseText, grid->CalcMin().x - box));
    sizer->Add(m_traverse, 0, wxLEFT | wxRIGHT, FromDIP(6));
    m_store->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateStore(true); });

    AddCogoPanelButtons(*this, sizer, FromDIP(6));
    SetSizer(sizer);
    AddPreferredControl(FindWindow(IdFrom));
}

bool CPointInDirection::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    UpdateDataEx(false);
    FindWindow(IdFrom)->SetFocus();
    return true;
}

void CPointInDirection::UpdateStore(bool focus)
{
    const bool on = m_store->GetValue();
    for (int id : {IdName, IdDescription, IdTraverse, IdNameLabel, IdDescriptionLabel})
        FindWindow(id)->Enable(on);
    if (!focus)
        return;
    if (on)
        FindWindow(IdName)->SetFocus();
    else
        RestoreActiveControl();
}

void CPointInDirection::DoDataExchange(CDataExchange& dx)
{
    const bool save = dx.m_bSaveAndValidate;
    m_updating = true;
    CPointInDirectionCommand& c = m_command;
    try {
        DDX_ExistingPointName(&dx, IdFrom, c.fromPoint);
        DDX_HorizontalAngleOrBearing(&dx, IdDirection, c.direction);
        DDX_AngleRight(&dx, IdAngle, c.angle);
        DDX_Distance(&dx, IdDistance, c.distance);
        DDX_VerticalDistance(&dx, IdRise, c.rise);
        if (save)
            c.store = m_store->GetValue();
        else
            m_store->SetValue(c.store != 0);
        if (c.store || !save) {
            DDX_PointNameMayExist(&dx, IdName, c.storeName);
            DDX_Description(&dx, IdDescription, c.description);
            if (save)
                c.traverse = m_traverse->GetValue();
            else
                m_traverse->SetValue(c.traverse != 0);
        }
    } catch (...) {
        m_updating = false;
        throw;
    }
    m_updating = false;
    if (!save)
        UpdateStore();
}

void CPointInDirection::ShowResults(const std::string& north, const std::string& east, const std::string& elevation)
{
    FindWindow(IdNorth)->SetLabel(wxString::FromUTF8(north));
    FindWindow(IdEast)->SetLabel(wxString::FromUTF8(east));
    FindWindow(IdElevation)->SetLabel(wxString::FromUTF8(elevation));
}

void CPointInDirection::OnOK()
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    if (doc == nullptr || !UpdateDataEx(true))
        return;
    CMapScratchSink scratch;
    CCogoMessage message;
    if (!m_command.Solve(*doc, scratch, &message)) {
        CDataExchange dx(this, true);
        ShowDdxError(&dx, message.field, message.text);
        return;
    }
    scratch.Flush();
    m_updating = true;
    ShowResults(m_command.northing, m_command.easting, m_command.elevation);
    static_cast<wxTextCtrl*>(FindWindow(IdFrom))->ChangeValue(wxString::FromUTF8(m_command.fromPoint));
    static_cast<wxTextCtrl*>(FindWindow(IdName))->ChangeValue(wxString::FromUTF8(m_command.storeName));
    m_updating = false;
    FindWindow(IdFrom)->SetFocus();
    GetReport().ShowInMessageBar(true, true);
}

CPointInDirection::~CPointInDirection()
{
    // Kept however the panel goes: Close, Escape, or the side bar taking it with the job.
    const CPointInDirectionCommand& c = m_command;
    Kept() = {c.fromPoint, c.direction, c.angle, c.distance, c.rise, c.store, c.description, c.traverse};
}

void CPointInDirection::OnGraphicDataReceived()
{
    // Picks walk from point, direction, angle, distance, elevation change; the last one solves.
    wxWindow* focus = PickedField(*this);
    const int id = focus ? focus->GetId() : 0;
    const int chain[] = {IdFrom, IdDirection, IdAngle, IdDistance, IdRise};
    for (size_t i = 0; i + 1 < std::size(chain); ++i)
        if (id == chain[i]) {
            FindWindow(chain[i + 1])->SetFocus();
            return;
        }
    if (id == IdRise)
        OnOK();
}
