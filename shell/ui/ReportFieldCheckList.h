#pragma once

#include "framework/ui/CheckListBox.h"
#include "shell/ReportFieldList.h"

#include <functional>
#include <string>
#include <vector>

// The check list of a report's optional fields (control 2805): item data is the field type, the
// user ticks fields and drags them into order.
class CReportFieldCheckList : public CEasyCheckListBox
{
public:
    static constexpr int ControlId = 2805;

    CReportFieldCheckList(wxWindow* parent, std::function<std::string(int32_t type)> text);

    void Fill(const std::vector<ReportField>& fields);
    std::vector<ReportField> GetFields() const;

private:
    std::function<std::string(int32_t)> m_text;
};

class CStackableDialog;
class wxSizer;

// The buttons under a report panel: "View Report" (1071) and "Edit Report" (1072) side by side,
// each building the report (true for view), then "Close" (the panel's Cancel) on the right.
void AddReportPanelButtons(CStackableDialog& panel, wxSizer* sizer, const std::function<void(bool view)>& build);
