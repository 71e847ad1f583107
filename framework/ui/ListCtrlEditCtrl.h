#pragma once

#include "framework/CellEditKeys.h"
#include "framework/ui/EasyListCtrl.h"

#include <wx/event.h>

#include <string>
#include <vector>

class wxTextCtrl;

// Sent (propagating to the owner) when a cell edit ends: GetInt() the row, GetExtraLong() the
// column, GetString() the text. The owner stores the value unless IsEditCancelled().
wxDECLARE_EVENT(EVT_LIST_END_CELL_EDIT, wxCommandEvent);

// The list as a small grid: a cell cursor moves over the columns of the selected row, and the
// current cell is edited in place in a text field laid over it. The list only reports edited
// values; its owner stores them.
class CListCtrlEditCtrl : public CEasyListCtrl
{
public:
    CListCtrlEditCtrl(wxWindow* parent, wxWindowID id);
    ~CListCtrlEditCtrl() override;

    // Starts editing the cell; false when no editor could be put over it.
    bool StartEdit(int32_t item, int column);
    // Ends the running edit keeping its text; CancelEdit drops it.
    void EndEdit();
    void CancelEdit();
    bool IsEditing() const { return m_bEditing; }
    bool IsEditCancelled() const { return m_bEditCancelled; }
    int GetEditColumn() const { return m_nEditColumn; }
    wxTextCtrl* GetEditor() const { return m_edit; }

    // An edit the list starts by itself (a double click on the current cell): refused until the
    // first StartEdit.
    bool BeginLabelEdit(int32_t item, int column);

    virtual bool CanEditCell(int32_t item, int column) const { return true; }
    // The row being edited, -1 when none.
    virtual int32_t GetEditRow() const { return m_bEditing ? m_nEditRow : -1; }
    bool CanDrawCellText(int32_t row, int column) const override;

    // --- Selection.
    void SelectItem(int32_t item, bool exclusive);
    void DeselectItem(int32_t item);
    bool GetFirstSelected(int32_t& item) const;
    bool IsRowSelected(int32_t row) const override;

    // Keys of the list and of its editor; true when the key was used.
    bool OnEditKey(int keyCode, bool shift, bool control);
    bool OnListKeyDown(int keyCode) override;
    void OnListLeftDown(const wxPoint& p, uint32_t flags) override;
    void OnListLeftDoubleClick(const wxPoint& p, uint32_t flags) override;

private:
    void FinishEdit(bool cancelled);
    void Apply(const CellKeyDecision& decision);
    wxRect CellRect(int32_t row, int column) const;

    wxTextCtrl* m_edit = nullptr;
    bool m_bEditCancelled = false;
    bool m_bEditing = false;
    bool m_bEditRequested = false;
    int m_nEditColumn = -1;
    int32_t m_nEditRow = -1;
    unsigned m_editSerial = 0;
    std::vector<int32_t> m_selected;
};
