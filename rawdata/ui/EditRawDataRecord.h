#pragma once

#include "rawdata/RawEditRecordModel.h"
#include "rawdata/ui/RawDataPanel.h"

#include <cstdint>

class CRawDataFieldListCtrl;
class CRawDataRecordComboBoxEx;
class wxButton;
class wxCheckBox;
class wxStaticText;
class wxTextCtrl;

// The side-bar panel that edits one raw line: its record type, its fields and its deleted mark.
// "Apply" replaces the line as one undo step. A second Edit panel pushed while this one is
// stacked hands its line over to this one.
class CEditRawDataRecord : public CRawDataPanel
{
public:
    static constexpr int FieldEditorId = 1901;
    static constexpr int ApplyId = 1902;
    static constexpr int TypeChooserId = 1903;
    static constexpr int ReduceId = 1904;
    static constexpr int FindId = 1905;
    static constexpr int CloseId = 1906;
    static constexpr int DeletedId = 1907;
    static constexpr int LineTextId = 1908;
    static constexpr int LineNumberId = 1909;

    explicit CEditRawDataRecord(int32_t line);
    ~CEditRawDataRecord() override;

    int32_t GetLine() const { return m_model.GetLine(); }
    CRawEditRecordModel& GetModel() { return m_model; }

    // The buttons and the chooser as the mouse reaches them.
    void OnApply();
    void OnTypeChanged();

    CRawDataFieldListCtrl* GetFieldEditor() const { return m_fields; }
    CRawDataRecordComboBoxEx* GetTypeChooser() const { return m_types; }
    wxCheckBox* GetDeletedCheck() const { return m_deleted; }
    wxTextCtrl* GetLineTextField() const { return m_lineText; }
    wxStaticText* GetLineNumberText() const { return m_lineNumber; }

    // --- The side bar.
    void TakeOver(CStackPanel* newPanel) override;
    // Reloads the line after an undo or redo of the job.
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;

private:
    // Shows what the model holds.
    void LoadControls();
    void SetLineText(const std::string& text);

    int32_t m_initialLine;
    CRawEditRecordModel m_model;
    bool m_ready = false;
    CRawDataFieldListCtrl* m_fields = nullptr;
    CRawDataRecordComboBoxEx* m_types = nullptr;
    wxCheckBox* m_deleted = nullptr;
    wxTextCtrl* m_lineText = nullptr;
    wxStaticText* m_lineNumber = nullptr;
};
