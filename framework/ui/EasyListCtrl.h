#pragma once

#include "framework/RowRanges.h"
#include "model/ObjectListTarget.h"

#include <wx/panel.h>

#include <cstdint>
#include <string>
#include <vector>

class wxDC;
class wxImageList;
class wxTextCtrl;
class CEasyListBody;
class CObjectIdWnd;
class CEasyListHeader;
class wxScrollBar;

// An owner-drawn virtual report list: a header over rows that are drawn here and whose texts are
// asked for on paint, so a list of a quarter million rows holds nothing but its row count. It keeps
// no selection of its own; derived lists answer IsRowSelected and handle the mouse and keys.
class CEasyListCtrl : public wxPanel
{
public:
    CEasyListCtrl(wxWindow* parent, wxWindowID id);
    ~CEasyListCtrl() override;

    // --- Columns. Column 0 is drawn left-aligned unless asked otherwise.
    void InsertColumn(int column, const wxString& heading, int width, bool rightAligned);
    int GetColumnCount() const { return int(m_columns.size()); }
    void SetColumnHeading(int column, const wxString& heading);
    wxString GetColumnHeading(int column) const;
    int GetColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    bool IsColumnRightAligned(int column) const;

    // --- Rows. Rows are added and removed at the end only.
    void SetItemCount(int32_t count);
    int32_t GetItemCount() const { return m_itemCount; }
    void DeleteAllItems() { SetItemCount(0); }
    void SetRowHeight(int height);
    int GetRowHeight() const { return m_rowHeight; }
    int32_t GetTopIndex() const;
    // Whole rows that fit.
    int32_t GetCountPerPage() const;
    void EnsureVisible(int32_t row);
    void ScrollToRow(int32_t top);
    void RedrawItems(int32_t first, int32_t last);
    // Moves a one-row mark (pressed, hot) to the row, -1 for none, redrawing the row it leaves
    // and the row it takes.
    void MoveRowMark(int32_t& mark, int32_t row);
    // The row under a point of the row area, -1 when none.
    int32_t HitTest(const wxPoint& bodyPoint) const;
    wxRect GetRowRect(int32_t row) const;
    wxWindow* GetBody() const;

    // --- The pressed row: the row a button went down on, drawn with an inner frame.
    void SetPressedRow(int32_t row);
    void ClearPressedRow() { SetPressedRow(-1); }
    int32_t GetPressedRow() const { return m_pressedRow; }

    // A tip is asked for only while the cursor is over the first column of a row, or anywhere on
    // a row with anyColumn.
    void SetRowTips(bool on, bool anyColumn = false)
    {
        m_rowTips = on;
        m_rowTipsAnyColumn = anyColumn;
    }

    // With cell tips the list's own tip shows the cell under the cursor rather than the row.
    void SetCellTips(bool on) { m_cellTips = on; }
    // The list's own tip, for when no one answers for the row (RequestRowTip): the row's (or the
    // cell's) heading and text lines in the list's identification popup; false when nothing shows.
    bool ShowDefaultTip(const wxPoint& bodyPoint);
    std::string FormatDefaultTip(int32_t row, int column) const;
    // Shows the text in the list's identification popup at the screen point.
    void ShowObjectTips(const std::string& text, int x, int y, int value, uint32_t colour);
    CObjectIdWnd* GetObjectIdWnd() const { return m_objectIdWnd; }
    // --- Cell cursor: the column of the current cell inside the selected row; -1 selects whole
    // rows. The current cell is drawn in the highlight colours.
    int GetCurrentColumn() const { return m_nCurrentColumn; }
    void SetCurrentColumn(int column) { m_nCurrentColumn = column; }
    // Whether a cell's text is drawn (an editor over the cell hides it).
    virtual bool CanDrawCellText(int32_t row, int column) const { return true; }

