#include "rawdata/ui/RawDataFieldListCtrl.h"

#include "cogo/ui/AnchorFields.h"
#include "cogo/ui/CoordinateFields.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/EasyEdit.h"
#include "rawdata/records/RawDataField.h"
#include "rawdata/records/RawDataRecord.h"

#include <wx/datetime.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/valtext.h>

#include <cstdio>

namespace {

constexpr int TextLimit = 128;

bool IsChoiceKind(int32_t kind) { return kind >= ValueKindEnumeration && kind < ValueKindEnumeration + raw_enums::Count; }

bool IsTimeKind(int32_t kind) { return kind == 0 || kind == ValueKindTime; }

std::string TwoDigitTime(int h, int m, int s)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", h, m, s);
    return buffer;
}

bool ReadDayTime(const std::string& text, int* h, int* m, int* s)
{
    return ParseRawTime(text, h, m, s) && *h >= 0 && *h < 24 && *m >= 0 && *m < 60 && *s >= 0 && *s < 60;
}

} // namespace

// --- CRawTimeCtrl

CRawTimeCtrl::CRawTimeCtrl(wxWindow* parent, wxWindowID id, const wxString& time)
    : wxTextCtrl(parent, id, time), m_initial(time)
{
    SetMaxLength(8);
    Bind(wxEVT_KEY_DOWN, &CRawTimeCtrl::OnKeyDown, this);
}

std::string CRawTimeCtrl::GetTimeText() const
{
    const std::string text = GetValue().utf8_string();
    int h = 0, m = 0, s = 0;
    return ReadDayTime(text, &h, &m, &s) ? TwoDigitTime(h, m, s) : text;
}

void CRawTimeCtrl::Step(int part, int step)
{
    int h = 0, m = 0, s = 0;
    if (!ReadDayTime(GetValue().utf8_string(), &h, &m, &s))
        return;
    int seconds = h * 3600 + m * 60 + s + step * (part == 0 ? 3600 : part == 1 ? 60 : 1);
    seconds = ((seconds % 86400) + 86400) % 86400;
    const long caret = GetInsertionPoint();
    ChangeValue(wxString::FromUTF8(TwoDigitTime(seconds / 3600, seconds / 60 % 60, seconds % 60)));
    SetInsertionPoint(caret);
}

void CRawTimeCtrl::OnKeyDown(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_UP || key == WXK_DOWN) {
        const long caret = GetInsertionPoint();
        Step(caret <= 2 ? 0 : caret <= 5 ? 1 : 2, key == WXK_UP ? 1 : -1);
        return;
    }
    event.Skip();
}

// --- CRawDataFieldListCtrl

CRawDataFieldListCtrl::CRawDataFieldListCtrl(wxWindow* parent, wxWindowID id)
    : wxScrolledWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxVSCROLL | wxHSCROLL | wxTAB_TRAVERSAL)
{
    // The row height of a plain edit, measured once.
    auto* sample = new wxTextCtrl(this, wxID_ANY, "Sample");
    m_rowHeight = sample->GetBestSize().y;
    sample->Destroy();
    m_grid = new wxFlexGridSizer(2, 0, 16);
    m_grid->AddGrowableCol(1, 1);
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(m_grid, 0, wxEXPAND | wxALL, 4);
    SetSizer(outer);
    // Which field the surveyor typed in last, whatever the row.
    auto edited = [this](wxCommandEvent& event) {
        event.Skip();
        for (const CRawDataFieldWndPtr& row : m_rows)
            if (row.control == event.GetEventObject())
                m_lastEdited = row.control;
    };
    Bind(wxEVT_TEXT, edited);
    Bind(wxEVT_COMBOBOX, edited);
}

CRawDataFieldListCtrl::~CRawDataFieldListCtrl() = default;

void CRawDataFieldListCtrl::DestroyRows()
{
    m_grid->Clear(false);
    m_lastEdited = m_lastVisited = nullptr;
    for (CRawDataFieldWndPtr& row : m_rows) {
        if (row.control)
            row.control->Destroy();
        if (row.label)
            row.label->Destroy();
    }
    m_rows.clear();
}

CInteractiveControl* CRawDataFieldListCtrl::CreateSurveyField(int32_t kind, wxWindowID id, const wxString& text)
{
    switch (kind) {
    case 2:
        return new CHorizontalDistanceControl(this, id, text);
    case ValueKindHeight:
        return new CVerticalDistanceControl(this, id, text);
    case ValueKindSlopeDistance:
        return new CSlopeDistanceControl(this, id, text);
    case ValueKindAzimuth:
    case 6:
        return new CHorizontalAngleControl(this, id, text);
    case ValueKindAngleRight:
        return new CAngleRightControl(this, id, text);
    case ValueKindZenith:
        return new CZenithAngleControl(this, id, text);
    case ValueKindNorthing:
        return new CNorthingControl(this, id, text);
    case ValueKindEasting:
        return new CEastingControl(this, id, text);
    case ValueKindElevation:
        return new CElevationControl(this, id, text);
    case ValueKindPointName:
        return new CPointControl(this, id, text);
    default:
        return nullptr;
    }
}

