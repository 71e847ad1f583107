#include "shell/ui/ReportFieldCheckList.h"

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