    // --- What derived lists supply.
    virtual std::string GetItemText(int32_t row, int column) const { return {}; }
    virtual bool IsRowSelected(int32_t row) const { return IsItemSelected(row); }
    // Rows drawn inverted, such as a dragged range.
    virtual bool IsRowMarked(int32_t row) const { return false; }
    // 0x80B9: a tip for the row under the point (row area coordinates); false when none shows.
    virtual bool RequestRowTip(const wxPoint& bodyPoint) { return false; }
    virtual void OnColumnClick(int column) {}

    // Mouse and keys on the row area, in its client coordinates. Tests call these as the
    // toolkit does.
    virtual void OnListLeftDown(const wxPoint& p, uint32_t flags) {}
    virtual void OnListLeftUp(const wxPoint& p, uint32_t flags) {}
    // A double click; lists that do not tell it apart take it as a press.
    virtual void OnListLeftDoubleClick(const wxPoint& p, uint32_t flags) { OnListLeftDown(p, flags); }
    virtual void OnListMotion(const wxPoint& p, uint32_t flags, bool leftDown) {}
    virtual void OnListRightDown(const wxPoint& p, uint32_t flags) {}
    virtual void OnListRightUp(const wxPoint& p, uint32_t flags) {}
    virtual void OnListCaptureLost() {}
    virtual void OnListLeave() {}
    // True when the key was used.
    virtual bool OnListKeyDown(int keyCode) { return false; }

    // The column whose right border lies within a few pixels of x, -1 when none (header drag).
    // x counts from the left edge of the window, as the mouse gives it: the list's sideways
    // scrolling is added here.
    int ColumnBorderAt(int x) const;
    // The column under x (as above), -1 past the last one.
    int ColumnAt(int x) const;

    // --- Sideways scrolling, for columns wider together than the window.
    int GetColumnsWidth() const;
    // How far the columns are scrolled to the left, in pixels.
    int GetScrollX() const { return m_scrollX; }
    // Scrolls by dx pixels (positive: the columns move left), within the columns' width.
    void ScrollHorizontally(int dx);

    // --- List layout: no header, column 0 alone, rows running down and on into the next column
    // as wide as column 0, scrolled sideways only (a file browser's list view).
    void SetListLayout(bool on);
    bool IsListLayout() const { return m_listLayout; }
    int ListColumnWidth() const;
    int32_t RowsPerListColumn() const;

    // Draws one row; the body calls it for every row it paints.
    virtual void DrawRow(wxDC& dc, int32_t row, const wxRect& rect);
    // Fill and text of a selected row in whole-row mode: the system highlight colours.
    virtual wxColour SelectedRowFill() const;
    virtual wxColour SelectedRowInk() const;

    // Moves column 0's text right (room for a mark before it).
    int m_nTextOffset = 0;

    // --- The marked item: the one row drawn with an inner frame (the pressed row).
    // Marking it again keeps it; unmarking another row changes nothing.
    void SetMarkedItem(int32_t item, bool mark);
    void ClearMarkedItem() { SetPressedRow(-1); }
    int32_t GetMarkedItem() const { return m_pressedRow; }

    // --- A selection of the list's own, for lists whose rows are not job objects (opt-in; the
    // job's lists ask their owner instead).
    void EnableOwnSelection(bool on) { m_ownSelection = on; }
    bool IsItemSelected(int32_t item) const { return m_ownSelection && m_selectedRows.Contains(item); }
    int64_t GetSelectedItemCount() const { return m_ownSelection ? m_selectedRows.GetCount() : 0; }
    // Scrolls the row into view and makes it the only one selected; nothing for a bad index.
    void SelectSingleItem(int32_t item);
    void SelectAll();
    void DeselectAll();
    // Adds the row to the selection or takes it out; the others keep theirs.
    void SetItemSelected(int32_t item, bool selected);
    void InvertSelection();
    // The next selected row from the iterator's position: its index through `index` (-1 at the
    // end, when the iterator goes back to the top) and its item data as the result.
    uintptr_t GetNextSelected(int32_t& index);
    void ResetSelectionIterator() { m_nNextSelected = 0; }

