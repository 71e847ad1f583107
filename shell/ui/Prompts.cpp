#include "shell/ui/Prompts.h"

#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/PathHelpers.h"
#include "core/TextFieldExchange.h"
#include "framework/ui/EasyEdit.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "rawdata/records/RawDataRecord.h"
#include "shell/ui/MorvelApp.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <strings.h>

std::string WithJobExtension(const std::string& name)
{
    if (::strcasecmp(GetPathExtensionWithDot(GetPathFileName(name)).c_str(), ".Mvj") == 0)
        return name;
    return name + ".Mvj";
}

// --- Confirmations.

CSingleConfirm::CSingleConfirm(wxWindow* parent) : CSingleConfirm(parent, false) {}

CSingleConfirm::CSingleConfirm(wxWindow* parent, bool multiple)
    : wxDialog(parent, wxID_ANY, "Caption Text"), m_multiple(multiple)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(new wxStaticBitmap(this, IdIcon, wxBitmap()), 0, wxALL, FromDIP(8));
    top->Add(new wxStaticText(this, IdText, wxString(), wxDefaultPosition, FromDIP(wxSize(300, -1))), 1,
             wxALL | wxEXPAND, FromDIP(8));
    sizer->Add(top, 1, wxEXPAND);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    AddButton(row, IdYes, "&Yes");
    AddButton(row, IdNo, "&No");
    if (multiple) {
        AddButton(row, CMultipleConfirm::IdYesToAll, "Y&es to All");
        AddButton(row, CMultipleConfirm::IdNoToAll, "N&o to All");
    }
    AddButton(row, wxID_CANCEL, "Cancel");
    sizer->Add(row, 0, wxALIGN_RIGHT | wxALL, FromDIP(4));
    SetSizerAndFit(sizer);
    SetEscapeId(wxID_CANCEL);
}

void CSingleConfirm::AddButton(wxSizer* row, int id, const char* label)
{
    auto* button = new wxButton(this, id, label);
    button->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { EndModal(id); });
    row->Add(button, 0, wxALL, FromDIP(4));
}

void CSingleConfirm::Prepare()
{
    if (!m_caption.empty())
        SetTitle(ToWx(m_caption));
    if (!m_text.empty())
        FindWindow(IdText)->SetLabel(ToWx(m_text));
    auto* app = dynamic_cast<CMorvelApp*>(wxTheApp);
    if (m_iconId != 0 && app)
        if (const wxBitmap* icon = app->GetIcon(m_iconId, false))
            static_cast<wxStaticBitmap*>(FindWindow(IdIcon))->SetBitmap(*icon);
    GetSizer()->Fit(this);
    CentreOnParent();
}

int CSingleConfirm::DoModal()
{
    Prepare();
    const int result = RunModal(*this);
    return result == wxID_CANCEL ? IDCANCEL : result;
}

// --- Value prompt.

CPrompter::CPrompter(int kind) : CEasyDialog("Enter value"), m_kind(kind) {}

void CPrompter::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, IdLabel, ToWx(m_label)), 0, wxALL, FromDIP(6));
    m_edit = new CEasyEdit(this, IdValue);
    m_edit->SetMinSize(FromDIP(wxSize(240, -1)));
    sizer->Add(m_edit, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(6));
    SetSizerAndFit(sizer);
}

bool CPrompter::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    PositionNear();
    if (m_kind == 7 && m_edit)
        m_edit->m_nFocusSelection = CEasyEdit::CaretAtEndOnFocus;
    UpdateDataEx(false);
    return true;
}

void CPrompter::DoDataExchange(CDataExchange& dx)
{
    if (wxWindow* label = FindWindow(IdLabel))
        label->SetLabel(ToWx(m_label));
    switch (m_kind) {
    case 1:
    case 7:
        DDX_String(&dx, IdValue, m_text);
        if (m_maxLength > 0)
            DDV_MaxChars(&dx, IdValue, m_text, m_maxLength);
        if (m_kind == 7 && dx.m_bSaveAndValidate && m_rawLine >= 0)
            if (CDataFileDoc* job = CDataFileDoc::GetActiveDoc()) {
                CNikonRawDataRecord record(m_text);
                record.SetDocument(job);
                if (!record.DescribeLong(nullptr, m_rawLine, false, false, false)) {
                    ShowDdxError(&dx, IdValue, "Invalid Raw Data");
                    dx.Fail();
                }
            }
        break;
    case 2:
        DDX_DoubleDefaultPrecision(&dx, IdValue, m_value);
        break;
    case 3:
        DDX_WritableFolder(&dx, IdValue, m_text);
        break;
    case 4:
        DDX_NewPointName(&dx, IdValue, m_text);
        break;
    case 5:
        if (dx.m_bSaveAndValidate && m_edit) {
            const std::string typed = FromWx(m_edit->GetValue());
            const std::string named = WithJobExtension(typed);
            if (named != typed)
                m_edit->ChangeValue(ToWx(named));
        }
        DDX_FileName(&dx, IdValue, m_text);
        break;
    case 6:
        DDX_FileName(&dx, IdValue, m_text);
        break;
    default:
        break;
    }
}

// --- Distance unit prompt.

namespace {
constexpr const char* PrompterSection = "Prompter";
constexpr const char* DistanceUnitKey = "Distance Unit";
} // namespace

CDistanceUnitPrompter::CDistanceUnitPrompter() : CEasyDialog("Distance Unit")
{
    m_distanceUnit = GetAppProfile().GetProfileInt(PrompterSection, DistanceUnitKey, 0);
}

CDistanceUnitPrompter::~CDistanceUnitPrompter()
{
    GetAppProfile().WriteProfileInt(PrompterSection, DistanceUnitKey, m_distanceUnit);
}

void CDistanceUnitPrompter::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, "Select the distance unit used in the file:"), 0, wxALL, FromDIP(6));
    const wxString units[] = {"Meters", "Feet", "US Survey Feet"};
    m_choice = new wxChoice(this, IdUnit, wxDefaultPosition, wxDefaultSize, 3, units);
    sizer->Add(m_choice, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(6));
    SetSizerAndFit(sizer);
}

bool CDistanceUnitPrompter::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    UpdateDataEx(false);
    return true;
}

void CDistanceUnitPrompter::DoDataExchange(CDataExchange& dx)
{
    if (!m_choice)
        return;
    if (dx.m_bSaveAndValidate)
        m_distanceUnit = std::max(0, m_choice->GetSelection());
    else
        m_choice->SetSelection(m_distanceUnit >= 0 && m_distanceUnit <= 2 ? m_distanceUnit : 0);
}
