#include "shell/ui/ReportFieldCheckList.h"

#include "framework/ui/StackableDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>

CReportFieldCheckList::CReportFieldCheckList(wxWindow* parent, std::function<std::string(int32_t type)> text)
    : CEasyCheckListBox(parent, ControlId, ClickAnywhere | DragToReorder), m_text(std::move(text))
{
}

void CReportFieldCheckList::Fill(const std::vector<ReportField>& fields)
{
    Clear();
    for (const ReportField& field : fields) {
        const int item = Append(wxString::FromUTF8(m_text(field.type)));
        SetClientData(unsigned(item), reinterpret_cast<void*>(static_cast<intptr_t>(field.type)));
        Check(unsigned(item), field.checked);
    }
}

std::vector<ReportField> CReportFieldCheckList::GetFields() const
{
    std::vector<ReportField> fields;
    for (unsigned i = 0; i < GetCount(); ++i)
        fields.push_back({int32_t(reinterpret_cast<intptr_t>(GetClientData(i))), IsChecked(i)});
    return fields;
}

void AddReportPanelButtons(CStackableDialog& panel, wxSizer* sizer, const std::function<void(bool view)>& build)
{
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* view = new wxButton(&panel, 1071, "View Report");
    auto* edit = new wxButton(&panel, 1072, "Edit Report");
    buttons->Add(view, 1, wxRIGHT, 6);
    buttons->Add(edit, 1);
    sizer->Add(buttons, 0, wxEXPAND | wxBOTTOM, 6);
    auto* close = new wxButton(&panel, wxID_ANY, "Close");
    sizer->Add(close, 0, wxALIGN_RIGHT);
    view->Bind(wxEVT_BUTTON, [build](wxCommandEvent&) { build(true); });
    edit->Bind(wxEVT_BUTTON, [build](wxCommandEvent&) { build(false); });
    close->Bind(wxEVT_BUTTON, [&panel](wxCommandEvent&) { panel.OnCancel(); });
}
