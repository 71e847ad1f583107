#pragma once

#include "rawdata/RawDataReportRows.h"
#include "rawdata/ui/RawDataPanel.h"

class wxCheckBox;

// The side-bar panel that lists the raw lines as a report, shown in the message bar or handed
// to the companion editor. Its three options live in the profile ("RawDataReport").
class CRawDataReport : public CRawDataPanel
{
public:
    static constexpr int NotesId = 2001;
    static constexpr int NotesOnlyId = 2002;
    static constexpr int NumbersId = 2003;

    CRawDataReport();
    ~CRawDataReport() override;

    // "View Report" and "Edit Report"; false when the fields did not save.
    bool OnViewReport();
    bool OnEditReport();
    // Fills the report from the job's raw lines and writes the options to the profile.
    bool Generate();
    // "Include notes" decides whether "notes only" can be chosen.
    void OnNotesClicked();

    const CRawDataReportOptions& GetOptions() const { return m_options; }
    wxCheckBox* GetNotesCheck() const { return m_notes; }
    wxCheckBox* GetNotesOnlyCheck() const { return m_notesOnly; }
    wxCheckBox* GetNumbersCheck() const { return m_numbers; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    CRawDataReportOptions m_options;
    wxCheckBox* m_notes = nullptr;
    wxCheckBox* m_notesOnly = nullptr;
    wxCheckBox* m_numbers = nullptr;
};
