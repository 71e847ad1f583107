#pragma once

#include "platform/View.h"
#include "views/ui/GridViewListCtrl.h"

#include <wx/panel.h>

class wxDC;
class wxNotebook;

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The coordinate grid view: one owner-drawn virtual list of the job's points, its columns, its
// font and row height, the wheel and Escape. Derived views supply the rows and add panes and tabs.
class CGridView : public wxPanel, public CView, public IGridListOwner
{
public:
    static constexpr int GridListId = 1175;
    static constexpr int TabStripId = 1133;
    // Posted by InitializeGrid: the first row is selected once the view has settled.
    static constexpr int SelectFirstRowCommand = 9999;

    explicit CGridView(wxWindow* parent);
    ~CGridView() override;

    // --- What derived views replace.
    virtual void InitializeGrid();
    virtual void ReloadRows() {}
    virtual std::string GetCellText(int32_t row, int column, const CEasyListCtrl* list) const { return {}; }
    virtual void RebuildSortOrder(int tab) {}
    // A tip in the active list's identification popup, at a screen point (fields' hints, the map).
    void ShowObjectIdPopup(const std::string& text, int x, int y, int icon, uint32_t colour);
    virtual void SortByColumn(int column, bool toggle) {}
    virtual void OnTabChanged();
    virtual void InsertColumns();
    virtual void UpdateColumnHeadings();
    virtual CEasyListCtrl* GetActiveList();
    // One row per wheel message inside the active list; false outside it.
    virtual bool OnMouseWheelInList(int delta, const wxPoint& screen);
    // Scrolls the row to the top of the active list; false when it lies on the last page.
    virtual bool ScrollRowToTop(int32_t row);
    virtual int32_t GetRowCount();
    virtual void ApplyGridFont();
    // One width per column of the active list: the heading's (a heading of one blank is measured
    // as " ... "), widened by the cells (fromCells; column 2 of note and invalid lines left out)
    // or, in the grid, by each column's sample text. dc null: the list's own font.
    virtual void MeasureColumnWidths(std::vector<int>& widths, wxDC* dc, bool fromCells);
    virtual void SelectFirstRow() { SelectRow(0); }
    // Every grid column to its measured width (8 for one of 5 pixels or less).
    virtual bool AutoSizeColumns();
    // The row of the active list made visible and its only selected row.
    void SelectRow(int32_t row);
    // The text's width and 16 pixels of margin.
    int MeasureTextWidth(const std::string& text, wxDC* dc);

    void SelectTab(int index);
    int GetCurrentTab() const { return m_currentTab; }
    CGridViewListCtrl* GetGridList() const { return m_gridList; }
    wxNotebook* GetTabStrip() const { return m_tabStrip; }
    int GetGridRowHeight() const;

    // IGridListOwner.
    std::string GetListCellText(const CGridViewListCtrl& list, int32_t row, int column) const override
    {
        return GetCellText(row, column, &list);
    }
    void OnListColumnClick(int column) override;
    void OnListEscape() override;

protected:
    // Every heading of the grid, in column order.
    virtual std::array<std::string, 5> GetHeadings() const;
    // The strip's tabs: their pages stay empty, the view shows its lists itself.
    void ClearTabs();
    void AddTab(const wxString& label, int image);


    int m_currentTab = 0;
    // Hidden in the view's own layout; a view that shows it switches lists with it.
    wxNotebook* m_tabStrip = nullptr;
    bool m_fillingTabs = false;
    CGridViewListCtrl* m_gridList = nullptr;
    wxFont m_gridFont;
};
