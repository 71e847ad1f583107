#pragma once

#include "framework/ui/EasyTab.h"
#include "framework/ui/StackableDialog.h"

class CReportFieldCheckList;

// The "Point Stake" page of the cut sheet: the optional columns after the fixed three, ticked
// and ordered by the user, kept in the profile ("CutSheetReports").
class CCutSheetPointStakePage : public CEasyTabPage
{
public:
    static constexpr uint32_t TemplateId = 724;

    CCutSheetPointStakePage();

    bool BuildReport(bool toMessageBar, CReport& report);
    void SaveFieldList();
    CReportFieldCheckList* GetFieldList() const { return m_fields; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;

private:
    CReportFieldCheckList* m_fields = nullptr;
};

// The "Cut Sheet Report" panel: every stake-out of the job's raw data, design against as-built.
class CCutSheetReport : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 721;
    static constexpr int TabId = 2878;

    CCutSheetReport();
    ~CCutSheetReport() override;

    bool BuildReport(bool toMessageBar);
    void OnCancel() override;

    CEasyTab* GetTab() const { return m_tab; }
    CCutSheetPointStakePage& GetPointStakePage() { return *m_page; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    CEasyTab* m_tab = nullptr;
    // A window of the tab once added; owned by the window tree from then on.
    CCutSheetPointStakePage* m_page;
};
