#pragma once

#include "rawdata/ui/RawDataPanel.h"

class wxCheckBox;

// The side-bar panel that reduces the job's raw data into its points with two options (kept in
// the profile, "RegenerationOptions"), as one undo step, and shows the analysis report.
class CReduceRawData : public CRawDataPanel
{
public:
    static constexpr int IgnoreStoreId = 2101;
    static constexpr int IgnoreDeletedId = 2102;
    // The message bar's "Report" presses the panel's button of this id.
    static constexpr int ReportId = 1070;

    CReduceRawData();
    ~CReduceRawData() override;

    // "Reduce": false when the fields did not save (nothing was recorded).
    bool OnReduce();
    // "Report": the analysis report to the companion editor.
    void OnReport();

    wxCheckBox* GetIgnoreStoreCheck() const { return m_ignoreStore; }
    wxCheckBox* GetIgnoreDeletedCheck() const { return m_ignoreDeleted; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    bool m_ignoreStorePoints = false;
    bool m_ignoreDeletedRecords = false;
    wxCheckBox* m_ignoreStore = nullptr;
    wxCheckBox* m_ignoreDeleted = nullptr;
};
