#include "rawdata/ui/EditRawDataRecord.h"

#include "core/DataExchange.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "rawdata/records/RawDataRecord.h"
#include "rawdata/ui/RawDataFieldListCtrl.h"
#include "rawdata/ui/RawDataRecordComboBoxEx.h"
#include "rawdata/ui/RawPanels.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

CEditRawDataRecord::CEditRawDataRecord(int32_t line)
    : CRawDataPanel(EditRawDataTemplate, "Edit Raw Data Records"), m_initialLine(line),
      m_model(CDataFileDoc::GetActiveDoc())
{
}

CEditRawDataRecord::~CEditRawDataRecord() = default;

void CEditRawDataRecord::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(new wxStaticText(this, wxID_ANY, "Line No."), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    m_lineNumber = new wxStaticText(this, LineNumberId, "");
    m_lineNumber->SetFont(m_lineNumber->GetFont().Bold());
    top->Add(m_lineNumber, 1, wxALIGN_CENTER_VERTICAL);
    sizer->Add(top, 0, wxEXPAND | wxBOTTOM, 6);
    // The chooser takes the whole width: the toolkit cuts a long type name at its start.
    sizer->Add(new wxStaticText(this, wxID_ANY, "Record Type"), 0, wxBOTTOM, 2);
    m_types = new CRawDataRecordComboBoxEx(this, TypeChooserId, raw_panels::Icons());
    sizer->Add(m_types, 0, wxEXPAND | wxBOTTOM, 6);

    m_deleted = new wxCheckBox(this, DeletedId, "Mark as Deleted");
    sizer->Add(m_deleted, 0, wxBOTTOM, 6);

    auto* fieldsBox = new wxStaticBoxSizer(wxVERTICAL, this, "Record Fields");
    m_fields = new CRawDataFieldListCtrl(fieldsBox->GetStaticBox(), FieldEditorId);
    m_fields->SetMinSize(wxSize(-1, 240));
    fieldsBox->Add(m_fields, 1, wxEXPAND | wxALL, 1);
    sizer->Add(fieldsBox, 1, wxEXPAND | wxBOTTOM, 6);

    m_lineText = new wxTextCtrl(this, LineTextId, "", wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    sizer->Add(m_lineText, 0, wxEXPAND | wxBOTTOM, 6);

    auto* apply = new wxButton(this, ApplyId, "Apply");
    sizer->Add(apply, 0, wxALIGN_RIGHT | wxBOTTOM, 6);

    sizer->Add(MakeJumpBox({JumpTarget::Reduce, ReduceId}, {JumpTarget::Find, FindId}), 0, wxEXPAND | wxBOTTOM, 6);

    auto* close = new wxButton(this, CloseId, "Close");
    sizer->Add(close, 0, wxALIGN_RIGHT);
    SetSizer(sizer);

    apply->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnApply(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    m_types->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnTypeChanged(); });
    AddPreferredControl(m_types);
}

bool CEditRawDataRecord::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    m_model.Load(m_initialLine);
    LoadControls();
    return true;
}

void CEditRawDataRecord::SetLineText(const std::string& text)
{
    m_lineText->ChangeValue(wxString::FromUTF8(text));
    // The tip shows the whole line, cut as every tip is.
    m_lineText->SetToolTip(wxString::FromUTF8(text.substr(0, MaxTipLength)));
}

void CEditRawDataRecord::LoadControls()
{
    if (!m_fields)
        return;
    m_ready = false;
    m_types->Enable(true);
    if (CNikonRawDataRecord* record = m_model.GetEditorRecord()) {
        const int32_t type = m_model.GetRecordType();
        m_types->SetSelection(type >= 0 && type < int32_t(m_types->GetCount()) ? type : wxNOT_FOUND);
        m_fields->Build(*record, m_model.GetSetup());
        SetLineText(m_model.GetLineText());
        m_deleted->SetValue(m_model.IsDeleted());
        m_lineNumber->SetLabel(wxString::Format("%d", int(m_model.GetShownLineNumber())));
    }
    Layout();
    m_ready = true;
}

void CEditRawDataRecord::OnTypeChanged()
{
    if (!m_ready || !CDataFileDoc::GetActiveDoc() || !m_model.IsLoaded())
        return;
    const int selection = m_types->GetSelection();
    if (selection < 0)
        return;
    m_model.SwitchType(selection, m_fields->GetEntries());
    if (CNikonRawDataRecord* record = m_model.GetEditorRecord())
        m_fields->Build(*record, m_model.GetSetup());
    SetLineText(m_model.GetLineText());
}

void CEditRawDataRecord::OnApply()
{
    if (!m_model.IsLoaded())
        return;
    switch (m_model.Apply(m_deleted->GetValue(), m_fields->GetEntries())) {
    case CRawEditRecordModel::ApplyResult::Applied:
        SetLineText(m_model.GetLineText());
        break;
    case CRawEditRecordModel::ApplyResult::Invalid:
        RunDataExchange(*this, true, [](CDataExchange& dx) { ShowDdxError(&dx, FieldEditorId, "Invalid Record"); });
        break;
    case CRawEditRecordModel::ApplyResult::Reloaded:
        LoadControls();
        break;
    case CRawEditRecordModel::ApplyResult::NoLine:
        break;
    }
}

void CEditRawDataRecord::TakeOver(CStackPanel* newPanel)
{
    auto* other = dynamic_cast<CEditRawDataRecord*>(newPanel);
    if (!other)
        return;
    m_types->Enable(true);
    if (m_model.Load(other->m_initialLine))
        LoadControls();
}


void CEditRawDataRecord::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    CStackableDialog::OnNotify(sender, code, parameter);
    if (code == HintUndoBegin)
        m_model.BeforeUndo();
    else if (code == HintUndoDone && m_model.AfterUndo())
        LoadControls();
}