wxWindow* CRawDataFieldListCtrl::CreateControl(const CRawFieldEntry& entry, bool comment, wxWindowID id)
{
    if (IsTimeKind(entry.kind)) {
        // A time that does not read shows the current time; the line keeps its text unless the
        // user changes it.
        const std::string shown = !entry.text.empty() ? entry.text : wxDateTime::Now().Format("%H:%M:%S").utf8_string();
        return new CRawTimeCtrl(this, id, wxString::FromUTF8(shown));
    }
    if (IsChoiceKind(entry.kind)) {
        auto* choice = new CEasyComboBox(this, id, wxCB_READONLY | wxCB_DROPDOWN);
        const int32_t enumeration = entry.kind - ValueKindEnumeration;
        for (int32_t i = 0; i < raw_enums::GetSize(enumeration); ++i)
            choice->AppendWithData(wxString::FromUTF8(raw_enums::NameAt(enumeration, i)),
                                   uint32_t(raw_enums::ValueAt(enumeration, i)));
        if (entry.choice >= 0)
            choice->SelectItemData(uint32_t(entry.choice));
        else
            choice->SetSelection(wxNOT_FOUND);
        return choice;
    }
    // The survey-value fields take picks too; they show and return the text as it stands in the
    // line, formatted for the line's own setup when a pick fills them.
    if (CInteractiveControl* field = CreateSurveyField(entry.kind, id, wxString::FromUTF8(entry.text))) {
        field->SetRawFormat(m_setup);
        field->SetMaxLength(TextLimit);
        return field;
    }
    const bool plain = entry.kind >= 13;
    const bool multiLine = plain && comment && entry.kind <= 15;
    CEasyEdit* edit = new CEasyEdit(this, id, wxString::FromUTF8(entry.text), multiLine ? wxTE_MULTILINE : 0);
    // A multi-line edit takes no limit from the toolkit.
    if (!multiLine)
        edit->SetMaxLength(TextLimit);
    if (entry.kind == 14)
        edit->SetValidator(wxTextValidator(wxFILTER_DIGITS));
    if (multiLine)
        edit->SetMinSize(wxSize(-1, m_rowHeight * 4));
    return edit;
}

void CRawDataFieldListCtrl::Build(CNikonRawDataRecord& record, const CRawDataSetup* setup)
{
    m_setup = setup;
    Freeze();
    DestroyRows();
    const bool comment = record.GetType() == RecordTypeComment;
    wxWindowID id = FirstControlId;
    wxWindow* previous = nullptr;
    for (CRawFieldEntry& entry : BuildRawFieldEntries(record)) {
        CRawDataFieldWndPtr row;
        row.label = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(entry.label));
        row.control = CreateControl(entry, comment, id++);
        row.control->Bind(wxEVT_SET_FOCUS, [this, control = row.control](wxFocusEvent& event) {
            m_lastVisited = control;
            event.Skip();
        });
        m_grid->Add(row.label, 0, wxALIGN_CENTER_VERTICAL | wxALIGN_LEFT);
        m_grid->Add(row.control, 0, wxEXPAND);
        // Tab order in field order.
        if (previous)
            row.control->MoveAfterInTabOrder(previous);
        previous = row.control;
        row.entry = std::move(entry);
        m_rows.push_back(std::move(row));
    }
    m_grid->SetVGap(m_rowHeight / 4);
    SetScrollRate(m_rowHeight * 2, m_rowHeight * 5 / 4);
    FitInside();
    Layout();
    Scroll(0, 0);
    Thaw();
}

void CRawDataFieldListCtrl::SetFocus()
{
    wxWindow* target = m_lastEdited ? m_lastEdited : m_lastVisited;
    if (!target && !m_rows.empty())
        target = m_rows.front().control;
    if (!target || !target->IsEnabled()) {
        wxScrolledWindow::SetFocus();
        return;
    }
    // Asked again while the field has the keyboard: what is typed there already stays.
    if (wxWindow::FindFocus() == target)
        return;
    target->SetFocus();
    if (auto* entry = dynamic_cast<wxTextEntry*>(target)) {
        if (target == m_lastEdited)
            entry->SelectAll();
        else
            entry->SetInsertionPointEnd();
    }
}

std::vector<CRawFieldEntry> CRawDataFieldListCtrl::GetEntries() const
{
    std::vector<CRawFieldEntry> entries;
    entries.reserve(m_rows.size());
    for (const CRawDataFieldWndPtr& row : m_rows) {
        CRawFieldEntry entry = row.entry;
        if (auto* time = dynamic_cast<CRawTimeCtrl*>(row.control)) {
            entry.text = time->GetTimeText();
            entry.timeChanged = time->IsChanged();
        } else if (auto* choice = dynamic_cast<CEasyComboBox*>(row.control)) {
            const int at = choice->GetSelection();
            entry.choice = at == wxNOT_FOUND ? -1 : int32_t(choice->GetItemData(unsigned(at)));
        } else if (auto* edit = dynamic_cast<wxTextCtrl*>(row.control)) {
            entry.text = edit->GetValue().utf8_string();
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool CRawDataFieldListCtrl::Collect(CRawDataRecord& record, int32_t type)
{
    return CollectRawFields(record, type, GetEntries());
}

void CRawDataFieldListCtrl::SetRowText(size_t i, const std::string& text)
{
    if (i >= m_rows.size())
        return;
    if (auto* edit = dynamic_cast<wxTextCtrl*>(m_rows[i].control))
        edit->SetValue(wxString::FromUTF8(text));
}

void CRawDataFieldListCtrl::SetRowChoice(size_t i, int32_t value)
{
    if (i >= m_rows.size())
        return;
    if (auto* choice = dynamic_cast<CEasyComboBox*>(m_rows[i].control)) {
        if (value < 0)
            choice->SetSelection(wxNOT_FOUND);
        else
            choice->SelectItemData(uint32_t(value));
    }
}
