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