    // --- Item data: a value each row holds (0 until set).
    void SetItemData(int32_t item, uintptr_t data);
    uintptr_t GetItemData(int32_t item) const;
    // The first row holding the data, -1 when none.
    int32_t FindItemByData(uintptr_t data) const;
    // Selects that row alone; false (index 0) when no row holds it.
    bool SelectItemByData(uintptr_t data, int32_t& index);
    // Inserts a row holding data at index; the rows below move down.
    void InsertItem(int32_t index, uintptr_t data);
    // Removes the row; the rows below move up.
    void DeleteItem(int32_t index);

    // Each column as wide as its heading or its widest cell, plus 16 (and column 0 its image).
    void AutoSizeColumns();

    // --- Row images: a picture before column 0's text from an image list the list borrows.
    void SetImageList(wxImageList* images);
    wxImageList* GetImageList() const { return m_images; }
    // The row's index in the image list, -1 for none.
    virtual int GetItemImage(int32_t row) const { return -1; }

    // --- In-place editing of a row's column 0 text. The derived list agrees in OnBeginLabelEdit;
    // Enter or leaving the field keeps the text, Escape cancels, and OnEndLabelEdit receives the
    // text (null when cancelled).
    bool EditLabel(int32_t row, int maxLength = 260);
    void EndLabelEdit(bool cancel);
    int32_t GetEditedRow() const { return m_labelRow; }
    wxTextCtrl* GetLabelEditor() const { return m_labelEdit; }
    virtual bool OnBeginLabelEdit(int32_t row) { return false; }
    virtual void OnEndLabelEdit(int32_t row, const std::string* text) {}
    // The identification popup the tips use, made on first use; null when it cannot be made.
    CObjectIdWnd* GetOrCreateObjectIdWnd();

    // The list as a target of the selection operator's fill and remove (own selection, rows
    // holding their objects as item data).
    class ObjectTarget : public IObjectListTarget
    {
    public:
        explicit ObjectTarget(CEasyListCtrl& list) : m_list(list) {}
        void DeleteAllItems() override { m_list.DeleteAllItems(); }
        int32_t GetItemCount() const override { return m_list.GetItemCount(); }
        void InsertObjectItem(int32_t index, CRecord* object) override
        {
            m_list.InsertItem(index, reinterpret_cast<uintptr_t>(object));
        }
        CRecord* GetItemObject(int32_t index) const override
        {
            return reinterpret_cast<CRecord*>(m_list.GetItemData(index));
        }
        bool IsItemSelected(int32_t index) const override { return m_list.IsItemSelected(index); }
        void DeleteItem(int32_t index) override { m_list.DeleteItem(index); }

    private:
        CEasyListCtrl& m_list;
    };

private:
    friend class CEasyListBody;
    friend class CEasyListHeader;
    struct Column
    {
        wxString heading;
        int width = 0;
        bool rightAligned = false;
    };

    // Shows the scroll bar only while the columns do not fit, and keeps the offset in range.
    void UpdateHorizontalBar();

    CEasyListHeader* m_header = nullptr;
    CEasyListBody* m_body = nullptr;
    wxScrollBar* m_hbar = nullptr;
    int m_scrollX = 0;
    bool m_listLayout = false;
    std::vector<Column> m_columns;
    int32_t m_itemCount = 0;
    int m_rowHeight = 17;
    int32_t m_pressedRow = -1;
    bool m_rowTips = false;
    bool m_rowTipsAnyColumn = false;
    bool m_cellTips = false;
    CObjectIdWnd* m_objectIdWnd = nullptr;
    int m_nCurrentColumn = -1;
    bool m_ownSelection = false;
    CRowRanges m_selectedRows;
    int32_t m_nNextSelected = 0;
    std::vector<uintptr_t> m_itemData;
    wxImageList* m_images = nullptr;
    wxTextCtrl* m_labelEdit = nullptr;
    int32_t m_labelRow = -1;
    int m_labelSerial = 0;
};
