#include "shell/ui/ReportPanelCommands.h"

#include "shell/ui/CoordinateReport.h"
#include "shell/ui/CutSheetReport.h"

std::vector<PanelCommandRow>& ReportPanelCommandRows()
{
    static std::vector<PanelCommandRow> rows = {
        {7389, CCoordinateReport::TemplateId, [] { return static_cast<CStackableDialog*>(new CCoordinateReport); }},
        {7384, CCutSheetReport::TemplateId, [] { return static_cast<CStackableDialog*>(new CCutSheetReport); }},
    };
    return rows;
}

const PanelCommandRow* FindPanelCommandRow(int command)
{
    for (const PanelCommandRow& row : ReportPanelCommandRows())
        if (row.command == command)
            return &row;
    return nullptr;
}
