#pragma once

#include "framework/ui/StackableDialog.h"
#include "model/SelectionDescription.h"
#include "shell/ReportFieldList.h"

#include <vector>

class CGeneralSelectionChip;
class CReportFieldCheckList;

// The "Coordinate Report" panel: the selected points with the fields the user ticks, in the
// order the user drags them; the choice lives in the profile ("CoordinateReports").
class CCoordinateReport : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 6999;

    CCoordinateReport();

    // "View Report" (message bar) and "Edit Report" (companion editor); false when nothing was built.
    bool BuildReport(bool toMessageBar);
    void OnCancel() override;

    CReportFieldCheckList* GetFieldList() const { return m_fields; }
    CGeneralSelectionChip* GetChip() const { return m_chip; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void SaveFieldList();

    CReportFieldCheckList* m_fields = nullptr;
    CGeneralSelectionChip* m_chip = nullptr;
    CSelectionDescription m_points{SelectionKindPoint};
};
