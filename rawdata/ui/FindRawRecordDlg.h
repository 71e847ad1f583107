#pragma once

#include "rawdata/RawDataSearch.h"
#include "rawdata/ui/RawDataPanel.h"

class CEasyComboBoxEx;
class CRawDataRecordComboBoxEx;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

// The side-bar panel that searches the raw lines for a point in a role, a record type, a text or
// a line number, forwards or backwards with wrap-around, and selects the line it finds. Enter in
// any field runs "Find Next". What was searched for last is kept for the run of the program.
class CFindRawRecordDlg : public CRawDataPanel
{
public:
    static constexpr int PointsRadioId = 1801;
    static constexpr int RecordsRadioId = 1802;
    static constexpr int TextRadioId = 1803;
    static constexpr int LineRadioId = 1804;
    static constexpr int RoleId = 1805;
    static constexpr int PointNameId = 1806;
    static constexpr int RecordTypeId = 1807;
    static constexpr int TextId = 1808;
    static constexpr int LineId = 1809;
    static constexpr int FindNextId = 1810;
    static constexpr int FindPrevId = 1811;

    CFindRawRecordDlg();
    ~CFindRawRecordDlg() override;

    // "Find Next" (forward) and "Find Prev." (backward).
    void Search(bool forward);
    // Enables the fields of the chosen kind and focuses its field.
    void UpdateEnabling();

    wxRadioButton* GetKindRadio(int kind) const { return m_kinds[kind]; }
    CEasyComboBoxEx* GetRoleChooser() const { return m_roles; }
    wxTextCtrl* GetPointNameField() const { return m_pointName; }
    CRawDataRecordComboBoxEx* GetTypeChooser() const { return m_types; }
    wxTextCtrl* GetTextField() const { return m_text; }
    wxTextCtrl* GetLineField() const { return m_line; }
    // The values kept between panels of the run.
    static CRawSearch& KeptSearch();

    // Enter runs "Find Next" and never presses a default button.
    bool BasePreTranslate(const DialogKeyMessage& msg) override;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    CRawSearch m_search;
    wxRadioButton* m_kinds[4] = {};
    CEasyComboBoxEx* m_roles = nullptr;
    wxStaticText* m_pointLabel = nullptr;
    wxTextCtrl* m_pointName = nullptr;
    CRawDataRecordComboBoxEx* m_types = nullptr;
    wxTextCtrl* m_text = nullptr;
    wxTextCtrl* m_line = nullptr;
};
