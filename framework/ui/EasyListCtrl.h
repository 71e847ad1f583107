#pragma once

#include <wx/panel.h>

#include <cstdint>
#include <string>
#include <vector>

class wxDC;
class CEasyListBody;
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

    // --- What derived lists supply.
    virtual std::string GetItemText(int32_t row, int column) const { return {}; }
    virtual bool IsRowSelected(int32_t row) const { return false; }
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

    // Draws one row; the body calls it for every row it paints.
    virtual void DrawRow(wxDC& dc, int32_t row, const wxRect& rect);

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
    std::vector<Column> m_columns;
    int32_t m_itemCount = 0;
    int m_rowHeight = 17;
    int32_t m_pressedRow = -1;
    bool m_rowTips = false;
    bool m_rowTipsAnyColumn = false;
};
